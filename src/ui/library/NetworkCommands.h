// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/NetworkSync.h"

#include <QObject>
#include <QTimer>

namespace orvane {

class TMainWin;

// Sharing the macro file over the network, in the event loop: the lock of the sync file
// (NetworkSync) with its heartbeat timer, the automatic reload every "Sync Minutes", and the
// "Network" command with its dialog.
//
// The sync timer ticks once a minute while network mode and "Auto Sync" are on and "Sync
// Minutes" is not 0 (0 minutes counts as off: the dialog turns "Auto Sync" off for it); after
// that many ticks the file is reloaded, whether or not it changed. While this instance holds
// the lock (one of its commands is changing the file) the reload waits for the next tick.
class NetworkCommands final : public QObject, public NetworkSyncHost {
    Q_OBJECT
public:
    static constexpr int MinuteMs = 60 * 1000;

    // The window must have a macro store.
    explicit NetworkCommands(TMainWin& window);

    NetworkSync& Sync() { return sync_; }

    // Once the command line has been applied: in network mode the sync file is read and its
    // counter taken as known; the sync timer follows the settings.
    void Start();

    void NetworkClick();
    // Shows the dialog; its result is applied when it was accepted.
    void ApplyForm(const NetworkForm& form);

    // One tick of each timer.
    void SyncTimerTimer();
    void HeartbeatTimer();

    bool SyncTimerRunning() const { return syncTimer_.isActive(); }
    bool HeartbeatRunning() const { return heartbeat_.isActive(); }
    int MinuteCount() const { return minuteCount_; }

    void ReloadChangedFile() override;
    void SetHeartbeatTimer(bool running) override;

private:
    void FollowSettings(bool restartCount);

    TMainWin& window_;
    NetworkSync sync_;
    QTimer heartbeat_;
    QTimer syncTimer_;
    int minuteCount_ = 0;
};

} // namespace orvane
