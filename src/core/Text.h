// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace orvane {

// `text` without blanks and control characters (every byte up to the space) at either end, as
// the dialogs' text fields are read.
std::string_view Trim(std::string_view text);
// `text` without the characters of `blanks` at either end.
std::string_view Trim(std::string_view text, std::string_view blanks);

} // namespace orvane
