// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Splits a parameter text into arguments as a POSIX shell splits words, without expanding
// anything: blanks separate; 'single quotes' keep everything; "double quotes" keep everything
// but a backslash before " \ $ ` (which stands for that character); a backslash elsewhere takes
// the next character as it is. An unclosed quote runs to the end. Empty quotes give an empty
// argument.
std::vector<std::string> SplitShellWords(std::string_view text);

} // namespace orvane
