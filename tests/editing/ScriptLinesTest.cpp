// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/ScriptLines.h"
#include "ScriptCorpus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

std::vector<std::string> TextsOf(const std::vector<ScriptLine>& lines) {
    std::vector<std::string> texts;
    for (const ScriptLine& line : lines) {
        texts.push_back(line.Text);
    }
    return texts;
}

TEST(ScriptLines, EveryTagShowsItsCommandLine) {
    struct Case {
        std::string Tag;
        std::string Line;
    };
    const std::string longRemark(44, 'r');
    const Case cases[] = {
        {"<CTLD>", "Control Key Down"},
        {"<CTLU>", "Control Key Up"},
        {"<ALTD>", "Alt Key Down"},
        {"<ALTU>", "Alt Key Up"},
        {"<SHFD>", "Shift Key Down"},
        {"<SHFU>", "Shift Key Up"},
        {"<WIND>", "Win Key Down"},
        {"<WINU>", "Win Key Up"},
        {"<LDN>", "Left Mouse Button Down"},
        {"<LUP>", "Left Mouse Button Up"},
        {"<LCLK>", "Left Mouse Button Click"},
        {"<LDCLK>", "Left Mouse Button Double Click"},
        {"<RDN>", "Right Mouse Button Down"},
        {"<RDCLK>", "Right Mouse Button Double Click"},
        {"<MUP>", "Middle Mouse Button Up"},
        {"<MCLK>", "Middle Mouse Button Click"},
        {"<WFW:003>", "Mouse Wheel 3 Clicks Forward"},
        {"<WBW:012>", "Mouse Wheel 12 Clicks Backward"},
        {"<MMS:00100,00200>", "Mouse Move Screen 100,200"},
        {"<MMW:00005,-0007>", "Mouse Move Window 5,-7"},
        {"<PAUSE:010,020Hello>", "Pause: Complex"},
        {"<PAUSE>", "Pause: Basic"},
        {"<DELAY:01.50>", "Delay 1.50 Seconds"},
        {"<MSD:0250>", "Delay 250 Milliseconds"},
        {"<WHIDE:Notes>", "Hide Window - Window Title: Notes"},
        {"<WSHOW:\"CURRENT\">", "Show Window - Current Win"},
        {"<WMAX:\"CURRENT\">", "Maximize Window - Current Win"},
        {"<WMIN:Calc>", "Minimize Window - Window Title: Calc"},
        {"<WCLS:x>", "Close Window - Window Title: x"},
        {"<WRES:x>", "Restore Window - Window Title: x"},
        {"<WSHUT:current>", "Shut Down Program - Window Title: current"},
        {"<WSIZE:0640,0480Editor>", "Resize Window - \"Editor\" (Width: 640 Height: 480)"},
        {"<WPOS:0010,0020\"CURRENT\">", "Reposition Window - Current Win (Left: 10 Top: 20)"},
        {"<IIII>", "Repeat Counter: Width 4"},
        {"<I>", "Repeat Counter: Width 1"},
        {"<REPEAT:0003>", "Repeat Start: 3"},
        {"<PROMPTREP>", "Repeat Prompt Start: (prompt for repeat count at macro play time)"},
        {"<ENDREP>", "Repeat End"},
        {"<BEGCLIP>", "Clipboard Start Copy"},
        {"<ENDCLIP>", "Clipboard End Copy"},
        {"<CLIPC>", "Clipboard Copy"},
        {"<CLIPP>", "Clipboard Paste"},
        {"<CLIPF:/tmp/notes.txt>", "Clipboard File Copy: notes.txt"},
        {"<WAV1:/usr/share/sounds/ding.wav>", "Sound Wave File: ding.wav"},
        {"<WAV2:C:\\WINDOWS\\chime.wav>", "Sound Wave File: chime.wav"},
        {"<BEEP>", "Sound Beep"},
        {"<SPEED:00000>", "Macro Playback Speed: No Speed"},
        {"<SPEED:00001>", "Macro Playback Speed: Normal Speed"},
        {"<SPEED:02.50>", "Macro Playback Speed: 2.5 Times Slower Than Normal"},
        {"<SPEED:00003>", "Macro Playback Speed: 3 Times Slower Than Normal"},
        {"<SPEED:00.50>", "Macro Playback Speed: 2 Times Faster Than Normal"},
        {"<SPEED:00.30>", "Macro Playback Speed: 3.33 Times Faster Than Normal"},
        {"<SPKEY:0020>", "Keystroke Speed: 20 Milliseconds"},
        {"<SPMSE:0100>", "Mouse Speed: 100 Milliseconds"},
        {"<CHDIR:/home/me/work>", "Change Directory/Folder: /home/me/work"},
        {"<DELFILE:/tmp/a.txt>", "Delete File: a.txt"},
        {"<COPYFILE:/tmp/a.txt;/tmp/b.txt>", "Copy File: a.txt"},
        {"<RENFILE:/tmp/old.txt;new.txt>", "Rename File: old.txt"},
        {"<SWAP:/home/me/Other.ORV>", "Load New Macro File: Other.ORV"},
        {"<HTTP:https://example.org/a>", "Web Site: https://example.org/a"},
        {"<FTP:ftp.example.org>", "Web FTP: ftp.example.org"},
        {"<REM:short note>", "Remark: short note"},
        {"<REM:" + std::string(43, 'r') + ">", "Remark: " + std::string(43, 'r')},
        {"<REM:" + longRemark + ">", "Remark: " + std::string(40, 'r') + "..."},
        {"<TFILE:/tmp/more.txt>", "Load Text File: more.txt"},
        {"<ACTIVATE:Untitled - Notepad>", "Activate Window: \"Untitled - Notepad\""},
        {"<LAUNCH:/usr/bin/gedit<PARAM>notes.txt>", "Launch Program: gedit"},
        {"<LAUNCHNO:05Gedit<LAUNCH:/usr/bin/gedit>", "Launch and Activate: gedit"},
        {"<LAUNCHYES:10Gedit<LAUNCH:/usr/bin/gedit>", "Activate or Launch: gedit"},
        {"<MM/DD/YY{Y}>", "Date: MM/DD/YY  (03/30/98)"},
        {"<DD Mmmmm YYYY{NF001}>", "Date (1 day in future): DD Mmmmm YYYY  (30 March 1998)"},
        {"<Day of Week 3{YP007}>", "Date (7 days in past): Day of Week 3  (Monday)"},
        {"<hh:mm:ss{Y}>", "Time: hh:mm:ss  (15:04:23)"},
        {"<hh:mma{N}>", "Time: hh:mma  (3:04p)"},
        {"ab<TAB>c", "Text: ab<TAB>c"},
        {"<TEST>", "Text: <TEST>"},
        {"a<b", "Text: a<b"},
    };
    for (const Case& c : cases) {
        const std::vector<ScriptLine> lines = BuildTheScript(c.Tag);
        ASSERT_EQ(lines.size(), 1u) << c.Tag;
        EXPECT_EQ(lines[0].Text, c.Line) << c.Tag;
        EXPECT_TRUE(CommandCodeOf(lines[0].Text).has_value()) << c.Tag;
    }
}

