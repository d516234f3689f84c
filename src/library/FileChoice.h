// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace orvane {

// "Open File" and "New File" take only names ending in ".ORV" (any case); anything else is
// refused with InvalidFileTypeText ("Error") before a file is touched.
inline constexpr std::string_view InvalidFileTypeText = "Invalid file type selected.";
// A recent file that is no longer there ("Error").
inline constexpr std::string_view FileMissingText = "File does not exist.";

bool HasMacroFileExtension(std::string_view name);

} // namespace orvane
