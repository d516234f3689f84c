// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/DateTimeText.h"

#include "script/ScriptReader.h"

#include <array>
#include <chrono>
#include <string_view>

namespace orvane {
namespace {

constexpr std::array<std::string_view, 12> MonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> DayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};

// The first four date formats from this index on name the day of the week.
constexpr int FirstDayOfWeekFormat = 47;

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
    }
    return out;
}

std::string Padded(int value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

bool TakeToken(std::string_view name, std::size_t& at, std::string_view token) {
    if (name.substr(at).starts_with(token)) {
        at += token.size();
        return true;
    }
    return false;
}

} // namespace

std::string FormatDate(int formatIndex, bool leadingZeros, int dayOffset,
                       const LocalDateTime& now) {
    if (formatIndex < 0 || formatIndex >= static_cast<int>(DateFormatNames.size())) {
        return {};
    }
    using namespace std::chrono;
    const sys_days base = year_month_day{year{now.Year}, month{static_cast<unsigned>(now.Month)},
                                         day{static_cast<unsigned>(now.Day)}};
    const sys_days when = base + days{dayOffset};
    const year_month_day date{when};
    const int dayOfMonth = static_cast<int>(static_cast<unsigned>(date.day()));
    const int monthNumber = static_cast<int>(static_cast<unsigned>(date.month()));
    const int yearNumber = static_cast<int>(date.year());

    if (formatIndex >= FirstDayOfWeekFormat) {
        const std::string_view dayName = DayNames[weekday{when}.c_encoding()];
        switch (formatIndex - FirstDayOfWeekFormat) {
        case 0:
            return std::string(dayName.substr(0, 3));
        case 1:
            return Upper(dayName.substr(0, 3));
        case 2:
            return std::string(dayName);
        default:
            return Upper(dayName);
        }
    }

    const std::string_view monthName = MonthNames[static_cast<std::size_t>(monthNumber - 1)];
    const std::string_view name = DateFormatNames[static_cast<std::size_t>(formatIndex)];
    const std::size_t dayMonthWidth = leadingZeros ? 2 : 1;
    std::string out;
    std::size_t at = 0;
    while (at < name.size()) {
        if (TakeToken(name, at, "Mmmmm")) {
            out += monthName;
        } else if (TakeToken(name, at, "YYYY")) {
            out += Padded(yearNumber, leadingZeros ? 4 : 1);
        } else if (TakeToken(name, at, "MMM")) {
            out += Upper(monthName.substr(0, 3));
        } else if (TakeToken(name, at, "Mmm")) {
            out += monthName.substr(0, 3);
        } else if (TakeToken(name, at, "YY")) {
            out += Padded(((yearNumber % 100) + 100) % 100, 2);
        } else if (TakeToken(name, at, "MM")) {
            out += Padded(monthNumber, dayMonthWidth);
        } else if (TakeToken(name, at, "DD")) {
            out += Padded(dayOfMonth, dayMonthWidth);
        } else {
            out += name[at++];
        }
    }
    return out;
}

std::string FormatTime(int formatIndex, bool leadingZeros, const LocalDateTime& now) {
    if (formatIndex < 0 || formatIndex >= static_cast<int>(TimeFormatNames.size())) {
        return {};
    }
    const std::string_view name = TimeFormatNames[static_cast<std::size_t>(formatIndex)];
    const bool twelveHour = name.ends_with("am") || name.ends_with("AM") || name.ends_with("a");
    int hour = now.Hour;
    if (twelveHour) {
        hour = hour % 12 == 0 ? 12 : hour % 12;
    }
    const bool morning = now.Hour < 12;
    std::string out;
    std::size_t at = 0;
    while (at < name.size()) {
        if (TakeToken(name, at, "hh")) {
            out += Padded(hour, leadingZeros ? 2 : 1);
        } else if (TakeToken(name, at, "mm")) {
            out += Padded(now.Minute, 2);
        } else if (TakeToken(name, at, "ss")) {
            out += Padded(now.Second, 2);
        } else if (TakeToken(name, at, "am")) {
            out += morning ? "am" : "pm";
        } else if (TakeToken(name, at, "AM")) {
            out += morning ? "AM" : "PM";
        } else if (TakeToken(name, at, "a")) {
            out += morning ? "a" : "p";
        } else {
            out += name[at++];
        }
    }
    return out;
}

} // namespace orvane
