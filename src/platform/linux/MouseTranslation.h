// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace orvane {

// The screen pixel of an absolute mouse coordinate (0..65535 across `extent` pixels). Macro
// texts compute the coordinate as trunc(pixel * 65535 / extent), so rounding the inverse lands
// exactly on the pixel asked for (512 of 1024 gives 32767, which gives 512 again). Coordinates
// outside the range are held to the screen's edge.
int PixelOfAbsolute(std::int32_t absolute, int extent);

// Wheel data (multiples of 120, positive forward) as clicks of the X wheel buttons: button 4
// rolls forward (up), 5 backward. A part of a notch still rolls once, as the smallest wheel
// movement applications see.
struct WheelClicks {
    unsigned Button = 0;
    int Count = 0;
};
WheelClicks WheelClicksOf(std::int32_t data);

} // namespace orvane
