// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side in the notification area: its own icon and menu, the popup menus'
// icons, and hiding to the tray.
#include "ui/library/TMainWin.h"

#include "core/CodePage.h"
#include "ui/MacroIcons.h"
#include "ui/MainCommandTable.h"
#include "widgets/TrayIcons.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>

namespace orvane {
namespace {

QIcon RecordingIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/orvane/icons/recording-%1.png").arg(size));
    }
    return icon;
}

} // namespace

void TMainWin::BuildTray() {
    tray_ = new TrayIcons(ProgramIcon(), RecordingIcon(), this);
    trayMenu_ = new QMenu(this);
    trayMenu_->addAction(QStringLiteral("&Open"), this, &TMainWin::OpenFromTray);
    trayMenu_->addAction(QStringLiteral("&Terminate and Unload"), this, &TMainWin::TerminateClick);
    connect(tray_, &TrayIcons::MainClicked, this, &TMainWin::OpenFromTray);
    connect(tray_, &TrayIcons::MenuIconClicked, this,
            [this](int record, const QPoint& at) { emit MenuTrayIconClicked(record, at.x()); });
    connect(tray_, &TrayIcons::MainRightClicked, this, [this](const QPoint& at) {
        raise();
        trayMenu_->popup(at);
    });
}

void TMainWin::AttachTray() {
    // Without a notification area the tray cannot be used: the setting is forced off for this
    // run and the command that would turn it on is disabled until one appears.
    if (!TrayIcons::Available()) {
        settings_.UseTray = false;
    }
    Action(MainCommand::PlaceInSystemTray)->setChecked(settings_.UseTray);
    tray_->ShowMain(settings_.UseTray);
    FollowTray(TrayIcons::Available());
    connect(tray_, &TrayIcons::AvailabilityChanged, this, &TMainWin::FollowTray);
}

bool TMainWin::RebuildMenuTaskIcons() {
    if (services_.Store == nullptr) {
        return false;
    }
    std::vector<MenuTrayEntry> entries = MenuTrayEntries(*services_.Store);
    if (entries == menuTrayEntries_) {
        return false;
    }
    std::vector<TrayIcons::MenuIcon> icons;
    for (const MenuTrayEntry& entry : entries) {
        icons.push_back({entry.Macro, QString::fromStdString(Windows1252ToUtf8(entry.Tooltip)),
                         MacroIconFor(entry.Icon, true, services_.IconFolder)});
    }
    tray_->SetMenuIcons(icons);
    menuTrayEntries_ = std::move(entries);
    return true;
}

void TMainWin::FollowTray(bool available) {
    trayAvailable_ = available;
    commands_->SetAvailable(MainCommand::PlaceInSystemTray, available);
    commands_->SetAvailable(MainCommand::Hide, CanHide());
}

bool TMainWin::CanHide() const {
    // Hidden without a tray, the window comes back with the Activate hot key; with a tray the
    // command belongs to "Place in System Tray".
    return settings_.UseTray || !trayAvailable_;
}

void TMainWin::HideClick() {
    if (CanHide()) {
        hide();
    }
}

void TMainWin::PlaceInTrayClick() {
    if (!TrayIcons::Available()) {
        Action(MainCommand::PlaceInSystemTray)->setChecked(false);
        return;
    }
    settings_.UseTray = !settings_.UseTray;
    Action(MainCommand::PlaceInSystemTray)->setChecked(settings_.UseTray);
    tray_->ShowMain(settings_.UseTray);
    commands_->SetAvailable(MainCommand::Hide, CanHide());
    services_.SaveSettings();
}

void TMainWin::OpenFromTray() {
    if (settings_.UseTray) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
                dialog->reject();
            }
        }
    }
    ShowInFront();
}

void TMainWin::ClearMenuTaskIcon() {
    tray_->ClearMenuIcons();
    menuTrayEntries_.clear(); // the next rebuild shows them again
}

void TMainWin::DoMenuTaskIcon() {
    RebuildMenuTaskIcons();
    emit MenuTaskIconsDue();
}

void TMainWin::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Minimising while the tray is in use puts the program in the tray instead.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) &&
        settings_.UseTray && QApplication::activeModalWidget() == nullptr) {
        QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            hide();
        });
    }
}

} // namespace orvane
