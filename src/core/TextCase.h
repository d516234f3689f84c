// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Upper case of Windows-1252 text as the Windows upper-casing of that code page gives it:
// ASCII letters, the accented Latin letters (à -> À, ø -> Ø, þ -> Þ) and š, œ, ž, ÿ. ß and µ have
// no single-byte capital and stay.
char UpperCase1252(char c);
std::string UpperCase1252(std::string_view text);

} // namespace orvane
