// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventPump.h"

#include <functional>

namespace orvane {

// The event pump on the Qt event loop of the one user-interface thread (a QCoreApplication
// must exist). Waits block in a nested event loop until a precise timer at the deadline ends
// it: no polling, no CPU while nothing happens.
class QtEventPump final : public EventPump {
public:
    // `beforeWait`, when given, runs each time a wait is about to block; the composition root
    // ends the batch of synthesized input there.
    // `beforeServe`, when given, runs each time pending events are served (between the steps of
    // a macro); it sends the input synthesized so far.
    explicit QtEventPump(std::function<void()> beforeWait = {},
                         std::function<void()> beforeServe = {});

    void ServePending() override;
    void WaitUntil(TimePoint deadline) override;
    TimePoint Now() override;

    // Serves events as they come until `done` holds (asked after each batch of events) or
    // `deadline` has passed; true when it holds. Sleeps in the event loop between events.
    bool WaitFor(const std::function<bool()>& done, TimePoint deadline);

private:
    std::function<void()> beforeWait_;
    std::function<void()> beforeServe_;
    TimePoint nextServe_{};
};

} // namespace orvane
