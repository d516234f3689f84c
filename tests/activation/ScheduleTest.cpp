// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Schedule.h"
#include "core/MacroRecord.h"
#include "library/SetSchedule.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvane {
namespace {

MacroRecord Scheduled(SchedKind kind, int hour, int minute, bool pm) {
    MacroRecord record;
    record.SchedKind = static_cast<std::int16_t>(kind);
    record.SchedHour = static_cast<std::uint8_t>(hour);
    record.SchedMinute = static_cast<std::uint8_t>(minute);
    record.SchedPM = pm ? 1 : 0;
    record.SchedYear = 1998;
    record.SchedMonth = 3;
    record.SchedDay = 5;
    record.SchedPastHour = 15;
    record.SchedInterval = 45;
    record.SchedWeekday = 2;
    record.SchedDays = {1, 0, 0, 0, 1, 0, 1}; // Monday, Friday, Sunday
    return record;
}

TEST(GetSchedTest, EveryKindAsText) {
    const struct {
        SchedKind Kind;
        const char* Text;
    } cases[] = {
        {SchedKind::AtStartup, "At Startup"},
        {SchedKind::Once, "Once at 9:05AM on 5 March 1998"},
        {SchedKind::Hourly, "Hourly at 15 minutes past the hour"},
        {SchedKind::Daily, "Daily at 9:05AM,Sun,Mon,Fri"},
        {SchedKind::Weekly, "Weekly at 9:05AM on Monday"},
        {SchedKind::Monthly, "Monthly at 9:05AM on day 5 of each month"},
        {SchedKind::EveryMinutes, "every 45 minutes"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetSched(Scheduled(c.Kind, 9, 5, false)), c.Text);
    }
    EXPECT_EQ(GetSched(Scheduled(SchedKind::Daily, 12, 30, true)), "Daily at 12:30PM,Sun,Mon,Fri");
    MacroRecord damaged = Scheduled(SchedKind::Weekly, 1, 0, true);
    damaged.SchedWeekday = 9;
    EXPECT_EQ(GetSched(damaged), "Weekly at 1:00PM on ?");
    damaged.SchedKind = 42;
    EXPECT_EQ(GetSched(damaged), "?");
}

TEST(ScheduleTest, TwelveHourClockToTimeOfDay) {
    constexpr std::int64_t H = LocalMoment::MsPerHour;
    EXPECT_EQ(ScheduleTimeOfDay(12, 0, true), 12 * H);
    EXPECT_EQ(ScheduleTimeOfDay(12, 0, false), 0);
    EXPECT_EQ(ScheduleTimeOfDay(1, 30, true), 13 * H + 30 * LocalMoment::MsPerMinute);
    EXPECT_EQ(ScheduleTimeOfDay(0, 0, false), 0);
    EXPECT_EQ(ScheduleTimeOfDay(11, 0, false), 11 * H);
}

TEST(ScheduleTest, DefaultTimerIsDailyAtNoonOnEveryDay) {
    MacroRecord record;
    DefaultTimer(record, LocalMoment::From(2024, 2, 29, 17, 45)); // a Thursday
    EXPECT_EQ(GetSched(record), "Daily at 12:00PM,Sun,Mon,Tue,Wed,Thu,Fri,Sat");
    EXPECT_EQ(record.SchedYear, 2024);
    EXPECT_EQ(record.SchedMonth, 2);
    EXPECT_EQ(record.SchedDay, 29);
    EXPECT_EQ(record.SchedPastHour, 15);
    EXPECT_EQ(record.SchedInterval, 15);
    EXPECT_EQ(record.SchedWeekday, 5);
}

TEST(SetScheduleTest, TimeFieldsAreReadAsTyped) {
    const struct {
        const char* Text;
        ScheduleTime Time;
    } cases[] = {
        {"09:05AM", {9, 5, false}}, {"09:05pm", {9, 5, true}},   {"13:30", {1, 30, true}},
        {"12:00PM", {12, 0, true}}, {"24:10AM", {0, 10, false}}, {"7:75PM", {7, 0, true}},
        {"9", {9, 0, false}},       {"x:yzPM", {0, 0, true}},    {"", {0, 0, false}},
        {"0:00AM", {0, 0, false}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadTimeField(c.Text), c.Time) << c.Text;
    }
    EXPECT_EQ(FormatTimeField(9, 5, false), "09:05AM");
    EXPECT_EQ(FormatTimeField(12, 0, true), "12:00PM");
}

TEST(SetScheduleTest, UpdateRefusesWhatCannotBeScheduled) {
    const LocalMoment today = LocalMoment::From(1999, 6, 15, 10, 0);
    const auto once = [](const char* day, int month, const char* year) {
        SetScheduleForm form;
        form.Kind = SchedKind::Once;
        form.OnceTime = "09:00AM";
        form.OnceDay = day;
        form.OnceMonth = month;
        form.OnceYear = year;
        return form;
    };
    const auto with = [](SchedKind kind, std::string SetScheduleForm::*field, const char* text) {
        SetScheduleForm form;
        form.Kind = kind;
        form.*field = text;
        return form;
    };
    const struct {
        const char* Name;
        SetScheduleForm Form;
        std::optional<ScheduleRefusal> Refusal;
    } cases[] = {
        {"31 February", once("31", 2, "2000"),
         ScheduleRefusal{InvalidDayOfMonthText, ScheduleField::OnceDay}},
        {"29 February 2000", once("29", 2, "2000"), std::nullopt},
        {"29 February 1999 (and elapsed)", once("29", 2, "1999"),
         ScheduleRefusal{InvalidDayOfMonthText, ScheduleField::OnceDay}},
        {"29 February 2100 does not exist", once("29", 2, "2100"),
         ScheduleRefusal{InvalidDayOfMonthText, ScheduleField::OnceDay}},
        {"day 0", once("0", 7, "2000"),
         ScheduleRefusal{InvalidDayOfMonthText, ScheduleField::OnceDay}},
        {"day not a number", once("1x", 7, "2000"),
         ScheduleRefusal{InvalidDayOfMonthText, ScheduleField::OnceDay}},
        {"past year", once("20", 7, "1998"),
         ScheduleRefusal{DateElapsedText, ScheduleField::OnceYear}},
        {"past month", once("20", 5, "1999"),
         ScheduleRefusal{DateElapsedText, ScheduleField::OnceMonth}},
        {"past day", once("14", 6, "1999"),
         ScheduleRefusal{DateElapsedText, ScheduleField::OnceDay}},
        {"today", once("15", 6, "1999"), std::nullopt},
        {"year not a number", once("15", 6, "next"),
         ScheduleRefusal{InvalidYearText, ScheduleField::OnceYear}},
        {"hourly 59", with(SchedKind::Hourly, &SetScheduleForm::HourlyMinutes, "59"), std::nullopt},
        {"hourly 60", with(SchedKind::Hourly, &SetScheduleForm::HourlyMinutes, "60"),
         ScheduleRefusal{InvalidMinutesText, ScheduleField::HourlyMinutes}},
        {"hourly blank", with(SchedKind::Hourly, &SetScheduleForm::HourlyMinutes, " "),
         ScheduleRefusal{InvalidMinutesText, ScheduleField::HourlyMinutes}},
        {"monthly 31", with(SchedKind::Monthly, &SetScheduleForm::MonthlyDay, "31"), std::nullopt},
        {"monthly 32", with(SchedKind::Monthly, &SetScheduleForm::MonthlyDay, "32"),
         ScheduleRefusal{InvalidDayOfMonthText, ScheduleField::MonthlyDay}},
        {"monthly 0", with(SchedKind::Monthly, &SetScheduleForm::MonthlyDay, "0"),
         ScheduleRefusal{InvalidDayOfMonthText, ScheduleField::MonthlyDay}},
        {"other 0", with(SchedKind::EveryMinutes, &SetScheduleForm::EveryMinutes, "0"),
         ScheduleRefusal{InvalidIntervalText, ScheduleField::EveryMinutes}},
        {"other 721", with(SchedKind::EveryMinutes, &SetScheduleForm::EveryMinutes, "721"),
         ScheduleRefusal{InvalidIntervalText, ScheduleField::EveryMinutes}},
        {"other -5", with(SchedKind::EveryMinutes, &SetScheduleForm::EveryMinutes, "-5"),
         ScheduleRefusal{InvalidIntervalText, ScheduleField::EveryMinutes}},
        {"other 720", with(SchedKind::EveryMinutes, &SetScheduleForm::EveryMinutes, "720"),
         std::nullopt},
        {"daily with any time", with(SchedKind::Daily, &SetScheduleForm::DailyTime, "zz"),
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto refusal = CheckSchedule(c.Form, today);
        ASSERT_EQ(refusal.has_value(), c.Refusal.has_value());
        if (refusal) {
            EXPECT_EQ(refusal->Text, c.Refusal->Text);
            EXPECT_EQ(refusal->Focus, c.Refusal->Focus);
        }
    }
}

TEST(SetScheduleTest, UpdateStoresTheKindTheDaysAndThatKindsFields) {
    MacroRecord record = Scheduled(SchedKind::Daily, 9, 5, false);
    SetScheduleForm form = SetScheduleFormFrom(record);
    EXPECT_EQ(form.DailyTime, "09:05AM");
    EXPECT_EQ(form.OnceYear, "1998");
    EXPECT_EQ(form.Weekday, 2);

    form.Kind = SchedKind::Weekly;
    form.WeeklyTime = "13:30";
    form.Weekday = 7;
    form.Days = {false, true, false, false, false, false, false};
    form.EveryMinutes = "99"; // another kind's field: not stored
    ApplySchedule(form, record);
    EXPECT_EQ(GetSched(record), "Weekly at 1:30PM on Saturday");
    EXPECT_EQ(record.SchedDays, (std::array<std::uint8_t, 7>{0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(record.SchedInterval, 45);

    form.Kind = SchedKind::Once;
    form.OnceTime = "11:15PM";
    form.OnceDay = "29";
    form.OnceMonth = 2;
    form.OnceYear = "2000";
    ApplySchedule(form, record);
    EXPECT_EQ(GetSched(record), "Once at 11:15PM on 29 February 2000");
}

TEST(SetScheduleTest, TimerIntervalIsOneToSixtySeconds) {
    EXPECT_EQ(ReadTimerInterval("1"), 1);
    EXPECT_EQ(ReadTimerInterval(" 60 "), 60);
    EXPECT_EQ(ReadTimerInterval("0"), std::nullopt);
    EXPECT_EQ(ReadTimerInterval("61"), std::nullopt);
    EXPECT_EQ(ReadTimerInterval("2.5"), std::nullopt);
    EXPECT_EQ(ReadTimerInterval(""), std::nullopt);
}

} // namespace
} // namespace orvane
