// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowSystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Decoding of the window manager's and clients' properties, without a display.

// _NET_CLIENT_LIST_STACKING lists windows bottom to top; the window commands want them topmost
// first. Zero entries (never a window) are dropped.
std::vector<std::uint64_t> TopmostFirst(const std::vector<std::uint64_t>& bottomToTop);

// A STRING property (WM_NAME of older clients) is ISO 8859-1.
std::string Latin1ToUtf8(std::string_view latin1);

// _NET_FRAME_EXTENTS: the frame's width on each side of the client area.
struct FrameExtents {
    int Left = 0;
    int Right = 0;
    int Top = 0;
    int Bottom = 0;
};

// The four CARDINALs of _NET_FRAME_EXTENTS (left, right, top, bottom); none for anything else.
std::optional<FrameExtents> FrameExtentsFrom(const std::vector<std::uint64_t>& values);

// The outer rectangle around a client area (position in root coordinates).
WindowRect FrameAround(const WindowRect& client, const FrameExtents& frame);

// The client size that gives the frame an outer size of width x height (at least 1 x 1).
struct ClientSize {
    int Width = 1;
    int Height = 1;
};
ClientSize ClientSizeForFrame(int width, int height, const FrameExtents& frame);

// data.l[0] of a _NET_MOVERESIZE_WINDOW request: north-west gravity (the given position is the
// frame's top-left corner), which of x, y, width and height are given, source "pager" (a tool
// acting for the user, which window managers obey).
long MoveResizeFlags(bool position, bool size);

// Whether WM_STATE's first value says the window is iconic (minimised).
bool IsIconicState(const std::vector<std::uint64_t>& wmState);

} // namespace orvane
