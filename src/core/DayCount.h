// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/LocalDateTime.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace orvane {

// Date-times stored in macro records (`LastModified`) are a double: whole days since
// 30 December 1899, the fraction the time of day, in local wall-clock time. Before that day the
// whole part counts backwards while the fraction still adds time of day (-1.25 is
// 29 December 1899 06:00), which is how existing files encode such dates.

// The stored value of a local date-time. Fields out of their range roll over as a calendar
// would (month 13 is January of the next year).
double LocalDateTimeToDays(const LocalDateTime& dateTime);

// The local date-time of a stored value, to the millisecond; nothing for values that are not a
// date (NaN, infinities, or beyond the years 1..9999).
std::optional<LocalDateTime> DaysToLocalDateTime(double days);

// The stored value of a moment, in this computer's time zone.
double TimePointToDays(std::chrono::system_clock::time_point moment);

// The moment a stored value names in this computer's time zone; nothing for values that are no
// date. A wall-clock time that occurs twice at a daylight-saving change gives one of the two.
std::optional<std::chrono::system_clock::time_point> DaysToTimePoint(double days);

// The stored value of the present moment.
double NowAsDays();

} // namespace orvane
