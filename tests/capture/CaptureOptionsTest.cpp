// SPDX-License-Identifier: GPL-3.0-or-later
// The capture dialogs' rules: which options can be chosen, the speed tag, the opening state of
// "Capture Macro" and the checks of "Capture Complete".
#include "capture/CaptureOptions.h"
#include "core/MacroRecord.h"
#include "core/SettingsBlock.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(CaptureOptions, EnablingRules) {
    struct Row {
        CaptureOptions Options;
        CaptureEnabling Expected;
    };
    const Row rows[] = {
        {{}, {.RelativeTo = true, .WindowSize = false, .DoubleAlt = true, .Speeds = true}},
        {{.RelativeToScreen = false},
         {.RelativeTo = true, .WindowSize = true, .DoubleAlt = true, .Speeds = true}},
        {{.Mouse = false, .RelativeToScreen = false},
         {.RelativeTo = false, .WindowSize = false, .DoubleAlt = true, .Speeds = true}},
        {{.Keys = false, .Time = false},
         {.RelativeTo = true, .WindowSize = false, .DoubleAlt = false, .Speeds = false}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EnablingOf(row.Options), row.Expected);
    }
}

TEST(CaptureOptions, SpeedTagsAndRecorderSettings) {
    EXPECT_EQ(SpeedTag(1), "<SPEED:00001>");
    EXPECT_EQ(SpeedTag(2), "<SPEED:00002>");
    EXPECT_EQ(SpeedTag(3), "<SPEED:00.50>");
    EXPECT_EQ(SpeedTag(4), "<SPEED:00.25>");
    EXPECT_EQ(SpeedTag(9), "<SPEED:00001>");

    // The window size is recorded only with the mouse, relative to the window.
    EXPECT_FALSE(CaptureSettingsOf({.RelativeToScreen = true}).WindowSize);
    EXPECT_TRUE(CaptureSettingsOf({.RelativeToScreen = false}).WindowSize);
    EXPECT_FALSE(CaptureSettingsOf({.Mouse = false, .RelativeToScreen = false}).WindowSize);
    EXPECT_FALSE(CaptureSettingsOf({.RelativeToScreen = false, .WindowSize = false}).WindowSize);

    SettingsBlock settings;
    settings.CaptureSpeed = 17; // a hand-edited settings file
    EXPECT_EQ(CaptureOptionsFrom(settings).Speed, 1);
    CaptureOptions chosen{.Keys = false, .DoubleAlt = false, .Speed = 4, .Prompt = false};
    StoreCaptureOptions(chosen, settings);
    EXPECT_EQ(CaptureOptionsFrom(settings), chosen);
}

TEST(CaptureOptions, CaptureMacroOpensWithTheDefaults) {
    SettingsBlock settings;
    EXPECT_FALSE(CaptureMacroFormFrom(settings, false, "").ProgramScope);
    EXPECT_TRUE(CaptureMacroFormFrom(settings, true, "").ProgramScope);
    settings.CaptureGlobal = false;
    EXPECT_TRUE(CaptureMacroFormFrom(settings, false, "").ProgramScope);
    EXPECT_EQ(CaptureMacroFormFrom(settings, false, std::string(60, 'n')).Nickname.size(), 50u);

    EXPECT_EQ(EndCaptureLabel("Ctrl+Alt+Shift+F2", ""), "Press Ctrl+Alt+Shift+F2 to end capture");
    EXPECT_EQ(EndCaptureLabel("Ctrl+Alt+Shift+F2", "F9"),
              "Press Ctrl+Alt+Shift+F2 to end capture\nOr Press F9 to end capture");
}

TEST(CaptureOptions, CaptureCompleteChecks) {
    KeyFlags globalKeys{};
    globalKeys[300] = true;
    struct Row {
        const char* Name;
        CaptureCompleteForm Form;
        std::string Refusal;
        ChoiceField Field = ChoiceField::HotKey;
        bool Question = false;
    };
    const Row rows[] = {
        {"no key", {}, "No hot key selected.  Please select one."},
        {"a global macro's key",
         {.Code = 300},
         "A Global Hot Key is already in use for the selected hot key.  Please select a different "
         "one or choose the Program specific option."},
        {"the same key for one program", {.ProgramScope = true, .Code = 300}, ""},
        {"a reserved key", {.Code = 89}, "", ChoiceField::HotKey, true},
        {"a free key", {.Code = 301}, ""},
        {"no ShortKey name",
         {.ShortKeys = true, .ShortKeyName = "   "},
         "No ShortKey name entered.",
         ChoiceField::ShortKey},
        {"a ShortKey", {.ShortKeys = true, .ShortKeyName = " mail "}, ""},
    };
    for (const Row& row : rows) {
        const ChooserCheck check = CheckCaptureComplete(row.Form, globalKeys);
        EXPECT_EQ(check.Refusal.value_or(""), row.Refusal) << row.Name;
        if (check.Refusal) {
            EXPECT_EQ(check.Field, row.Field) << row.Name;
        }
        EXPECT_EQ(check.Question.has_value(), row.Question) << row.Name;
    }
}

TEST(CaptureOptions, CaptureCompleteStoresTheChoice) {
    MacroRecord record;
    record.Nickname.Assign("Capture");
    record.ShortKey.Assign("capture");
    record.HotKey = HotKeyShortKey;
    record.Scope = ScopeGlobal;

    const CaptureCompleteForm shortKey{
        .ShortKeys = true, .ProgramScope = true, .Nickname = "  Mail  ", .ShortKeyName = " mail "};
    ApplyCaptureComplete(shortKey, CheckCaptureComplete(shortKey, {}),
                         "A-PROGRAM-WITH-A-VERY-LONG-FILE-NAME", record);
    EXPECT_EQ(record.HotKey, HotKeyShortKey);
    EXPECT_EQ(record.ShortKey.View(), "mail");
    EXPECT_EQ(record.Nickname.View(), "Mail");
    EXPECT_EQ(record.Scope, ScopeSpecificProgram);
    EXPECT_EQ(record.ScopeTarget.View(), "A-PROGRAM-WITH-A-VERY-LONG-FIL");
    EXPECT_EQ(record.TopMostOnly, 1);

    const CaptureCompleteForm hotKey{.Code = 301};
    ApplyCaptureComplete(hotKey, CheckCaptureComplete(hotKey, {}), "GEDIT", record);
    EXPECT_EQ(record.HotKey, 301);
    EXPECT_EQ(record.Scope, ScopeGlobal);
    EXPECT_EQ(record.Nickname.View(), "");
}

} // namespace
} // namespace orvane
