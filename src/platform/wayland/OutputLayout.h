// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace orvane {

// A rectangle in the compositor's layout coordinates (logical pixels).
struct LayoutBox {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

// What a compositor says of one output: the core protocol's position, current mode, scale and
// transform, and the logical place and size when it also speaks xdg-output.
struct OutputReport {
    int X = 0;
    int Y = 0;
    int ModeWidth = 0;
    int ModeHeight = 0;
    int Scale = 1;
    std::int32_t Transform = 0; // wl_output.transform: odd values turn the output a quarter
    std::optional<LayoutBox> Logical{};
};

// Where an output lies in the layout: its logical box when known, else the mode's size divided
// by the scale (turned for a quarter-turn transform) at its position. Empty for an output that
// has not reported a mode yet.
LayoutBox BoxOfOutput(const OutputReport& output);

// The smallest box holding every non-empty output: what absolute pointer coordinates span.
LayoutBox BoundingBox(std::span<const LayoutBox> boxes);

// The layout point an absolute coordinate pair (0..65535 each, across `box`) names.
struct LayoutPoint {
    int X = 0;
    int Y = 0;
};
LayoutPoint PointOfAbsolute(const LayoutBox& box, std::int32_t x, std::int32_t y);

} // namespace orvane
