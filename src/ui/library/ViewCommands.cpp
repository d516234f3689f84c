// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/ViewCommands.h"

#include "core/MacroStore.h"
#include "library/Appearance.h"
#include "library/QuickInfo.h"
#include "ui/MacroIcons.h"
#include "ui/MainCommandTable.h"
#include "ui/library/AppearanceDialog.h"
#include "ui/library/QuickInfoDialog.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"

#include <QAction>

namespace orvane {

ViewCommands::ViewCommands(TMainWin& window)
    : QObject(&window), window_(window), fontChooser_(SystemFontChooser()) {
    setObjectName(QStringLiteral("ViewCommands"));
    MainCommandTable& commands = window.Commands();
    commands.Bind(MainCommand::Appearance, [this] { AppearanceClick(); });
    if (window.Context().Store == nullptr) {
        return;
    }
    commands.Bind(MainCommand::QuickInfo,
                  [this] { QuickInfoClick(window_.Grid().SelectedRecord()); });
    // The right button leaves the selection where it is: the clicked row is the one shown.
    // Only the strictest restriction level keeps Quick Info from the user.
    connect(&window.Grid(), &MacroGrid::RowRightClicked, this, [this](int row) {
        if (window_.RestrictionLevel() < 2 && window_.Action(MainCommand::QuickInfo)->isEnabled()) {
            QuickInfoClick(window_.Grid().Model().List().RecordAt(row));
        }
    });
}

void ViewCommands::AppearanceClick() {
    AppearanceDialog dialog(
        AppearanceFormFrom(window_.Settings()), window_.Messages(), fontChooser_,
        [this] { window_.SaveSettings(); }, &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    ApplyAppearance(dialog.Form());
}

void ViewCommands::ApplyAppearance(const AppearanceForm& form) {
    SettingsBlock& settings = window_.Settings();
    orvane::ApplyAppearance(form, settings);
    MacroGrid& grid = window_.Grid();
    grid.SetFonts(QFontFrom(settings.GridFont), QFontFrom(settings.GridTitleFont),
                  QColorFrom(settings.GridTitleFont.Color));
    grid.SetColumnWidths({settings.Col1Width, settings.Col2Width, settings.Col3Width});
    grid.viewport()->update();
    window_.ShowButtonBar(settings.UseSpeed);
    window_.SaveSettings();
}

void ViewCommands::QuickInfoClick(int record) {
    MacroStore* store = window_.Context().Store;
    MacroRecord working;
    if (record <= 0 || !store->ReadMacro(record, working)) {
        return;
    }
    const QuickInfo info = QuickInfoOf(working);
    QuickInfoDialog dialog(info, MacroIconFor(info.Icon, false, window_.Context().IconFolder),
                           &window_);
    dialog.exec();
}

} // namespace orvane
