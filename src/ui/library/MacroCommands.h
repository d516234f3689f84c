// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace orvane {

class MacroStore;
class TMainWin;

// The Macro menu and its buttons: adding, editing, re-binding, copying, activating and removing
// macros, and the sort order. Every command works on the macro in the selected row and ends
// with the file, the shared table, the grabs and the list up to date.
class MacroCommands final : public QObject {
    Q_OBJECT
public:
    explicit MacroCommands(TMainWin& window);

    // Enables the commands on a macro when the list has one, unless a restriction level keeps
    // them disabled, and sets the activate captions for the selected macro.
    void SetButtons();

    void SortOrderClick();
    void ActivateClick();

private:
    void SelectedRowChanged();

    TMainWin& window_;
    MacroStore* store_;
};

} // namespace orvane
