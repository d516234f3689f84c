// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvane {

// Exit statuses of the shell commands.
inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitBadUsage = 2;

// `orvane list [--json] [--file FILE]` and `orvane show [--file FILE] NICKNAME|NUMBER`
// (argv[1] names the command). They read the macro file and write to standard output; they
// start no program window, take no single-instance lock and watch no keys, so they run beside
// the running program and without a display.
int RunListCommand(int argc, char** argv);
int RunShowCommand(int argc, char** argv);

// The macro file a shell command works on when none is named: the settings' "Current File", or
// the data folder's default file, as the program finds it at start.
std::filesystem::path CurrentMacroFile();

} // namespace orvane
