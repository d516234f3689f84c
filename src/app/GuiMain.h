// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane {

// Runs the program with its main window: start-up, the event loop, shutdown. Always returns 0,
// also when another instance is running or a start-up failure was reported.
int RunGui(int argc, char** argv);

} // namespace orvane
