// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/ScriptLines.h"
#include "editing/commands/ActivateForm.h"
#include "editing/commands/ClipboardForm.h"
#include "editing/commands/DateTimeForm.h"
#include "editing/commands/DelayForm.h"
#include "editing/commands/FilesForm.h"
#include "editing/commands/KeystrokeText.h"
#include "editing/commands/MouseForm.h"
#include "editing/commands/NameForms.h"
#include "editing/commands/PauseForm.h"
#include "editing/commands/RepeatForm.h"
#include "editing/commands/SoundForm.h"
#include "editing/commands/SpeedForm.h"
#include "editing/commands/WindowForms.h"
#include "script/Commands.h"
#include "script/NamedKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

// A tag of `form` with a plausible value in every field, as a user could have written it.
std::string SampleTag(const TagForm& form) {
    if (form.Kind == ItemKind::Date) {
        return "<" + std::string(DateFormatNames[3]) + "{YP012}>";
    }
    if (form.Kind == ItemKind::Time) {
        return "<" + std::string(TimeFormatNames[4]) + "{N}>";
    }
    const TagLayout& layout = form.Layout;
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < layout.FieldCount; ++i) {
        const TagField& field = layout.Field(i);
        switch (field.Kind) {
        case FieldKind::Integer:
            fields.push_back(IntegerFieldText(7, field.Width));
            break;
        case FieldKind::Real:
            // Pointer positions are whole pixels, written without decimals.
            fields.push_back(form.Kind == ItemKind::MoveScreen || form.Kind == ItemKind::MoveWindow
                                 ? IntegerFieldText(7, field.Width)
                                 : RealFieldText(2.5, field.Width));
            break;
        case FieldKind::Digits:
            fields.push_back(std::string(field.Width, '1'));
            break;
        case FieldKind::Text:
        case FieldKind::Title:
            fields.push_back("Notes");
            break;
        case FieldKind::Program:
            fields.push_back("/usr/bin/gedit<PARAM>-s");
            break;
        case FieldKind::TwoNames:
            fields.push_back("/tmp/a.txt;/tmp/b.txt");
            break;
        }
    }
    std::vector<std::string_view> views(fields.begin(), fields.end());
    switch (views.size()) {
    case 0:
        return WriteTag(layout, {});
    case 1:
        return WriteTag(layout, {views[0]});
    case 2:
        return WriteTag(layout, {views[0], views[1]});
    default:
        return WriteTag(layout, {views[0], views[1], views[2]});
    }
}

// The tag the command's dialog writes back after loading `tag`, untouched.
std::string ThroughItsForm(const CommandRow& command, const std::string& tag) {
    switch (command.Form) {
    case FormKind::Text:
        return UpdateKeystrokes(tag).Text;
    case FormKind::DateTime:
        return Build(DateTimeForm::Load(tag));
    case FormKind::Delay:
        return Build(DelayForm::Load(tag));
    case FormKind::Pause:
        return Build(PauseForm::Load(tag));
    case FormKind::Repeat:
        return Build(RepeatForm::Load(tag));
    case FormKind::Speed:
        return Build(SpeedForm::Load(tag));
    case FormKind::Activate:
        return Build(ActivateForm::Load(tag));
    case FormKind::Sound:
        return Build(SoundForm::Load(tag));
    case FormKind::Swap:
        return Build(SwapForm::Load(tag));
    case FormKind::TextFile:
        return Build(TextFileForm::Load(tag));
    case FormKind::Remark:
        return Build(RemarkForm::Load(tag));
    case FormKind::Web:
        return Build(WebForm::Load(tag));
    case FormKind::Size:
        return Build(SizeForm::Load(tag));
    case FormKind::System:
        return Build(SystemForm::Load(tag));
    case FormKind::Mouse:
        return Build(MouseForm::Load(tag));
    case FormKind::Clipboard:
        return Build(ClipboardForm::Load(tag));
    case FormKind::KeyUpDown:
        return Build(KeyUpDownForm::Load(tag));
    case FormKind::Files:
        return Build(FilesForm::Load(tag));
    }
    return {};
}

// The macro texts of a command's lines: a sample of each of its tags, or keystrokes for Text.
std::vector<std::string> SampleTexts(const CommandRow& command) {
    if (command.Tags.empty()) {
        return {"Hello<ENTER>"};
    }
    std::vector<std::string> texts;
    for (const TagForm& form : command.Tags) {
        texts.push_back(SampleTag(form));
    }
    return texts;
}

// Every command, by every one of its tags: the text reads as one line of that command, the line
// shows the command's name, its record writes the same text back, and the command's form loads
// the text and builds one that reads back as the same line.
TEST(CommandTable, EveryCommandTagRoundTripsThroughItsLineAndItsForm) {
    for (const CommandRow& command : Commands) {
        for (const std::string& tag : SampleTexts(command)) {
            const std::vector<ScriptLine> lines = BuildTheScript(tag);
            ASSERT_EQ(lines.size(), 1U) << tag;
            const ScriptLine& line = lines[0];
            EXPECT_EQ(CommandCodeOf(line.Text), command.Code) << tag << " -> " << line.Text;
            EXPECT_EQ(line.Text, DisplayText(command.Code, line.Record)) << tag;
            EXPECT_EQ(TagOf(line), tag) << line.Text;
            EXPECT_EQ(BuildTheScript(ThroughItsForm(command, tag)), lines) << tag;
        }
    }
}

// The reader tries the tags in no particular order, which is only sound while no tag's literal
// begins another's.
TEST(CommandTable, NoTagLiteralBeginsAnother) {
    std::vector<std::string_view> literals;
    for (const NamedKey& key : NamedKeys) {
        literals.push_back(key.Tag);
    }
    for (const TagForm& form : KeystrokeTags) {
        literals.push_back(form.Layout.Literal);
    }
    for (const CommandRow& command : Commands) {
        for (const TagForm& form : command.Tags) {
            if (!form.Layout.Literal.empty()) {
                literals.push_back(form.Layout.Literal);
            }
        }
    }
    for (std::size_t i = 0; i < literals.size(); ++i) {
        for (std::size_t j = 0; j < literals.size(); ++j) {
            EXPECT_TRUE(i == j || !literals[j].starts_with(literals[i]))
                << literals[i] << " begins " << literals[j];
        }
    }
}

// Each named key reads back as the key it names, and the capture finds its tag by that key.
TEST(CommandTable, NamedKeysReadAsTheirKey) {
    for (const NamedKey& key : NamedKeys) {
        const ScriptItem item = ReadScriptItem(key.Tag, 0);
        EXPECT_EQ(item.Kind, key.Kind) << key.Tag;
        EXPECT_EQ(item.Length, key.Tag.size()) << key.Tag;
        if (key.Kind == ItemKind::Key) {
            EXPECT_EQ(item.Key, key.VirtualKey) << key.Tag;
            EXPECT_EQ(NamedKeyTag(key.VirtualKey), key.Tag);
        }
    }
}

} // namespace
} // namespace orvane
