// SPDX-License-Identifier: GPL-3.0-or-later
#include "MacroFileFixture.h"
#include "activation/ShortKeyOptions.h"
#include "activation/ShortKeys.h"
#include "core/SettingsBlock.h"
#include "platform/fake/EventTrace.h"
#include "platform/fake/FakeEventPump.h"
#include "platform/fake/FakeInputSynth.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace orvane {
namespace {

// The foreground and the starter as ShortKeys see them; plays are written to the trace.
class FakeShortKeyHost : public MacroStarter, public ForegroundLookup {
public:
    explicit FakeShortKeyHost(EventTrace& trace) : trace_(trace) {}

    std::optional<std::string_view> RefusalNow() override { return Refusal; }
    void Refuse(std::string_view text) override { trace_.Add("warning:" + std::string(text)); }
    bool Busy() const override { return IsPlaying || starting_ > 0; }
    bool Paused() const override { return false; }
    bool CapsLockReported() const override { return false; }
    void StartAsHotKey(int, WindowId) override {}
    void IntoProgram(int macro, bool capsWasOn) override {
        trace_.Add("play:" + std::to_string(macro) + (capsWasOn ? "+caps" : "") +
                   (starting_ > 0 ? "" : "(not marked as starting)"));
    }
    std::optional<std::size_t> IntoProgramTyping(int macro, bool capsWasOn,
                                                 LetterCase letterCase) override {
        IntoProgram(macro, capsWasOn);
        if (letterCase != LetterCase::AsStored) {
            trace_.Add(letterCase == LetterCase::AllUpper ? "case:SIG" : "case:Sig");
        }
        return Typed;
    }
    void BeginStart() override { ++starting_; }
    void EndStart() override { --starting_; }
    std::string ForegroundTitle() override { return Title; }
    std::string ForegroundProgram() override { return Program; }

    std::optional<std::string_view> Refusal;
    // What the played macro reports it typed: characters only (a count) or more (nothing).
    std::optional<std::size_t> Typed;
    bool IsPlaying = false;
    std::string Title = "Untitled - Editor";
    std::string Program = "gedit";

private:
    EventTrace& trace_;
    int starting_ = 0;
};

struct Macro {
    Macro(std::string shortKey, std::int16_t scope = ScopeGlobal, std::string target = {},
          std::uint8_t active = 1)
        : ShortKey(std::move(shortKey)), Scope(scope), Target(std::move(target)), Active(active) {}

    std::string ShortKey;
    std::int16_t Scope;
    std::string Target;
    std::uint8_t Active;
};

MacroRecord ShortKeyRecord(const Macro& macro) {
    MacroRecord record;
    record.Nickname.Assign("expands " + macro.ShortKey);
    record.ShortKey.Assign(macro.ShortKey);
    record.HotKey = HotKeyShortKey;
    record.Scope = macro.Scope;
    record.ScopeTarget.Assign(macro.Target);
    record.Active = macro.Active;
    record.SetText("Best regards");
    return record;
}

std::string Erased(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "BS ";
    }
    return text + "wait:100ms";
}

class ShortKeyTest : public MacroFileFixture {
protected:
    // Feeds `typed` one character at a time as the hook backend reports typing ('\x01' stands
    // for the backend's "forget" message) and returns what was done, with each Backspace press
    // and release shown as "BS".
    std::string Type(std::string_view typed, std::uint64_t state = 0) {
        trace.Clear();
        for (const char c : typed) {
            if (c == '\x01') {
                shortKeys.OnShortKeyChar(ShortKeys::ForgetState, 0);
            } else {
                shortKeys.Receive(
                    {HookMessageId::UM_SHORTKEYCHAR, state, static_cast<unsigned char>(c), 0});
            }
        }
        std::string text = trace.Text();
        for (std::size_t at; (at = text.find("+BS -BS")) != std::string::npos;) {
            text.replace(at, 7, "BS");
        }
        return text;
    }

    EventTrace trace;
    FakeInputSynth input{&trace};
    FakeEventPump pump{&trace};
    SettingsBlock settings;
    FakeShortKeyHost host{trace};
    ShortKeys shortKeys{store, settings, input, pump, host, host};
};

