// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace orvane {

enum class MacroCommandKind;
class MacroStore;
struct MacroRecord;
struct StoredMacro;
class TMainWin;

// The Macro menu and its buttons: adding, editing, re-binding, copying, activating and removing
// macros, and the sort order. Every command works on the macro in the selected row and ends
// with the file, the shared table, the grabs and the list up to date. Without a macro store the
// commands that change macros stay unbuilt; the editors' commands are built when the editors
// arrive (TMainWin::SetMacroEditors).
class MacroCommands final : public QObject {
    Q_OBJECT
public:
    explicit MacroCommands(TMainWin& window);

    // SetButtons: enables the commands on a macro when the list has one, unless a restriction
    // level keeps them disabled, and sets the activate captions for the selected macro.
    void SetButtons();

    void SortOrderClick();
    void ActivateClick();
    void AddClick();
    void CopyClick();
    void RenameClick();
    void RemoveClick();
    // "Scripting Editor" (double click too) and "Modify Directly".
    void EditClick(bool scripting);

private:
    void SelectedRowChanged();
    // "System Hot Keys" for system macro `selected`.
    void SystemKeysClick(int selected, const MacroRecord& working);
    void BindEditors();
    bool Refused(MacroCommandKind kind, int selected);
    void Stored(const StoredMacro& stored);

    TMainWin& window_;
    MacroStore* store_;
};

} // namespace orvane
