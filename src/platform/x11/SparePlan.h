// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/linux/VirtualKeys.h"

#include <cstddef>
#include <vector>

namespace orvane {

// The order in which a playback will need keysyms that only spare keycodes can type, so that
// keycodes are bound many at a time, each time for the keysyms needed next. Every rebinding
// costs the clients a keymap reload and us a pause, so the fewer the better: with 19 spare
// keycodes (Xvfb's keymap) a text of 120 different missing characters needs 7 rebindings
// instead of 120.
class SparePlan {
public:
    // The missing keysyms of the coming text, one per occurrence, in order.
    void Announce(std::vector<Keysym> sequence);

    // The keysyms to have bound when `needed` is not: `needed` first, then the distinct
    // keysyms that follow its next occurrence in the announced text, `capacity` in all. The
    // plan moves to that occurrence; it wraps around to the start (repeat blocks type text
    // again) and gives `needed` alone when the announced text does not hold it.
    std::vector<Keysym> ChunkFor(Keysym needed, std::size_t capacity);

    // `typed` was typed through a bound key: the plan moves past it when it is the next one.
    void Consume(Keysym typed);

private:
    std::vector<Keysym> sequence_;
    std::size_t cursor_ = 0;
};

} // namespace orvane
