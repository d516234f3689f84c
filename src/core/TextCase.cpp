// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TextCase.h"

namespace orvane {

char UpperCase1252(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
        return static_cast<char>(byte - 0x20);
    }
    switch (byte) {
    case 0x9A: // š
    case 0x9C: // œ
    case 0x9E: // ž
        return static_cast<char>(byte - 0x10);
    case 0xFF: // ÿ
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

std::string UpperCase1252(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = UpperCase1252(c);
    }
    return upper;
}

} // namespace orvane
