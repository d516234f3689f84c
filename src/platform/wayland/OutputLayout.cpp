// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/OutputLayout.h"

#include "platform/linux/MouseTranslation.h"

#include <algorithm>

namespace orvane {

LayoutBox BoxOfOutput(const OutputReport& output) {
    if (output.Logical && output.Logical->Width > 0 && output.Logical->Height > 0) {
        return *output.Logical;
    }
    if (output.ModeWidth <= 0 || output.ModeHeight <= 0) {
        return {output.X, output.Y, 0, 0};
    }
    const int scale = std::max(output.Scale, 1);
    int width = output.ModeWidth / scale;
    int height = output.ModeHeight / scale;
    if (output.Transform % 2 != 0) {
        std::swap(width, height);
    }
    return {output.X, output.Y, width, height};
}

LayoutBox BoundingBox(std::span<const LayoutBox> boxes) {
    bool any = false;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    for (const LayoutBox& box : boxes) {
        if (box.Width <= 0 || box.Height <= 0) {
            continue;
        }
        left = any ? std::min(left, box.X) : box.X;
        top = any ? std::min(top, box.Y) : box.Y;
        right = any ? std::max(right, box.X + box.Width) : box.X + box.Width;
        bottom = any ? std::max(bottom, box.Y + box.Height) : box.Y + box.Height;
        any = true;
    }
    return {left, top, right - left, bottom - top};
}

LayoutPoint PointOfAbsolute(const LayoutBox& box, std::int32_t x, std::int32_t y) {
    return {box.X + PixelOfAbsolute(x, box.Width), box.Y + PixelOfAbsolute(y, box.Height)};
}

} // namespace orvane
