// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fake/FakeEventPump.h"

#include <algorithm>
#include <cstdio>

namespace orvane {
namespace {

std::string WaitEntry(std::chrono::nanoseconds length) {
    const double ms = std::chrono::duration<double, std::milli>(length).count();
    char text[48];
    std::snprintf(text, sizeof text, "wait:%gms", ms);
    return text;
}

} // namespace

// The fake clock starts at an arbitrary non-zero moment so nothing relies on a zero epoch.
FakeEventPump::FakeEventPump(EventTrace* trace)
    : trace_(trace), start_(TimePoint(std::chrono::hours(1000))), now_(start_) {}

void FakeEventPump::RunDueTimed() {
    // Actions may schedule more actions, so take the due ones out before running them.
    for (;;) {
        const auto due = std::find_if(timed_.begin(), timed_.end(),
                                      [&](const Timed& t) { return t.When <= now_; });
        if (due == timed_.end()) {
            return;
        }
        const Action run = std::move(due->Run);
        timed_.erase(due);
        run();
    }
}

void FakeEventPump::ServePending() {
    ++serves_;
    RunDueTimed();
    std::vector<Action> due;
    for (auto it = counted_.begin(); it != counted_.end();) {
        if (it->Serve == serves_) {
            due.push_back(std::move(it->Run));
            it = counted_.erase(it);
        } else {
            ++it;
        }
    }
    for (const Action& run : due) {
        run();
    }
    if (everyServe_) {
        everyServe_();
    }
}

void FakeEventPump::WaitUntil(TimePoint deadline) {
    if (deadline > now_) {
        waits_.push_back(deadline - now_);
        if (trace_ != nullptr) {
            trace_->Add(WaitEntry(deadline - now_));
        }
    }
    // Pass the injected moments in order, as a real wait would handle them as they come.
    for (;;) {
        auto next =
            std::min_element(timed_.begin(), timed_.end(),
                             [](const Timed& a, const Timed& b) { return a.When < b.When; });
        if (next == timed_.end() || next->When > deadline) {
            break;
        }
        now_ = std::max(now_, next->When);
        RunDueTimed();
    }
    now_ = std::max(now_, deadline);
}

void FakeEventPump::At(std::chrono::milliseconds at, Action action) {
    timed_.push_back({start_ + at, std::move(action)});
}

void FakeEventPump::AtServe(std::size_t serveNumber, Action action) {
    counted_.push_back({serveNumber, std::move(action)});
}

} // namespace orvane
