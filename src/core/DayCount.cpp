// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DayCount.h"

#include "core/LocalMoment.h"

#include <cmath>
#include <ctime>

namespace orvane {
namespace {

using namespace std::chrono;

constexpr sys_days Epoch = sys_days{year{1899} / December / 30};
constexpr std::int64_t MillisecondsPerDay = 86'400'000;

// Days 0001-01-01 and 9999-12-31 relative to the epoch: the range a stored date can name.
constexpr double FirstDay = -693'593.0;
constexpr double LastDay = 2'958'465.0;

std::int64_t DayNumber(int y, int m, int d) {
    return LocalMoment::From(y, m, d).DayNumber() - Epoch.time_since_epoch().count();
}

} // namespace

double LocalDateTimeToDays(const LocalDateTime& dt) {
    std::int64_t dayNumber = DayNumber(dt.Year, dt.Month, dt.Day);
    std::int64_t ms =
        ((static_cast<std::int64_t>(dt.Hour) * 60 + dt.Minute) * 60 + dt.Second) * 1000 +
        dt.Millisecond;
    dayNumber += ms / MillisecondsPerDay;
    ms %= MillisecondsPerDay;
    if (ms < 0) {
        ms += MillisecondsPerDay;
        --dayNumber;
    }
    const double fraction = static_cast<double>(ms) / static_cast<double>(MillisecondsPerDay);
    return dayNumber >= 0 ? static_cast<double>(dayNumber) + fraction
                          : static_cast<double>(dayNumber) - fraction;
}

std::optional<LocalDateTime> DaysToLocalDateTime(double days) {
    if (!std::isfinite(days) || days < FirstDay - 1.0 || days > LastDay + 1.0) {
        return std::nullopt;
    }
    const double whole = std::trunc(days);
    std::int64_t dayNumber = static_cast<std::int64_t>(whole);
    std::int64_t ms = std::llround(std::fabs(days - whole) * MillisecondsPerDay);
    if (ms >= MillisecondsPerDay) {
        // Rounding reached midnight: the next day forward in time.
        ms -= MillisecondsPerDay;
        ++dayNumber;
    }
    const year_month_day date{Epoch + std::chrono::days{dayNumber}};
    if (static_cast<int>(date.year()) < 1 || static_cast<int>(date.year()) > 9999) {
        return std::nullopt;
    }
    LocalDateTime dt;
    dt.Year = static_cast<int>(date.year());
    dt.Month = static_cast<int>(static_cast<unsigned>(date.month()));
    dt.Day = static_cast<int>(static_cast<unsigned>(date.day()));
    dt.Millisecond = static_cast<int>(ms % 1000);
    dt.Second = static_cast<int>(ms / 1000 % 60);
    dt.Minute = static_cast<int>(ms / 60'000 % 60);
    dt.Hour = static_cast<int>(ms / 3'600'000);
    return dt;
}

double TimePointToDays(system_clock::time_point moment) {
    const auto wholeSeconds = floor<std::chrono::seconds>(moment);
    const std::time_t seconds = system_clock::to_time_t(wholeSeconds);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    const auto sinceSecond = duration_cast<milliseconds>(moment - wholeSeconds).count();
    LocalDateTime dt;
    dt.Year = local.tm_year + 1900;
    dt.Month = local.tm_mon + 1;
    dt.Day = local.tm_mday;
    dt.Hour = local.tm_hour;
    dt.Minute = local.tm_min;
    dt.Second = local.tm_sec;
    dt.Millisecond = static_cast<int>(sinceSecond);
    return LocalDateTimeToDays(dt);
}

std::optional<system_clock::time_point> DaysToTimePoint(double days) {
    const std::optional<LocalDateTime> dt = DaysToLocalDateTime(days);
    if (!dt) {
        return std::nullopt;
    }
    std::tm local{};
    local.tm_year = dt->Year - 1900;
    local.tm_mon = dt->Month - 1;
    local.tm_mday = dt->Day;
    local.tm_hour = dt->Hour;
    local.tm_min = dt->Minute;
    local.tm_sec = dt->Second;
    local.tm_isdst = -1; // let the time zone rules decide
    // Years 1..9999 are all representable with a 64-bit time_t.
    const std::time_t seconds = std::mktime(&local);
    return system_clock::from_time_t(seconds) + milliseconds(dt->Millisecond);
}

double NowAsDays() {
    return TimePointToDays(system_clock::now());
}

} // namespace orvane
