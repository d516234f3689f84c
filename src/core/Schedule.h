// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/LocalMoment.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

struct MacroRecord;

// `SchedKind` of a timed macro's record.
enum class SchedKind : std::int16_t {
    AtStartup = 0,
    Once = 1,
    Hourly = 2,
    Daily = 3,
    Weekly = 4,
    Monthly = 5,
    EveryMinutes = 6, // "O&ther": every n minutes
};

inline constexpr std::array<std::string_view, 12> MonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
// 1 = Sunday is index 0.
inline constexpr std::array<std::string_view, 7> WeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// The time of day of a 12-hour clock time, in milliseconds after midnight: 12 PM is noon,
// h PM (h != 12) is h + 12, 12 AM is midnight, otherwise h. Hours above 23 are taken as 0.
std::int64_t ScheduleTimeOfDay(std::uint8_t hour, std::uint8_t minute, bool pm);

// The schedule as one line of text, e.g. "Daily at 9:05AM,Mon,Fri"; month and weekday numbers
// out of range are shown as "?".
std::string GetSched(const MacroRecord& record);

// The schedule of a new timed macro: Daily on every day at 12:00 PM; today's date, minute 15
// past the hour, every 15 minutes and today's weekday for the other kinds.
void DefaultTimer(MacroRecord& record, LocalMoment today);

} // namespace orvane
