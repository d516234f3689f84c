// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/Waits.h"

#include <chrono>
#include <cmath>

namespace orvane {
namespace {

// A speed factor written with an exponent can ask for absurd waits; a day is as long as any
// macro means to wait, and keeps the conversion to clock ticks defined.
constexpr double LongestWaitSeconds = 24.0 * 3600.0;

} // namespace

void Waits::PauseFor(double seconds) {
    if (state_.SpeedFactor == 0) {
        return;
    }
    WaitFor(state_.SpeedFactor * seconds);
}

void Waits::PauseForNoSpeed(double seconds) {
    WaitFor(seconds);
}

void Waits::DelayFor(int milliseconds) {
    if (state_.SpeedFactor == 0) {
        return;
    }
    const double scaled = std::trunc(state_.SpeedFactor * milliseconds);
    WaitFor(scaled / 1000.0);
}

void Waits::WaitFor(double seconds) {
    pump_.ServePending();
    if (!(seconds > 0)) {
        return;
    }
    if (seconds > LongestWaitSeconds) {
        seconds = LongestWaitSeconds;
    }
    const auto duration = std::chrono::duration_cast<EventPump::TimePoint::duration>(
        std::chrono::duration<double>(seconds));
    pump_.WaitUntil(pump_.Now() + duration);
}

} // namespace orvane
