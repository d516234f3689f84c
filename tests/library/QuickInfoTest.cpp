// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/QuickInfo.h"

#include "core/Schedule.h"
#include "support/MacroFiles.h"

#include <cmath>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::MacroFields;
using test::MakeMacro;

TEST(QuickInfo, ScopeAndTextOfEveryKind) {
    struct Case {
        MacroFields Macro;
        std::string Scope;
        bool ShowsText;
    };
    const Case cases[] = {
        {{.Nickname = "g", .Key = "F1", .Text = "hello"}, "GLOBAL", true},
        {{.Nickname = "w", .Key = "F1", .Scope = ScopeSpecificWindow, .Text = "t", .Target = "Ed"},
         "Ed \"Window\" (If Running)",
         true},
        {{.Nickname = "w",
          .Key = "F1",
          .Scope = ScopeSpecificWindow,
          .Text = "t",
          .Target = "Ed",
          .TopMostOnly = true},
         "Ed \"Window\" (Top Most Only)",
         true},
        {{.Nickname = "p", .Key = "F1", .Scope = ScopeSpecificProgram, .Text = "t", .Target = "X"},
         "X \"Program\" (If Running)",
         true},
        {{.Nickname = "p",
          .Key = "F1",
          .Scope = ScopeSpecificProgram,
          .Text = "t",
          .Target = "X",
          .TopMostOnly = true},
         "X \"Program\" (Top Most Only)",
         true},
        {{.Nickname = "m", .Key = "F1", .Scope = ScopePopupMenu, .Text = "\x02"},
         "Popup Menu",
         false},
        {{.Nickname = "s", .Key = "F1", .Scope = ScopeSystem, .Target = "1"}, "SYSTEM", false},
        {{.Nickname = "d", .Key = "F1", .Scope = 7, .Text = "t"}, "(Unknown)", false},
    };
    for (const Case& c : cases) {
        const QuickInfo info = QuickInfoOf(MakeMacro(c.Macro));
        EXPECT_EQ(info.Scope, c.Scope);
        EXPECT_EQ(info.ShowsText, c.ShowsText) << c.Scope;
        EXPECT_EQ(info.MacroText, c.ShowsText ? c.Macro.Text : "") << c.Scope;
    }
}

TEST(QuickInfo, ActivationActiveIconAndDate) {
    MacroRecord timed = MakeMacro({.Nickname = "Nightly", .Timed = true, .Active = false});
    timed.SchedKind = static_cast<std::int16_t>(SchedKind::Daily);
    timed.SchedHour = 9;
    timed.SchedDays = {1, 1, 1, 1, 1, 0, 0};
    timed.Icon.Assign("CLOCK.ICO");
    const LocalDateTime modified{2024, 3, 5, 14, 30, 0, 0};
    timed.LastModified = LocalDateTimeToDays(modified);
    const QuickInfo info = QuickInfoOf(timed);
    EXPECT_EQ(info.ActivationLabel, "Timed Macro:");
    EXPECT_EQ(info.Activation, GetSched(timed));
    EXPECT_EQ(info.Nickname, "Nightly");
    EXPECT_EQ(info.Active, "No");
    EXPECT_EQ(info.Icon, "CLOCK.ICO");
    ASSERT_TRUE(info.LastModified.has_value());
    EXPECT_EQ(*info.LastModified, modified);

    const QuickInfo shortKey = QuickInfoOf(MakeMacro({.Nickname = "s", .ShortKey = "sig"}));
    EXPECT_EQ(shortKey.ActivationLabel, "ShortKey:");
    EXPECT_EQ(shortKey.Activation, "sig");
    EXPECT_EQ(shortKey.Active, "Yes");

    MacroRecord hotKey = MakeMacro({.Nickname = "h", .Key = "Ctrl+Alt+Shift+G"});
    EXPECT_EQ(QuickInfoOf(hotKey).ActivationLabel, "Hot Key:");
    EXPECT_EQ(QuickInfoOf(hotKey).Activation, "Ctrl+Alt+Shift+G");
    hotKey.HotKey = 5000;
    hotKey.LastModified = std::nan("");
    EXPECT_EQ(QuickInfoOf(hotKey).Activation, "(Unknown)");
    EXPECT_FALSE(QuickInfoOf(hotKey).LastModified.has_value());
}

} // namespace
} // namespace orvane
