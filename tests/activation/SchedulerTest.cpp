// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/Scheduler.h"
#include "MacroFileFixture.h"
#include "core/SettingsBlock.h"
#include "platform/fake/EventTrace.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvane {
namespace {

// The desktop and the starter as timed macros see them; everything done goes to the trace.
class FakeTimedMacroHost : public TimedMacroHost, public MacroStarter {
public:
    explicit FakeTimedMacroHost(EventTrace& trace) : trace_(trace) {}

    bool ActivateWindow(std::string_view title) override {
        trace_.Add("activate:" + std::string(title));
        return WindowsAvailable;
    }
    bool ActivateProgram(std::string_view name) override {
        trace_.Add("activate-prog:" + std::string(name));
        return WindowsAvailable;
    }
    void PlayWave(std::string_view file, bool wait) override {
        trace_.Add("wave:" + std::string(file) + (wait ? ":wait" : ""));
    }
    std::optional<std::string_view> RefusalNow() override { return std::nullopt; }
    void Refuse(std::string_view) override {}
    bool CapsLockReported() const override { return CapsLock; }
    bool Busy() const override { return IsPlaying; }
    bool Paused() const override { return IsPaused; }
    void StartAsHotKey(int, WindowId) override {}
    void IntoProgram(int macro, bool capsWasOn) override {
        trace_.Add("play:" + std::to_string(macro) + (capsWasOn ? "+caps" : "") +
                   (starting_ > 0 ? "" : "(not marked as starting)"));
        if (WhilePlaying) {
            IsPlaying = true;
            WhilePlaying();
            IsPlaying = false;
        }
    }
    std::optional<std::size_t> IntoProgramTyping(int macro, bool capsWasOn, LetterCase) override {
        IntoProgram(macro, capsWasOn);
        return std::nullopt;
    }
    void BeginStart() override { ++starting_; }
    void EndStart() override { --starting_; }

    bool WindowsAvailable = true;
    bool CapsLock = false;
    bool IsPlaying = false;
    bool IsPaused = false;
    std::function<void()> WhilePlaying;

private:
    EventTrace& trace_;
    int starting_ = 0;
};

LocalMoment At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return LocalMoment::From(y, mo, d, h, mi, s);
}

// 1 January 2024 was a Monday.
constexpr int Y = 2024;

MacroRecord Timed(SchedKind kind) {
    MacroRecord record;
    record.Nickname.Assign("timed");
    record.HotKey = HotKeyTimed;
    record.Scope = ScopeGlobal;
    record.Active = 1;
    record.SchedKind = static_cast<std::int16_t>(kind);
    record.SetText("tick");
    return record;
}

MacroRecord TimedAt(SchedKind kind, int hour, int minute, bool pm) {
    MacroRecord record = Timed(kind);
    record.SchedHour = static_cast<std::uint8_t>(hour);
    record.SchedMinute = static_cast<std::uint8_t>(minute);
    record.SchedPM = pm ? 1 : 0;
    return record;
}

MacroRecord Once(int y, int mo, int d, int hour, int minute, bool pm) {
    MacroRecord record = TimedAt(SchedKind::Once, hour, minute, pm);
    record.SchedYear = static_cast<std::uint16_t>(y);
    record.SchedMonth = static_cast<std::uint8_t>(mo);
    record.SchedDay = static_cast<std::uint8_t>(d);
    return record;
}

MacroRecord Daily(int hour, int minute, bool pm, std::array<std::uint8_t, 7> mondayFirst) {
    MacroRecord record = TimedAt(SchedKind::Daily, hour, minute, pm);
    record.SchedDays = mondayFirst;
    return record;
}

MacroRecord Weekly(int weekday, int hour, int minute, bool pm) {
    MacroRecord record = TimedAt(SchedKind::Weekly, hour, minute, pm);
    record.SchedWeekday = static_cast<std::uint8_t>(weekday);
    return record;
}

MacroRecord Monthly(int day, int hour, int minute, bool pm) {
    MacroRecord record = TimedAt(SchedKind::Monthly, hour, minute, pm);
    record.SchedDay = static_cast<std::uint8_t>(day);
    return record;
}

