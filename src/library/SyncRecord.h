// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace orvane {

// The one record of a shared macro file's sync file, 14 bytes, packed, little-endian:
//   offset 0, 4 bytes: change counter, signed; raised by one whenever a holder releases the
//                      lock after changing the macro file
//   offset 4, 2 bytes: lock state, 1 = held by some instance, 2 = free
//   offset 6, 8 bytes: heartbeat, an IEEE-754 double date-time (days since 30 December 1899,
//                      local time) the holder rewrites while it holds the lock
inline constexpr std::size_t SyncRecordSize = 14;
inline constexpr std::uint16_t SyncLocked = 1;
inline constexpr std::uint16_t SyncFree = 2;

struct SyncRecord {
    std::int32_t Counter = 1;
    std::uint16_t State = SyncFree;
    double Heartbeat = 0.0;
};

// The bytes of a record; a record read and written back gives the same bytes (NaNs included).
std::array<std::uint8_t, SyncRecordSize> SyncRecordBytes(const SyncRecord& record);
SyncRecord SyncRecordFrom(std::span<const std::uint8_t, SyncRecordSize> bytes);

// The heartbeat's exact bit pattern: heartbeats are told apart by their bits, so a value that is
// no number still counts as one value.
std::uint64_t HeartbeatBits(double heartbeat);

// The sync file beside a macro file: its path with the last three characters made "MAS"
// ("ORVAN.ORV" pairs with "ORVAN.MAS"). A macro file whose name already ends in "MAS", or is
// shorter than four characters, gets ".MAS" added instead: the sync file must never be the macro
// file itself.
std::filesystem::path SyncFilePath(const std::filesystem::path& macroFile);

} // namespace orvane
