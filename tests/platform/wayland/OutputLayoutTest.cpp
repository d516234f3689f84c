// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/OutputLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

void ExpectBox(const LayoutBox& box, const LayoutBox& expected) {
    EXPECT_EQ(box.X, expected.X);
    EXPECT_EQ(box.Y, expected.Y);
    EXPECT_EQ(box.Width, expected.Width);
    EXPECT_EQ(box.Height, expected.Height);
}

TEST(OutputLayout, AnOutputsBoxIsItsLogicalSize) {
    ExpectBox(BoxOfOutput({.X = 0, .Y = 0, .ModeWidth = 1920, .ModeHeight = 1080}),
              {0, 0, 1920, 1080});
    ExpectBox(BoxOfOutput({.X = 10, .Y = 20, .ModeWidth = 3840, .ModeHeight = 2160, .Scale = 2}),
              {10, 20, 1920, 1080});
    ExpectBox(BoxOfOutput({.ModeWidth = 1920, .ModeHeight = 1080, .Transform = 1}),
              {0, 0, 1080, 1920});
    // What xdg-output says wins (fractional scales are known only there).
    ExpectBox(BoxOfOutput({.ModeWidth = 2880,
                           .ModeHeight = 1800,
                           .Scale = 2,
                           .Logical = LayoutBox{1024, 0, 1920, 1200}}),
              {1024, 0, 1920, 1200});
    ExpectBox(BoxOfOutput({.X = 5, .Y = 6}), {5, 6, 0, 0});
}

TEST(OutputLayout, AbsoluteCoordinatesSpanTheBoxOfAllOutputs) {
    const std::vector<LayoutBox> outputs{
        {0, 0, 1024, 768}, {1024, 0, 1280, 1024}, {-800, 100, 800, 600}, {50, 50, 0, 0}};
    const LayoutBox box = BoundingBox(outputs);
    ExpectBox(box, {-800, 0, 3104, 1024});
    const LayoutPoint topLeft = PointOfAbsolute(box, 0, 0);
    EXPECT_EQ(topLeft.X, -800);
    EXPECT_EQ(topLeft.Y, 0);
    const LayoutPoint bottomRight = PointOfAbsolute(box, 65535, 65535);
    EXPECT_EQ(bottomRight.X, 2303);
    EXPECT_EQ(bottomRight.Y, 1023);
    // The pixel a macro names by trunc(pixel * 65535 / extent) is the pixel it gets.
    const LayoutPoint second = PointOfAbsolute(box, 2000 * 65535 / 3104, 500 * 65535 / 1024);
    EXPECT_EQ(second.X, -800 + 2000);
    EXPECT_EQ(second.Y, 500);
    ExpectBox(BoundingBox({}), {0, 0, 0, 0});
}

} // namespace
} // namespace orvane
