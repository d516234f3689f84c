// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/SynthFence.h"

namespace orvane {

void SynthFence::BatchStarts(std::uint32_t lastFence) {
    pending_ = true;
    awaited_ = lastFence;
}

void SynthFence::BatchEnds(std::uint32_t lastFence) {
    // The batch's events are ours until fence number `lastFence` has been seen.
    awaited_ = lastFence > 0 ? lastFence - 1 : 0;
    pending_ = pending_ && lastFence > 0 && seen_ <= awaited_;
}

void SynthFence::FenceSeen() {
    ++seen_;
    if (pending_ && seen_ > awaited_) {
        pending_ = false;
    }
}

} // namespace orvane