MacroRecord Hourly(int pastHour) {
    MacroRecord record = Timed(SchedKind::Hourly);
    record.SchedPastHour = static_cast<std::uint8_t>(pastHour);
    return record;
}

MacroRecord Every(int minutes) {
    MacroRecord record = Timed(SchedKind::EveryMinutes);
    record.SchedInterval = static_cast<std::uint16_t>(minutes);
    return record;
}

class SchedulerTest : public MacroFileFixture {
protected:
    // Loads the macros and starts the program at `start`: the table is built then.
    void Start(const std::vector<MacroRecord>& records, LocalMoment start) {
        Load(records);
        scheduler = std::make_unique<Scheduler>(store, settings, host, host, start);
        scheduler->CheckAndSetTime(start);
        now = start;
    }

    // Checks every `step` seconds from the present moment until `until` (inclusive) and says
    // at which moments what was done, e.g. "09:00:00 play:1".
    std::string RunUntil(LocalMoment until, int step = 10) {
        std::string log;
        while (now < until) {
            now = LocalMoment(std::min(now.Ms() + step * LocalMoment::MsPerSecond, until.Ms()));
            Check(now, log);
        }
        return log;
    }

    // One check at `moment`; returns what it did.
    std::string CheckAt(LocalMoment moment) {
        now = moment;
        std::string log;
        Check(moment, log);
        return log;
    }

    void Check(LocalMoment moment, std::string& log) {
        trace.Clear();
        scheduler->CheckOutTimerMacros(moment);
        if (!trace.Entries().empty()) {
            char stamp[32];
            std::snprintf(stamp, sizeof stamp, "%02d %02d:%02d:%02d ", moment.Day(), moment.Hour(),
                          moment.Minute(), moment.Second());
            log += (log.empty() ? "" : "; ") + std::string(stamp) + trace.Text();
        }
    }

    EventTrace trace;
    FakeTimedMacroHost host{trace};
    SettingsBlock settings;
    std::unique_ptr<Scheduler> scheduler;
    LocalMoment now;
};

TEST_F(SchedulerTest, OnceRunsAtItsMomentOnlyWhenItLiesAfterTheStart) {
    Start({Once(Y, 1, 1, 9, 0, false), Once(Y, 1, 1, 10, 0, false)}, At(Y, 1, 1, 9, 30));
    EXPECT_EQ(RunUntil(At(Y, 1, 1, 11, 0)), "01 10:00:00 play:2");
    EXPECT_EQ(RunUntil(At(Y, 1, 3, 11, 0), 3600), "");
}

TEST_F(SchedulerTest, DailyRunsOnItsDaysAtTheFirstCheckAtOrAfterItsTime) {
    // Monday only, 9:00AM.
    Start({Daily(9, 0, false, {1, 0, 0, 0, 0, 0, 0})}, At(Y, 1, 1, 8, 59, 45));
    EXPECT_EQ(RunUntil(At(Y, 1, 1, 9, 1)), "01 09:00:05 play:1");
    EXPECT_EQ(RunUntil(At(Y, 1, 8, 9, 1), 60), "08 09:00:00 play:1");
    // 12 PM is noon, 12 AM midnight.
    Start({Daily(12, 0, true, {1, 1, 1, 1, 1, 1, 1}), Daily(12, 0, false, {1, 1, 1, 1, 1, 1, 1})},
          At(Y, 1, 1, 11, 59, 55));
    EXPECT_EQ(RunUntil(At(Y, 1, 2, 0, 0, 10)), "01 12:00:05 play:1; 02 00:00:05 play:2");
}

TEST_F(SchedulerTest, HourlyRunsOncePerHourAtItsMinute) {
    Start({Hourly(0), Hourly(20)}, At(Y, 1, 1, 9, 58));
    // 9:20 lies before the start and is not made up.
    EXPECT_EQ(RunUntil(At(Y, 1, 1, 11, 1), 30),
              "01 10:00:00 play:1; 01 10:20:00 play:2; 01 11:00:00 play:1");
}

