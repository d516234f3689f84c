// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/BackendChoice.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

struct ChoiceCase {
    const char* Name;
    SessionFacts Facts;
    BackendKind First;
    bool X11MayStandIn;
    bool Warned;
};

TEST(BackendChoiceTest, TheSessionDecidesUnlessTheUserForcesOne) {
    const ChoiceCase cases[] = {
        {.Name = "X11 session",
         .Facts = {.Forced = "", .X11Display = true},
         .First = BackendKind::X11,
         .X11MayStandIn = false,
         .Warned = false},
        {.Name = "Wayland with XWayland: X11 stands in",
         .Facts = {.Forced = "", .WaylandSession = true, .X11Display = true},
         .First = BackendKind::Wayland,
         .X11MayStandIn = true,
         .Warned = false},
        {.Name = "Wayland without XWayland",
         .Facts = {.Forced = "", .WaylandSession = true},
         .First = BackendKind::Wayland,
         .X11MayStandIn = false,
         .Warned = false},
        {.Name = "forced X11 in a Wayland session",
         .Facts = {.Forced = "X11", .WaylandSession = true, .X11Display = true},
         .First = BackendKind::X11,
         .X11MayStandIn = false,
         .Warned = false},
        {.Name = "forced Wayland: no stand-in",
         .Facts = {.Forced = "wayland", .WaylandSession = true, .X11Display = true},
         .First = BackendKind::Wayland,
         .X11MayStandIn = false,
         .Warned = false},
        {.Name = "a misspelt choice is said and the session decides",
         .Facts = {.Forced = "weyland", .WaylandSession = true, .X11Display = true},
         .First = BackendKind::Wayland,
         .X11MayStandIn = true,
         .Warned = true},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const BackendChoice choice = ChooseBackend(c.Facts);
        EXPECT_EQ(choice.First, c.First);
        EXPECT_EQ(choice.X11MayStandIn, c.X11MayStandIn);
        EXPECT_EQ(!choice.Warning.empty(), c.Warned) << choice.Warning;
    }
}

} // namespace
} // namespace orvane
