// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlaybackFixture.h"
#include "playback/PasteRun.h"

#include <optional>
#include <vector>

namespace orvane {
namespace {

class TypedAndPastedTest : public PlaybackFixture {};

// What a playback reports it typed is what an undo takes back with Backspace: text, Enter and
// Tab only; anything else makes it not undoable.
TEST_F(TypedAndPastedTest, APlaybackReportsWhatItTypedWhenTypingIsAllItDid) {
    const struct {
        std::string_view Text;
        std::optional<std::size_t> Typed;
    } rows[] = {
        {"Best regards", 12},
        {"a\r\nb\nc\td", 7},
        {"line<ENTER>next<TAB>x", 11},
        {"<SHIFT>abc", 3},
        {"x<DELAY:00.01>y<SPEED:00002>z", 3},
        {"<REPEAT:0003>ab<I><ENDREP>", 9},
        {"a<b", 3},
        {"caf<ALT4:0233>", 4},
        {"x<ALT:abc>", 1},
        {"", 0},
        {"ab<LEFT ARROW>c", std::nullopt},
        {"<CTRL>a", std::nullopt},
        {"x<BEGCLIP>y<ENDCLIP><CLIPP>", std::nullopt},
        {"x<WMAX:\"CURRENT\">", std::nullopt},
        {"x<LAUNCH:/bin/true>", std::nullopt},
        {"x<BEEP>", std::nullopt},
        {"a\bb", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Text);
        EXPECT_EQ(player.Play(row.Text, false), row.Typed);
    }
}

TEST_F(TypedAndPastedTest, PlainTextRunsLongerThanTheThresholdAreSplitOffForPasting) {
    const struct {
        std::string_view Text;
        std::size_t Pos;
        std::size_t Above;
        std::optional<std::string_view> Pasted; // the run's text, or typed
        std::size_t End;
    } rows[] = {
        {"hello world", 0, 5, "hello world", 11},
        {"hello world", 0, 11, std::nullopt, 0},
        {"hello world", 0, 0, std::nullopt, 0},
        {"hi<ENTER>hello world", 0, 5, std::nullopt, 0},
        {"hi<ENTER>hello world", 9, 5, "hello world", 20},
        {"hello world<TAB>x", 0, 5, "hello world", 11},
        // Line ends count one character each and travel as line feeds.
        {"ab\r\ncd\ref\ngh", 0, 11, std::nullopt, 0},
        {"ab\r\ncd\ref\ngh!", 0, 11, "ab\ncd\nef\ngh!", 13},
        {"tab\there ok", 0, 5, "tab\there ok", 11},
        {"caf\xe9 cr\xe8me", 0, 5, "caf\xe9 cr\xe8me", 10},
        // A control key in the run acts when typed; the run is typed whole.
        {"hello\bworld", 0, 5, std::nullopt, 0},
        {"hello\x1bworld", 0, 5, std::nullopt, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Text);
        const std::optional<PasteRun> run = PasteRunAt(row.Text, row.Pos, row.Above);
        ASSERT_EQ(run.has_value(), row.Pasted.has_value());
        if (run) {
            EXPECT_EQ(run->Text, *row.Pasted);
            EXPECT_EQ(run->End, row.End);
            EXPECT_EQ(run->Characters, run->Text.size());
        }
    }
}

TEST_F(TypedAndPastedTest, LongRunsArePastedAndTheRestIsTyped) {
    player.SetPasteAbove([] { return std::size_t{5}; });
    EXPECT_EQ(Play("hi<ENTER>hello world"), "+H -H +I -I +ENTER -ENTER paste:hello world");
    EXPECT_EQ(player.Play("hi<ENTER>hello world", false), std::optional<std::size_t>(14));
    // A keystroke delay paces the typing on purpose; a one-shot Shift belongs to one key.
    Play("<SPKEY:1>hello world");
    EXPECT_EQ(Count("paste:hello world"), 0u);
    EXPECT_EQ(Play("<SHIFT>hello"), "+SHIFT +H -H -SHIFT +E -E +L -L +L -L +O -O");
    // No paste possible (the clipboard could not be read whole): typed instead.
    commands.Pastes = false;
    EXPECT_EQ(Play("hello!"), "+H -H +E -E +L -L +L -L +O -O +SHIFT +1 -1 -SHIFT");
    player.SetPasteAbove([] { return std::size_t{0}; });
    commands.Pastes = true;
    Play("hello!");
    EXPECT_EQ(Count("paste:hello!"), 0u);
}

} // namespace
} // namespace orvane
