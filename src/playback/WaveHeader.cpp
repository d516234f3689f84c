// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/WaveHeader.h"

#include <algorithm>

namespace orvane {
namespace {

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

} // namespace

std::optional<std::chrono::milliseconds> WaveLength(std::string_view head, std::uint64_t fileSize) {
    if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE") {
        return std::nullopt;
    }
    std::optional<std::uint32_t> byteRate;
    std::size_t at = 12;
    // Chunks: a 4-character id, a 32-bit size, the body padded to an even length.
    while (at + 8 <= head.size()) {
        const std::string_view id = head.substr(at, 4);
        const std::uint64_t size = Le32(head, at + 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > head.size()) {
                return std::nullopt;
            }
            byteRate = Le32(head, body + 8);
        } else if (id == "data") {
            if (!byteRate || *byteRate == 0) {
                return std::nullopt;
            }
            const std::uint64_t present = fileSize > body ? fileSize - body : 0;
            const std::uint64_t bytes = std::min(size, present);
            return std::chrono::milliseconds(bytes * 1000 / *byteRate);
        }
        const std::uint64_t next = body + size + (size & 1);
        if (next > head.size()) {
            break;
        }
        at = static_cast<std::size_t>(next);
    }
    return std::nullopt;
}

} // namespace orvane
