// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/StartAtLogin.h"

#include "core/AutostartEntry.h"
#include "ui/HelpCenter.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

namespace orvane {
namespace {

// Writes or removes the entry as `on` asks; the check mark then shows what is on disk.
void StartAtLoginClick(QAction* action, QWidget* parent, bool on) {
    const EnvironmentLookup environment = ProcessEnvironment();
    const std::filesystem::path entry = AutostartEntryPath(environment);
    bool done = false;
    if (on) {
        const std::filesystem::path program = QCoreApplication::applicationFilePath().toStdString();
        done =
            WriteAutostartEntry(entry, AutostartEntryText(AutostartCommand(program, environment)));
    } else {
        done = RemoveAutostartEntry(entry);
    }
    if (!done) {
        const QString path = entry.empty() ? QStringLiteral("the autostart folder")
                                           : QString::fromStdString(entry.string());
        Prompter(parent).Show(
            "Error", (on ? QStringLiteral("The login entry %1 could not be written.").arg(path)
                         : QStringLiteral("The login entry %1 could not be removed.").arg(path))
                         .toStdString());
    }
    action->setChecked(AutostartEntryPresent(entry));
}

} // namespace

QAction* AddStartAtLogin(QMenu* menu, QWidget* parent) {
    QAction* action = menu->addAction(QStringLiteral("Start at &Login"));
    action->setObjectName(QStringLiteral("startAtLogin"));
    action->setProperty(HelpSectionProperty, QStringLiteral("start-at-login"));
    action->setCheckable(true);
    action->setStatusTip(QStringLiteral("Start Orvane hidden in the system tray when you log in"));
    const auto refresh = [action] {
        action->setChecked(AutostartEntryPresent(AutostartEntryPath(ProcessEnvironment())));
    };
    refresh();
    QObject::connect(menu, &QMenu::aboutToShow, action, refresh);
    QObject::connect(action, &QAction::triggered, action,
                     [action, parent](bool on) { StartAtLoginClick(action, parent, on); });
    return action;
}

} // namespace orvane
