// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Schedule.h"

#include "core/MacroRecord.h"

namespace orvane {
namespace {

std::string TimeText(std::uint8_t hour, std::uint8_t minute, bool pm) {
    char minutes[3] = {static_cast<char>('0' + minute / 10 % 10),
                       static_cast<char>('0' + minute % 10), '\0'};
    return std::to_string(hour) + ":" + minutes + (pm ? "PM" : "AM");
}

std::string_view MonthName(int month) {
    return month >= 1 && month <= 12 ? MonthNames[static_cast<std::size_t>(month - 1)] : "?";
}

std::string_view WeekdayName(int weekday) {
    return weekday >= 1 && weekday <= 7 ? WeekdayNames[static_cast<std::size_t>(weekday - 1)] : "?";
}

} // namespace

std::int64_t ScheduleTimeOfDay(std::uint8_t hour, std::uint8_t minute, bool pm) {
    int h = hour > 23 ? 0 : hour;
    if (pm) {
        h = h == 12 ? 12 : h + 12;
    } else if (h == 12) {
        h = 0;
    }
    // A damaged record may hold a minute past 59; the time still stays within its day.
    const std::int64_t ms = h * LocalMoment::MsPerHour + minute * LocalMoment::MsPerMinute;
    return ms % LocalMoment::MsPerDay;
}

std::string GetSched(const MacroRecord& record) {
    const std::string time = TimeText(record.SchedHour, record.SchedMinute, record.SchedPM == 1);
    switch (static_cast<SchedKind>(record.SchedKind)) {
    case SchedKind::AtStartup:
        return "At Startup";
    case SchedKind::Once:
        return "Once at " + time + " on " + std::to_string(record.SchedDay) + " " +
               std::string(MonthName(record.SchedMonth)) + " " + std::to_string(record.SchedYear);
    case SchedKind::Hourly:
        return "Hourly at " + std::to_string(record.SchedPastHour) + " minutes past the hour";
    case SchedKind::Daily: {
        // The record keeps Monday first; the text lists Sunday first.
        constexpr std::array<std::size_t, 7> order = {6, 0, 1, 2, 3, 4, 5};
        std::string text = "Daily at " + time;
        for (const std::size_t flag : order) {
            if (record.SchedDays[flag] != 0) {
                text += "," + std::string(WeekdayNames[(flag + 1) % 7].substr(0, 3));
            }
        }
        return text;
    }
    case SchedKind::Weekly:
        return "Weekly at " + time + " on " + std::string(WeekdayName(record.SchedWeekday));
    case SchedKind::Monthly:
        return "Monthly at " + time + " on day " + std::to_string(record.SchedDay) +
               " of each month";
    case SchedKind::EveryMinutes:
        return "every " + std::to_string(record.SchedInterval) + " minutes";
    }
    return "?";
}

void DefaultTimer(MacroRecord& record, LocalMoment today) {
    record.SchedKind = static_cast<std::int16_t>(SchedKind::Daily);
    record.SchedDays.fill(1);
    record.SchedHour = 12;
    record.SchedMinute = 0;
    record.SchedPM = 1;
    record.SchedMonth = static_cast<std::uint8_t>(today.Month());
    record.SchedDay = static_cast<std::uint8_t>(today.Day());
    record.SchedYear = static_cast<std::uint16_t>(today.Year());
    record.SchedPastHour = 15;
    record.SchedInterval = 15;
    record.SchedWeekday = static_cast<std::uint8_t>(today.Weekday());
}

} // namespace orvane
