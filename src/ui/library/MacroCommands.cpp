// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/MacroCommands.h"

#include "activation/MainWindowCommands.h"
#include "core/HotKeyTable.h"
#include "core/MacroStore.h"
#include "core/MessageSink.h"
#include "library/HotKeyChoice.h"
#include "library/MacroManagement.h"
#include "library/SortOrder.h"
#include "ui/HelpCenter.h"
#include "ui/MainCommandTable.h"
#include "ui/QtText.h"
#include "ui/library/ActivationChooserDialog.h"
#include "ui/library/AddMacroDialog.h"
#include "ui/library/SortOrderDialog.h"
#include "ui/library/SystemKeysDialog.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"

#include <QAction>
#include <QItemSelectionModel>

namespace orvane {

MacroCommands::MacroCommands(TMainWin& window)
    : QObject(&window), window_(window), store_(window.Context().Store) {
    using enum MainCommand;
    MainCommandTable& commands = window.Commands();
    commands.Bind(Sort, [this] { SortOrderClick(); });
    if (store_ != nullptr) {
        commands.Bind(ActivateMacro, [this] { ActivateClick(); });
        commands.Bind(AddMacro, [this] { AddClick(); });
        commands.Bind(CopyMacro, [this] { CopyClick(); });
        commands.Bind(RenameMacro, [this] { RenameClick(); });
        commands.Bind(RemoveMacro, [this] { RemoveClick(); });
        connect(&window, &TMainWin::MacroEditorsChanged, this, &MacroCommands::BindEditors);
    }
    MacroGrid& grid = window.Grid();
    connect(&grid, &MacroGrid::RowClicked, this, [this](int) { SelectedRowChanged(); });
    connect(grid.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { SelectedRowChanged(); });
    // A press or drag makes a row current before it selects it.
    connect(grid.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { SelectedRowChanged(); });
    connect(&grid, &MacroGrid::RowDoubleClicked, this, [this](int) {
        QAction* editor = window_.Action(ScriptingEditor);
        if (window_.RestrictionLevel() == 0 && editor->isEnabled()) {
            editor->trigger();
        }
    });
    SetButtons();
}

void MacroCommands::BindEditors() {
    using enum MainCommand;
    MainCommandTable& commands = window_.Commands();
    if (window_.Editors().Scripting != nullptr && !commands.IsBuilt(ScriptingEditor)) {
        commands.Bind(ScriptingEditor, [this] { EditClick(true); });
    }
    if ((window_.Editors().Direct != nullptr || window_.Editors().MenuBuilder != nullptr) &&
        !commands.IsBuilt(ModifyDirectly)) {
        commands.Bind(ModifyDirectly, [this] { EditClick(false); });
    }
}

void MacroCommands::SetButtons() {
    using enum MainCommand;
    MainCommandTable& commands = window_.Commands();
    const bool any = window_.Grid().Model().rowCount() > 0;
    for (const MainCommand command :
         {ModifyDirectly, RecaptureMacro, RemoveMacro, CopyMacro, RenameMacro, ActivateMacro,
          ScriptingEditor, ImportMacros, ExportMacros, QuickInfo}) {
        commands.SetAvailable(command, any);
    }
    SelectedRowChanged();
}

void MacroCommands::SelectedRowChanged() {
    // A restriction level freezes the commands; selecting a row changes nothing then.
    if (window_.RestrictionLevel() > 0) {
        return;
    }
    const QModelIndex current = window_.Grid().currentIndex();
    const bool active = !current.isValid() || current.data(MacroGridModel::ActiveRole).toBool();
    window_.Commands().SetCaptions(
        MainCommand::ActivateMacro,
        active ? QStringLiteral("Deacti&vate Macro") : QStringLiteral("Acti&vate Macro"),
        active ? QStringLiteral("Deacti&vate Macro") : QStringLiteral("Acti&vate Macro"),
        active ? QStringLiteral("Deactivate Macro") : QStringLiteral("Activate Macro"));
    // A popup menu is changed in its builder, and the command says so.
    const int selected = window_.Grid().SelectedRecord();
    const bool menu = store_ != nullptr && selected > 0 && selected <= store_->MacroCount() &&
                      store_->Table().Scope(selected) == ScopePopupMenu;
    window_.Commands().SetCaptions(
        MainCommand::ModifyDirectly,
        menu ? QStringLiteral("&Modify Popup Menu...") : QStringLiteral("&Modify Directly..."),
        menu ? QStringLiteral("Mo&dify Popup Menu") : QStringLiteral("Modify &Directly"),
        menu ? QStringLiteral("Modify Popup Menu") : QStringLiteral("Modify Directly"));
}

bool MacroCommands::Opened(MacroCommandKind kind, int selected, std::optional<SyncLease>& lease) {
    return OpenCommand(kind, store_->MacroCount(), selected, store_->FileHasUnloadedRecords(),
                       window_.Messages(), [&] {
                           lease.emplace(window_);
                           return lease->Refused();
                       });
}

void MacroCommands::Stored(const StoredMacro& stored, SyncLease& lease) {
    if (!stored.Stored) {
        return;
    }
    lease.Changed();
    window_.RefreshFromStore(stored.Record);
    if (const std::uint16_t key = store_->Table().HotKey(stored.Record); key < HotKeyCount) {
        window_.ReportUnavailableKeys(key);
    }
    if (stored.Timed && window_.Context().ScheduleChanged) {
        window_.Context().ScheduleChanged();
    }
}

void MacroCommands::SortOrderClick() {
    SettingsBlock& settings = window_.Settings();
    const ListSortOrder current{settings.PrimarySort, settings.ActivationSort, settings.ScopeSort};
    SortOrderDialog dialog(SortOrderFormFrom(current, settings.SortHeader), &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const SortOrderForm form = dialog.Form();
    const ListSortOrder order = SortOrderFromForm(form);
    settings.PrimarySort = order.Primary;
    settings.ActivationSort = order.Activation;
    settings.ScopeSort = order.Scope;
    settings.SortHeader = form.SortHeader;
    window_.SaveSettings();
    window_.FillList();
}

void MacroCommands::ActivateClick() {
    const int selected = window_.Grid().SelectedRecord();
    std::optional<SyncLease> lease;
    if (!Opened(MacroCommandKind::Modify, selected, lease)) {
        return;
    }
    const ActivateOutcome outcome = DoActivate(*store_, selected);
    if (outcome.Error) {
        window_.Messages().Show("Error", *outcome.Error);
    } else if (outcome.Changed) {
        lease->Changed();
        window_.RefreshFromStore();
        if (outcome.Timed && window_.Context().ScheduleChanged) {
            window_.Context().ScheduleChanged();
        }
    }
}

void MacroCommands::AddClick() {
    std::optional<SyncLease> lease;
    if (!Opened(MacroCommandKind::Add, 0, lease)) {
        return;
    }
    const MacroTable& table = store_->Table();
    const int count = store_->MacroCount();
    bool userMacros = false;
    for (int i = 1; i <= count && !userMacros; ++i) {
        userMacros = table.Scope(i) != ScopeSystem;
    }
    AddMacroDialog dialog(
        CountKeyUses(table, count), GlobalKeys(table, count), userMacros,
        {{store_, window_.Context().KeyPicks}, &window_.Messages(), window_.Editors(), count + 1},
        &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const StoredMacro stored = StoreNewMacro(*store_, dialog.Record(), window_.Messages());
    Stored(stored, *lease);
    emit AddFinished(stored.Stored ? stored.Record : 0);
}

void MacroCommands::CopyClick() {
    const int selected = window_.Grid().SelectedRecord();
    std::optional<SyncLease> lease;
    MacroRecord working;
    if (!Opened(MacroCommandKind::Copy, selected, lease) ||
        !ReadWorkingMacro(*store_, selected, working, window_.Messages())) {
        return;
    }
    const MacroTable& table = store_->Table();
    const int count = store_->MacroCount();
    ActivationChooserDialog dialog(
        ChooserMode::Copy, working, CountKeyUses(table, count),
        ChooserTakenKeys(table, count, working),
        {{store_, window_.Context().KeyPicks}, &window_.Messages(), LocalMoment::Now()}, &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    Stored(StoreNewMacro(*store_, dialog.Record(), window_.Messages()), *lease);
}

void MacroCommands::RenameClick() {
    const int selected = window_.Grid().SelectedRecord();
    std::optional<SyncLease> lease;
    MacroRecord working;
    if (!Opened(MacroCommandKind::Rename, selected, lease) ||
        !ReadWorkingMacro(*store_, selected, working, window_.Messages())) {
        return;
    }
    const MacroTable& table = store_->Table();
    const int count = store_->MacroCount();
    if (working.Scope == ScopeSystem) {
        if (SystemKeysClick(selected, working)) {
            lease->Changed();
        }
        return;
    }
    ActivationChooserDialog dialog(
        ChooserMode::Move, working, CountKeyUses(table, count),
        ChooserTakenKeys(table, count, working),
        {{store_, window_.Context().KeyPicks}, &window_.Messages(), LocalMoment::Now()}, &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    Stored(StoreChangedMacro(*store_, selected, working, dialog.Record()), *lease);
}

bool MacroCommands::SystemKeysClick(int selected, const MacroRecord& working) {
    const MacroTable& table = store_->Table();
    const int count = store_->MacroCount();
    const std::string_view kind = working.ScopeTarget.View();
    SystemKeysDialog::Services services{
        {store_, window_.Context().KeyPicks}, &window_.Messages(), ShowHelpForActiveWindow};
    SystemKeysDialog dialog(SystemKeysFormFrom(*store_, window_.Settings()),
                            GlobalKeys(table, count), kind.empty() ? 1 : kind[0] - '0', services,
                            &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    // Keys written before a failure are in the file: the grabs and the list follow it either
    // way, but only a whole success is kept in the settings.
    const SystemKeysForm form = dialog.Form();
    if (ApplySystemKeys(form, *store_, window_.Settings())) {
        window_.SaveSettings();
    }
    store_->SetHotKeys();
    window_.RefreshFromStore(selected);
    for (const std::uint16_t key : form.Keys) {
        if (key != 0 && key < HotKeyCount) {
            window_.ReportUnavailableKeys(key);
        }
    }
    return true;
}

void MacroCommands::RemoveClick() {
    const int selected = window_.Grid().SelectedRecord();
    std::optional<SyncLease> lease;
    if (!Opened(MacroCommandKind::Remove, selected, lease)) {
        return;
    }
    const int row = window_.Grid().Model().List().ReverseSort(selected);
    const StoredMacro removed = RemoveMacro(*store_, selected, window_.Messages());
    if (!removed.Stored) {
        return;
    }
    lease->Changed();
    window_.RefreshFromStore();
    const int rows = window_.Grid().Model().rowCount();
    if (rows > 0) {
        window_.Grid().SelectRow(std::min(row, rows));
    }
    SetButtons();
    if (removed.Timed && window_.Context().ScheduleChanged) {
        window_.Context().ScheduleChanged();
    }
}

void MacroCommands::EditClick(bool scripting) {
    const int selected = window_.Grid().SelectedRecord();
    std::optional<SyncLease> lease;
    MacroRecord working;
    if (!Opened(MacroCommandKind::Modify, selected, lease) ||
        !ReadWorkingMacro(*store_, selected, working, window_.Messages())) {
        return;
    }
    // A system macro has no script: changing it means choosing its key.
    if (working.Scope == ScopeSystem) {
        if (SystemKeysClick(selected, working)) {
            lease->Changed();
        }
        return;
    }
    // A popup menu's text is its member list, not a script: whichever command asked, it is
    // changed only in its builder, which keeps the list and the options whole.
    const MacroEditors& editors = window_.Editors();
    MacroEditor* editor = working.Scope == ScopePopupMenu ? editors.MenuBuilder
                          : scripting                     ? editors.Scripting
                                                          : editors.Direct;
    if (editor == nullptr) {
        return;
    }
    MacroEditRequest request;
    request.RecordNumber = selected;
    request.Kind = working.HotKey == HotKeyTimed      ? ActivationKind::Timed
                   : working.HotKey == HotKeyShortKey ? ActivationKind::ShortKey
                                                      : ActivationKind::HotKey;
    request.GlobalForbidden =
        request.Kind == ActivationKind::HotKey &&
        KeyUsedByOtherGlobal(store_->Table(), store_->MacroCount(), working.HotKey, selected);
    request.ActivationText = FieldText(ActivationText(working.HotKey, working.ShortKey.View()));
    const MacroRecord before = working;
    if (!editor->Edit(working, request, &window_)) {
        return;
    }
    Stored(StoreChangedMacro(*store_, selected, before, working), *lease);
}

} // namespace orvane
