// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane {

class TMainWin;

// Builds the main window's command groups over it (file, print, macro, view, network sharing when
// it has a macro store, options, start at login, scheduler, help, import and export), in the order
// their entries take in the menus, and attaches the ones the window calls on itself. They live
// above the window: some belong to the subsystems above the macro list, and the window knows none
// of them but through the command table.
void BuildCommandGroups(TMainWin& window);

} // namespace orvane
