// SPDX-License-Identifier: GPL-3.0-or-later
// Playback of whole macro texts: flow, repeat and clipboard blocks, waits, prompts, the abort
// request, window and program tags, and the end of playback.
#include "PlaybackFixture.h"

namespace orvane {
namespace {

const std::string AbortNotice = "message:Macro Abort:Orvane 98 macro has been aborted.";

class PlaybackEngineTest : public PlaybackFixture {};

TEST_F(PlaybackEngineTest, RepeatBlocks) {
    const TraceCase cases[] = {
        {"<REPEAT:0003>a<I><ENDREP>", "+A -A +1 -1 +A -A +2 -2 +A -A +3 -3"},
        {"<REPEAT:0000>a<ENDREP>b", "+A -A +B -B"},
        {"<REPEAT:0001>a<ENDREP>b", "+A -A +B -B"},
        {"<REPEAT:-005>a<ENDREP>", "+A -A"},
        {"<REPEAT:0002>x", "+X -X"}, // no end tag: the rest plays once
        {"<REPEAT:0002><III><ENDREP>", "+0 -0 +0 -0 +1 -1 +0 -0 +0 -0 +2 -2"},
        // The first end tag closes the outer block; replays skip the inner repeat tag, the last
        // pass in place plays the inner block, and the second end tag is a lone one.
        {"<REPEAT:0003>a<REPEAT:0002>b<ENDREP>c<ENDREP>",
         "+A -A +B -B +A -A +B -B +A -A +B -B +B -B +C -C"},
        // Counters type nothing outside a block and after its end tag.
        {"<I><REPEAT:0002>x<ENDREP><I><II>", "+X -X +X -X"},
        {"<ENDREP><ENDCLIP><TEST><REM:a note>x", "+X -X"},
    };
    for (const TraceCase& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
}

TEST_F(PlaybackEngineTest, CountersAreNeverCut) {
    Play("<REPEAT:0012><I>,<ENDREP>");
    const std::vector<std::string>& e = trace.Entries();
    // The twelfth pass types "12" through the one-digit counter.
    ASSERT_GE(e.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(e.end() - 6, e.end()),
              (std::vector<std::string>{"+1", "-1", "+2", "-2", "+COMMA", "-COMMA"}));
}

TEST_F(PlaybackEngineTest, PromptedRepeatAsksOnEveryPassButPlaysItsBodyOncePerReplay) {
    prompts.RepeatAnswers = {3};
    EXPECT_EQ(Play("<PROMPTREP>a<ENDREP>"), "repeat-prompt +A -A +A -A +A -A");

    prompts.RepeatAnswers = {9, 9, 2};
    EXPECT_EQ(Play("<REPEAT:0003>x<PROMPTREP>y<ENDREP>"),
              "+X -X repeat-prompt +Y -Y +X -X repeat-prompt +Y -Y "
              "+X -X repeat-prompt +Y -Y +Y -Y");
}

TEST_F(PlaybackEngineTest, RepeatBodiesAreCutTo5000Characters) {
    commands.Files["big"] = "<REPEAT:0002>" + std::string(4999, 'a') + "bc<ENDREP>";
    Play("<TFILE:big>");
    EXPECT_EQ(Count("+A"), 2u * 4999u);
    EXPECT_EQ(Count("+B"), 2u); // the replay holds the first 5000 characters
    EXPECT_EQ(Count("+C"), 1u); // the last pass plays in place, whole
}

TEST_F(PlaybackEngineTest, ClipboardBlocks) {
    const TraceCase cases[] = {
        {"<BEGCLIP>a<TAB>b<ENDCLIP>x", "clipboard:a<TAB>b wait:50ms +X -X"},
        {"<BEGCLIP><ENDCLIP>", "clipboard: wait:50ms"},
        // Without an end tag the block runs to the end; its text is never typed.
        {"<BEGCLIP>secret", "clipboard:secret wait:50ms"},
        // The fixed waits ignore the speed factor.
        {"<SPEED:00000><BEGCLIP>x<ENDCLIP><CLIPP>",
         "clipboard:x wait:50ms +CTRL +V -V -CTRL wait:100ms"},
    };
    for (const TraceCase& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
    commands.Files["big"] = "<BEGCLIP>" + std::string(6000, 'z') + "<ENDCLIP>";
    Play("<TFILE:big>");
    EXPECT_EQ(commands.Clipboard, std::string(5000, 'z'));
}

TEST_F(PlaybackEngineTest, ClipboardFromFile) {
    commands.Files["/tmp/c.txt"] = "line\r\n\x1A";
    EXPECT_EQ(Play("<CLIPF:/tmp/c.txt>"), "clipboard:line\r\n wait:50ms");
    EXPECT_EQ(Play("<CLIPF:/tmp/missing.txt>x"), "+X -X");
}

TEST_F(PlaybackEngineTest, TextFilesPlayAsNestedLevels) {
    commands.Files["t"] = "ab\x1A";
    commands.Files["empty"] = "";
    EXPECT_EQ(Play("<TFILE:t>c"), "+A -A +B -B +C -C");
    EXPECT_EQ(Play("<TFILE:empty><TFILE:missing>c"), "+C -C");
    // Only the end of the outermost text turns Caps Lock back on.
    EXPECT_EQ(Play("<TFILE:t>", true), "+CAPS -CAPS +A -A +B -B +CAPS -CAPS");
}

TEST_F(PlaybackEngineTest, ATextFileThatPlaysItselfStopsAtTheNestingLimit) {
    commands.Files["self"] = "x<TFILE:self>";
    Play("<TFILE:self>y");
    EXPECT_EQ(Count("+X"), 31u); // levels 1 to 31 below the outermost
    EXPECT_EQ(trace.Entries().back(), "-Y");
}

TEST_F(PlaybackEngineTest, WaitsScaleWithTheSpeedFactor) {
    const TraceCase cases[] = {
        {"<DELAY:00.50>", "wait:500ms"},
        {"<DELAY:00002>", "wait:2000ms"},
        {"<SPEED:00002><DELAY:00.50>", "wait:1000ms"},
        {"<SPEED:00.50><DELAY:00001><MSD:0300>", "wait:500ms wait:150ms"},
        {"<SPEED:ab.cd><DELAY:00001>", "wait:1000ms"}, // an invalid factor is not taken
        {"<SPEED:00000><DELAY:00001><MSD:0100>", ""},
        {"<DELAY:-0001><DELAY:ab.cd>", ""},
    };
    for (const TraceCase& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
    // A malformed delay is text, and no wait.
    const std::string typed = Play("<DELAY:0.5>");
    EXPECT_EQ(typed.rfind("+SHIFT +COMMA -COMMA -SHIFT +SHIFT +D -D -SHIFT", 0), 0u) << typed;
    EXPECT_EQ(typed.find("wait"), std::string::npos);
}

TEST_F(PlaybackEngineTest, EachStepServesEventsAndWaitsBlockInThePump) {
    Play("ab<DELAY:00001>");
    EXPECT_GE(pump.ServeCount(), 3u);
    ASSERT_EQ(pump.Waits().size(), 1u);
    EXPECT_EQ(pump.Waits()[0], std::chrono::seconds(1));
    EXPECT_EQ(pump.Elapsed(), std::chrono::seconds(1));
}

TEST_F(PlaybackEngineTest, AnAbortDuringADelayTakesEffectAfterIt) {
    pump.At(std::chrono::milliseconds(300), [&] { player.RequestAbort(); });
    EXPECT_EQ(Play("a<DELAY:00001>b", true), "+CAPS -CAPS +A -A wait:1000ms " + AbortNotice);
}

TEST_F(PlaybackEngineTest, TheAbortNoticeIsShownOnceAcrossLevels) {
    commands.Files["t"] = "a<DELAY:00001>b";
    pump.At(std::chrono::milliseconds(500), [&] { player.RequestAbort(); });
    EXPECT_EQ(Play("<TFILE:t>c<TFILE:t>"), "+A -A wait:1000ms " + AbortNotice);
    EXPECT_EQ(prompts.Messages, 1);
}

TEST_F(PlaybackEngineTest, AnAbortEndsARepeatAndIsAnnouncedEvenAtTheEndOfAPass) {
    pump.AtServe(1, [&] { player.RequestAbort(); }); // with the only step of the first pass
    EXPECT_EQ(Play("<REPEAT:0005>a<ENDREP>b"), "+A -A " + AbortNotice);
}

TEST_F(PlaybackEngineTest, AnAbortRequestedWhileIdleIsForgottenAtTheNextStart) {
    player.RequestAbort();
    EXPECT_EQ(Play("a"), "+A -A");
}

TEST_F(PlaybackEngineTest, APlayRequestDuringPlaybackIsRefused) {
    pump.AtServe(1, [&] { player.Play("zzz", false); });
    EXPECT_EQ(Play("ab"), "+A -A +B -B");
    EXPECT_FALSE(player.IsPlaying());
}

TEST_F(PlaybackEngineTest, CapsLockIsTurnedOffForPlaybackAndBackOnAtTheEnd) {
    EXPECT_EQ(Play("", true), "+CAPS -CAPS +CAPS -CAPS");
    EXPECT_EQ(Play("", false), "");
    EXPECT_EQ(Play("a", true), "+CAPS -CAPS +A -A +CAPS -CAPS");
}

TEST_F(PlaybackEngineTest, PauseDialogsArePlacedOnTheScreen) {
    commands.Foreground = 7;
    const TraceCase cases[] = {
        // Resumed pauses; the end of playback then gives the focus back.
        {"<PAUSE>", "pause:337,400:@7 restore:7"},
        {"<PAUSE:100,200Check it>", "pause:100,200:Check it@7 restore:7"},
        {"<PAUSE:999,999>", "pause:674,800:@7 restore:7"},
        {"<PAUSE:999,999" + std::string(65, 'm') + ">",
         "pause:617,800:" + std::string(65, 'm') + "@7 restore:7"},
    };
    for (const TraceCase& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
}

TEST_F(PlaybackEngineTest, AnAbortedPauseEndsEveryLevelWithoutTheNotice) {
    prompts.PauseAnswers = {PauseResult{false, false}};
    EXPECT_EQ(Play("a<PAUSE>b", true), "+CAPS -CAPS +A -A pause:337,400:@1 +CAPS -CAPS restore:1");

    commands.Files["t"] = "<PAUSE:010,010>x";
    prompts.PauseAnswers = {PauseResult{false, true}};
    EXPECT_EQ(Play("<REPEAT:0003><TFILE:t><ENDREP>y"), "pause:10,10:@1 restore:1:minimize");
}

TEST_F(PlaybackEngineTest, OnlyAPlacedPauseMinimisesTheProgramAgainWhenAborted) {
    prompts.PauseAnswers = {PauseResult{false, true}};
    EXPECT_EQ(Play("<PAUSE>"), "pause:337,400:@1 restore:1");
    prompts.PauseAnswers = {PauseResult{true, true}};
    EXPECT_EQ(Play("<PAUSE>"), "pause:337,400:@1 restore:1:minimize");
}

TEST_F(PlaybackEngineTest, ActivationMovesTheTargetOrSkipsTheRestOfTheLevel) {
    commands.Windows["Editor"] = 42;
    EXPECT_EQ(Play("<ACTIVATE:Editor><PAUSE>"), "activate:Editor pause:337,400:@42 restore:42");
    EXPECT_EQ(Play("<ACTIVATE:Nope>abc", true), "+CAPS -CAPS activate:Nope(none) +CAPS -CAPS");
    // Inside a repeat a failed activation ends only the current pass, the last one (played in
    // place) included; the text after the block goes on.
    EXPECT_EQ(Play("<REPEAT:0002>a<ACTIVATE:Nope>b<ENDREP>c"),
              "+A -A activate:Nope(none) +A -A activate:Nope(none) +C -C");
    EXPECT_EQ(Play("<REPEAT:0001>a<LAUNCHNO:00Nope<LAUNCH:p>b<ENDREP><I>c"),
              "+A -A launch:p| wait-window:Nope:30s(none) +C -C");
    // After the block a failure ends the level again.
    EXPECT_EQ(Play("<REPEAT:0002>a<ENDREP><ACTIVATE:Nope>b<ENDREP>c"),
              "+A -A +A -A activate:Nope(none)");
    // In a text file it ends only the file's level.
    commands.Files["t"] = "<ACTIVATE:Nope>x";
    EXPECT_EQ(Play("<TFILE:t>y"), "activate:Nope(none) +Y -Y");
}

TEST_F(PlaybackEngineTest, WindowTags) {
    const TraceCase cases[] = {
        {"<WMAX:\"CURRENT\">", "window:max:(current)"},
        {"<WMAX:current>", "window:max:current"},
        {"<WMIN:Editor><WRES:Editor><WCLS:Editor>",
         "window:min:Editor window:restore:Editor window:close:Editor"},
        {"<WHIDE:a><WSHOW:a><WSHUT:a>", "window:hide:a window:show:a window:shut:a"},
        {"<WSIZE:0640,0480Editor>", "size:Editor:640x480"},
        {"<WPOS:0010,0020\"CURRENT\">", "move:(current):10,20"},
        {"<WMIN:><WSIZE:0640,0480>", ""}, // an empty title does nothing
    };
    for (const TraceCase& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
}

TEST_F(PlaybackEngineTest, LaunchTags) {
    EXPECT_EQ(Play("<LAUNCH:gedit<PARAM>/tmp/a b.txt>x"), "launch:gedit|/tmp/a b.txt +X -X");
    EXPECT_EQ(Play("<LAUNCH:/usr/bin/xterm>"), "launch:/usr/bin/xterm|");

    // Waiting for the window that never comes skips the rest of the level.
    EXPECT_EQ(Play("<LAUNCHNO:03Editor<LAUNCH:gedit>x"),
              "launch:gedit| wait-window:Editor:30s(none)");

    commands.LaunchOpens["gedit"] = "Editor";
    EXPECT_EQ(Play("<LAUNCHNO:03Editor<LAUNCH:gedit>x<PAUSE>"),
              "launch:gedit| wait-window:Editor:30s wait:3000ms +X -X pause:337,400:@100 "
              "restore:100");

    // An existing window is activated: no launch, no delay.
    EXPECT_EQ(Play("<LAUNCHYES:05Editor<LAUNCH:gedit>x"), "activate:Editor +X -X");
    EXPECT_EQ(Play("<LAUNCHYES:05Calc<LAUNCH:calc>x"),
              "activate:Calc(none) launch:calc| wait-window:Calc:30s(none)");
}

TEST_F(PlaybackEngineTest, TheAwaitedTitleIsCutTo30Characters) {
    const std::string title(40, 't');
    Play("<LAUNCHYES:00" + title + "<LAUNCH:p>");
    EXPECT_EQ(trace.Text(), "activate:" + title + "(none) launch:p| wait-window:" +
                                std::string(30, 't') + ":30s(none)");
}

TEST_F(PlaybackEngineTest, FileSoundWebAndMacroFileTags) {
    const TraceCase cases[] = {
        {"<CHDIR:/tmp><DELFILE:a.txt>", "chdir:/tmp delete:a.txt"},
        {"<COPYFILE:a;b><RENFILE:b;c>", "copy:a;b rename:b;c"},
        {"<COPYFILE:a><RENFILE:;c><DELFILE:>", ""}, // a missing name does nothing
        {"<WAV1:ding.wav><WAV2:dong.wav><BEEP>", "wave:ding.wav:wait wave:dong.wav beep"},
        {"<HTTP:www.example.org><FTP:ftp.example.org>",
         "open:www.example.org open:ftp.example.org"},
        {"<SWAP:/home/u/other.orv>x", "swap:/home/u/other.orv +X -X"},
    };
    for (const TraceCase& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
}

TEST_F(PlaybackEngineTest, DateAndTimeTagsTypeTheMomentOfPlaying) {
    clock.Now = {1998, 3, 5, 0, 5, 0};
    EXPECT_EQ(Play("<MM/DD/YY{NP001}>"), "+3 -3 +SLASH -SLASH +4 -4 +SLASH -SLASH +9 -9 +8 -8");
    EXPECT_EQ(Play("<hh:mm am{N}>"),
              "+1 -1 +2 -2 +SHIFT +SEMICOLON -SEMICOLON -SHIFT +0 -0 +5 -5 +SPACE -SPACE "
              "+A -A +M -M");
    clock.Now = {1998, 3, 5, 9, 5, 0};
    EXPECT_EQ(Play("<hh:mm{Y}>"), "+0 -0 +9 -9 +SHIFT +SEMICOLON -SEMICOLON -SHIFT +0 -0 +5 -5");
    EXPECT_EQ(Play("<Day of Week 2{Y}>"), "+SHIFT +T -T -SHIFT +SHIFT +H -H -SHIFT "
                                          "+SHIFT +U -U -SHIFT");
}

} // namespace
} // namespace orvane
