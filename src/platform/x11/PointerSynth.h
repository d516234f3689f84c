// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputSynth.h"

#include <array>
#include <cstdint>

typedef struct _XDisplay Display;

namespace orvane {

// Mouse input through XTest: moves, buttons and wheel notches as one Windows mouse event has
// them, with the buttons it holds down remembered so that the way out can let them go. Nothing
// is flushed here.
class PointerSynth {
public:
    // `display` is not owned and must outlive this object.
    explicit PointerSynth(Display* display) : display_(display) {}

    // Button 1 left, 2 middle, 3 right, as X numbers them.
    void Button(unsigned button, bool down);
    // The parts of one mouse event (MouseFlag), in the order Windows applies them.
    void Post(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data);
    // Lets go of every button still held down.
    void ReleaseAll();

    ScreenSize Screen() const;

private:
    Display* display_;
    std::array<bool, 8> held_{};
};

} // namespace orvane