struct MatchCase {
    MatchCase(const char* name, std::vector<Macro> macros, std::string prefix, bool useSuffix,
              bool solitary, bool caseSensitive, std::string typed, std::string expected,
              std::string program = "gedit", std::string title = "Untitled - Editor")
        : Name(name), Macros(std::move(macros)), Prefix(std::move(prefix)), UseSuffix(useSuffix),
          Solitary(solitary), CaseSensitive(caseSensitive), Typed(std::move(typed)),
          Expected(std::move(expected)), Program(std::move(program)), Title(std::move(title)) {}

    const char* Name;
    std::vector<Macro> Macros;
    std::string Prefix;
    bool UseSuffix;
    bool Solitary;
    bool CaseSensitive;
    std::string Typed;
    std::string Expected; // the trace; empty: nothing at all
    std::string Program;
    std::string Title;
};

TEST_F(ShortKeyTest, TypedSequencesPlayTheMacroTheSettingsAskFor) {
    const std::string end = " +EXECUTE -EXECUTE";
    const std::vector<MatchCase> cases = {
        {"prefix plays after the last letter, erasing prefix and word",
         {{"sig"}},
         ";",
         false,
         false,
         true,
         ";sig",
         Erased(4) + " play:1" + end},
        {"prefix missing: nothing", {{"sig"}}, ";", false, false, true, "sig", ""},
        {"two-character prefix",
         {{"sig"}},
         ";;",
         false,
         false,
         true,
         ";;sig",
         Erased(5) + " play:1" + end},
        {"suffix: nothing until Space", {{"sig"}}, ";", true, false, true, "sig", ""},
        {"suffix: Space plays and is erased too",
         {{"sig"}},
         ";",
         true,
         false,
         true,
         "sig ",
         Erased(4) + " play:1" + end},
        {"suffix: Enter ends the word as well",
         {{"sig"}},
         "",
         true,
         false,
         true,
         "sig\r",
         Erased(4) + " play:1" + end},
        {"suffix compares the whole word", {{"sig"}}, "", true, false, true, "xsig ", ""},
        {"suffix: other separators do not play", {{"sig"}}, "", true, false, true, "sig\t", ""},
        {"containing mode plays inside a word, leaving its start",
         {{"sig"}},
         "",
         false,
         false,
         true,
         "xsig",
         Erased(3) + " play:1" + end},
        {"solitary usage: not inside a word", {{"sig"}}, "", false, true, true, "xsig", ""},
        {"solitary usage: a whole word after a separator",
         {{"sig"}},
         "",
         false,
         true,
         true,
         "x sig",
         Erased(3) + " play:1" + end},
        {"case-sensitive refuses other case", {{"sig"}}, "", false, false, true, "SIG", ""},
        {"case-insensitive: SIG",
         {{"sig"}},
         "",
         false,
         false,
         false,
         "SIG",
         Erased(3) + " play:1" + end},
        {"case-insensitive: Sig",
         {{"sig"}},
         "",
         false,
         false,
         false,
         "Sig",
         Erased(3) + " play:1" + end},
        {"Backspace takes back a typed character",
         {{"sig"}},
         "",
         false,
         false,
         true,
         "sx\big",
         Erased(3) + " play:1" + end},
        {"a separator empties the word", {{"sig"}}, "", false, true, true, "si g", ""},
        {"the backend's forget message empties the word",
         {{"sig"}},
         "",
         false,
         false,
         true,
         "si\x01g",
         ""},
        {"long run of word characters still matches at its end",
         {{"sig"}},
         "",
         false,
         false,
         true,
         "abcdefghijklmnopqrstuvwxsig",
         Erased(3) + " play:1" + end},
        {"inactive macros do not match",
         {{"sig", ScopeGlobal, "", 0}},
         "",
         false,
         false,
         true,
         "sig",
         ""},
        {"program-specific ShortKey in another program does nothing",
         {{"sig", ScopeSpecificProgram, "mousepad"}, {"xyz"}},
         "",
         false,
         false,
         true,
         "sig",
         "",
         "gedit"},
        {"program-specific ShortKey in its program plays",
         {{"sig", ScopeSpecificProgram, "GEDI"}},
         "",
         false,
         false,
         true,
         "sig",
         Erased(3) + " play:1" + end,
         "gedit"},
        {"window-specific wins over global when its window is in front",
         {{"sig"}, {"sig", ScopeSpecificWindow, "notes"}},
         "",
         false,
         false,
         true,
         "sig",
         Erased(3) + " play:2" + end,
         "gedit",
         "My Notes - Editor"},
        {"global plays when the specific window is not in front",
         {{"sig"}, {"sig", ScopeSpecificWindow, "notes"}},
         "",
         false,
         false,
         true,
         "sig",
         Erased(3) + " play:1" + end},
        {"program before global, the first of each in table order",
         {{"sig"}, {"sig"}, {"sig", ScopeSpecificProgram, "edit"}},
         "",
         false,
         false,
         true,
         "sig",
         Erased(3) + " play:3" + end},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<MacroRecord> records;
        for (const Macro& m : c.Macros) {
            records.push_back(ShortKeyRecord(m));
        }
        Load(records);
        settings.PrefixKeys = c.Prefix;
        settings.UseSuffix = c.UseSuffix;
        settings.SolitaryUsage = c.Solitary;
        settings.CaseSensitive = c.CaseSensitive;
        host.Program = c.Program;
        host.Title = c.Title;
        shortKeys.OnShortKeyChar(ShortKeys::ForgetState, 0);
        EXPECT_EQ(Type(c.Typed), c.Expected);
        TearDown();
    }
}

