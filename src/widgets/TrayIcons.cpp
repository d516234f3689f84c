// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TrayIcons.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace orvane {

TrayIcons::TrayIcons(const QIcon& mainIcon, const QIcon& recordingIcon, QObject* parent)
    : QObject(parent), main_(mainIcon), recording_(recordingIcon) {
    main_.setToolTip(QStringLiteral("Orvane 98"));
    recording_.setToolTip(QStringLiteral("Macro Is Recording"));
    connect(&main_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Context) {
                    emit MainRightClicked(QCursor::pos());
                } else if (reason == QSystemTrayIcon::Trigger ||
                           reason == QSystemTrayIcon::DoubleClick) {
                    emit MainClicked();
                }
            });
    connect(&recording_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Context) {
                    emit RecordingRightClicked();
                }
            });
    // The X11 platform plugin watches the owner of the screen's tray selection (asked for once
    // here, it starts to) and says when a notification area arrives or leaves; its native
    // interface is a QObject whose signal is known only by name. Other platforms lack it.
    Available();
    auto* native = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface());
    if (native != nullptr &&
        native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0) {
        connect(native, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(TrayWindowChanged()));
    }
}

void TrayIcons::TrayWindowChanged() {
    const bool available = Available();
    // An icon shown before the area came is docked by Qt itself; the popup-menu icons made
    // while there was none are shown now.
    if (available) {
        for (const auto& icon : menuIcons_) {
            icon->show();
        }
    }
    emit AvailabilityChanged(available);
}

TrayIcons::~TrayIcons() = default;

bool TrayIcons::Available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcons::ShowMain(bool shown) {
    main_.setVisible(shown && Available());
}

void TrayIcons::ShowRecording(bool shown) {
    recording_.setVisible(shown && Available());
}

int TrayIcons::SetMenuIcons(const std::vector<MenuIcon>& icons) {
    ClearMenuIcons();
    for (const MenuIcon& entry : icons) {
        if (static_cast<int>(menuIcons_.size()) >= MaxMenuIcons) {
            break;
        }
        auto icon = std::make_unique<QSystemTrayIcon>(entry.Icon);
        icon->setToolTip(entry.Tooltip);
        const int record = entry.Record;
        connect(icon.get(), &QSystemTrayIcon::activated, this,
                [this, record](QSystemTrayIcon::ActivationReason reason) {
                    // The right button opens the menu; the left one is left alone, so a stray
                    // click on the tray shows nothing.
                    if (reason == QSystemTrayIcon::Context) {
                        emit MenuIconClicked(record, QCursor::pos());
                    }
                });
        if (Available()) {
            icon->show();
        }
        menuIcons_.push_back(std::move(icon));
        menuRecords_.push_back(record);
    }
    return MenuIconCount();
}

void TrayIcons::ClearMenuIcons() {
    menuIcons_.clear();
    menuRecords_.clear();
}

} // namespace orvane
