// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/SyncRecord.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace orvane {

class MessageSink;
struct SettingsBlock;

inline constexpr std::string_view FileInUseText =
    "Macro File in use by another user.  Please try again later.";
inline constexpr std::string_view FileChangedCaption = "Notice";
inline constexpr std::string_view FileChangedText =
    "Macro File has changed by another user.  Changed macro file will be reloaded after "
    "clicking \"ok\".";

// What sharing the macro file needs of the main window.
class NetworkSyncHost {
public:
    virtual ~NetworkSyncHost() = default;
    // Another instance changed the macro file: reload it and everything that follows it (list,
    // hot keys, schedule, tray icons, remapping), keeping the selected row number.
    virtual void ReloadChangedFile() = 0;
    // Starts or stops the heartbeat timer (HeartbeatInterval).
    virtual void SetHeartbeatTimer(bool running) = 0;
};

// The clocks the lock needs: the steady time for how long a heartbeat has stood still, and the
// local date-time written as the heartbeat.
struct SyncClocks {
    std::function<std::chrono::steady_clock::time_point()> Steady;
    std::function<double()> DateTime;
};

// Sharing one macro file between instances without a server: before an instance changes the
// file it takes the lock in the sync file beside it (FileInUse); while it holds the lock it
// rewrites the heartbeat; when it is done it frees the lock and, after a change, raises the
// change counter (ReleaseSyncFile). An instance that finds the counter raised since it last
// looked reloads the file first. A holder whose heartbeat has stood still for StaleAfter since
// this instance first saw it is taken to be gone, and its lock is taken over.
//
// States of this instance: free -> (FileInUse false) -> holding, heartbeat timer running ->
// (ReleaseSyncFile) -> free. A FileInUse while holding (a command inside a command) nests: the
// lock is freed by the matching outermost release, with every change counted.
//
// Outside network mode nothing is read or written: FileInUse is false and releasing does
// nothing. The sync file belongs to the settings' current file.
class NetworkSync {
public:
    // None is owned; all outlive this object.
    NetworkSync(const SettingsBlock& settings, MessageSink& messages, NetworkSyncHost& host,
                SyncClocks clocks);

    // The heartbeat period: the settings' "Heartbeat Seconds", 30 unless set lower.
    std::chrono::milliseconds HeartbeatInterval() const;
    // How long a heartbeat must stand still before its holder is taken to be gone: two periods.
    std::chrono::milliseconds StaleAfter() const;

    // Derives the sync file of the current file, reads it (creating it when missing) and takes
    // its counter as the known one. A sync file that cannot be used is reported ("Error"); the
    // counter is then unknown, and the next FileInUse that can read the file reloads. Nothing is
    // read or made beside a current file that is no macro file (it is about to be refused).
    void RenewSyncFile();

    // True when the command that changes the macro file must stop: the file is locked by
    // another instance, was changed by another instance (reloaded now, after the notice), or
    // its sync file cannot be used (reported). False when this instance now holds the lock.
    bool FileInUse();

    // Ends a command that FileInUse let go on; `changed` is 1 after a change of the macro file.
    void ReleaseSyncFile(int changed);

    // The heartbeat timer's tick: the heartbeat is rewritten while this instance still holds the
    // lock. A failure is reported once for each time the lock is held.
    void Heartbeat();

    bool Holding() const { return depth_ > 0; }
    std::optional<std::int32_t> KnownCounter() const { return known_; }

private:
    std::filesystem::path CurrentSyncPath() const;

    const SettingsBlock& settings_;
    MessageSink& messages_;
    NetworkSyncHost& host_;
    SyncClocks clocks_;
    std::filesystem::path path_;
    std::optional<std::int32_t> known_;
    // The last heartbeat seen in a held lock of another instance, and when it was first seen.
    std::optional<std::uint64_t> seenHeartbeat_;
    std::chrono::steady_clock::time_point seenAt_{};
    // While holding: the heartbeat this instance wrote last.
    std::uint64_t ownHeartbeat_ = 0;
    int depth_ = 0;
    int changes_ = 0;
    bool heartbeatReported_ = false;
};

// The sync settings as the "Network Considerations" dialog shows them: the two check boxes and
// the minutes field's text.
struct NetworkForm {
    bool NetworkMode = false;
    bool AutoSync = false;
    std::string Minutes;
};
NetworkForm NetworkFormFrom(const SettingsBlock& settings);

// What closing the dialog changed.
struct NetworkFormApplied {
    bool NetworkTurnedOn = false;  // the sync file must be read now
    bool SyncTimerRuns = false;    // network mode and "Auto Sync" are both on
    bool SyncTimerStarted = false; // it did not run before: the minute count starts again
};

// Stores the form: the minutes field's text is a whole number of minutes, anything else (or a
// number above 65535) is 0, and 0 minutes turns "Auto Sync" off.
NetworkFormApplied ApplyNetworkForm(const NetworkForm& form, SettingsBlock& settings);

// Whether the automatic reload runs: network mode and "Auto Sync" on, and a number of minutes
// to wait (0 minutes would never come round, so it counts as off).
bool AutoSyncRuns(const SettingsBlock& settings);

} // namespace orvane
