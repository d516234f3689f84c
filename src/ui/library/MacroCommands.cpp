// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/MacroCommands.h"

#include "activation/MainWindowCommands.h"
#include "core/MacroStore.h"
#include "core/MessageSink.h"
#include "library/SortOrder.h"
#include "ui/MainCommandTable.h"
#include "ui/library/SortOrderDialog.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"

#include <QItemSelectionModel>

namespace orvane {

MacroCommands::MacroCommands(TMainWin& window)
    : QObject(&window), window_(window), store_(window.Context().Store) {
    using enum MainCommand;
    MainCommandTable& commands = window.Commands();
    commands.Bind(Sort, [this] { SortOrderClick(); });
    if (store_ != nullptr) {
        commands.Bind(ActivateMacro, [this] { ActivateClick(); });
    }
    MacroGrid& grid = window.Grid();
    connect(&grid, &MacroGrid::RowClicked, this, [this](int) { SelectedRowChanged(); });
    connect(grid.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { SelectedRowChanged(); });
    SetButtons();
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
    const ActivateOutcome outcome = DoActivate(*store_, window_.Grid().SelectedRecord());
    if (outcome.Error) {
        window_.Messages().Show("Error", *outcome.Error);
    } else if (outcome.Changed) {
        window_.RefreshFromStore();
        if (outcome.Timed && window_.Context().ScheduleChanged) {
            window_.Context().ScheduleChanged();
        }
    }
}

} // namespace orvane
