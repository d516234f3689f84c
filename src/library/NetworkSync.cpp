// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/NetworkSync.h"

#include "core/MacroFileCheck.h"
#include "core/MessageSink.h"
#include "core/Paths.h"
#include "core/SettingsBlock.h"
#include "library/SyncFile.h"

#include <algorithm>
#include <cstdint>

namespace orvane {
namespace {

std::int32_t RaisedBy(std::int32_t counter, int changes) {
    // The counter wraps as a 32-bit value would; it is only ever compared for being different.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) +
                                     static_cast<std::uint32_t>(changes));
}

} // namespace

NetworkSync::NetworkSync(const SettingsBlock& settings, MessageSink& messages,
                         NetworkSyncHost& host, SyncClocks clocks)
    : settings_(settings), messages_(messages), host_(host), clocks_(std::move(clocks)) {}

std::chrono::milliseconds NetworkSync::HeartbeatInterval() const {
    const int seconds = settings_.HeartbeatSeconds >= 1 && settings_.HeartbeatSeconds <= 30
                            ? settings_.HeartbeatSeconds
                            : 30;
    return std::chrono::seconds(seconds);
}

std::chrono::milliseconds NetworkSync::StaleAfter() const {
    return 2 * HeartbeatInterval();
}

std::filesystem::path NetworkSync::CurrentSyncPath() const {
    return SyncFilePath(PathFromStored(settings_.CurrentFile));
}

void NetworkSync::RenewSyncFile() {
    path_ = CurrentSyncPath();
    known_.reset();
    seenHeartbeat_.reset();
    // A file about to be refused (it is no macro file) gets no sync file made beside it.
    if (!IsMacroFile(PathFromStored(settings_.CurrentFile))) {
        return;
    }
    SyncRecord record;
    if (const SyncFileResult read = ReadSyncFile(path_, record); !read.Ok) {
        messages_.Show("Error", read.Error);
        return;
    }
    known_ = record.Counter;
}

bool NetworkSync::FileInUse() {
    if (!settings_.NetworkMode) {
        return false;
    }
    if (depth_ > 0) {
        ++depth_;
        return false;
    }
    if (path_ != CurrentSyncPath()) {
        // The file was switched without the sync file following: nothing is known of it yet.
        path_ = CurrentSyncPath();
        known_.reset();
        seenHeartbeat_.reset();
    }
    enum class Outcome { Taken, TakenOver, InUse, Changed } outcome = Outcome::Taken;
    std::int32_t counter = 0;
    const auto now = clocks_.Steady();
    const SyncFileResult result = UpdateSyncFile(path_, [&](SyncRecord& record) {
        counter = record.Counter;
        if (record.State == SyncLocked) {
            const std::uint64_t heartbeat = HeartbeatBits(record.Heartbeat);
            if (seenHeartbeat_ != heartbeat) {
                seenHeartbeat_ = heartbeat;
                seenAt_ = now;
                outcome = Outcome::InUse;
                return false;
            }
            if (now - seenAt_ < StaleAfter()) {
                outcome = Outcome::InUse;
                return false;
            }
            // The holder has stopped beating: it is gone, and its lock is taken over.
            outcome = Outcome::TakenOver;
        } else if (known_ != record.Counter) {
            outcome = Outcome::Changed;
            return false;
        }
        record.State = SyncLocked;
        record.Heartbeat = clocks_.DateTime();
        ownHeartbeat_ = HeartbeatBits(record.Heartbeat);
        return true;
    });
    if (!result.Ok) {
        messages_.Show("Error", result.Error);
        return true;
    }
    switch (outcome) {
    case Outcome::InUse:
        messages_.Show("Error", FileInUseText);
        return true;
    case Outcome::Changed:
        messages_.Show(FileChangedCaption, FileChangedText);
        known_ = counter;
        host_.ReloadChangedFile();
        return true;
    case Outcome::Taken:
    case Outcome::TakenOver:
        break;
    }
    seenHeartbeat_.reset();
    depth_ = 1;
    changes_ = 0;
    heartbeatReported_ = false;
    host_.SetHeartbeatTimer(true);
    if (outcome == Outcome::TakenOver) {
        // A holder that went away may have changed the file without raising the counter: this
        // instance works on the file as it is now, and the release counts as a change so the
        // others reload it too.
        known_ = counter;
        changes_ = 1;
        host_.ReloadChangedFile();
    }
    return false;
}

void NetworkSync::ReleaseSyncFile(int changed) {
    if (depth_ == 0) {
        return;
    }
    changes_ += changed != 0 ? 1 : 0;
    if (--depth_ > 0) {
        return;
    }
    host_.SetHeartbeatTimer(false);
    const int changes = std::min(changes_, 1);
    std::int32_t counter = 0;
    const SyncFileResult result = UpdateSyncFile(path_, [&](SyncRecord& record) {
        record.Counter = RaisedBy(record.Counter, changes);
        counter = record.Counter;
        // A lock another instance took over (this one was taken for gone) stays theirs; the
        // change is still counted, so every instance reloads it.
        if (record.State == SyncLocked && HeartbeatBits(record.Heartbeat) == ownHeartbeat_) {
            record.State = SyncFree;
        }
        return true;
    });
    if (!result.Ok) {
        messages_.Show("Error", result.Error);
        return;
    }
    known_ = counter;
}

void NetworkSync::Heartbeat() {
    if (depth_ == 0) {
        return;
    }
    const SyncFileResult result = UpdateSyncFile(path_, [&](SyncRecord& record) {
        if (record.State != SyncLocked || HeartbeatBits(record.Heartbeat) != ownHeartbeat_) {
            return false; // no longer this instance's lock: another took it over
        }
        record.Heartbeat = clocks_.DateTime();
        ownHeartbeat_ = HeartbeatBits(record.Heartbeat);
        return true;
    });
    if (!result.Ok && !heartbeatReported_) {
        heartbeatReported_ = true;
        messages_.Show("Error", result.Error);
    }
}

NetworkForm NetworkFormFrom(const SettingsBlock& settings) {
    return NetworkForm{settings.NetworkMode, settings.AutoSync,
                       std::to_string(settings.SyncMinutes)};
}

NetworkFormApplied ApplyNetworkForm(const NetworkForm& form, SettingsBlock& settings) {
    const bool wasRunning = AutoSyncRuns(settings);
    const bool wasNetwork = settings.NetworkMode;
    std::uint32_t minutes = 0;
    const bool digits = !form.Minutes.empty() && form.Minutes.size() <= 5 &&
                        std::all_of(form.Minutes.begin(), form.Minutes.end(),
                                    [](char c) { return c >= '0' && c <= '9'; });
    if (digits) {
        minutes = static_cast<std::uint32_t>(std::stoul(form.Minutes));
    }
    if (minutes > 65535) {
        minutes = 0;
    }
    settings.NetworkMode = form.NetworkMode;
    settings.AutoSync = form.AutoSync && minutes > 0;
    settings.SyncMinutes = static_cast<std::uint16_t>(minutes);
    NetworkFormApplied applied;
    applied.NetworkTurnedOn = settings.NetworkMode && !wasNetwork;
    applied.SyncTimerRuns = AutoSyncRuns(settings);
    applied.SyncTimerStarted = applied.SyncTimerRuns && !wasRunning;
    return applied;
}

bool AutoSyncRuns(const SettingsBlock& settings) {
    return settings.NetworkMode && settings.AutoSync && settings.SyncMinutes > 0;
}

} // namespace orvane