TEST(ScriptLines, KeystrokesGatherIntoTextLinesBetweenCommands) {
    const std::vector<ScriptLine> lines = BuildTheScript("ab<DELAY:01.50>c");
    EXPECT_EQ(TextsOf(lines),
              (std::vector<std::string>{"Text: ab", "Delay 1.50 Seconds", "Text: c"}));
    EXPECT_EQ(ScriptText(lines), "ab<DELAY:01.50>c");
    EXPECT_EQ(std::get<TextRecord>(lines[0].Record).Keys, "ab");
    EXPECT_EQ(std::get<DelayRecord>(lines[1].Record), (DelayRecord{1.0, 1.5}));

    // A run shows its first 50 characters, and "..." only past 53.
    const std::string run53(53, 'k');
    EXPECT_EQ(BuildTheScript(run53)[0].Text, "Text: " + std::string(50, 'k'));
    EXPECT_EQ(BuildTheScript(run53 + "k")[0].Text, "Text: " + std::string(50, 'k') + "...");
    EXPECT_EQ(std::get<TextRecord>(BuildTheScript(run53 + "k")[0].Record).Keys, run53 + "k");

    const std::vector<ScriptLine> pause = BuildTheScript("<PAUSE:010,020Hello>");
    EXPECT_EQ(std::get<PauseRecord>(pause[0].Record), (PauseRecord{2, 20, 10, "Hello"}));
}

