// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/Scheduler.h"

#include "core/MacroRecord.h"
#include "core/MacroStore.h"
#include "core/SettingsBlock.h"

#include <algorithm>

namespace orvane {

Scheduler::Scheduler(MacroStore& store, const SettingsBlock& settings, MacroStarter& starter,
                     TimedMacroHost& host, LocalMoment start)
    : store_(store), settings_(settings), starter_(starter), host_(host), previous_(start),
      latest_(start) {}

void Scheduler::CheckAndSetTime(LocalMoment now) {
    entries_.clear();
    activeTimedMacros_ = false;
    ++generation_;
    const MacroTable& table = store_.Table();
    for (int i = 1; i <= store_.MacroCount(); ++i) {
        if (table.Active(i) == 0 || table.HotKey(i) != HotKeyTimed) {
            continue;
        }
        activeTimedMacros_ = true;
        MacroRecord record;
        if (!store_.ReadMacro(i, record) ||
            record.SchedKind == static_cast<std::int16_t>(SchedKind::AtStartup)) {
            continue;
        }
        entries_.push_back(TimerEntry::From(i, record, now));
    }
}

bool Scheduler::IsDue(TimerEntry& entry, LocalMoment now) {
    if (entry.Kind == SchedKind::EveryMinutes) {
        if (entry.Interval == 0) {
            return false;
        }
        if (now < entry.LastRun) {
            // The clock went back: count the interval from the present.
            entry.LastRun = now;
            return false;
        }
        const std::int64_t interval = entry.Interval * LocalMoment::MsPerMinute;
        if (now.Ms() - entry.LastRun.Ms() < interval) {
            return false;
        }
        // On time the cadence stays exact; after missed intervals it goes on from now.
        entry.LastRun = now.Ms() - entry.LastRun.Ms() < 2 * interval
                            ? LocalMoment(entry.LastRun.Ms() + interval)
                            : now;
        return true;
    }
    // Moments up to the latest the clock has shown are past, even when the clock went back.
    return entry.LatestMoment(std::max(previous_, latest_), now).has_value();
}

void Scheduler::CheckOutTimerMacros(LocalMoment now) {
    if (checking_ || !MayPlayNow()) {
        return;
    }
    checking_ = true;
    const std::uint64_t generation = generation_;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (IsDue(entries_[i], now)) {
            RunTimedMacro(entries_[i].Macro);
            // The macro rebuilt the table (it loaded another file, say): the entries are new,
            // and start from this moment.
            if (generation != generation_) {
                break;
            }
        }
    }
    previous_ = now;
    latest_ = std::max(latest_, now);
    checking_ = false;
}

bool Scheduler::ActivateScope(const MacroRecord& record) {
    switch (record.Scope) {
    case ScopeSpecificWindow:
        return host_.ActivateWindow(record.ScopeTarget.View());
    case ScopeSpecificProgram:
        return host_.ActivateProgram(record.ScopeTarget.View());
    default:
        return true;
    }
}

bool Scheduler::MayPlayNow() {
    return !starter_.Busy() || starter_.Paused();
}

void Scheduler::PlayAlarm() {
    if (settings_.UseWaveFile) {
        host_.PlayWave(settings_.WaveFile, settings_.WaveFileWait);
    }
}

void Scheduler::RunTimedMacro(int macro) {
    // Bringing the window forward and the alarm wait in the event loop: a hot key struck
    // meanwhile finds this start on its way.
    const StartOnItsWay starting(starter_);
    MacroRecord record;
    if (!store_.ReadMacro(macro, record) || !ActivateScope(record)) {
        return;
    }
    PlayAlarm();
    starter_.IntoProgram(macro, starter_.CapsLockReported());
}

bool Scheduler::DoStartUpMacros() {
    if (!MayPlayNow()) {
        return false;
    }
    const MacroTable& table = store_.Table();
    for (int i = 1; i <= store_.MacroCount(); ++i) {
        if (table.Active(i) == 0 || table.HotKey(i) != HotKeyTimed) {
            continue;
        }
        MacroRecord record;
        if (!store_.ReadMacro(i, record) ||
            record.SchedKind != static_cast<std::int16_t>(SchedKind::AtStartup)) {
            continue;
        }
        const StartOnItsWay starting(starter_);
        if (!ActivateScope(record)) {
            break;
        }
        PlayAlarm();
        starter_.IntoProgram(i, false);
    }
    return true;
}

} // namespace orvane
