// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/wayland/OutputLayout.h"

#include <array>
#include <cstdint>

struct zwlr_virtual_pointer_v1;

namespace orvane {

class WaylandConnection;

// One virtual pointer of the seat. Each call is one pointer frame; requests are queued on the
// connection and the caller flushes.
class VirtualPointer {
public:
    explicit VirtualPointer(WaylandConnection& connection);
    ~VirtualPointer();
    VirtualPointer(const VirtualPointer&) = delete;
    VirtualPointer& operator=(const VirtualPointer&) = delete;

    // To a point of the layout `box` (the bounding box of the outputs).
    void MoveTo(const LayoutBox& box, LayoutPoint point);
    void MoveBy(int dx, int dy);
    // `button` is a Linux input button code (BTN_LEFT...).
    void Button(std::uint32_t button, bool down);
    // Wheel notches: positive rolls forward (away from the user, scrolling up).
    void Wheel(int notches);
    // Releases every button still held by this object.
    void ReleaseAll();

private:
    WaylandConnection& connection_;
    zwlr_virtual_pointer_v1* pointer_ = nullptr;
    std::array<bool, 3> held_{}; // left, right, middle
};

} // namespace orvane
