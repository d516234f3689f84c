// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace orvane {

class MacroStore;

inline constexpr std::string_view NothingToExportText =
    "No Hot Key Macros have been selected for exporting.";
inline constexpr std::string_view ExportFailedText = "Unable to create export file.";
inline constexpr std::string_view ExportIntoCurrentFileText =
    "The macros cannot be exported into the macro file in use. Please choose another file.";
inline constexpr std::string_view ExportCompleteCaption = "ok";
inline constexpr std::string_view ExportCompleteText = "Export Complete";

// The macros "Export Macros" lists: every loaded record but the system macros, in record order.
std::vector<int> ExportableRecords(const MacroStore& store);

// Every loaded record of the current file, record 1 first, read in one go; nothing when the
// file cannot be read or holds fewer records than are loaded.
std::optional<std::vector<MacroRecord>> ReadLoadedMacros(const MacroStore& store);

// Writes records `records` (in that order) of the current file as a new macro file at
// `target`, replacing whatever is there in one step; a new file is readable by its owner only.
// A popup menu keeps those of its members that are exported with it, renumbered to their places
// in the new file; the others are dropped, since their numbers would name other macros there.
// The error text when the current file cannot be read or `target` cannot be written
// (ExportFailedText), or when `target` is the current file itself, which would lose every
// macro not chosen under the running program (ExportIntoCurrentFileText).
std::optional<std::string_view> ExportMacros(const MacroStore& store, std::span<const int> records,
                                             const std::filesystem::path& target);

} // namespace orvane
