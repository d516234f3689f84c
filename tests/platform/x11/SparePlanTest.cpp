// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/SparePlan.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(SparePlan, BindsWhatComesNextInTheAnnouncedText) {
    SparePlan plan;
    // a b a c d e b f, as keysyms 1..6
    plan.Announce({1, 2, 1, 3, 4, 5, 2, 6});
    EXPECT_EQ(plan.ChunkFor(1, 3), (std::vector<Keysym>{1, 2, 3}));
    for (Keysym typed : {1, 2, 1, 3}) {
        plan.Consume(typed);
    }
    // 4 is missing now: the chunk starts there, the keysyms already typed are not in it.
    EXPECT_EQ(plan.ChunkFor(4, 3), (std::vector<Keysym>{4, 5, 2}));
    plan.Consume(4);
    plan.Consume(5);
    plan.Consume(2);
    EXPECT_EQ(plan.ChunkFor(6, 3), (std::vector<Keysym>{6}));
}

TEST(SparePlan, WrapsForRepeatsAndTakesTheUnannouncedAlone) {
    SparePlan plan;
    plan.Announce({1, 2, 3});
    for (Keysym typed : {1, 2, 3}) {
        plan.Consume(typed);
    }
    // A repeat block types the text again: the plan starts over from the keysym's first place.
    EXPECT_EQ(plan.ChunkFor(1, 2), (std::vector<Keysym>{1, 2}));
    EXPECT_EQ(plan.ChunkFor(9, 2), (std::vector<Keysym>{9}));
    EXPECT_TRUE(plan.ChunkFor(1, 0).empty()) << "no spare keycode free";
}

} // namespace
} // namespace orvane
