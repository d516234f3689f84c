// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/LocalMoment.h"
#include "core/Schedule.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

struct MacroRecord;

// The "Set Schedule" dialog's fields. Each panel has its own time field ("hh:mmAM").
struct SetScheduleForm {
    SchedKind Kind = SchedKind::Daily;
    // Once
    std::string OnceTime;
    std::string OnceDay;
    int OnceMonth = 1; // 1..12, the month list
    std::string OnceYear;
    // Hourly
    std::string HourlyMinutes;
    // Daily
    std::string DailyTime;
    std::array<bool, 7> Days{}; // Monday first, as the record keeps them
    // Weekly
    std::string WeeklyTime;
    int Weekday = 1; // 1 = Sunday .. 7, the weekday list
    // Monthly
    std::string MonthlyTime;
    std::string MonthlyDay;
    // Other
    std::string EveryMinutes;
};

// Which field a refusal puts the focus on.
enum class ScheduleField { OnceDay, OnceMonth, OnceYear, HourlyMinutes, MonthlyDay, EveryMinutes };

struct ScheduleRefusal {
    std::string_view Text; // shown with caption "Error"
    ScheduleField Focus;
};

inline constexpr std::string_view InvalidDayOfMonthText = "Invalid day of month specified.";
inline constexpr std::string_view DateElapsedText = "Specified date has already elapsed.";
inline constexpr std::string_view InvalidMinutesText = "Invalid minutes specified.";
inline constexpr std::string_view InvalidIntervalText =
    "Invalid minutes specified.  Must be between 1 and 720.";
inline constexpr std::string_view InvalidYearText = "Invalid year specified.";

// A time as its field shows it: two-digit hour and minute, then AM or PM ("09:05AM").
std::string FormatTimeField(std::uint8_t hour, std::uint8_t minute, bool pm);

struct ScheduleTime {
    std::uint8_t Hour = 0; // 0..12
    std::uint8_t Minute = 0;
    bool PM = false;
    friend bool operator==(const ScheduleTime&, const ScheduleTime&) = default;
};
// Reads a time field: the hour is the text before the first ":" (without one, the first
// character), the minute the two characters after it, and "PM" in the next two (any case) sets
// p.m. 24-hour input is taken (13:30 is 1:30 PM); an hour above 23 or a minute above 59 reads
// as 0, and so does text that is not a number.
ScheduleTime ReadTimeField(std::string_view text);

// The form as the record's schedule fills it.
SetScheduleForm SetScheduleFormFrom(const MacroRecord& record);

// "&Update": the first refusal of the chosen kind's fields, or nothing when they are fine.
// `today` decides whether a date has already elapsed.
std::optional<ScheduleRefusal> CheckSchedule(const SetScheduleForm& form, LocalMoment today);

// Stores a checked form into the record: the kind, all seven day flags and the chosen kind's
// fields. The record is changed only through this, so a refused or cancelled dialog leaves it
// as it was.
void ApplySchedule(const SetScheduleForm& form, MacroRecord& record);

// The scheduler's "Timer Interval" (the delay dialog's "Scheduler Frequency" mode, "Check
// Every"): a whole number of seconds from 1 to 60.
inline constexpr std::string_view TimerIntervalRangeText = "Value must be between 1 and 60.";
std::optional<std::uint16_t> ReadTimerInterval(std::string_view text);

} // namespace orvane
