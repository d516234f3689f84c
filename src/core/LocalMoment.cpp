// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LocalMoment.h"

#include <chrono>
#include <ctime>

namespace orvane {
namespace {

using namespace std::chrono;

year_month_day DateOf(std::int64_t dayNumber) {
    return year_month_day{sys_days{days{dayNumber}}};
}

} // namespace

LocalMoment LocalMoment::From(int y, int mo, int d, int h, int mi, int s, int ms) {
    // Normalise the month first so that month 13 or 0 rolls into the neighbouring year.
    int month0 = mo - 1;
    int yearValue = y + month0 / 12;
    month0 %= 12;
    if (month0 < 0) {
        month0 += 12;
        --yearValue;
    }
    const sys_days first =
        sys_days{year{yearValue} / month{static_cast<unsigned>(month0 + 1)} / day{1}};
    const std::int64_t dayNumber = first.time_since_epoch().count() + (d - 1);
    return LocalMoment(dayNumber * MsPerDay + h * MsPerHour + mi * MsPerMinute + s * MsPerSecond +
                       ms);
}

LocalMoment LocalMoment::Now() {
    const auto now = system_clock::now();
    const auto wholeSeconds = floor<seconds>(now);
    const std::time_t t = system_clock::to_time_t(wholeSeconds);
    std::tm local{};
    ::localtime_r(&t, &local);
    return From(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec,
                static_cast<int>(duration_cast<milliseconds>(now - wholeSeconds).count()));
}

std::int64_t LocalMoment::DayNumber() const {
    std::int64_t dayNumber = ms_ / MsPerDay;
    if (ms_ % MsPerDay < 0) {
        --dayNumber;
    }
    return dayNumber;
}

int LocalMoment::Year() const {
    return static_cast<int>(DateOf(DayNumber()).year());
}

int LocalMoment::Month() const {
    return static_cast<int>(static_cast<unsigned>(DateOf(DayNumber()).month()));
}

int LocalMoment::Day() const {
    return static_cast<int>(static_cast<unsigned>(DateOf(DayNumber()).day()));
}

int LocalMoment::Weekday() const {
    return static_cast<int>(weekday{sys_days{days{DayNumber()}}}.c_encoding()) + 1;
}

int LocalMoment::DaysInMonth(int y, int mo) {
    if (mo < 1 || mo > 12) {
        return 0;
    }
    const year_month_day_last last{year{y} / month{static_cast<unsigned>(mo)} / std::chrono::last};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

} // namespace orvane
