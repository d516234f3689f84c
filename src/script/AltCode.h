// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace orvane {

// The character an Alt + keypad code names, as Windows reads it: a code with a leading "0" is
// a Windows-1252 code, any other a code page 437 one; codes above 255 wrap around (Windows
// keeps the low byte). Nothing for an empty code, one holding anything but digits, or code 0.
std::optional<char32_t> AltCodeCharacter(std::string_view digits);

} // namespace orvane