TEST_F(ShortKeyTest, PlayingMarksTheTableInUseUntilTheEndMarkAndEmptiesTheWord) {
    Load({ShortKeyRecord({"sig"})});
    settings.PrefixKeys = ";";
    EXPECT_EQ(Type(";sig", ShortKeys::CapsLockOnState),
              Erased(4) + " play:1+caps +EXECUTE -EXECUTE");
    EXPECT_EQ(hook.Calls, std::vector<std::string>{"OrvUpInUse"});
    EXPECT_FALSE(store.Table().InUse());
    EXPECT_EQ(shortKeys.Buffer(), "");
    // Erasing serves events after each Backspace, so the target takes them as they come.
    EXPECT_EQ(pump.ServeCount(), 4u);
}

TEST_F(ShortKeyTest, RefusalsShowTheirMessageAndEraseNothing) {
    Load({ShortKeyRecord({"sig"})});
    host.Refusal = "A current playback macro is in the middle of a PAUSE.";
    EXPECT_EQ(Type("sig"), "warning:A current playback macro is in the middle of a PAUSE.");
    EXPECT_EQ(shortKeys.Buffer(), "sig");
    EXPECT_TRUE(hook.Calls.empty());
}

TEST_F(ShortKeyTest, AMatchWhileAnotherMacroPlaysLeavesTheTypedWordAlone) {
    Load({ShortKeyRecord({"sig"})});
    host.IsPlaying = true;
    EXPECT_EQ(Type("sig"), "");
    EXPECT_EQ(shortKeys.Buffer(), "sig");
}

TEST_F(ShortKeyTest, TypingIsIgnoredWithoutShortKeyMacros) {
    MacroRecord hotKeyMacro = ShortKeyRecord({"sig"});
    hotKeyMacro.HotKey = 5;
    Load({hotKeyMacro});
    EXPECT_EQ(Type("sig"), "");
    EXPECT_EQ(shortKeys.Buffer(), "");
}

TEST_F(ShortKeyTest, AtMostFiftyMatchesAreCollected) {
    std::vector<MacroRecord> records(60, ShortKeyRecord({"sig"}));
    records[55].Scope = ScopeSpecificWindow;
    records[55].ScopeTarget.Assign("Editor");
    Load(records);
    const ShortKeyMatches matches =
        CollectShortKeyMatches("sig", ShortKeySettings{}, store.Table(), store.Names(), 60);
    EXPECT_EQ(matches.Macros.size(), 50u);
    EXPECT_EQ(matches.Macros.front(), 1);
    // The window-specific macro lies beyond the fifty, so the global one plays.
    EXPECT_FALSE(matches.HaveWindow);
    EXPECT_EQ(Type("sig"), Erased(3) + " play:1 +EXECUTE -EXECUTE");
}

