// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/LocalMoment.h"
#include "core/Schedule.h"

#include <array>
#include <cstdint>
#include <optional>

namespace orvane {

struct MacroRecord;

// One active timed macro's schedule in the timer table.
struct TimerEntry {
    int Macro = 0; // record number
    SchedKind Kind = SchedKind::Daily;
    std::array<std::uint8_t, 7> Days{}; // Monday first
    std::uint8_t Month = 0;
    std::uint8_t Day = 0;
    std::uint8_t PastHour = 0;
    std::uint16_t Interval = 0; // minutes
    std::uint8_t Weekday = 0;   // 1 = Sunday
    std::uint16_t Year = 0;
    std::int64_t TimeOfDay = 0; // milliseconds after midnight
    // Every n minutes: the moment the interval counts from (the table's build, then each run).
    LocalMoment LastRun;

    static TimerEntry From(int macro, const MacroRecord& record, LocalMoment now);

    // The latest moment at or before `now` at which a fixed-time entry is scheduled, looking
    // back no further than `notBefore` (exclusive); nothing when none lies in between or for
    // start-up and every-n-minutes entries.
    std::optional<LocalMoment> LatestMoment(LocalMoment notBefore, LocalMoment now) const;
};

} // namespace orvane
