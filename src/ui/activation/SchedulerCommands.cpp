// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/SchedulerCommands.h"

#include "ui/MainCommandTable.h"
#include "ui/library/SetScheduleDialog.h"
#include "ui/library/TMainWin.h"

#include <QAction>

namespace orvane {

SchedulerCommands::SchedulerCommands(TMainWin& window) : QObject(&window), window_(window) {
    MainCommandTable& commands = window.Commands();
    commands.Action(MainCommand::ShowDate)->setChecked(window.Settings().ShowDate);
    commands.Bind(MainCommand::ShowDate, [this] { ShowDateClick(); });
    commands.Bind(MainCommand::TimerInterval, [this] { TimerIntervalClick(); });
}

void SchedulerCommands::ShowDateClick() {
    SettingsBlock& settings = window_.Settings();
    settings.ShowDate = !settings.ShowDate;
    window_.Action(MainCommand::ShowDate)->setChecked(settings.ShowDate);
    window_.DoCaption();
    window_.SaveSettings();
    emit window_.SchedulerSettingsChanged();
}

void SchedulerCommands::TimerIntervalClick() {
    TimerIntervalDialog dialog(window_.Settings().TimerSeconds, window_.Messages(), &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    window_.Settings().TimerSeconds = dialog.Seconds();
    window_.SaveSettings();
    emit window_.SchedulerSettingsChanged();
}

} // namespace orvane