// The messages of the backend as Type() takes them: '\x01' forgets, '\x03' is a key that types
// nothing (an arrow).
constexpr char OtherKey = '\x03';

std::string Backspaces(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "BS ";
    }
    return text;
}

TEST_F(ShortKeyTest, BackspaceRightAfterAnExpansionGivesTheAbbreviationBack) {
    const std::string end = "+EXECUTE -EXECUTE";
    struct UndoCase {
        const char* Name;
        std::string Prefix = {};
        bool UseSuffix = false;
        bool UndoOn = true;
        std::optional<std::size_t> Typed = 12; // what the expansion typed
        std::string Trigger = {};              // typed before, expanding
        std::string After = {};                // typed after the expansion
        std::string Expected = {};             // what After does
    };
    const std::vector<UndoCase> cases = {
        {.Name = "prefix: the rest of the text goes, prefix and word come back",
         .Prefix = ";",
         .Trigger = ";sig",
         .After = "\b",
         .Expected = Backspaces(11) + "+SEMICOLON -SEMICOLON +S -S +I -I +G -G " + end},
        {.Name = "the case the user typed comes back",
         .Trigger = "xSiG",
         .After = "\b",
         .Expected = Backspaces(11) + "+SHIFT +S -S -SHIFT +I -I +SHIFT +G -G -SHIFT " + end},
        {.Name = "suffix: the ending Space comes back too",
         .UseSuffix = true,
         .Trigger = "sig ",
         .After = "\b",
         .Expected = Backspaces(11) + "+S -S +I -I +G -G +SPACE -SPACE " + end},
        {.Name = "suffix: the ending Enter comes back too",
         .UseSuffix = true,
         .Trigger = "sig\r",
         .After = "\b",
         .Expected = Backspaces(11) + "+S -S +I -I +G -G +ENTER -ENTER " + end},
        {.Name = "a one-character expansion: the user's Backspace took it all",
         .Typed = 1,
         .Trigger = "sig",
         .After = "\b",
         .Expected = "+S -S +I -I +G -G " + end},
        {.Name = "once only: a second Backspace is the user's",
         .Trigger = "sig",
         .After = "\b\b",
         .Expected = Backspaces(11) + "+S -S +I -I +G -G " + end},
        {.Name = "a character in between forgets it", .Trigger = "sig", .After = "x\b"},
        {.Name = "a key that types nothing in between forgets it",
         .Trigger = "sig",
         .After = std::string(1, OtherKey) + "\b"},
        {.Name = "a click or another window in between forgets it",
         .Trigger = "sig",
         .After = "\x01\b"},
        {.Name = "an expansion that did more than type is not undone",
         .Typed = std::nullopt,
         .Trigger = "sig",
         .After = "\b"},
        {.Name = "an expansion that typed nothing is not undone",
         .Typed = 0,
         .Trigger = "sig",
         .After = "\b"},
        {.Name = "off in the options", .UndoOn = false, .Trigger = "sig", .After = "\b"},
    };
    for (const UndoCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Load({ShortKeyRecord({"sig"})});
        settings.PrefixKeys = c.Prefix;
        settings.UseSuffix = c.UseSuffix;
        settings.CaseSensitive = false;
        settings.UndoByBackspace = c.UndoOn;
        host.Typed = c.Typed;
        shortKeys.OnShortKeyChar(ShortKeys::ForgetState, 0);
        Type(c.Trigger);
        ASSERT_NE(trace.Text().find("play:1"), std::string::npos);
        std::string after;
        trace.Clear();
        for (const char k : c.After) {
            if (k == OtherKey) {
                shortKeys.OnShortKeyChar(ShortKeys::OtherKeyState, 0);
            } else {
                after += k;
            }
        }
        EXPECT_EQ(Type(after), c.Expected);
        EXPECT_FALSE(shortKeys.CanUndo());
        EXPECT_FALSE(store.Table().InUse());
        TearDown();
    }
}

