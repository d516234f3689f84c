// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/VirtualPointer.h"

#include "platform/wayland/VirtualKeyboard.h"
#include "platform/wayland/WaylandConnection.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <linux/input-event-codes.h>

#include <algorithm>

namespace orvane {

namespace {

// The scroll distance of one wheel notch, as a mouse wheel reports it (15 degrees).
constexpr double NotchDistance = 15.0;

int HeldIndex(std::uint32_t button) {
    switch (button) {
    case BTN_LEFT:
        return 0;
    case BTN_RIGHT:
        return 1;
    case BTN_MIDDLE:
        return 2;
    default:
        return -1;
    }
}

} // namespace

VirtualPointer::VirtualPointer(WaylandConnection& connection) : connection_(connection) {
    pointer_ = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(connection.PointerManager(),
                                                                      connection.Seat());
}

VirtualPointer::~VirtualPointer() {
    zwlr_virtual_pointer_v1_destroy(pointer_);
}

void VirtualPointer::MoveTo(const LayoutBox& box, LayoutPoint point) {
    if (box.Width <= 0 || box.Height <= 0) {
        return;
    }
    // The compositor spreads 0..extent over the whole layout: a point's offset in the box with
    // the box's size as extent lands on that point.
    const auto x = static_cast<std::uint32_t>(std::clamp(point.X - box.X, 0, box.Width - 1));
    const auto y = static_cast<std::uint32_t>(std::clamp(point.Y - box.Y, 0, box.Height - 1));
    zwlr_virtual_pointer_v1_motion_absolute(pointer_, InputTime(), x, y,
                                            static_cast<std::uint32_t>(box.Width),
                                            static_cast<std::uint32_t>(box.Height));
    zwlr_virtual_pointer_v1_frame(pointer_);
}

void VirtualPointer::MoveBy(int dx, int dy) {
    zwlr_virtual_pointer_v1_motion(pointer_, InputTime(), wl_fixed_from_int(dx),
                                   wl_fixed_from_int(dy));
    zwlr_virtual_pointer_v1_frame(pointer_);
}

void VirtualPointer::Button(std::uint32_t button, bool down) {
    zwlr_virtual_pointer_v1_button(pointer_, InputTime(), button,
                                   down ? WL_POINTER_BUTTON_STATE_PRESSED
                                        : WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(pointer_);
    if (const int index = HeldIndex(button); index >= 0) {
        held_[static_cast<std::size_t>(index)] = down;
    }
}

void VirtualPointer::Wheel(int notches) {
    if (notches == 0) {
        return;
    }
    // Wayland's vertical axis grows downwards: a forward roll is negative.
    const int steps = -notches;
    zwlr_virtual_pointer_v1_axis_source(pointer_, WL_POINTER_AXIS_SOURCE_WHEEL);
    zwlr_virtual_pointer_v1_axis_discrete(pointer_, InputTime(), WL_POINTER_AXIS_VERTICAL_SCROLL,
                                          wl_fixed_from_double(steps * NotchDistance), steps);
    zwlr_virtual_pointer_v1_frame(pointer_);
}

void VirtualPointer::ReleaseAll() {
    constexpr std::uint32_t buttons[] = {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE};
    for (std::size_t i = 0; i < held_.size(); ++i) {
        if (held_[i]) {
            Button(buttons[i], false);
        }
    }
}

} // namespace orvane
