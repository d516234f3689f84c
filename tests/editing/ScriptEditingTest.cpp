// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/ScriptEditing.h"
#include "core/MacroRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

std::vector<ScriptLine> Lines(std::initializer_list<const char*> names) {
    std::vector<ScriptLine> lines;
    for (const char* name : names) {
        lines.push_back({std::string("Text: ") + name, TextRecord{name}});
    }
    return lines;
}

std::string Keys(const std::vector<ScriptLine>& lines) {
    return ScriptText(lines);
}

TEST(ScriptEditing, NewLinesGoWhereTheirButtonSaysAndAreSelected) {
    struct Case {
        Placement Mode;
        std::size_t Remembered;
        std::size_t CountBefore;
        std::size_t Index;
        std::size_t Selected;
    };
    const Case cases[] = {
        {Placement::Append, 0, 0, 0, 0},       {Placement::Append, 1, 3, 3, 3},
        {Placement::InsertBefore, 0, 0, 0, 0}, {Placement::InsertBefore, 2, 3, 2, 2},
        {Placement::InsertAfter, 0, 0, 0, 0}, // an empty list: the first line
        {Placement::InsertAfter, 0, 3, 1, 1}, // nothing selected: after the first line
        {Placement::InsertAfter, 2, 3, 3, 3},  {Placement::InsertAfter, 0, 1, 1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InsertIndex(c.Mode, c.Remembered, c.CountBefore), c.Index)
            << static_cast<int>(c.Mode) << " " << c.Remembered << " " << c.CountBefore;
        EXPECT_EQ(SelectionAfterAdd(c.Mode, c.Remembered, c.CountBefore + 1), c.Selected)
            << static_cast<int>(c.Mode) << " " << c.Remembered << " " << c.CountBefore;
    }
}

TEST(ScriptEditing, LineButtonsFollowTheSelection) {
    EXPECT_EQ(EnableDisable(3, std::nullopt), LineButtons{});
    EXPECT_EQ(EnableDisable(0, 0), LineButtons{});
    EXPECT_EQ(EnableDisable(3, 0),
              (LineButtons{.Up = false, .Down = true, .Edit = true, .Copy = true, .Delete = true}));
    EXPECT_EQ(EnableDisable(3, 1),
              (LineButtons{.Up = true, .Down = true, .Edit = true, .Copy = true, .Delete = true}));
    EXPECT_EQ(EnableDisable(3, 2),
              (LineButtons{.Up = true, .Down = false, .Edit = true, .Copy = true, .Delete = true}));
    EXPECT_EQ(
        EnableDisable(1, 0),
        (LineButtons{.Up = false, .Down = false, .Edit = true, .Copy = true, .Delete = true}));
}

TEST(ScriptEditing, DeleteCopyAndMoveKeepASensibleSelection) {
    std::vector<ScriptLine> lines = Lines({"a", "b", "c"});
    EXPECT_EQ(DeleteLine(lines, 2), 1u); // the last of three: the new last line
    EXPECT_EQ(Keys(lines), "ab");
    EXPECT_EQ(DeleteLine(lines, 0), 0u);
    EXPECT_EQ(DeleteLine(lines, 0), std::nullopt); // the only line: nothing selected
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(DeleteLine(lines, 0), std::nullopt);

    lines = Lines({"a", "b", "c"});
    EXPECT_EQ(CopyLine(lines, 1), 2u); // the copy above, the copied line selected
    EXPECT_EQ(Keys(lines), "abbc");
    EXPECT_EQ(lines[1], lines[2]);

    lines = Lines({"a", "b", "c"});
    EXPECT_EQ(MoveLine(lines, 2, true), 1u);
    EXPECT_EQ(Keys(lines), "acb");
    EXPECT_EQ(MoveLine(lines, 0, true), 0u); // already at the top
    EXPECT_EQ(MoveLine(lines, 0, false), 1u);
    EXPECT_EQ(Keys(lines), "cab");
    EXPECT_EQ(MoveLine(lines, 2, false), 2u);
    EXPECT_EQ(MoveLine(lines, 5, false), std::nullopt);
    EXPECT_EQ(Keys(lines), "cab");
}

TEST(ScriptEditing, MovingARepeatBlockUpLineByLineChangesWhatPlays) {
    std::vector<ScriptLine> lines =
        BuildTheScript("Hello<ENTER><REPEAT:0003>x<I><ENDREP><DELAY:00.20>!");
    ASSERT_EQ(lines.size(), 7u);
    for (std::size_t i = 1; i <= 4; ++i) {
        EXPECT_EQ(MoveLine(lines, i, true), i - 1);
    }
    EXPECT_EQ(CopyLine(lines, 6), 7u);
    EXPECT_EQ(DeleteLine(lines, 5), 5u);
    SetIndents(lines);
    EXPECT_EQ(ScriptText(lines), "<REPEAT:0003>x<I><ENDREP>Hello<ENTER>!!");
    EXPECT_EQ(lines[1].Text, "   Text: x");
}