TEST_F(ShortKeyTest, AnUndoneAbbreviationDoesNotExpandAgainAsTypingGoesOn) {
    Load({ShortKeyRecord({"sig"})});
    host.Typed = 12;
    Type("sig\b");
    EXPECT_EQ(shortKeys.Buffer(), "");
    // "sign" must stay "sign": the g's word was given back, not typed anew.
    EXPECT_EQ(Type("n"), "");
}

TEST_F(ShortKeyTest, UndoTypesUnderCapsLockWithCapsLockOff) {
    Load({ShortKeyRecord({"sig"})});
    host.Typed = 2;
    Type("sig");
    EXPECT_EQ(Type("\b", ShortKeys::CapsLockOnState),
              "BS +CAPS -CAPS +S -S +I -I +G -G +CAPS -CAPS +EXECUTE -EXECUTE");
}

TEST_F(ShortKeyTest, TheTextFollowsTheCaseOnlyWhenAskedAndMatchingIgnoresCase) {
    struct FollowCaseRow {
        bool FollowCase;
        bool CaseSensitive;
        std::string Stored;
        std::string Typed;
        std::string Expected;
    };
    const std::string end = " +EXECUTE -EXECUTE";
    const std::vector<FollowCaseRow> rows = {
        {true, false, "sig", "sig", Erased(3) + " play:1" + end},
        {true, false, "sig", "Sig", Erased(3) + " play:1 case:Sig" + end},
        {true, false, "sig", "SIG", Erased(3) + " play:1 case:SIG" + end},
        {true, false, "Sig", "sig", Erased(3) + " play:1" + end},
        {false, false, "sig", "SIG", Erased(3) + " play:1" + end},
        // Case Sensitive: the abbreviation can only be typed as stored; no choice to follow.
        {true, true, "SIG", "SIG", Erased(3) + " play:1" + end},
    };
    for (const FollowCaseRow& row : rows) {
        SCOPED_TRACE(row.Stored + " typed " + row.Typed);
        Load({ShortKeyRecord({row.Stored})});
        settings.FollowCase = row.FollowCase;
        settings.CaseSensitive = row.CaseSensitive;
        shortKeys.OnShortKeyChar(ShortKeys::ForgetState, 0);
        EXPECT_EQ(Type(row.Typed), row.Expected);
        TearDown();
    }
}

TEST(ShortKeyCaseTest, CaseOfTheTypedAbbreviation) {
    const struct {
        std::string_view Typed;
        LetterCase Case;
    } rows[] = {
        {"sig", LetterCase::AsStored},    {"Sig", LetterCase::FirstUpper},
        {"SIG", LetterCase::AllUpper},    {"SiG", LetterCase::FirstUpper},
        {"sIG", LetterCase::AsStored},    {"S", LetterCase::FirstUpper},
        {"s", LetterCase::AsStored},      {"1SIG", LetterCase::AllUpper},
        {"1Sig", LetterCase::FirstUpper}, {"12", LetterCase::AsStored},
        {"S1", LetterCase::FirstUpper},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CaseOfTyped(row.Typed), row.Case) << row.Typed;
    }
}

