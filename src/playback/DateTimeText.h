// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WallClock.h"

#include <string>

namespace orvane {

// The text a date tag types: the date `dayOffset` days from `now` (negative for the past) in
// the format DateFormatNames[formatIndex], with fixed English month and day names. With
// `leadingZeros` day and month take two digits and the year four; without, day and month take
// as many as they need. An index outside the table gives an empty text.
std::string FormatDate(int formatIndex, bool leadingZeros, int dayOffset, const LocalDateTime& now);

// The text a time tag types: TimeFormatNames[formatIndex] of `now`. Minutes and seconds always
// take two digits; `leadingZeros` decides only whether the hour does. The formats ending in
// "am", "AM" or "a" use the 12-hour clock (0 is 12, noon is 12 pm).
std::string FormatTime(int formatIndex, bool leadingZeros, const LocalDateTime& now);

} // namespace orvane
