// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/LocalDateTime.h"

namespace orvane {

// The local date and time of day: what date and time tags type and what the scheduler compares
// against. Unlike EventPump::Now it follows changes of the wall clock and the time zone.
class WallClock {
public:
    virtual ~WallClock() = default;

    // The current local date and time; never fails.
    virtual LocalDateTime LocalNow() = 0;
};

} // namespace orvane
