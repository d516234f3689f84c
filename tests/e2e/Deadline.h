// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <chrono>
#include <thread>

namespace orvane::e2e {

// How long the harness waits for anything by default. Generous on purpose: a loaded machine running
// several displays at once must never turn a slow start into a failure; waits end as soon as their
// condition holds, so the limit costs nothing when things work.
inline constexpr std::chrono::milliseconds kDefaultTimeout{30000};

// A moment on the steady clock that waits count down to.
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds timeout)
        : end_(std::chrono::steady_clock::now() + timeout) {}

    bool Passed() const { return std::chrono::steady_clock::now() >= end_; }

    // Milliseconds left, rounded up so that poll() never returns early with time still left;
    // 0 once the deadline has passed.
    int RemainingMs() const {
        auto left = end_ - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) {
            return 0;
        }
        auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        return static_cast<int>(std::min<long long>(ms, 1 << 30));
    }

private:
    std::chrono::steady_clock::time_point end_;
};

// Checks `condition` until it holds or `timeout` passes; true when it held. For conditions that
// nothing announces (a file written by another process, a window another program maps): those
// that can be waited on in poll() wait there instead.
template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds timeout = kDefaultTimeout,
             std::chrono::milliseconds every = std::chrono::milliseconds(20)) {
    const Deadline deadline(timeout);
    while (!condition()) {
        if (deadline.Passed()) {
            return false;
        }
        std::this_thread::sleep_for(every);
    }
    return true;
}

} // namespace orvane::e2e