TEST(ShortKeyCaseTest, TheTextTakesTheCaseLettersBeyondLatin1AndTagsStay) {
    const struct {
        std::string_view Text;
        LetterCase Case;
        std::string_view Expected;
    } rows[] = {
        {"best regards", LetterCase::AsStored, "best regards"},
        {"best regards", LetterCase::FirstUpper, "Best regards"},
        {"best regards", LetterCase::AllUpper, "BEST REGARDS"},
        {"  -- best", LetterCase::FirstUpper, "  -- Best"},
        {"<ENTER>best<TAB>wishes", LetterCase::FirstUpper, "<ENTER>Best<TAB>wishes"},
        {"see <TFILE:/home/a/notes.txt> ok", LetterCase::AllUpper,
         "SEE <TFILE:/home/a/notes.txt> OK"},
        {"x<BEGCLIP>kept low<ENDCLIP>y", LetterCase::AllUpper, "X<BEGCLIP>kept low<ENDCLIP>Y"},
        // Latin-1: à é ø þ go up; ß and ÿ have no capital there; š œ ž are past it.
        {"\xe0\xe9\xf8\xfe \xdf\xff \x9a\x9c\x9e", LetterCase::AllUpper,
         "\xc0\xc9\xd8\xde \xdf\xff \x9a\x9c\x9e"},
        {"\xe9"
         "t\xe9",
         LetterCase::FirstUpper,
         "\xc9"
         "t\xe9"},
        // The first letter is past Latin-1: it stays, and no later letter takes its place.
        {"\x9a"
         "al",
         LetterCase::FirstUpper,
         "\x9a"
         "al"},
        {"\xf7x", LetterCase::FirstUpper, "\xf7X"},
        {"", LetterCase::AllUpper, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FollowCase(row.Text, row.Case), row.Expected) << row.Text;
    }
}

TEST(ShortKeyBufferTest, KeepsThePrefixPlusTenLastCharacters) {
    ShortKeyBuffer buffer;
    for (const char c : std::string_view("abcdefghijklmnopqrstuvwxyz")) {
        buffer.Append(c, 0);
    }
    EXPECT_EQ(buffer.Text(), "qrstuvwxyz");
    buffer.Append('1', 2);
    EXPECT_EQ(buffer.Text(), "qrstuvwxyz1");
    buffer.Backspace();
    buffer.Clear();
    buffer.Backspace();
    EXPECT_EQ(buffer.Text(), "");
}

TEST(ShortKeyBufferTest, WordCharacters) {
    const std::string_view word = "AZaz09!#$%&*+,-./;<=>?@^_";
    for (const char c : word) {
        EXPECT_TRUE(IsShortKeyWordCharacter(c)) << c;
    }
    for (const char c : std::string_view(" \t\r\n'\"()[]{}:|\\`~\x80\xe9")) {
        EXPECT_FALSE(IsShortKeyWordCharacter(c)) << c;
    }
    EXPECT_FALSE(IsShortKeyWordCharacter('\0'));
}

TEST(ShortKeyOptionsTest, PrefixCheckAndStoredOptions) {
    EXPECT_EQ(CheckPrefixKeys(" ;, "), std::nullopt);
    EXPECT_EQ(CheckPrefixKeys(""), std::nullopt);
    EXPECT_EQ(CheckPrefixKeys("a'"), InvalidPrefixKeysText);
    EXPECT_EQ(CheckPrefixKeys("; x"), InvalidPrefixKeysText);

    SettingsBlock settings;
    settings.UseSuffix = true;
    settings.PrefixKeys = ";";
    ShortKeyOptionsForm form = ShortKeyOptionsFormFrom(settings);
    EXPECT_FALSE(form.UsePrefixKeys);
    EXPECT_EQ(form.PrefixKeys, ";");
    form.UsePrefixKeys = true;
    form.PrefixKeys = " ;;; ";
    form.CaseSensitive = false;
    form.SolitaryUsage = true;
    EXPECT_TRUE(form.UndoByBackspace);
    EXPECT_FALSE(form.FollowCase);
    EXPECT_FALSE(form.PasteLongTexts);
    form.UndoByBackspace = false;
    form.FollowCase = true;
    form.PasteLongTexts = true;
    form.PasteAbove = 0; // kept inside the range the dialog offers
    ApplyShortKeyOptions(form, settings);
    EXPECT_FALSE(settings.UndoByBackspace);
    EXPECT_TRUE(settings.FollowCase);
    EXPECT_TRUE(settings.PasteLongTexts);
    EXPECT_EQ(settings.PasteAbove, MinPasteAbove);
    EXPECT_FALSE(settings.UseSuffix);
    EXPECT_EQ(settings.PrefixKeys, ";;");
    EXPECT_FALSE(settings.CaseSensitive);
    EXPECT_TRUE(settings.SolitaryUsage);
}

} // namespace
} // namespace orvane
