// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/ClickPick.h"
#include "capture/CaptureOptions.h"
#include "core/HotKeyTable.h"
#include "library/HotKeyChoice.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace orvane {
namespace {

std::uint16_t Code(std::string_view name) {
    return *HotKeyCodeOf(name);
}

using Cause = ClickPickGate::FocusCause;

TEST(ClickPick, OnlyAPressOnTheFieldAfterTheFocusingClickPicks) {
    struct Case {
        const char* What;
        Cause How;
        bool ButtonHeld;
        bool ButtonsUpFirst; // a release or a move with no button before the press
        bool OverField;
        bool Picks;
    };
    const std::vector<Case> cases = {
        {"the click that gives the focus", Cause::Pointer, true, false, true, false},
        {"the next click on the field", Cause::Pointer, true, true, true, true},
        {"a click on another control", Cause::Pointer, true, true, false, false},
        {"the click that brings the window forward", Cause::Window, false, false, true, false},
        {"a click once the pointer moved in", Cause::Window, false, true, true, true},
        {"tabbed in, the first click", Cause::Keys, false, false, true, true},
        {"tabbed in, a click elsewhere", Cause::Keys, false, false, false, false},
        {"tabbed in while a button is held", Cause::Keys, true, false, true, false},
        {"put there on opening", Cause::Program, false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        ClickPickGate gate;
        gate.FocusGained(c.How, c.ButtonHeld);
        if (c.ButtonsUpFirst) {
            gate.ButtonsUp();
        }
        EXPECT_EQ(gate.Press(c.OverField), c.Picks);
    }
}

TEST(ClickPick, AClickNamesItsButtonAndModifiers) {
    EXPECT_EQ(ClickHotKey(1, false, false, false, false), Code("LMouse"));
    EXPECT_EQ(ClickHotKey(2, true, false, true, false), Code("Ctrl+Shift+RMouse"));
    EXPECT_EQ(ClickHotKey(3, false, true, true, false), Code("Shift+Alt+MMouse"));
    EXPECT_EQ(ClickHotKey(1, true, true, true, false), std::nullopt) << "not in the table";
    EXPECT_EQ(ClickHotKey(1, false, false, false, true), std::nullopt);
    EXPECT_EQ(ClickHotKey(4, false, false, false, false), std::nullopt) << "the wheel";
}

TEST(ClickPick, APlainLeftOrRightClickAsksFirstWherePickedFor) {
    EXPECT_TRUE(IsPlainClickKey(Code("LMouse")));
    EXPECT_TRUE(IsPlainClickKey(Code("RMouse")));
    EXPECT_FALSE(IsPlainClickKey(Code("MMouse")));
    EXPECT_FALSE(IsPlainClickKey(Code("Shift+LMouse")));
    EXPECT_FALSE(IsPlainClickKey(Code("Ctrl+A")));
    EXPECT_FALSE(IsPlainClickKey(HotKeyTimed));

    EXPECT_EQ(*PlainClickQuestion(Code("LMouse"), ScopeGlobal),
              "With LMouse as its hot key, every left click in every program will play the "
              "macro instead of clicking.  Would you still like to use LMouse?");
    EXPECT_NE(PlainClickQuestion(Code("RMouse"), ScopeSpecificWindow)
                  ->find("every right click in the chosen window"),
              std::string::npos);
    EXPECT_EQ(PlainClickQuestion(Code("Ctrl+LMouse"), ScopeGlobal), std::nullopt);

    // Every check that takes a hot key asks it, worded for the macro's scope.
    KeyFlags none{};
    AddMacroForm add{NewMacroType::HotKey, Code("LMouse"), ""};
    EXPECT_EQ(CheckAddMacro(add, none, true).Question,
              PlainClickQuestion(Code("LMouse"), ScopeGlobal));
    MacroRecord working;
    working.Scope = ScopeSpecificProgram;
    ChooserForm move{ActivationChoice::HotKey, Code("RMouse"), ""};
    EXPECT_EQ(CheckChooser(move, ChooserMode::Move, working, none).Question,
              PlainClickQuestion(Code("RMouse"), ScopeSpecificProgram));
    CaptureCompleteForm capture;
    capture.Code = Code("LMouse");
    capture.ProgramScope = true;
    EXPECT_EQ(CheckCaptureComplete(capture, none).Question,
              PlainClickQuestion(Code("LMouse"), ScopeSpecificProgram));
    EXPECT_EQ(HotKeyQuestion(Code("Win+R"), ScopeGlobal), ReservedKeyQuestion(Code("Win+R")));
    EXPECT_EQ(HotKeyQuestion(Code("Shift+LMouse"), ScopeGlobal), std::nullopt);

    // A system command takes every click everywhere: refused, not asked.
    EXPECT_EQ(CheckSystemKeyPick(Code("RMouse"), none), PlainClickSystemText(Code("RMouse")));
    EXPECT_EQ(CheckSystemKeyPick(Code("Alt+RMouse"), none), std::nullopt);
}

} // namespace
} // namespace orvane
