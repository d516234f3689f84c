// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

// "File Manipulation": change the current folder, copy, rename or delete a file.
struct FilesForm {
    enum Kinds { ChangeDir = 1, Copy = 2, Rename = 3, Delete = 4 };
    int Kind = ChangeDir;
    std::string Path;    // ProgPath
    std::string NewName; // copy and rename only

    static FilesForm Preset(CommandCode code);
    static FilesForm Load(std::string_view tag);
    friend bool operator==(const FilesForm&, const FilesForm&) = default;
};

inline constexpr std::string_view NoNewNameText = "No new name specified.  Please correct.";
inline constexpr std::string_view NoFolderText =
    "Specified directory/folder does not exist.  Please correct.";
// The copy and rename tags split their two names at the first ";".
inline constexpr std::string_view NameSeparatorText =
    "The character \";\" cannot be used in the file to copy or rename.  Please correct.";

std::optional<FormRefusal> Check(const FilesForm& form, const PathChecks& paths);
std::string Build(const FilesForm& form);

} // namespace orvane