TEST_F(SchedulerTest, EveryNMinutesKeepsAnExactCadenceFromTheTablesBuild) {
    Start({Every(15)}, At(Y, 1, 1, 10, 0, 0));
    EXPECT_EQ(RunUntil(At(Y, 1, 1, 10, 46), 7),
              "01 10:15:03 play:1; 01 10:30:06 play:1; 01 10:45:02 play:1");
    EXPECT_EQ(scheduler->Entries()[0].LastRun, At(Y, 1, 1, 10, 45));
}

TEST_F(SchedulerTest, WeeklyAndMonthlyRunOnTheirDayOnly) {
    // Weekly Monday (2) 12:00AM; monthly on day 2 at 12:00AM.
    Start({Weekly(2, 12, 0, false), Monthly(2, 12, 0, false)}, At(Y - 1, 12, 31, 23, 59, 55));
    EXPECT_EQ(RunUntil(At(Y, 1, 9, 0, 1), 3600),
              "01 00:59:55 play:1; 02 00:59:55 play:2; 08 00:59:55 play:1");
}

TEST_F(SchedulerTest, MonthlyDayBeyondTheMonthDoesNotRunThatMonth) {
    Start({Monthly(31, 9, 0, false)}, At(Y, 4, 1));
    EXPECT_EQ(RunUntil(At(Y, 5, 31, 10, 0), 3600), "31 09:00:00 play:1");
}

TEST_F(SchedulerTest, AMomentInTheLastIntervalBeforeMidnightStillRunsAfterIt) {
    // Sunday-only 11:59PM is not lost when the next check falls on Monday, and a Monday
    // 12:00AM weekly entry does not run again on Tuesday.
    Start({Daily(11, 59, true, {0, 0, 0, 0, 0, 0, 1}), Weekly(2, 12, 0, false)},
          At(Y, 1, 7, 23, 58, 55));
    EXPECT_EQ(CheckAt(At(Y, 1, 8, 0, 0, 5)), "08 00:00:05 play:1 play:2");
    EXPECT_EQ(RunUntil(At(Y, 1, 9, 0, 1), 10), "");
}

TEST_F(SchedulerTest, AfterASleepEveryCrossedScheduleRunsOnce) {
    Start({Daily(9, 0, false, {1, 1, 1, 1, 1, 1, 1}), Once(Y, 1, 1, 10, 0, false), Hourly(30),
           Every(5), Weekly(2, 11, 0, false)},
          At(Y, 1, 1, 8, 0));
    EXPECT_EQ(CheckAt(At(Y, 1, 2, 12, 0, 3)), "02 12:00:03 play:1 play:2 play:3 play:4 play:5");
    // The five-minute macro goes on from the moment it ran, not from its missed intervals.
    EXPECT_EQ(RunUntil(At(Y, 1, 2, 12, 10, 4), 10), "02 12:05:03 play:4; 02 12:10:03 play:4");
}

TEST_F(SchedulerTest, AClockSetBackNeverRunsAMomentTwice) {
    Start({Daily(9, 0, false, {1, 1, 1, 1, 1, 1, 1}), Hourly(30), Every(10)}, At(Y, 1, 1, 8, 50));
    EXPECT_EQ(RunUntil(At(Y, 1, 1, 9, 0, 10)), "01 09:00:00 play:1 play:3");
    now = At(Y, 1, 1, 7, 59);
    // The clock has shown 8:30 and 9:00 before; 9:30 is new. The ten-minute macro counts
    // from the first check after the clock went back.
    EXPECT_EQ(RunUntil(At(Y, 1, 1, 9, 31), 60),
              "01 08:10:00 play:3; 01 08:20:00 play:3; 01 08:30:00 play:3; 01 08:40:00 play:3; "
              "01 08:50:00 play:3; 01 09:00:00 play:3; 01 09:10:00 play:3; 01 09:20:00 play:3; "
              "01 09:30:00 play:2 play:3");
}