TEST(ScriptLines, BlocksAreIndentedAndNeverPastTheMargin) {
    std::vector<ScriptLine> lines = BuildTheScript("<REPEAT:0003><CTLD>x<CTLU><ENDREP>");
    SetIndents(lines);
    EXPECT_EQ(TextsOf(lines),
              (std::vector<std::string>{"Repeat Start: 3", "   Control Key Down", "      Text: x",
                                        "   Control Key Up", "Repeat End"}));
    EXPECT_EQ(ScriptText(lines), "<REPEAT:0003><CTLD>x<CTLU><ENDREP>");

    std::vector<ScriptLine> nested =
        BuildTheScript("<ENDREP><BEGCLIP><PROMPTREP>a<ENDREP><ENDCLIP><ALTU>b");
    SetIndents(nested);
    EXPECT_EQ(TextsOf(nested),
              (std::vector<std::string>{"Repeat End", "Clipboard Start Copy",
                                        "   Repeat Prompt Start: (prompt for repeat count at "
                                        "macro play time)",
                                        "      Text: a", "   Repeat End", "Clipboard End Copy",
                                        "Alt Key Up", "Text: b"}));
    // Indenting again changes nothing.
    std::vector<ScriptLine> again = nested;
    SetIndents(again);
    EXPECT_EQ(again, nested);
}

TEST(ScriptLines, LinesAreKnownByTheirCommandNameWhateverTheirIndent) {
    struct Case {
        std::string Text;
        std::optional<CommandCode> Code;
    };
    const Case cases[] = {
        {"Text: Repeat End", CommandCode::Text},
        {"      Repeat End", CommandCode::RepeatEnd},
        {"Repeat Start: 3", CommandCode::RepeatStart},
        {"Repeat Prompt Start: (prompt)", CommandCode::RepeatPromptStart},
        {"Delay 1.50 Seconds", CommandCode::Delay},
        {"Delete File: a", CommandCode::DeleteFile},
        {"Macro Playback Speed: Normal Speed", CommandCode::MacroPlaybackSpeed},
        {"Mouse Move Screen 1,2", CommandCode::MouseMove},
        {"Mouse Speed: 3 Milliseconds", CommandCode::MouseSpeed},
        {"Activate or Launch: x", CommandCode::ActivateOrLaunch},
        {"Nothing known", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandCodeOf(c.Text), c.Code) << c.Text;
    }
    // A line whose text names no command contributes nothing to the macro.
    EXPECT_EQ(ScriptText({{"Nothing known", TextRecord{"lost"}}, {"Text: x", TextRecord{"x"}}}),
              "x");
}

