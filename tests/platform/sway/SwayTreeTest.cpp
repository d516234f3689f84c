// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/SwayTree.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

// Two outputs; on the second, a tiled split holding two windows and a floating one; one window
// in the scratchpad. The focus lists put the floating window first, then the split's second.
constexpr const char* Tree = R"({
 "id": 1, "type": "root", "name": "root", "focus": [5, 3],
 "nodes": [
  {"id": 2147483647, "type": "output", "name": "__i3", "focus": [2147483646], "nodes": [
    {"id": 2147483646, "type": "workspace", "name": "__i3_scratch", "focus": [20], "nodes": [],
     "floating_nodes": [
       {"id": 20, "type": "floating_con", "name": "away", "pid": 400, "focused": false,
        "rect": {"x": 10, "y": 20, "width": 300, "height": 200}, "nodes": [], "floating_nodes": []}
     ]}]},
  {"id": 3, "type": "output", "name": "HEADLESS-1", "focus": [], "nodes": []},
  {"id": 5, "type": "output", "name": "HEADLESS-2", "focus": [6], "nodes": [
    {"id": 6, "type": "workspace", "name": "1", "focus": [9, 7], "nodes": [
      {"id": 7, "type": "con", "name": null, "focus": [11, 10], "nodes": [
        {"id": 10, "type": "con", "name": "left", "app_id": "foot", "pid": 101, "focused": false,
         "rect": {"x": 0, "y": 25, "width": 640, "height": 695},
         "deco_rect": {"x": 0, "y": 0, "width": 640, "height": 25}, "nodes": [], "floating_nodes": []},
        {"id": 11, "type": "con", "name": "right ✓", "app_id": "foot", "pid": 102,
         "focused": false, "fullscreen_mode": 1,
         "rect": {"x": 640, "y": 25, "width": 640, "height": 695},
         "deco_rect": {"x": 640, "y": 0, "width": 640, "height": 25}, "nodes": [], "floating_nodes": []}
      ], "floating_nodes": []}],
     "floating_nodes": [
      {"id": 9, "type": "floating_con", "name": "float", "pid": 103, "focused": true,
       "rect": {"x": 100, "y": 75, "width": 400, "height": 275},
       "deco_rect": {"x": 100, "y": 50, "width": 400, "height": 25}, "nodes": [], "floating_nodes": []}
     ]}]}
 ]})";

TEST(SwayTree, WindowsInFocusOrderWithTheScratchpadLast) {
    const std::vector<CompositorWindow> windows = WindowsOfTree(Tree);
    std::vector<WindowId> ids;
    for (const CompositorWindow& w : windows) {
        ids.push_back(w.Id);
    }
    EXPECT_EQ(ids, (std::vector<WindowId>{9, 11, 10, 20}));

    const CompositorWindow& floating = windows[0];
    EXPECT_TRUE(floating.Focused);
    EXPECT_TRUE(floating.Floating);
    EXPECT_EQ(floating.Pid, 103);
    // The frame takes in the title bar above the content.
    EXPECT_EQ(floating.Frame, (WindowRect{100, 50, 400, 300}));

    EXPECT_EQ(windows[1].Title, "right ✓");
    EXPECT_EQ(windows[1].AppId, "foot");
    EXPECT_TRUE(windows[1].Fullscreen);
    EXPECT_FALSE(windows[1].Floating);
    EXPECT_EQ(windows[2].Frame, (WindowRect{0, 0, 640, 720}));

    EXPECT_TRUE(windows[3].PutAway);
    EXPECT_FALSE(windows[2].PutAway);
    EXPECT_EQ(windows[3].Frame, (WindowRect{10, 20, 300, 200}));
}

TEST(SwayTree, UnreadableRepliesGiveNoWindows) {
    EXPECT_TRUE(WindowsOfTree("").empty());
    EXPECT_TRUE(WindowsOfTree("[1,2]").empty());
    // A split without name or pid, fields of the wrong kind: no crash, no invented values.
    const auto odd = WindowsOfTree(
        R"({"type":"root","nodes":[{"type":"con","id":4,"name":5,"pid":"x","rect":[]}]})");
    ASSERT_EQ(odd.size(), 1U);
    EXPECT_EQ(odd[0].Title, "");
    EXPECT_FALSE(odd[0].Pid);
}

} // namespace
} // namespace orvane
