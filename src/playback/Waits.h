// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventPump.h"
#include "playback/PlaybackState.h"

namespace orvane {

// The waits of playback. Each serves events at least once and then blocks in the event pump
// until its deadline (never spinning), measured on the monotonic clock, so a change of the wall
// clock or midnight does not matter. An abort request that arrives during a wait takes effect
// at the next step, after the wait.
class Waits {
public:
    Waits(EventPump& pump, const PlaybackState& state) : pump_(pump), state_(state) {}

    // SpeedFactor x seconds; nothing at all when SpeedFactor is 0.
    void PauseFor(double seconds);

    // Exactly `seconds`, whatever the speed factor.
    void PauseForNoSpeed(double seconds);

    // The short wait of the keystroke and mouse delays and "<MSD:": SpeedFactor x ms truncated
    // to whole milliseconds; nothing at all when SpeedFactor is 0.
    void DelayFor(int milliseconds);

private:
    void WaitFor(double seconds);

    EventPump& pump_;
    const PlaybackState& state_;
};

} // namespace orvane
