// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/SetSchedule.h"

#include "core/MacroRecord.h"
#include "core/Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace orvane {
namespace {

// A whole number of decimal digits (after trimming), or nothing.
std::optional<long> Number(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    long value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string TwoDigits(int value) {
    value = std::clamp(value, 0, 99);
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

} // namespace

std::string FormatTimeField(std::uint8_t hour, std::uint8_t minute, bool pm) {
    return TwoDigits(hour) + ":" + TwoDigits(minute) + (pm ? "PM" : "AM");
}

ScheduleTime ReadTimeField(std::string_view text) {
    const std::size_t colon = text.find(':');
    const std::string_view hourText =
        colon == std::string_view::npos ? text.substr(0, 1) : text.substr(0, colon);
    const std::string_view rest =
        colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
    const std::string_view minuteText = rest.substr(0, 2);
    const std::string_view amPm = rest.size() > 2 ? rest.substr(2, 2) : std::string_view();

    ScheduleTime time;
    time.PM = amPm.size() == 2 && std::toupper(static_cast<unsigned char>(amPm[0])) == 'P' &&
              std::toupper(static_cast<unsigned char>(amPm[1])) == 'M';
    long hour = Number(hourText).value_or(0);
    const long minute = Number(minuteText).value_or(0);
    if (hour > 23) {
        hour = 0;
    } else if (hour > 12) {
        hour -= 12;
        time.PM = true;
    }
    time.Hour = static_cast<std::uint8_t>(hour);
    time.Minute = static_cast<std::uint8_t>(minute >= 60 ? 0 : minute);
    return time;
}

SetScheduleForm SetScheduleFormFrom(const MacroRecord& record) {
    SetScheduleForm form;
    const auto kind = record.SchedKind;
    form.Kind = kind >= 0 && kind <= 6 ? static_cast<SchedKind>(kind) : SchedKind::Daily;
    const std::string time =
        FormatTimeField(record.SchedHour, record.SchedMinute, record.SchedPM == 1);
    form.OnceTime = form.DailyTime = form.WeeklyTime = form.MonthlyTime = time;
    form.OnceDay = std::to_string(record.SchedDay);
    form.OnceMonth = std::clamp<int>(record.SchedMonth, 1, 12);
    form.OnceYear = std::to_string(record.SchedYear);
    form.HourlyMinutes = std::to_string(record.SchedPastHour);
    for (std::size_t i = 0; i < form.Days.size(); ++i) {
        form.Days[i] = record.SchedDays[i] != 0;
    }
    form.Weekday = std::clamp<int>(record.SchedWeekday, 1, 7);
    form.MonthlyDay = std::to_string(record.SchedDay);
    form.EveryMinutes = std::to_string(record.SchedInterval);
    return form;
}

std::optional<ScheduleRefusal> CheckSchedule(const SetScheduleForm& form, LocalMoment today) {
    switch (form.Kind) {
    case SchedKind::Once: {
        const std::optional<long> year = Number(form.OnceYear);
        if (!year || *year > 9999) {
            return ScheduleRefusal{InvalidYearText, ScheduleField::OnceYear};
        }
        const int month = std::clamp(form.OnceMonth, 1, 12);
        const std::optional<long> day = Number(form.OnceDay);
        if (!day || *day == 0 || *day > LocalMoment::DaysInMonth(static_cast<int>(*year), month)) {
            return ScheduleRefusal{InvalidDayOfMonthText, ScheduleField::OnceDay};
        }
        if (*year < today.Year()) {
            return ScheduleRefusal{DateElapsedText, ScheduleField::OnceYear};
        }
        if (*year == today.Year() && month < today.Month()) {
            return ScheduleRefusal{DateElapsedText, ScheduleField::OnceMonth};
        }
        if (*year == today.Year() && month == today.Month() && *day < today.Day()) {
            return ScheduleRefusal{DateElapsedText, ScheduleField::OnceDay};
        }
        return std::nullopt;
    }
    case SchedKind::Hourly: {
        const std::optional<long> minutes = Number(form.HourlyMinutes);
        if (!minutes || *minutes >= 60) {
            return ScheduleRefusal{InvalidMinutesText, ScheduleField::HourlyMinutes};
        }
        return std::nullopt;
    }
    case SchedKind::Monthly: {
        const std::optional<long> day = Number(form.MonthlyDay);
        if (!day || *day == 0 || *day > 31) {
            return ScheduleRefusal{InvalidDayOfMonthText, ScheduleField::MonthlyDay};
        }
        return std::nullopt;
    }
    case SchedKind::EveryMinutes: {
        const std::optional<long> minutes = Number(form.EveryMinutes);
        if (!minutes || *minutes == 0 || *minutes > 720) {
            return ScheduleRefusal{InvalidIntervalText, ScheduleField::EveryMinutes};
        }
        return std::nullopt;
    }
    case SchedKind::Daily:
    case SchedKind::Weekly:
    case SchedKind::AtStartup:
        return std::nullopt;
    }
    return std::nullopt;
}

void ApplySchedule(const SetScheduleForm& form, MacroRecord& record) {
    record.SchedKind = static_cast<std::int16_t>(form.Kind);
    for (std::size_t i = 0; i < form.Days.size(); ++i) {
        record.SchedDays[i] = form.Days[i] ? 1 : 0;
    }
    const auto storeTime = [&record](std::string_view text) {
        const ScheduleTime time = ReadTimeField(text);
        record.SchedHour = time.Hour;
        record.SchedMinute = time.Minute;
        record.SchedPM = time.PM ? 1 : 0;
    };
    switch (form.Kind) {
    case SchedKind::Once:
        record.SchedYear = static_cast<std::uint16_t>(Number(form.OnceYear).value_or(0));
        record.SchedMonth = static_cast<std::uint8_t>(std::clamp(form.OnceMonth, 1, 12));
        record.SchedDay = static_cast<std::uint8_t>(Number(form.OnceDay).value_or(0));
        storeTime(form.OnceTime);
        break;
    case SchedKind::Hourly:
        record.SchedPastHour = static_cast<std::uint8_t>(Number(form.HourlyMinutes).value_or(0));
        break;
    case SchedKind::Daily:
        storeTime(form.DailyTime);
        break;
    case SchedKind::Weekly:
        storeTime(form.WeeklyTime);
        record.SchedWeekday = static_cast<std::uint8_t>(std::clamp(form.Weekday, 1, 7));
        break;
    case SchedKind::Monthly:
        record.SchedDay = static_cast<std::uint8_t>(Number(form.MonthlyDay).value_or(0));
        storeTime(form.MonthlyTime);
        break;
    case SchedKind::EveryMinutes:
        record.SchedInterval = static_cast<std::uint16_t>(Number(form.EveryMinutes).value_or(0));
        break;
    case SchedKind::AtStartup:
        break;
    }
}

std::optional<std::uint16_t> ReadTimerInterval(std::string_view text) {
    const std::optional<long> seconds = Number(text);
    if (!seconds || *seconds < 1 || *seconds > 60) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*seconds);
}

} // namespace orvane
