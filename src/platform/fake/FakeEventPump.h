// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventPump.h"
#include "platform/fake/EventTrace.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

namespace orvane {

// An event pump on a fake monotonic clock. WaitUntil records the wait ("wait:500ms" in the
// trace) and moves the clock to the deadline at once, so waits cost no time. Tests inject
// events: at a moment of the fake clock (run while a wait passes that moment, or by the first
// serve after it) or at the n-th serve.
class FakeEventPump : public EventPump {
public:
    using Action = std::function<void()>;

    explicit FakeEventPump(EventTrace* trace = nullptr);

    void ServePending() override;
    void WaitUntil(TimePoint deadline) override;
    TimePoint Now() override { return now_; }

    // Runs `action` once the clock has reached Start() + `at`.
    void At(std::chrono::milliseconds at, Action action);
    // Runs `action` during the `serveNumber`-th call of ServePending (1-based).
    void AtServe(std::size_t serveNumber, Action action);
    // Runs `action` during every call of ServePending.
    void EveryServe(Action action) { everyServe_ = std::move(action); }

    TimePoint Start() const { return start_; }
    std::chrono::nanoseconds Elapsed() const { return now_ - start_; }
    std::size_t ServeCount() const { return serves_; }
    // Every wait's length, in order.
    const std::vector<std::chrono::nanoseconds>& Waits() const { return waits_; }

private:
    struct Timed {
        TimePoint When;
        Action Run;
    };
    struct Counted {
        std::size_t Serve;
        Action Run;
    };
    void RunDueTimed();

    EventTrace* trace_;
    TimePoint start_;
    TimePoint now_;
    std::size_t serves_ = 0;
    std::vector<Timed> timed_;
    std::vector<Counted> counted_;
    Action everyServe_;
    std::vector<std::chrono::nanoseconds> waits_;
};

} // namespace orvane
