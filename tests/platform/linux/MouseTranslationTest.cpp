// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/MouseTranslation.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

// How macro texts compute the coordinate of a pixel.
std::int32_t AbsoluteOfPixel(double pixel, int extent) {
    return static_cast<std::int32_t>(pixel * 65535 / extent);
}

TEST(MouseTranslation, EveryPixelAskedForLandsExactly) {
    EXPECT_EQ(AbsoluteOfPixel(512, 1024), 32767);
    EXPECT_EQ(PixelOfAbsolute(32767, 1024), 512);
    EXPECT_EQ(PixelOfAbsolute(32767, 768), 384);
    for (int extent : {1, 2, 600, 768, 800, 1024, 1080, 1366, 1920, 2560, 3840, 7680}) {
        for (int pixel = 0; pixel < extent; ++pixel) {
            ASSERT_EQ(PixelOfAbsolute(AbsoluteOfPixel(pixel, extent), extent), pixel)
                << pixel << " of " << extent;
        }
    }
}

TEST(MouseTranslation, CoordinatesOffTheScreenStopAtItsEdge) {
    EXPECT_EQ(PixelOfAbsolute(65535, 1024), 1023);
    EXPECT_EQ(PixelOfAbsolute(AbsoluteOfPixel(5000, 1024), 1024), 1023);
    EXPECT_EQ(PixelOfAbsolute(-100, 1024), 0);
    EXPECT_EQ(PixelOfAbsolute(100, 0), 0);
}

TEST(MouseTranslation, WheelDataBecomesButtonClicks) {
    const struct {
        std::int32_t Data;
        unsigned Button;
        int Count;
    } cases[] = {
        {120, 4, 1}, {360, 4, 3}, {-120, 5, 1}, {-1200, 5, 10},
        {60, 4, 1},  {-30, 5, 1}, {0, 0, 0},    {999 * 120, 4, 999},
    };
    for (const auto& c : cases) {
        const WheelClicks clicks = WheelClicksOf(c.Data);
        EXPECT_EQ(clicks.Button, c.Button) << c.Data;
        EXPECT_EQ(clicks.Count, c.Count) << c.Data;
    }
}

} // namespace
} // namespace orvane
