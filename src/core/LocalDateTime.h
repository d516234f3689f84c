// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane {

// A moment of the local wall clock, broken down as the user reads it: what the clock tells
// (WallClock), what date and time tags type, and what stored day counts stand for. The
// default is day 0 of the stored day count, 30 December 1899.
struct LocalDateTime {
    int Year = 1899;
    int Month = 12; // 1..12
    int Day = 30;   // 1..31
    int Hour = 0;   // 0..23
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

} // namespace orvane
