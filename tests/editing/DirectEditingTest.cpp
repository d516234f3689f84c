// SPDX-License-Identifier: GPL-3.0-or-later
// The direct editor's "&Update": the raw text is stored as typed, tab characters as "<TAB>",
// within 5000 characters; a refused ShortKey name changes nothing.
#include "editing/DirectEditing.h"
#include "ScriptCorpus.h"
#include "core/MacroRecord.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(DirectEditing, UpdateStoresTheTextAsTypedWithTabsAsTags) {
    struct Case {
        std::string Typed;
        std::string Stored;
        bool Truncated = false;
    };
    const std::string malformed = corpus::MalformedTags() + "<REM:never closed";
    const Case cases[] = {
        {.Typed = "Dear <SHFD>x<SHFU>,<ENTER>", .Stored = "Dear <SHFD>x<SHFU>,<ENTER>"},
        // Tags the reader does not know, or knows only in capitals, stay as typed: they play
        // as their characters.
        {.Typed = malformed, .Stored = malformed},
        {.Typed = "<tab><Hi>\xa0<", .Stored = "<tab><Hi>\xa0<"},
        {.Typed = "a\tb\r\n\tc", .Stored = "a<TAB>b\r\n<TAB>c"},
        {.Typed = std::string(5000, 'x'), .Stored = std::string(5000, 'x')},
        // The tab's tag is what pushes the text over the limit; the cut falls inside it.
        {.Typed = std::string(4997, 'x') + "\t",
         .Stored = std::string(4997, 'x') + "<TA",
         .Truncated = true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed.substr(0, 40));
        MacroRecord record;
        ScriptEditorForm form;
        form.Nickname = "letter";
        form.Scope = 2;
        form.Icon = "MAIN";
        const ScriptSaveOutcome outcome = SaveDirectText(c.Typed, form, 45000.5, record);
        EXPECT_FALSE(outcome.Refusal);
        EXPECT_EQ(outcome.Truncated, c.Truncated);
        EXPECT_EQ(record.Text(), c.Stored);
        EXPECT_EQ(record.Nickname.View(), "letter");
        EXPECT_EQ(record.Scope, ScopeSpecificWindow);
        EXPECT_DOUBLE_EQ(record.LastModified, 45000.5);
    }
}

TEST(DirectEditing, ARefusedShortKeyNameChangesNothing) {
    MacroRecord record;
    record.HotKey = HotKeyShortKey;
    record.ShortKey.Assign("sig");
    record.SetText("old");
    const MacroRecord before = record;
    ScriptEditorForm form;
    form.Kind = ActivationKind::ShortKey;
    form.ShortKeyName = "   ";
    const ScriptSaveOutcome outcome = SaveDirectText(std::string(6000, 'y'), form, 45000.5, record);
    EXPECT_EQ(outcome.Refusal, NoShortKeyNameText);
    EXPECT_FALSE(outcome.Truncated) << "nothing was cut, so nothing is said about it";
    EXPECT_EQ(record, before);

    form.ShortKeyName = " sig2 ";
    EXPECT_FALSE(SaveDirectText("new", form, 45000.5, record).Refusal);
    EXPECT_EQ(record.ShortKey.View(), "sig2");
    EXPECT_EQ(record.Text(), "new");
}

TEST(DirectEditing, CharactersTheCodePageLacksAreNamedOnce) {
    EXPECT_EQ(UnstorableCharacters("caf\xc3\xa9 \xe2\x82\xac 5 \xc2\xa0"), "");
    // U+4E2D twice, U+2713, U+1F600 (outside the basic plane).
    EXPECT_EQ(UnstorableCharacters("a\xe4\xb8\xad"
                                   "b\xe4\xb8\xad\xe2\x9c\x93\xf0\x9f\x98\x80"),
              "\xe4\xb8\xad\xe2\x9c\x93\xf0\x9f\x98\x80");
}

} // namespace
} // namespace orvane