TEST(ScriptLines, TextsTheEditorWritesLoadAndSaveToTheSameBytes) {
    std::vector<std::string> texts = corpus::EditorWrittenTexts();
    texts.push_back(corpus::MalformedTags());
    texts.push_back(corpus::FiveThousandCharacters());
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 200));
        std::vector<ScriptLine> lines = BuildTheScript(text);
        SetIndents(lines);
        EXPECT_EQ(ScriptText(lines), text);
        std::vector<ScriptLine> reloaded = BuildTheScript(ScriptText(lines));
        SetIndents(reloaded);
        EXPECT_EQ(reloaded, lines);
    }
    // Every tag of the corpus is a line of its own, and malformed ones are text.
    for (const std::string& tag : corpus::EveryCommandTag()) {
        const std::vector<ScriptLine> lines = BuildTheScript(tag);
        ASSERT_EQ(lines.size(), 1u) << tag;
        EXPECT_NE(CommandCodeOf(lines[0].Text), CommandCode::Text) << tag;
    }
    const std::vector<ScriptLine> malformed = BuildTheScript(corpus::MalformedTags());
    ASSERT_EQ(malformed.size(), 1u);
    EXPECT_EQ(std::get<TextRecord>(malformed[0].Record).Keys, corpus::MalformedTags());
}

TEST(ScriptLines, HandWrittenTagsAreSavedInTheFormTheEditorWrites) {
    struct Case {
        std::string HandWritten;
        std::string Saved;
    };
    const Case cases[] = {
        {"<MM/DD/YY{Y}>", "<MM/DD/YY{YF000}>"},
        {"<MM/DD/YY{NX005}>", "<MM/DD/YY{NF005}>"},
        {"<MM/DD/YY{NP000}>", "<MM/DD/YY{NF000}>"},
        {"<DELAY: 1.5 >", "<DELAY:01.50>"},
        {"<SPEED:00001>", "<SPEED:01.00>"},
        {"<REPEAT:+003>", "<REPEAT:0003>"},
        {"<REPEAT:  3 >", "<REPEAT:0003>"},
        {"<MSD:25x >", "<MSD:0025>"},
        {"<WFW:1,,>", "<WFW:001>"},
        {"<MMS:100  ,200  >", "<MMS:00100,00200>"},
        {"<COPYFILE:a.txt>", "<COPYFILE:a.txt;>"},
        {"<PAUSE:1  ;2  Hi>", "<PAUSE:001,002Hi>"},
        {"<WSIZE:10  x20  Title>", "<WSIZE:0010,0020Title>"},
        {"<LAUNCHNO:5 T<LAUNCX:p>", "<LAUNCHNO:05T<LAUNCH:p>"},
        {"<LAUNCH:a<PARAM>>", "<LAUNCH:a>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.HandWritten);
        const std::vector<ScriptLine> lines = BuildTheScript(c.HandWritten);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(CommandCodeOf(lines[0].Text), CommandCode::Text);
        EXPECT_EQ(ScriptText(lines), c.Saved);
        EXPECT_EQ(BuildTheScript(c.Saved), lines);
    }
}

TEST(ScriptLines, TagsThatWouldNotWriteBackAlikeStayAsTyped) {
    const std::string cut = "<REM:" + std::string(300, 'r') + ">";
    const std::string cases[] = {
        cut,                 // a free field past its cap keeps all its characters
        "<REM:never closed", // writing would add a ">"
        "<ACTIVATE:",        // the same, empty
        "<DELAY:1E3  >",     // 1000 seconds do not fit the field
        "<DELAY:0.005>",     // nor do three decimals
        "<SPEED:abcde>",     // an invalid factor is not taken when played; keep it so
        "<MMS:1.5  ,00002>", // a pointer position between pixels
        "<LAUNCHNO:05Title", // no program
        // An unfinished tag that the next command, written as the editor writes it
        // ("<COPYFILE:;>"), would complete: both stay text, so the script loads back the same.
        "<MMS:<COPYFILE:>",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 60));
        const std::vector<ScriptLine> lines = BuildTheScript("a" + text + "b");
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(std::get<TextRecord>(lines[0].Record).Keys, "a" + text + "b");
        EXPECT_EQ(ScriptText(lines), "a" + text + "b");
    }
}

} // namespace
} // namespace orvane
