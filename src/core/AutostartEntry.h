// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Paths.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

// "Start at Login": a desktop entry in the user's autostart folder, which every desktop that
// follows the XDG autostart rules runs at login. It starts the program hidden in the tray.

// $XDG_CONFIG_HOME/autostart/orvane.desktop (by default ~/.config/autostart); empty when there
// is no config folder at all.
std::filesystem::path AutostartEntryPath(const EnvironmentLookup& environment);

// The command the entry runs: "orvane /HIDE" when the `orvane` found along $PATH is `executable`
// itself (an installed program), else the executable's full path, so a program run from
// elsewhere (a build folder) starts that same program.
std::string AutostartCommand(const std::filesystem::path& executable,
                             const EnvironmentLookup& environment);

// One argument of an Exec key, quoted where the desktop entry rules ask for it, with "%"
// doubled and the backslashes of the quoting escaped once more for the string value.
std::string DesktopExecArgument(std::string_view argument);

// The whole entry for `command` (already in Exec form).
std::string AutostartEntryText(std::string_view command);

// Whether the entry exists (the menu's check mark shows this).
bool AutostartEntryPresent(const std::filesystem::path& entry);

// Writes the entry (mode 0644, replaced atomically), creating the folder when missing. False
// when it could not be written.
bool WriteAutostartEntry(const std::filesystem::path& entry, std::string_view text);

// Removes the entry. True when it is gone afterwards (also when there was none).
bool RemoveAutostartEntry(const std::filesystem::path& entry);

} // namespace orvane
