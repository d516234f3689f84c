// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace orvane {

// The root-window property (INTEGER, one 32-bit serial) the input synthesizer ends a batch with.
inline constexpr const char* SynthFenceProperty = "_ORVANE_SYNTH_FENCE";

// Which events of the XTEST devices are the program's own, as the hook backend sees them. The
// XTEST devices are shared by every program that synthesizes input (xdotool, on-screen
// keyboards), so their events count as ours only during our batches: the input synthesizer
// announces a batch, and ends it by an XSync and a change of the root-window property
// "_ORVANE_SYNTH_FENCE" from its own connection; its fences are numbered 1, 2, ... Events sent
// before a fence reach the observer before that fence's PropertyNotify.
//
// idle (XTEST events are someone else's) -> BatchStarts -> ours -> BatchEnds -> ours until the
// batch's fence is seen -> idle. A batch that wrote no fence ends at once.
class SynthFence {
public:
    // A batch is about to be sent; `lastFence` is the number of the synthesizer's last fence
    // (0 before the first): events are ours until a later fence is seen.
    void BatchStarts(std::uint32_t lastFence);
    // The batch has been sent; `lastFence` is the number of the synthesizer's last fence now.
    void BatchEnds(std::uint32_t lastFence);
    // The fence property changed (one more fence seen).
    void FenceSeen();

    // Fence number `fence` (0: none) has been seen.
    bool Seen(std::uint32_t fence) const { return seen_ >= fence; }

    // Events of the XTEST devices are ours now.
    bool Pending() const { return pending_; }

private:
    bool pending_ = false;
    std::uint32_t awaited_ = 0; // ours until more than this many fences have been seen
    std::uint32_t seen_ = 0;
};

} // namespace orvane
