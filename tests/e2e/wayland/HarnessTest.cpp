// SPDX-License-Identifier: GPL-3.0-or-later
// The Wayland harness itself: the session's keyboard and mouse reach native Wayland programs
// exactly, and sway's tree finds their windows.

#include "SwayTest.h"
#include "WaylandTargets.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::e2e {
namespace {

// Latin-1 letters and signs beside ASCII, and a tab: what a keymap of the moment must carry.
const std::string kLatin1Text = "Café crème, naïve über ½ § ¿¡ «£¥» ©®°±µ¶·÷ ÀÞßÿ\tend";

using WaylandHarnessTest = SwayTest;

TEST_F(WaylandHarnessTest, TypedTextArrivesExactlyInFootAndTheQtProbe) {
    FootCat foot(*sway, "Foot target");
    ASSERT_TRUE(foot.WaitForReady());
    ASSERT_TRUE(sway->TypeText(kLatin1Text + "\n"));
    EXPECT_TRUE(foot.WaitForText(kLatin1Text + "\n"));

    WaylandProbe probe(*sway, "Qt target");
    ASSERT_TRUE(probe.WaitForReady());
    // The first key after the focus moved is where a client that re-creates its keyboard loses one.
    ASSERT_TRUE(sway->TypeText(kLatin1Text));
    EXPECT_TRUE(probe.WaitForText(kLatin1Text));
    ASSERT_TRUE(sway->StrikeKey({}, "Return"));
    ASSERT_TRUE(sway->TypeText("x"));
    EXPECT_TRUE(probe.WaitForText(kLatin1Text + "\nx"));
}

TEST_F(WaylandHarnessTest, WindowsAreFoundByTitleAndFocusedAndClickedWhereTheyAre) {
    FootCat foot(*sway, "Foot beside");
    ASSERT_TRUE(foot.WaitForReady());
    WaylandProbe probe(*sway, "Probe beside");
    ASSERT_TRUE(probe.WaitForReady());

    auto window = sway->FindWindow("Probe beside");
    ASSERT_TRUE(window);
    EXPECT_EQ(window->pid, probe.Pid());
    EXPECT_EQ(window->appId, "orvane_qtprobe");
    EXPECT_TRUE(window->focused);
    EXPECT_FALSE(sway->FindWindow("Probe"));

    // Back and forth between the two, as the tests' targets will be.
    ASSERT_TRUE(sway->Focus("Foot beside"));
    EXPECT_TRUE(probe.WaitForFocus(false));
    ASSERT_TRUE(sway->TypeText("to foot\n"));
    EXPECT_TRUE(foot.WaitForText("to foot\n"));

    // Tiled side by side: the probe's half is where its window says. A click there focuses it.
    window = sway->FindWindow("Probe beside");
    ASSERT_TRUE(window);
    ASSERT_GT(window->content.width, 100);
    const int x = window->content.x + 57;
    const int y = window->content.y + 43;
    ASSERT_TRUE(sway->Click(x, y));
    ASSERT_TRUE(probe.WaitForLine([](const std::string& line) {
        return line == "BUTTONUP 1 57 43 57 43";
    })) << probe.Describe();
    const auto clicks = probe.Clicks();
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].rootX, x);
    EXPECT_EQ(clicks[0].rootY, y);
    EXPECT_TRUE(sway->WaitForFocused("Probe beside"));
    EXPECT_TRUE(probe.WaitForFocus(true));
}

} // namespace
} // namespace orvane::e2e