TEST_F(SchedulerTest, ARebuildKeepsWhatAScheduleAlreadyCameDueFor) {
    Start({Daily(9, 0, false, {1, 1, 1, 1, 1, 1, 1})}, At(Y, 1, 1, 8, 59));
    EXPECT_EQ(CheckAt(At(Y, 1, 1, 9, 0, 5)), "01 09:00:05 play:1");
    now = At(Y, 1, 1, 8, 0);
    scheduler->CheckAndSetTime(now);
    EXPECT_EQ(RunUntil(At(Y, 1, 1, 9, 1), 60), "");
}

TEST_F(SchedulerTest, ADueMacroWaitsWhileAnotherMacroPlays) {
    Start({Daily(9, 0, false, {1, 1, 1, 1, 1, 1, 1})}, At(Y, 1, 1, 8, 59, 55));
    host.IsPlaying = true;
    EXPECT_EQ(CheckAt(At(Y, 1, 1, 9, 0, 5)), "");
    host.IsPlaying = false;
    EXPECT_EQ(CheckAt(At(Y, 1, 1, 9, 0, 15)), "01 09:00:15 play:1");
}

TEST_F(SchedulerTest, ADueMacroPlaysWhileAnotherWaitsInItsPause) {
    Start({Daily(9, 0, false, {1, 1, 1, 1, 1, 1, 1})}, At(Y, 1, 1, 8, 59, 55));
    host.IsPlaying = true;
    host.IsPaused = true;
    EXPECT_EQ(CheckAt(At(Y, 1, 1, 9, 0, 5)), "01 09:00:05 play:1");
    EXPECT_TRUE(scheduler->DoStartUpMacros());
}

TEST_F(SchedulerTest, ChecksDuringATimedMacrosPlaybackReturnAtOnce) {
    Start({Daily(9, 0, false, {1, 1, 1, 1, 1, 1, 1}), Every(1)}, At(Y, 1, 1, 8, 59, 55));
    int nested = 0;
    host.WhilePlaying = [&] {
        ++nested;
        host.IsPlaying = false; // even a check that does not see the playback is kept out
        scheduler->CheckOutTimerMacros(At(Y, 1, 1, 9, 5));
    };
    EXPECT_EQ(CheckAt(At(Y, 1, 1, 9, 1, 0)), "01 09:01:00 play:1 play:2");
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(scheduler->PreviousCheck(), At(Y, 1, 1, 9, 1, 0));
}

TEST_F(SchedulerTest, AMacroThatRebuildsTheTableEndsTheCheckSafely) {
    Start({Daily(9, 0, false, {1, 1, 1, 1, 1, 1, 1}), Daily(9, 0, false, {1, 1, 1, 1, 1, 1, 1})},
          At(Y, 1, 1, 8, 59, 55));
    host.WhilePlaying = [&] { scheduler->CheckAndSetTime(At(Y, 1, 1, 9, 0, 5)); };
    EXPECT_EQ(CheckAt(At(Y, 1, 1, 9, 0, 5)), "01 09:00:05 play:1");
    host.WhilePlaying = nullptr;
    // The second entry's moment lies before the rebuild's check: it is not made up.
    EXPECT_EQ(CheckAt(At(Y, 1, 1, 9, 0, 15)), "");
}

TEST_F(SchedulerTest, RunningAnEntryActivatesItsScopeAndSoundsTheAlarm) {
    MacroRecord window = Daily(9, 0, false, {1, 1, 1, 1, 1, 1, 1});
    window.Scope = ScopeSpecificWindow;
    window.ScopeTarget.Assign("Budget 2024 - Spreadsheet");
    MacroRecord program = window;
    program.Scope = ScopeSpecificProgram;
    program.ScopeTarget.Assign("GEDIT");
    Start({window, program, Daily(9, 0, false, {1, 1, 1, 1, 1, 1, 1})}, At(Y, 1, 1, 8, 59, 55));
    settings.UseWaveFile = true;
    settings.WaveFile = "alarm.wav";
    settings.WaveFileWait = true;
    host.CapsLock = true;
    EXPECT_EQ(CheckAt(At(Y, 1, 1, 9, 0, 5)),
              "01 09:00:05 activate:Budget 2024 - Spreadsheet wave:alarm.wav:wait "
              "play:1+caps activate-prog:GEDIT wave:alarm.wav:wait play:2+caps "
              "wave:alarm.wav:wait play:3+caps");
}

