// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace orvane {

// The program's own command-line switches, in the order given. Switches compare without regard
// to case; anything unknown is ignored.
struct HideAtStart {};    // "/HIDE": hide the main window once it has been shown
struct RestrictCommands { // "/B" (level 1) and "/BA" (level 2)
    int Level = 1;
};
struct AutoSyncOn {};    // "/S": "Auto Sync" on for this run
struct NetworkModeOn {}; // "/N": network mode on, sync file read
struct SetSyncMinutes {  // "/SM" n with n in 1..98
    int Minutes = 10;
};
struct OpenMacroFile { // "/F" path
    std::string Path;
};

using CommandLineAction = std::variant<HideAtStart, RestrictCommands, AutoSyncOn, NetworkModeOn,
                                       SetSyncMinutes, OpenMacroFile>;

// Reads the parameters (without the program name). "/SM" and "/F" look at the parameter after
// them; that parameter is then read as a parameter of its own as well, so "/F /HIDE" still
// hides. "/SM" without a number in 1..98 and "/F" without a following parameter do nothing.
// Whether the file of "/F" exists is the caller's test: a missing file is ignored then. The path
// keeps its case (file names on Linux are case-sensitive).
std::vector<CommandLineAction> ParseCommandLine(const std::vector<std::string>& parameters);

} // namespace orvane
