// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace orvane {

// The program's one event loop, seen from the logic. Playback serves it after every step and
// waits inside it, so timers, hook messages and the abort request are handled while a macro
// plays. Waiting never spins: the real pump blocks until the next event or the deadline.
class EventPump {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~EventPump() = default;

    // Handles every event already pending, then returns.
    virtual void ServePending() = 0;

    // Handles events as they come until `deadline` has passed; returns no earlier than that.
    virtual void WaitUntil(TimePoint deadline) = 0;

    // A monotonic clock: unaffected by changes of the wall clock and by midnight.
    virtual TimePoint Now() = 0;
};

} // namespace orvane
