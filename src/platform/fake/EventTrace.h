// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace orvane {

// What the fake backends were asked to do, in order, one readable entry per event or call, so a
// test compares one string: "+SHIFT +A -A -SHIFT wait:500ms clipboard:hello". Fakes share one
// trace when a test wants their events interleaved.
class EventTrace {
public:
    void Add(std::string entry) { entries_.push_back(std::move(entry)); }
    void Clear() { entries_.clear(); }
    const std::vector<std::string>& Entries() const { return entries_; }

    // The entries joined by single blanks.
    std::string Text() const;

private:
    std::vector<std::string> entries_;
};

} // namespace orvane
