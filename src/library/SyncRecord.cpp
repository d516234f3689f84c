// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/SyncRecord.h"

#include "core/ByteOrder.h"

#include <bit>
#include <string>

namespace orvane {

std::array<std::uint8_t, SyncRecordSize> SyncRecordBytes(const SyncRecord& record) {
    std::array<std::uint8_t, SyncRecordSize> bytes{};
    StoreI32(bytes, 0, record.Counter);
    StoreU16(bytes, 4, record.State);
    StoreF64(bytes, 6, record.Heartbeat);
    return bytes;
}

SyncRecord SyncRecordFrom(std::span<const std::uint8_t, SyncRecordSize> bytes) {
    return SyncRecord{LoadI32(bytes, 0), LoadU16(bytes, 4), LoadF64(bytes, 6)};
}

std::uint64_t HeartbeatBits(double heartbeat) {
    return std::bit_cast<std::uint64_t>(heartbeat);
}

std::filesystem::path SyncFilePath(const std::filesystem::path& macroFile) {
    std::string name = macroFile.filename().string();
    if (name.size() < 4 || name.ends_with("MAS")) {
        name += ".MAS";
    } else {
        name.replace(name.size() - 3, 3, "MAS");
    }
    return macroFile.parent_path() / name;
}

} // namespace orvane
