// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/NetworkCommands.h"

#include "core/DayCount.h"
#include "core/SettingsBlock.h"
#include "ui/MainCommandTable.h"
#include "ui/library/NetworkDialog.h"
#include "ui/library/TMainWin.h"

namespace orvane {

NetworkCommands::NetworkCommands(TMainWin& window)
    : QObject(&window), window_(window),
      sync_(
          window.Settings(), window.Messages(), *this,
          SyncClocks{[] { return std::chrono::steady_clock::now(); }, [] { return NowAsDays(); }}) {
    heartbeat_.setObjectName(QStringLiteral("heartbeatTimer"));
    heartbeat_.setTimerType(Qt::CoarseTimer);
    connect(&heartbeat_, &QTimer::timeout, this, &NetworkCommands::HeartbeatTimer);
    syncTimer_.setObjectName(QStringLiteral("syncTimer"));
    syncTimer_.setInterval(MinuteMs);
    syncTimer_.setTimerType(Qt::CoarseTimer);
    connect(&syncTimer_, &QTimer::timeout, this, &NetworkCommands::SyncTimerTimer);
    window.Commands().Bind(MainCommand::Network, [this] { NetworkClick(); });
}

void NetworkCommands::Start() {
    if (window_.Settings().NetworkMode) {
        sync_.RenewSyncFile();
    }
    FollowSettings(true);
}

void NetworkCommands::NetworkClick() {
    NetworkDialog dialog(NetworkFormFrom(window_.Settings()), &window_);
    if (dialog.exec() == QDialog::Accepted) {
        ApplyForm(dialog.Form());
    }
}

void NetworkCommands::ApplyForm(const NetworkForm& form) {
    const NetworkFormApplied applied = ApplyNetworkForm(form, window_.Settings());
    FollowSettings(applied.SyncTimerStarted);
    if (applied.NetworkTurnedOn) {
        sync_.RenewSyncFile();
    }
    window_.SaveSettings();
}

void NetworkCommands::FollowSettings(bool restartCount) {
    if (restartCount) {
        minuteCount_ = 0;
    }
    if (AutoSyncRuns(window_.Settings())) {
        if (!syncTimer_.isActive()) {
            syncTimer_.start();
        }
    } else {
        syncTimer_.stop();
    }
}

void NetworkCommands::SyncTimerTimer() {
    ++minuteCount_;
    if (minuteCount_ < window_.Settings().SyncMinutes || sync_.Holding()) {
        return;
    }
    minuteCount_ = 0;
    window_.ReloadChangedFile();
}

void NetworkCommands::HeartbeatTimer() {
    sync_.Heartbeat();
}

void NetworkCommands::ReloadChangedFile() {
    window_.ReloadChangedFile();
}

void NetworkCommands::SetHeartbeatTimer(bool running) {
    if (running) {
        heartbeat_.start(static_cast<int>(sync_.HeartbeatInterval().count()));
    } else {
        heartbeat_.stop();
    }
}

} // namespace orvane
