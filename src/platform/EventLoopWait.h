// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

namespace orvane {

// Waits inside the program's event loop until `done` holds or `deadline` has passed, and says
// whether it holds. Other events are served meanwhile (the caller may be re-entered), and the
// wait sleeps until the next event: `done` is asked again after each. A backend whose answer
// arrives on a connection of its own (X, Wayland, a compositor's socket) has that connection
// watched by the event loop, so its events wake the wait.
using EventLoopWait = std::function<bool(const std::function<bool()>& done,
                                         std::chrono::steady_clock::time_point deadline)>;

} // namespace orvane
