// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>
#include <vector>

namespace orvane {

// The program's notification-area icons: the main icon ("Orvane 98"), the recording icon shown
// during a capture ("Macro Is Recording") and up to 15 popup-menu icons, each standing for one
// popup-menu macro. Icons report clicks in the program's terms; what a click does is the main
// window's business.
class TrayIcons : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxMenuIcons = 15;

    TrayIcons(const QIcon& mainIcon, const QIcon& recordingIcon, QObject* parent = nullptr);
    ~TrayIcons() override;

    // Whether the desktop offers a notification area at all. Without one no icon can be shown,
    // and the program runs as a plain window. A notification area that comes or goes later is
    // told by AvailabilityChanged.
    static bool Available();

    void ShowMain(bool shown);
    void ShowRecording(bool shown);

    // Replaces every popup-menu icon: one per entry, in the given order; entries past the
    // fifteenth get no icon. Returns how many icons were created.
    struct MenuIcon {
        int Record = 0;  // the popup-menu macro's record number
        QString Tooltip; // its nickname
        QIcon Icon;
    };
    int SetMenuIcons(const std::vector<MenuIcon>& icons);
    void ClearMenuIcons();
    int MenuIconCount() const { return static_cast<int>(menuIcons_.size()); }
    // The popup-menu macro each icon stands for, in order.
    const std::vector<int>& MenuIconRecords() const { return menuRecords_; }

signals:
    // A notification area appeared on the screen, or the one there went away.
    void AvailabilityChanged(bool available);
    void MainClicked();
    void MainRightClicked(const QPoint& globalPosition);
    void RecordingRightClicked();
    // A popup-menu icon was right-clicked (its menu opens).
    void MenuIconClicked(int record, const QPoint& globalPosition);

private slots:
    void TrayWindowChanged();

private:
    QSystemTrayIcon main_;
    QSystemTrayIcon recording_;
    std::vector<std::unique_ptr<QSystemTrayIcon>> menuIcons_;
    std::vector<int> menuRecords_;
};

} // namespace orvane
