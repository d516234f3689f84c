// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane {

// `orvane play --text TEXT`, `orvane play --file FILE` and `orvane play --macro NAME
// [--macro-file FILE]` (argv[1] is "play"): plays the macro text, or a stored macro as its hot
// key would (bringing its window forward first), into the window that has the keyboard focus.
// Returns the exit status: 0 when it has played to its end (or was aborted by the user), 1 when
// it could not start (no display, unreadable file, no such macro, its window missing), 2 for a
// malformed command line. Errors go to standard error.
int RunPlayCommand(int& argc, char** argv);

// The internal argument (argv[1]) that starts the process keeping a finished play command's
// clipboard text (read from standard input) on the clipboard.
inline constexpr const char* ServeClipboardArgument = "--serve-clipboard";

// That process: serves the text until another program takes the clipboard.
int RunServeClipboard();

} // namespace orvane
