// SPDX-License-Identifier: GPL-3.0-or-later
// A macro named from the shell goes where its hot key would send it.
#include "activation/BringScopeForward.h"

#include "FakeHotKeyHost.h"
#include "core/MacroRecord.h"
#include "platform/fake/EventTrace.h"
#include "support/MacroFiles.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvane {
namespace {

using test::MacroFields;

TEST(BringScopeForward, FollowsTheHotKeyRulesForOneMacro) {
    struct Case {
        const char* what;
        MacroFields macro;
        ScopeOutcome outcome;
        WindowId target;
        std::vector<std::string> trace;
    };
    const Case cases[] = {
        {.what = "global plays into the window in front",
         .macro = {.Nickname = "g"},
         .outcome = ScopeOutcome::Ready,
         .target = 1,
         .trace = {}},
        {.what = "deactivated never plays",
         .macro =
             {.Nickname = "g", .Scope = ScopeSpecificWindow, .Target = "Notes", .Active = false},
         .outcome = ScopeOutcome::Deactivated,
         .target = NoWindow,
         .trace = {}},
        {.what = "its window in front already (any case, part of the title)",
         .macro = {.Nickname = "w", .Scope = ScopeSpecificWindow, .Target = "TERMINAL"},
         .outcome = ScopeOutcome::Ready,
         .target = 1,
         .trace = {}},
        {.what = "its window behind is brought forward",
         .macro = {.Nickname = "w", .Scope = ScopeSpecificWindow, .Target = "Notes"},
         .outcome = ScopeOutcome::Ready,
         .target = 2,
         .trace = {"front:2"}},
        {.what = "only the first 20 characters of the title count, as in the table",
         .macro = {.Nickname = "w",
                   .Scope = ScopeSpecificWindow,
                   .Target = "Notes - today's list and more"},
         .outcome = ScopeOutcome::Ready,
         .target = 2,
         .trace = {"front:2"}},
        {.what = "no window of that title",
         .macro = {.Nickname = "w", .Scope = ScopeSpecificWindow, .Target = "Inbox"},
         .outcome = ScopeOutcome::NoWindow,
         .target = NoWindow,
         .trace = {}},
        {.what = "only when on top, and not on top",
         .macro = {.Nickname = "w",
                   .Scope = ScopeSpecificWindow,
                   .Target = "Notes",
                   .TopMostOnly = true},
         .outcome = ScopeOutcome::NotInFront,
         .target = NoWindow,
         .trace = {}},
        {.what = "its program in front already",
         .macro = {.Nickname = "p",
                   .Scope = ScopeSpecificProgram,
                   .Target = "xterm",
                   .TopMostOnly = true},
         .outcome = ScopeOutcome::Ready,
         .target = 1,
         .trace = {}},
        {.what = "its program runs behind",
         .macro = {.Nickname = "p", .Scope = ScopeSpecificProgram, .Target = "gedit"},
         .outcome = ScopeOutcome::Ready,
         .target = 2,
         .trace = {"front:2"}},
        {.what = "its program does not run",
         .macro = {.Nickname = "p", .Scope = ScopeSpecificProgram, .Target = "gimp"},
         .outcome = ScopeOutcome::NoProgram,
         .target = NoWindow,
         .trace = {}},
        {.what = "a popup menu types nothing",
         .macro = {.Nickname = "m", .Scope = ScopePopupMenu},
         .outcome = ScopeOutcome::NotPlayable,
         .target = NoWindow,
         .trace = {}},
        {.what = "a system command types nothing",
         .macro = {.Nickname = "s", .Scope = ScopeSystem, .Target = "1"},
         .outcome = ScopeOutcome::NotPlayable,
         .target = NoWindow,
         .trace = {}},
        {.what = "an unknown scope matches nothing",
         .macro = {.Nickname = "u", .Scope = 7},
         .outcome = ScopeOutcome::NotPlayable,
         .target = NoWindow,
         .trace = {}},
    };
    for (const Case& c : cases) {
        EventTrace trace;
        FakeDesktop desktop(trace);
        desktop.Set(
            {{1, "Terminal - bash", "xterm"}, {2, "Notes - today's list and more", "gedit"}}, 1);
        const ScopeResult result = BringScopeForward(test::MakeMacro(c.macro), desktop.Finder);
        EXPECT_EQ(result.Outcome, c.outcome) << c.what;
        EXPECT_EQ(result.Target, c.target) << c.what;
        EXPECT_EQ(trace.Entries(), c.trace) << c.what;
        EXPECT_EQ(result.Outcome == ScopeOutcome::Ready,
                  ScopeOutcomeText(result.Outcome, test::MakeMacro(c.macro)).empty())
            << c.what;
    }
}

} // namespace
} // namespace orvane
