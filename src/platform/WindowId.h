// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace orvane {

// A top-level window as the window system names it (an X window id on X11). The logic only
// stores and hands back these values; 0 is "no window".
using WindowId = std::uint64_t;

inline constexpr WindowId NoWindow = 0;

} // namespace orvane