TEST_F(SchedulerTest, AnUnavailableWindowSkipsThatOccurrenceOnly) {
    MacroRecord window = Every(1);
    window.Scope = ScopeSpecificWindow;
    window.ScopeTarget.Assign("Notes");
    Start({window}, At(Y, 1, 1, 9, 0));
    host.WindowsAvailable = false;
    EXPECT_EQ(RunUntil(At(Y, 1, 1, 9, 1, 30), 30), "01 09:01:00 activate:Notes");
    host.WindowsAvailable = true;
    EXPECT_EQ(RunUntil(At(Y, 1, 1, 9, 2, 30), 30), "01 09:02:00 activate:Notes play:1");
}

TEST_F(SchedulerTest, TheTableHoldsActiveScheduledMacrosOnly) {
    MacroRecord inactive = Every(5);
    inactive.Active = 0;
    MacroRecord hotKey = Every(5);
    hotKey.HotKey = 7;
    Start({inactive, hotKey}, At(Y, 1, 1));
    EXPECT_FALSE(scheduler->HasEntries());
    EXPECT_FALSE(scheduler->HaveActiveTimedMacros());

    Start({Timed(SchedKind::AtStartup)}, At(Y, 1, 1));
    EXPECT_FALSE(scheduler->HasEntries());
    EXPECT_TRUE(scheduler->HaveActiveTimedMacros());

    Start({inactive, Every(5)}, At(Y, 1, 1));
    ASSERT_EQ(scheduler->Entries().size(), 1u);
    EXPECT_EQ(scheduler->Entries()[0].Macro, 2);
}

TEST_F(SchedulerTest, StartUpMacrosRunInOrderUntilOneCannotReachItsWindow) {
    MacroRecord window = Timed(SchedKind::AtStartup);
    window.Scope = ScopeSpecificWindow;
    window.ScopeTarget.Assign("Notes");
    MacroRecord inactive = Timed(SchedKind::AtStartup);
    inactive.Active = 0;
    host.CapsLock = true; // start-up macros leave Caps Lock alone
    Start({Timed(SchedKind::AtStartup), Every(5), inactive, window, Timed(SchedKind::AtStartup)},
          At(Y, 1, 1));
    EXPECT_TRUE(scheduler->DoStartUpMacros());
    EXPECT_EQ(trace.Text(), "play:1 activate:Notes play:4 play:5");

    trace.Clear();
    host.WindowsAvailable = false;
    EXPECT_TRUE(scheduler->DoStartUpMacros());
    EXPECT_EQ(trace.Text(), "play:1 activate:Notes");

    trace.Clear();
    host.IsPlaying = true;
    EXPECT_FALSE(scheduler->DoStartUpMacros());
    EXPECT_EQ(trace.Text(), "");
}

TEST_F(SchedulerTest, StartUpMacrosSoundTheAlarmAsTimedMacrosDo) {
    MacroRecord window = Timed(SchedKind::AtStartup);
    window.Scope = ScopeSpecificWindow;
    window.ScopeTarget.Assign("Notes");
    Start({Timed(SchedKind::AtStartup), window}, At(Y, 1, 1));
    settings.UseWaveFile = true;
    settings.WaveFile = "alarm.wav";
    EXPECT_TRUE(scheduler->DoStartUpMacros());
    EXPECT_EQ(trace.Text(), "wave:alarm.wav play:1 activate:Notes wave:alarm.wav play:2")
        << "the alarm after the window is brought forward, before the macro";

    trace.Clear();
    host.WindowsAvailable = false;
    EXPECT_TRUE(scheduler->DoStartUpMacros());
    EXPECT_EQ(trace.Text(), "wave:alarm.wav play:1 activate:Notes") << "no alarm for a skipped one";
}

} // namespace
} // namespace orvane
