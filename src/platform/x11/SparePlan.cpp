// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/SparePlan.h"

#include <algorithm>

namespace orvane {

void SparePlan::Announce(std::vector<Keysym> sequence) {
    sequence_ = std::move(sequence);
    cursor_ = 0;
}

std::vector<Keysym> SparePlan::ChunkFor(Keysym needed, std::size_t capacity) {
    std::vector<Keysym> chunk;
    if (capacity == 0) {
        return chunk;
    }
    chunk.push_back(needed);
    auto at = std::find(sequence_.begin() + static_cast<std::ptrdiff_t>(cursor_), sequence_.end(),
                        needed);
    if (at == sequence_.end()) {
        at = std::find(sequence_.begin(), sequence_.end(), needed);
    }
    if (at == sequence_.end()) {
        return chunk;
    }
    cursor_ = static_cast<std::size_t>(at - sequence_.begin());
    for (auto it = at; it != sequence_.end() && chunk.size() < capacity; ++it) {
        if (std::find(chunk.begin(), chunk.end(), *it) == chunk.end()) {
            chunk.push_back(*it);
        }
    }
    return chunk;
}

void SparePlan::Consume(Keysym typed) {
    if (cursor_ < sequence_.size() && sequence_[cursor_] == typed) {
        ++cursor_;
    }
}

} // namespace orvane
