// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

class MacroStore;

inline constexpr std::string_view NoMacrosToOutputText =
    "No hot keys have been added yet.  Please add one first.";
inline constexpr std::string_view NothingCheckedText =
    "Nothing has been checked for printing.  Please Correct.";
inline constexpr std::string_view TextFileFailedText = "Unable to create text file.";

// The details "Output Macros To File" writes for each macro. All are ticked whenever it opens.
struct InformationOptions {
    bool HotKey = true;
    bool Name = true;
    bool Window = true;
    bool Text = true;
    bool Schedule = true;
    bool Icon = true;
};

// NothingCheckedText when none of Hot Key, Name, Window and Text is ticked (icons and schedules
// alone say nothing about which macro they belong to).
std::optional<std::string_view> InformationRefusal(const InformationOptions& options);

// The lines of one macro for the ticked details, in this order, then an empty line:
//   "Icon: (None)" for a system macro, else "Icon: (Default Icon)" (MAIN), "Icon: (Default Menu
//     Icon)" (MENU) or "Icon: " and the icon's name;
//   "Timed Macro", "ShortKey: " and the ShortKey, or "Hot Key: " and the key's name;
//   "Name: " and the nickname;
//   "Scope: GLOBAL", "Scope: Popup Menu", "Scope: SYSTEM", or "Window: " / "Program: " and the
//     scope target, then ", Top Most Only" or ", If Active";
//   for a timed macro, "Schedule: " and its schedule;
//   for Global, Window and Program macros, "Text: " and the whole text with its own line breaks.
// The result is UTF-8 with line feeds: the stored Windows-1252 texts are converted, and the
// text's own CR LF pairs become line feeds like the other lines.
std::string MacroInformation(const MacroRecord& record, const InformationOptions& options);

// Writes the information of records `order` (the list's display order) of the current file to
// `target`, replacing whatever is there in one step; a new file is readable by its owner only
// (it holds every macro's text). False when the current file cannot be read or `target` cannot
// be written.
bool WriteMacroInformation(const MacroStore& store, std::span<const int> order,
                           const InformationOptions& options, const std::filesystem::path& target);

} // namespace orvane
