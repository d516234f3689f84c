// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <optional>

namespace orvane {

enum class MacroCommandKind;
class MacroStore;
class SyncLease;
struct MacroRecord;
struct StoredMacro;
class TMainWin;

// The Macro menu and its buttons: adding, editing, re-binding, copying, activating and removing
// macros, and the sort order. Every command works on the macro in the selected row and ends
// with the file, the shared table, the grabs and the list up to date. A command that changes the
// file holds the shared file's lock while it runs (SyncLease). Without a macro store the
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

signals:
    // "Add Macro" stored macro `record` (0: its dialog was confirmed but nothing was stored),
    // while the command still holds the shared file: an editor that goes on with the new macro
    // ("&Capture Macro") takes it from here.
    void AddFinished(int record);

private:
    void SelectedRowChanged();
    // "System Hot Keys" for system macro `selected`; true when it was confirmed (the file may
    // have changed, in part when a write failed).
    bool SystemKeysClick(int selected, const MacroRecord& working);
    void BindEditors();
    // The plain refusals, then the shared file's lock (kept in `lease`); true to go on.
    bool Opened(MacroCommandKind kind, int selected, std::optional<SyncLease>& lease);
    void Stored(const StoredMacro& stored, SyncLease& lease);

    TMainWin& window_;
    MacroStore* store_;
};

} // namespace orvane
