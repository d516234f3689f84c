// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MainCommand.h"

namespace orvane {

int RestrictionLevelOf(int level) {
    return level < 0 ? 0 : (level > 2 ? 2 : level);
}

Restriction RestrictionFor(int level) {
    using enum MainCommand;
    Restriction restriction;
    const int clamped = RestrictionLevelOf(level);
    if (clamped >= 1) {
        restriction.MenuEntries = {NewFile,      Network,        RemoveMacro,     CopyMacro,
                                   RenameMacro,  ActivateMacro,  ScriptingEditor, ImportMacros,
                                   ExportMacros, ModifyDirectly, RecaptureMacro,  AddMacro,
                                   Appearance,   Remap,          ShortKeys,       Capture,
                                   ScreenSaver};
        restriction.Buttons = {NewFile,        OpenFile,       AddMacro,     ScriptingEditor,
                               ModifyDirectly, RecaptureMacro, RenameMacro,  CopyMacro,
                               ActivateMacro,  RemoveMacro,    ImportMacros, ExportMacros,
                               PrintMacroList, Appearance};
        restriction.LetterPanel = true;
    }
    if (clamped >= 2) {
        restriction.MenuEntries.insert(restriction.MenuEntries.end(),
                                       {OpenFile, RecentFiles, OutputMacroInformation,
                                        PrintMacroList, PrinterSetup, PrinterFont, Hide, QuickInfo,
                                        Scheduler, Sort, PlaceInSystemTray});
        restriction.Buttons.push_back(Sort);
    }
    return restriction;
}

} // namespace orvane
