// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane {

// `orvane play --text TEXT` and `orvane play --file FILE` (argv[1] is "play"): plays the macro
// text into the window that has the keyboard focus and returns the exit status: 0 when it has
// played to its end (or was aborted by the user), 1 when it could not start (no display,
// unreadable file), 2 for a malformed command line. Errors go to standard error.
int RunPlayCommand(int& argc, char** argv);

} // namespace orvane
