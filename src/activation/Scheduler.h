// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/MacroStarter.h"
#include "activation/TimerEntry.h"
#include "core/LocalMoment.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvane {

class MacroStore;
struct MacroRecord;
struct SettingsBlock;

// What running a timed macro needs of the desktop.
class TimedMacroHost {
public:
    virtual ~TimedMacroHost() = default;
    // Brings the window whose title is (or contains) `title` to the front; false when none.
    virtual bool ActivateWindow(std::string_view title) = 0;
    // Brings a window of the running program whose name contains `name` to the front; false
    // when it is not running or has no window.
    virtual bool ActivateProgram(std::string_view name) = 0;
    // Plays the scheduler's alarm; with `wait`, returns when it has ended.
    virtual void PlayWave(std::string_view file, bool wait) = 0;
};

// The timer table and its checks: which timed macros are due, and running them.
//
// Every fixed-time schedule is a crossing test on real moments: a scheduled moment is due when
// it lies after the previous check and not after this one, and it comes due once however many
// checks, sleeps or clock changes pass. After a sleep or a jump forward each crossed schedule
// runs once, at the next check; an every-n-minutes macro runs once and counts on from the
// present moment, rather than once per missed interval. When the clock is set back, moments up
// to the latest one a check has seen are not due again, and an every-n-minutes macro counts
// its interval from the present. A check that finds a macro typing waits for the next one, so
// no due macro is lost to a playback already running; a macro waiting in its pause does not
// hold timed macros back, they play meanwhile.
class Scheduler {
public:
    // None is owned; all outlive the scheduler. Macros play through `starter`; `host` brings
    // their windows forward and sounds the alarm. `start` is the previous check's moment at
    // start-up: nothing due while the program was not running is made up.
    Scheduler(MacroStore& store, const SettingsBlock& settings, MacroStarter& starter,
              TimedMacroHost& host, LocalMoment start);

    // Rebuilds the table from the active timed macros (all but start-up ones), their interval
    // counting from `now`. Call after every change to macros, after loading a file and when a
    // macro is activated or deactivated.
    void CheckAndSetTime(LocalMoment now);

    // One check at `now`: runs every due entry in table order. Returns at once when a check is
    // already running (a macro it started is playing) or another macro plays without pausing.
    void CheckOutTimerMacros(LocalMoment now);

    // Plays the active start-up macros in table order, each after the alarm as timed macros
    // do; a window- or program-specific one whose window or program cannot be brought forward
    // ends the run. False (nothing done) while another macro plays without pausing: call again
    // later.
    bool DoStartUpMacros();

    // The timer runs exactly while this is true.
    bool HasEntries() const { return !entries_.empty(); }
    // At least one active macro is a timed one (start-up ones included): the screen saver is
    // held off while the setting asks for it.
    bool HaveActiveTimedMacros() const { return activeTimedMacros_; }

    const std::vector<TimerEntry>& Entries() const { return entries_; }
    LocalMoment PreviousCheck() const { return previous_; }

private:
    bool IsDue(TimerEntry& entry, LocalMoment now);
    void RunTimedMacro(int macro);
    void PlayAlarm();
    bool MayPlayNow();
    bool ActivateScope(const MacroRecord& record);

    MacroStore& store_;
    const SettingsBlock& settings_;
    MacroStarter& starter_;
    TimedMacroHost& host_;
    std::vector<TimerEntry> entries_;
    LocalMoment previous_;
    // The latest moment any check has seen: the clock set back does not make it earlier.
    LocalMoment latest_;
    bool checking_ = false;
    bool activeTimedMacros_ = false;
    // Changes with every rebuild, so a check notices that a macro it ran rebuilt the table.
    std::uint64_t generation_ = 0;
};

} // namespace orvane
