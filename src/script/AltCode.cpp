// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/AltCode.h"

#include "core/CodePage.h"

namespace orvane {

std::optional<char32_t> AltCodeCharacter(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = (value * 10 + static_cast<unsigned>(c - '0')) % 256;
    }
    if (value == 0) {
        return std::nullopt;
    }
    const auto byte = static_cast<unsigned char>(value);
    return digits.front() == '0' ? Windows1252ToUnicode(byte) : CodePage437ToUnicode(byte);
}

} // namespace orvane
