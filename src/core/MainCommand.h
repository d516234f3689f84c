// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace orvane {

// Every command of the main window: its menu entries and the buttons that stand for them.
enum class MainCommand {
    NewFile,
    OpenFile,
    RecentFiles, // the five recent-file entries
    ImportMacros,
    ExportMacros,
    PrintMacroList,
    PrinterSetup,
    PrinterFont,
    OutputMacroInformation,
    Network,
    Hide,
    Terminate,
    AddMacro,
    ScriptingEditor,
    ModifyDirectly,
    RecaptureMacro,
    RenameMacro,
    CopyMacro,
    ActivateMacro,
    RemoveMacro,
    QuickInfo,
    Sort, // the "Sort Order" menu entry and button
    Appearance,
    ShortKeys,
    Capture, // capture defaults
    EndCapture,
    Remap,
    PlaceInSystemTray,
    ScreenSaver, // "Disable if using Timed Macros"
    RestoreKeyboardHooks,
    RestoreMouseHooks,
    Scheduler, // the scheduler menu as a whole
    ShowDate,  // the scheduler menu's entries
    Alarm,
    TimerInterval,
    Help,
    About,
};

// Restriction levels from the command line: 0 none, 1 ("/B") keeps users from changing macros,
// files and configuration, 2 ("/BA") also from opening files, printing, output, quick info,
// the scheduler, sorting and tray placement.
int RestrictionLevelOf(int level);

// What a level disables for the whole run (level 2 includes level 1's). Menu entries and speed
// buttons differ: level 1 already disables the open-file and print-list buttons while their menu
// entries stay until level 2.
struct Restriction {
    std::vector<MainCommand> MenuEntries;
    std::vector<MainCommand> Buttons; // the button bar
    bool LetterPanel = false;         // the panel of lettered buttons as a whole
};
Restriction RestrictionFor(int level);

} // namespace orvane
