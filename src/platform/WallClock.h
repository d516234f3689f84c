// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane {

// A moment of the local wall clock, broken down as the user reads it.
struct LocalDateTime {
    int Year = 1970;
    int Month = 1; // 1..12
    int Day = 1;   // 1..31
    int Hour = 0;  // 0..23
    int Minute = 0;
    int Second = 0;
};

// The local date and time of day: what date and time tags type and what the scheduler compares
// against. Unlike EventPump::Now it follows changes of the wall clock and the time zone.
class WallClock {
public:
    virtual ~WallClock() = default;

    // The current local date and time; never fails.
    virtual LocalDateTime LocalNow() = 0;
};

} // namespace orvane
