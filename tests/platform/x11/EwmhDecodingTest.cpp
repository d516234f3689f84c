// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/EwmhDecoding.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(EwmhDecoding, StackingIsReadTopmostFirst) {
    EXPECT_EQ(TopmostFirst({10, 20, 0, 30}), (std::vector<std::uint64_t>{30, 20, 10}));
    EXPECT_TRUE(TopmostFirst({}).empty());
}

TEST(EwmhDecoding, Latin1TitlesBecomeUtf8) {
    EXPECT_EQ(Latin1ToUtf8("Caf\xE9 \xFF!"), "Caf\xC3\xA9 \xC3\xBF!");
    EXPECT_EQ(Latin1ToUtf8("plain"), "plain");
}

TEST(EwmhDecoding, FramesAroundClientsAndClientsInsideFrames) {
    const FrameExtents extents = *FrameExtentsFrom({1, 2, 20, 3});
    EXPECT_EQ(FrameAround({100, 200, 400, 300}, extents), (WindowRect{99, 180, 403, 323}));
    const ClientSize inside = ClientSizeForFrame(403, 323, extents);
    EXPECT_EQ(inside.Width, 400);
    EXPECT_EQ(inside.Height, 300);
    // A frame smaller than its decorations still leaves a client of one pixel.
    EXPECT_EQ(ClientSizeForFrame(2, 10, extents).Width, 1);
    EXPECT_EQ(ClientSizeForFrame(2, 10, extents).Height, 1);
    EXPECT_FALSE(FrameExtentsFrom({1, 2, 3}).has_value());
    EXPECT_EQ(FrameExtentsFrom({1, 2, 3, 1u << 31})->Bottom, 10000); // broken, not absurd
}

TEST(EwmhDecoding, MoveResizeRequestsNameTheirFieldsGravityAndSource) {
    EXPECT_EQ(MoveResizeFlags(true, false), 0x2301);
    EXPECT_EQ(MoveResizeFlags(false, true), 0x2C01);
    EXPECT_EQ(MoveResizeFlags(true, true), 0x2F01);
}

TEST(EwmhDecoding, IconicState) {
    EXPECT_TRUE(IsIconicState({3, 0}));
    EXPECT_FALSE(IsIconicState({1, 0}));
    EXPECT_FALSE(IsIconicState({}));
}

} // namespace
} // namespace orvane
