// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane {

// How much of a wave file WaveLength needs to see: the chunks before the sound data.
inline constexpr std::size_t WaveHeaderBytes = 64 * 1024;

// The playing time of a RIFF wave file, from its first bytes (`head`, up to WaveHeaderBytes) and
// the file's whole size: the "data" chunk's size (cut to what the file holds) divided by the
// "fmt " chunk's byte rate. Nothing for anything that is not a wave file with both chunks and a
// byte rate; never reads outside `head`.
std::optional<std::chrono::milliseconds> WaveLength(std::string_view head, std::uint64_t fileSize);

} // namespace orvane
