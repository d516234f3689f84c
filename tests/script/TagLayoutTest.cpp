// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/TagLayout.h"
#include "script/ScriptReader.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane {
namespace {

TEST(TagLayout, FixedFieldsAreZeroPaddedToTheirWidthWithThePointWhateverTheLocale) {
    struct Case {
        std::string Written;
        std::string Expected;
    };
    const Case cases[] = {
        {IntegerFieldText(5, 4), "0005"},  {IntegerFieldText(-5, 3), "-05"},
        {IntegerFieldText(0, 2), "00"},    {IntegerFieldText(12345, 4), "12345"},
        {RealFieldText(1.5, 5), "01.50"},  {RealFieldText(0.2, 5), "00.20"},
        {RealFieldText(-1.5, 5), "-1.50"}, {RealFieldText(99.99, 5), "99.99"},
        {RealFieldText(100, 5), "100.00"}, {RealFieldText(0.005, 5), "00.01"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.Written, c.Expected);
    }
}

// Whatever a writer puts into a layout, the reader finds again: both walk the same positions.
TEST(TagLayout, EveryTagWrittenFromItsLayoutReadsBackWithItsFields) {
    struct Case {
        const TagLayout& Layout;
        std::string Written;
        ItemKind Kind;
        int Number = 0;
        int Number2 = 0;
        double Real = 0;
        double Real2 = 0;
        std::string Text = "";
        std::string Text2 = "";
    };
    const Case cases[] = {
        {Tags::AltCode3, WriteTag(Tags::AltCode3, {"233"}), ItemKind::AltCode, 0, 0, 0, 0, "233"},
        {Tags::AltCode4, WriteTag(Tags::AltCode4, {"0128"}), ItemKind::AltCode, 0, 0, 0, 0, "0128"},
        {Tags::WheelForward, WriteTag(Tags::WheelForward, {IntegerFieldText(7, 3)}),
         ItemKind::WheelForward, 7},
        {Tags::WheelBackward, WriteTag(Tags::WheelBackward, {IntegerFieldText(12, 3)}),
         ItemKind::WheelBackward, 12},
        {Tags::MoveScreen,
         WriteTag(Tags::MoveScreen, {IntegerFieldText(640, 5), IntegerFieldText(480, 5)}),
         ItemKind::MoveScreen, 0, 0, 640, 480},
        {Tags::MoveWindow,
         WriteTag(Tags::MoveWindow, {IntegerFieldText(5, 5), IntegerFieldText(-7, 5)}),
         ItemKind::MoveWindow, 0, 0, 5, -7},
        {Tags::Delay, WriteTag(Tags::Delay, {RealFieldText(1.5, 5)}), ItemKind::Delay, 0, 0, 1.5},
        {Tags::Speed, WriteTag(Tags::Speed, {RealFieldText(0.5, 5)}), ItemKind::Speed, 0, 0, 0.5},
        {Tags::Msd, WriteTag(Tags::Msd, {IntegerFieldText(250, 4)}), ItemKind::Msd, 250},
        {Tags::KeyDelay, WriteTag(Tags::KeyDelay, {IntegerFieldText(20, 4)}), ItemKind::KeyDelay,
         20},
        {Tags::MouseDelay, WriteTag(Tags::MouseDelay, {IntegerFieldText(30, 4)}),
         ItemKind::MouseDelay, 30},
        {Tags::Repeat, WriteTag(Tags::Repeat, {IntegerFieldText(3, 4)}), ItemKind::Repeat, 3},
        {Tags::PauseAt,
         WriteTag(Tags::PauseAt, {IntegerFieldText(10, 3), IntegerFieldText(20, 3), "Hello"}),
         ItemKind::PauseAt, 10, 20, 0, 0, "Hello"},
        {Tags::WindowSize,
         WriteTag(Tags::WindowSize, {IntegerFieldText(640, 4), IntegerFieldText(480, 4), "Ed"}),
         ItemKind::WindowSize, 640, 480, 0, 0, "Ed"},
        {Tags::WindowPos,
         WriteTag(Tags::WindowPos, {IntegerFieldText(10, 4), IntegerFieldText(20, 4), "Ed"}),
         ItemKind::WindowPos, 10, 20, 0, 0, "Ed"},
        {Tags::Remark, WriteTag(Tags::Remark, {"note"}), ItemKind::Remark, 0, 0, 0, 0, "note"},
        {Tags::WindowShut, WriteTag(Tags::WindowShut, {"Ed"}), ItemKind::Window, 0, 0, 0, 0, "Ed"},
        {Tags::CopyFile, WriteTag(Tags::CopyFile, {"a;b"}), ItemKind::CopyFile, 0, 0, 0, 0, "a",
         "b"},
        {Tags::Launch, WriteTag(Tags::Launch, {"/bin/ed<PARAM>-p"}), ItemKind::Launch, 0, 0, 0, 0,
         "", "/bin/ed<PARAM>-p"},
        {Tags::LaunchNo, WriteTag(Tags::LaunchNo, {IntegerFieldText(5, 2), "Ed", "/bin/ed"}),
         ItemKind::LaunchNo, 5, 0, 0, 0, "Ed", "/bin/ed"},
        {Tags::LaunchYes, WriteTag(Tags::LaunchYes, {IntegerFieldText(9, 2), "Ed", "/bin/ed"}),
         ItemKind::LaunchYes, 9, 0, 0, 0, "Ed", "/bin/ed"},
        {Tags::Beep, WriteTag(Tags::Beep, {}), ItemKind::Beep},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Written);
        EXPECT_TRUE(c.Written.starts_with(c.Layout.Literal));
        const ScriptItem item = ReadScriptItem(c.Written, 0);
        EXPECT_EQ(item.Kind, c.Kind);
        EXPECT_EQ(item.Length, c.Written.size());
        if (c.Layout.ClosingAt != 0) {
            EXPECT_EQ(c.Written.size(), c.Layout.FixedLength());
        }
        EXPECT_EQ(item.Number, c.Number);
        EXPECT_EQ(item.Number2, c.Number2);
        EXPECT_DOUBLE_EQ(item.Real, c.Real);
        EXPECT_DOUBLE_EQ(item.Real2, c.Real2);
        EXPECT_EQ(item.Text, c.Text);
        EXPECT_EQ(item.Text2, c.Text2);
        EXPECT_FALSE(item.Unclosed);
    }
    EXPECT_EQ(WriteTag(Tags::PauseAt, {"010", "020", "Hi"}), "<PAUSE:010,020Hi>");
    EXPECT_EQ(WriteTag(Tags::LaunchNo, {"05", "T", "x"}), "<LAUNCHNO:05T<LAUNCH:x>");
}

TEST(TagLayout, ReaderMarksFreeFieldsCutAtTheirCapOrNeverClosed) {
    const std::string longRemark = "<REM:" + std::string(MaxFieldText + 1, 'r') + ">";
    EXPECT_TRUE(ReadScriptItem(longRemark, 0).FieldCut);
    EXPECT_FALSE(ReadScriptItem("<REM:" + std::string(MaxFieldText, 'r') + ">", 0).FieldCut);
    EXPECT_TRUE(ReadScriptItem("<REM:open", 0).Unclosed);
    EXPECT_TRUE(ReadScriptItem("<LAUNCHNO:05Title", 0).Unclosed);
    EXPECT_TRUE(ReadScriptItem("<LAUNCH:x<PARAM>y", 0).Unclosed);
    EXPECT_FALSE(ReadScriptItem("<LAUNCH:x<PARAM>y>", 0).Unclosed);
}

} // namespace
} // namespace orvane
