// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/PointerSynth.h"

#include "platform/linux/MouseTranslation.h"

namespace orvane {
// XInput's headers (pulled in by XTest's) define Absolute as a macro.
inline constexpr std::uint32_t AbsoluteMoveFlag = MouseFlag::Absolute;
} // namespace orvane

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace orvane {

void PointerSynth::Button(unsigned button, bool down) {
    XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
    held_[button] = down;
}

void PointerSynth::Post(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data) {
    Display* d = display_;
    // The order Windows applies the parts of one event in: move, buttons, wheel.
    if ((flags & MouseFlag::Move) != 0) {
        if ((flags & AbsoluteMoveFlag) != 0) {
            const ScreenSize size = Screen();
            XTestFakeMotionEvent(d, DefaultScreen(d), PixelOfAbsolute(dx, size.Width),
                                 PixelOfAbsolute(dy, size.Height), CurrentTime);
        } else {
            XTestFakeRelativeMotionEvent(d, dx, dy, CurrentTime);
        }
    }
    const struct {
        std::uint32_t Flag;
        unsigned Button;
        bool Down;
    } buttons[] = {
        {MouseFlag::LeftDown, 1, true},   {MouseFlag::LeftUp, 1, false},
        {MouseFlag::RightDown, 3, true},  {MouseFlag::RightUp, 3, false},
        {MouseFlag::MiddleDown, 2, true}, {MouseFlag::MiddleUp, 2, false},
    };
    for (const auto& b : buttons) {
        if ((flags & b.Flag) != 0) {
            Button(b.Button, b.Down);
        }
    }
    if ((flags & MouseFlag::Wheel) != 0) {
        const WheelClicks clicks = WheelClicksOf(data);
        for (int i = 0; i < clicks.Count; ++i) {
            XTestFakeButtonEvent(d, clicks.Button, True, CurrentTime);
            XTestFakeButtonEvent(d, clicks.Button, False, CurrentTime);
        }
    }
}

void PointerSynth::ReleaseAll() {
    for (std::size_t b = 0; b < held_.size(); ++b) {
        if (held_[b]) {
            Button(static_cast<unsigned>(b), false);
        }
    }
}

ScreenSize PointerSynth::Screen() const {
    Display* d = display_;
    return {DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d))};
}

} // namespace orvane