TEST(ScriptEditing, DialogLinesNameTheCurrentWindowInFull) {
    EXPECT_EQ(DialogDisplayText(CommandCode::MaximizeWindow, WindowRecord{"", 1, true}),
              "Maximize Window - Current Window");
    EXPECT_EQ(DialogDisplayText(CommandCode::ShutDownProgram, WindowRecord{"Ed", 7, false}),
              "Shut Down Program - Window Title: Ed");
    EXPECT_EQ(DialogDisplayText(CommandCode::ActivateOrLaunch,
                                ProgramRecord{4, "Gedit", "/usr/bin/gedit", "", 5}),
              "Activate or Launch: \"Gedit\" OR gedit");
    std::vector<CommandCode> withoutValues;
    for (int code = 1; code <= CommandCount; ++code) {
        const auto command = static_cast<CommandCode>(code);
        if (CommandNeedsNoValues(command)) {
            withoutValues.push_back(command);
            const CommandRecord record = RecordWithoutValues(command);
            const std::string text = DisplayText(command, record);
            EXPECT_EQ(CommandCodeOf(text), command) << text;
            EXPECT_EQ(BuildTheScript(TagOf(command, record)),
                      (std::vector<ScriptLine>{{text, record}}))
                << text;
        }
    }
    using C = CommandCode;
    EXPECT_EQ(withoutValues, (std::vector<CommandCode>{C::RepeatEnd, C::SoundBeep, C::ClipboardCopy,
                                                       C::ClipboardPaste, C::ClipboardStartCopy,
                                                       C::ClipboardEndCopy, C::RepeatPromptStart}));
}

TEST(ScriptEditing, ShortKeyNamesTakeLettersDigitsAndMarksOnly) {
    struct Case {
        std::string Name;
        std::optional<std::string_view> Refusal;
    };
    const Case cases[] = {
        {"a-b_c", std::nullopt},
        {"  sig!  ", std::nullopt},
        {"#$%&*+,-./;<=>?@^_", std::nullopt},
        {"ab cd", InvalidShortKeyNameText},
        {"it's", InvalidShortKeyNameText},
        {"caf\xE9", InvalidShortKeyNameText},
        {"", NoShortKeyNameText},
        {"   ", NoShortKeyNameText},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckShortKeyName(c.Name), c.Refusal) << c.Name;
    }
}

TEST(ScriptEditing, OkWritesTheFieldsAndTheTextIntoTheRecord) {
    MacroRecord record;
    record.Nickname.Assign("old");
    record.SetText("old text");
    record.ShortKey.Assign("old");
    record.HotKey = HotKeyShortKey;
    const MacroRecord before = record;

    ScriptEditorForm form;
    form.Kind = ActivationKind::ShortKey;
    form.IsNew = true;
    form.Nickname = std::string(60, 'n');
    form.Scope = 2;
    form.Icon = "MAIN";
    form.ShortKeyName = "ab cd";
    const std::vector<ScriptLine> lines = BuildTheScript("Hi<DELAY:00.20>");

    ScriptSaveOutcome outcome = SaveScript(lines, form, 45000.25, record);
    EXPECT_EQ(outcome.Refusal, InvalidShortKeyNameText);
    EXPECT_EQ(record, before) << "a refused name changes nothing";

    form.ShortKeyName = " sig ";
    outcome = SaveScript(lines, form, 45000.25, record);
    EXPECT_FALSE(outcome.Refusal);
    EXPECT_FALSE(outcome.Truncated);
    EXPECT_EQ(record.Text(), "Hi<DELAY:00.20>");
    EXPECT_EQ(record.Nickname.View(), std::string(50, 'n'));
    EXPECT_EQ(record.ShortKey.View(), "sig");
    EXPECT_EQ(record.Scope, ScopeSpecificWindow);
    EXPECT_EQ(record.Icon.View(), "MAIN");
    EXPECT_EQ(record.Active, 1);
    EXPECT_DOUBLE_EQ(record.LastModified, 45000.25);

    // A hot key macro keeps no ShortKey; scope 3 is the program; over 5000 characters are cut.
    form.Kind = ActivationKind::HotKey;
    form.IsNew = false;
    form.Scope = 3;
    record.Active = 0;
    const std::vector<ScriptLine> longLines = {
        {"Text: x", TextRecord{std::string(4990, 'x')}},
        {"Delay 1.50 Seconds", DelayRecord{1.0, 1.5}},
    };
    outcome = SaveScript(longLines, form, 45000.5, record);
    EXPECT_TRUE(outcome.Truncated);
    EXPECT_EQ(record.Text().size(), MacroTextMaxLength);
    EXPECT_TRUE(record.Text().ends_with("x<DELAY:01.")) << "the tag is cut in two";
    EXPECT_EQ(record.ShortKey.View(), "");
    EXPECT_EQ(record.Scope, ScopeSpecificProgram);
    EXPECT_EQ(record.Active, 0) << "an existing macro keeps its state";
}

} // namespace
} // namespace orvane
