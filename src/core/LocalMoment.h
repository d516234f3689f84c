// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace orvane {

// A moment as the local wall clock shows it, in milliseconds since 1 January 1970 on the local
// calendar (not UTC): the scheduler compares schedules, which are written in local time, with
// it. A daylight-saving change looks like the clock being set forward or back.
class LocalMoment {
public:
    static constexpr std::int64_t MsPerSecond = 1000;
    static constexpr std::int64_t MsPerMinute = 60 * MsPerSecond;
    static constexpr std::int64_t MsPerHour = 60 * MsPerMinute;
    static constexpr std::int64_t MsPerDay = 24 * MsPerHour;

    constexpr LocalMoment() = default;
    constexpr explicit LocalMoment(std::int64_t ms) : ms_(ms) {}

    // Fields outside their range roll over as a calendar would (day 32 is the next month's 1st).
    static LocalMoment From(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0, int millisecond = 0);
    // The start (00:00) of a day number.
    static LocalMoment StartOfDay(std::int64_t dayNumber) {
        return LocalMoment(dayNumber * MsPerDay);
    }
    // This computer's clock, now.
    static LocalMoment Now();

    std::int64_t Ms() const { return ms_; }
    // Whole days since 1 January 1970.
    std::int64_t DayNumber() const;
    // Milliseconds since midnight, 0..86399999.
    std::int64_t TimeOfDay() const { return ms_ - DayNumber() * MsPerDay; }

    int Year() const;
    int Month() const; // 1..12
    int Day() const;   // 1..31
    int Hour() const { return static_cast<int>(TimeOfDay() / MsPerHour); }
    int Minute() const { return static_cast<int>(TimeOfDay() / MsPerMinute % 60); }
    int Second() const { return static_cast<int>(TimeOfDay() / MsPerSecond % 60); }
    int Millisecond() const { return static_cast<int>(TimeOfDay() % MsPerSecond); }
    int Weekday() const; // 1 = Sunday .. 7 = Saturday

    // Days in a month of a year on the Gregorian calendar.
    static int DaysInMonth(int year, int month);

    // Plain operators rather than a defaulted <=>: Qt's moc cannot read <compare>, and dialog
    // headers include this one.
    friend constexpr bool operator==(LocalMoment a, LocalMoment b) { return a.ms_ == b.ms_; }
    friend constexpr bool operator!=(LocalMoment a, LocalMoment b) { return a.ms_ != b.ms_; }
    friend constexpr bool operator<(LocalMoment a, LocalMoment b) { return a.ms_ < b.ms_; }
    friend constexpr bool operator<=(LocalMoment a, LocalMoment b) { return a.ms_ <= b.ms_; }
    friend constexpr bool operator>(LocalMoment a, LocalMoment b) { return a.ms_ > b.ms_; }
    friend constexpr bool operator>=(LocalMoment a, LocalMoment b) { return a.ms_ >= b.ms_; }

private:
    std::int64_t ms_ = 0;
};

} // namespace orvane
