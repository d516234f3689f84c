// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/ScriptReader.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane {
namespace {

struct Recognition {
    std::string Text;
    ItemKind Kind;
    std::size_t Length;
};

TEST(ScriptReader, RecognisesTagsByLiteralAndClosingCheck) {
    const Recognition cases[] = {
        {"<TAB>", ItemKind::Key, 5},
        {"<tab>", ItemKind::Character, 1}, // tags are case-sensitive
        {"<", ItemKind::Character, 1},
        {"<TAB", ItemKind::Character, 1},
        {"<F1>", ItemKind::Key, 4},
        {"<F10>", ItemKind::Key, 5},
        {"<DELAY:00.50>", ItemKind::Delay, 13},
        {"<DELAY:0.5>", ItemKind::Character, 1}, // ">" not at position 12
        {"<DELAY:00.50", ItemKind::Character, 1},
        {"<DELAY:00.50)", ItemKind::Character, 1},
        {"<MSD:0250>", ItemKind::Msd, 10},
        {"<MSD:250>", ItemKind::Character, 1},
        {"<ALT:233>", ItemKind::AltCode, 9},
        {"<ALT:23>", ItemKind::Character, 1},
        {"<ALT4:0233>", ItemKind::AltCode, 11},
        {"<ALT>", ItemKind::AltToggle, 5},
        {"<ALTD>", ItemKind::KeyDown, 6},
        {"<REPEAT:0005>", ItemKind::Repeat, 13},
        {"<REPEAT:05>", ItemKind::Character, 1},
        {"<WFW:003>", ItemKind::WheelForward, 9},
        {"<MMS:00512,00384>", ItemKind::MoveScreen, 17},
        {"<MMS:512,384>", ItemKind::Character, 1},
        {"<SPKEY:0100>", ItemKind::KeyDelay, 12},
        {"<I>", ItemKind::Counter, 3},
        {"<IIII>", ItemKind::Counter, 6},
        {"<IIIII>", ItemKind::Character, 1},
        {"<ENDREP>", ItemKind::EndRepeat, 8},
        {"<END>", ItemKind::Key, 5},
        {"<REM:a note>", ItemKind::Remark, 12},
        {"<REM:no end", ItemKind::Remark, 11}, // a free text runs to the end of the text
        {"<PAUSE>", ItemKind::Pause, 7},
        {"<PAUSE:", ItemKind::PauseAt, 7},
        {"<LDCLK>", ItemKind::MouseButton, 7},
        {"<KEYP->", ItemKind::Key, 7},
        {"<LAUNCH:x>", ItemKind::Launch, 10},
        {"<LAUNCHNO:05T<LAUNCH:x>", ItemKind::LaunchNo, 23},
        {"<MM/DD/YY{Y}>", ItemKind::Date, 13},
        {"<MM/DD/YY{NP001}>", ItemKind::Date, 17},
        {"<MM/DD/YY{N", ItemKind::Character, 1}, // a date tag must lie inside the text
        {"<MM/DD/YY{NP00", ItemKind::Character, 1},
        {"<MM/DD/YY>", ItemKind::Character, 1},
        {"<hh:mm{N}>", ItemKind::Time, 10},
        {"<hh:mm{Y}>", ItemKind::Time, 10},
        {"<hh:mm{X}>", ItemKind::Character, 1},
        {"<hh:mm{N}", ItemKind::Character, 1},
        {"<Nonsense>", ItemKind::Character, 1},
    };
    for (const Recognition& c : cases) {
        const ScriptItem item = ReadScriptItem(c.Text, 0);
        EXPECT_EQ(item.Kind, c.Kind) << c.Text;
        EXPECT_EQ(item.Length, c.Length) << c.Text;
    }
}

TEST(ScriptReader, PlainCharactersAndTagsInsideText) {
    const std::string text = "a<b<TAB>";
    EXPECT_EQ(ReadScriptItem(text, 0).Kind, ItemKind::Character);
    EXPECT_EQ(ReadScriptItem(text, 1).Kind, ItemKind::Character);
    EXPECT_EQ(ReadScriptItem(text, 1).Length, 1u);
    const ScriptItem tab = ReadScriptItem(text, 3);
    EXPECT_EQ(tab.Kind, ItemKind::Key);
    EXPECT_EQ(tab.Key, 9);
    EXPECT_EQ(tab.Literal, "<TAB>");
}

TEST(ScriptReader, EveryNamedKeyHasItsCode) {
    const std::pair<const char*, int> keys[] = {
        {"<TAB>", 9},         {"<ENTER>", 13},      {"<BACKSPACE>", 8}, {"<ESC>", 27},
        {"<SPACE>", 32},      {"<LEFT ARROW>", 37}, {"<UP ARROW>", 38}, {"<RIGHT ARROW>", 39},
        {"<DOWN ARROW>", 40}, {"<F1>", 112},        {"<F24>", 135},     {"<HOME>", 36},
        {"<END>", 35},        {"<INSERT>", 45},     {"<DELETE>", 46},   {"<PAGE UP>", 33},
        {"<PAGE DOWN>", 34},  {"<PRTSCR>", 44},     {"<LEFTWIN>", 91},  {"<RIGHTWIN>", 92},
        {"<APP>", 93},        {"<KEYP0>", 96},      {"<KEYP9>", 105},   {"<KEYP*>", 106},
        {"<KEYP+>", 107},     {"<KEYP->", 109},     {"<KEYP.>", 110},   {"<KEYP/>", 111},
        {"<ATTN>", 246},      {"<CRSEL>", 247},     {"<EXSEL>", 248},   {"<EREOF>", 249},
        {"<PLAY>", 250},      {"<ZOOM>", 251},      {"<PA1>", 253},
    };
    for (const auto& [text, code] : keys) {
        const ScriptItem item = ReadScriptItem(text, 0);
        EXPECT_EQ(item.Kind, ItemKind::Key) << text;
        EXPECT_EQ(item.Key, code) << text;
    }
    for (int f = 1; f <= 24; ++f) {
        EXPECT_EQ(ReadScriptItem("<F" + std::to_string(f) + ">", 0).Key, 111 + f);
    }
    EXPECT_EQ(ReadScriptItem("<RIGHT MOUSE>", 0).Key, 2);
    EXPECT_EQ(ReadScriptItem("<MIDDLE MOUSE>", 0).Key, 4);
    EXPECT_EQ(ReadScriptItem("<WINU>", 0).Kind, ItemKind::KeyUp);
    EXPECT_EQ(ReadScriptItem("<WINU>", 0).Key, 91);
}

TEST(ScriptReader, IntegerFieldsSkipBlanksTakeASignAndStopAtANonDigit) {
    const std::pair<const char*, int> cases[] = {
        {"<REPEAT:0005>", 5}, {"<REPEAT:  12>", 12}, {"<REPEAT:-005>", -5}, {"<REPEAT:+007>", 7},
        {"<REPEAT:1x34>", 1}, {"<REPEAT:x123>", 0},  {"<REPEAT:    >", 0},  {"<REPEAT:9999>", 9999},
    };
    for (const auto& [text, value] : cases) {
        const ScriptItem item = ReadScriptItem(text, 0);
        ASSERT_EQ(item.Kind, ItemKind::Repeat) << text;
        EXPECT_EQ(item.Number, value) << text;
    }
    // Past the end of the text a field is absent, not read.
    EXPECT_EQ(ReadIntegerField("12", 1, 4), 2);
    EXPECT_EQ(ReadIntegerField("12", 5, 4), 0);
}

TEST(ScriptReader, RealFieldsConvertOnlyWholeDecimalNumbers) {
    const std::pair<const char*, double> valid[] = {
        {"00.50", 0.5}, {"00001", 1},     {"00002", 2}, {"  1.5", 1.5},
        {"1.5  ", 1.5}, {"-0.25", -0.25}, {"+1.00", 1}, {"1E2", 100},
        {"1e-1", 0.1},  {".5", 0.5},      {"5.", 5},    {"00000", 0},
    };
    for (const auto& [field, value] : valid) {
        const std::optional<double> converted = ConvertRealField(field);
        ASSERT_TRUE(converted.has_value()) << field;
        EXPECT_DOUBLE_EQ(*converted, value) << field;
    }
    for (const char* field : {"", "     ", "1,5", "ab.cd", "1.2.3", "1 5", "0x1p3", "inf", "nan",
                              "9E999", "1E", "E5", ".", "-", "+.", "1e+"}) {
        EXPECT_FALSE(ConvertRealField(field).has_value()) << field;
    }
}

TEST(ScriptReader, SpeedWithAnInvalidNumberIsStillATag) {
    const ScriptItem bad = ReadScriptItem("<SPEED:ab.cd>", 0);
    EXPECT_EQ(bad.Kind, ItemKind::Speed);
    EXPECT_FALSE(bad.RealValid);
    const ScriptItem good = ReadScriptItem("<SPEED:00.50>", 0);
    EXPECT_TRUE(good.RealValid);
    EXPECT_DOUBLE_EQ(good.Real, 0.5);
}

TEST(ScriptReader, FixedAndFreeFieldsOfWindowPauseAndFileTags) {
    const ScriptItem pause = ReadScriptItem("<PAUSE:100,200Check the form>x", 0);
    EXPECT_EQ(pause.Kind, ItemKind::PauseAt);
    EXPECT_EQ(pause.Number, 100);
    EXPECT_EQ(pause.Number2, 200);
    EXPECT_EQ(pause.Text, "Check the form");
    EXPECT_EQ(pause.Length, 29u);

    const ScriptItem size = ReadScriptItem("<WSIZE:0640,0480Untitled - Editor>", 0);
    EXPECT_EQ(size.Kind, ItemKind::WindowSize);
    EXPECT_EQ(size.Number, 640);
    EXPECT_EQ(size.Number2, 480);
    EXPECT_EQ(size.Text, "Untitled - Editor");

    const ScriptItem pos = ReadScriptItem("<WPOS:0010,0020Calc>", 0);
    EXPECT_EQ(pos.Kind, ItemKind::WindowPos);
    EXPECT_EQ(pos.Number, 10);
    EXPECT_EQ(pos.Number2, 20);
    EXPECT_EQ(pos.Text, "Calc");

    const ScriptItem max = ReadScriptItem("<WMAX:\"CURRENT\">", 0);
    EXPECT_EQ(max.Kind, ItemKind::Window);
    EXPECT_EQ(max.Command, WindowCommand::Maximize);
    EXPECT_EQ(max.Text, CurrentWindowTitle);

    const ScriptItem copy = ReadScriptItem("<COPYFILE:/tmp/a.txt;/tmp/b.txt>", 0);
    EXPECT_EQ(copy.Text, "/tmp/a.txt");
    EXPECT_EQ(copy.Text2, "/tmp/b.txt");
    const ScriptItem noTarget = ReadScriptItem("<RENFILE:/tmp/a.txt>", 0);
    EXPECT_EQ(noTarget.Kind, ItemKind::RenameFile);
    EXPECT_EQ(noTarget.Text, "/tmp/a.txt");
    EXPECT_EQ(noTarget.Text2, "");
}

TEST(ScriptReader, FreeTextKeepsAtMost255CharactersButEndsAtItsCloser) {
    const std::string title(300, 'w');
    const std::string text = "<ACTIVATE:" + title + ">x";
    const ScriptItem item = ReadScriptItem(text, 0);
    EXPECT_EQ(item.Kind, ItemKind::Activate);
    EXPECT_EQ(item.Text, std::string(MaxFieldText, 'w'));
    EXPECT_EQ(item.Length, text.size() - 1);
}

TEST(ScriptReader, LaunchTagsKeepParamAndReadTitleUpToTheNextTag) {
    const ScriptItem launch = ReadScriptItem("<LAUNCH:gedit<PARAM>/tmp/a b.txt>rest", 0);
    EXPECT_EQ(launch.Kind, ItemKind::Launch);
    EXPECT_EQ(launch.Text2, "gedit<PARAM>/tmp/a b.txt");
    EXPECT_EQ(launch.Length, 33u);

    const std::string no = "<LAUNCHNO:07Untitled - Editor<LAUNCH:gedit<PARAM>-s>x";
    const ScriptItem wait = ReadScriptItem(no, 0);
    EXPECT_EQ(wait.Kind, ItemKind::LaunchNo);
    EXPECT_EQ(wait.Number, 7);
    EXPECT_EQ(wait.Text, "Untitled - Editor");
    EXPECT_EQ(wait.Text2, "gedit<PARAM>-s");
    EXPECT_EQ(wait.Length, no.size() - 1);

    const ScriptItem yes = ReadScriptItem("<LAUNCHYES:12Calc<LAUNCH:calc>", 0);
    EXPECT_EQ(yes.Kind, ItemKind::LaunchYes);
    EXPECT_EQ(yes.Number, 12);
    EXPECT_EQ(yes.Text, "Calc");
    EXPECT_EQ(yes.Text2, "calc");

    // Cut short anywhere, the tag still ends inside the text.
    const std::string full = "<LAUNCHNO:07Title<LAUNCH:prog>";
    for (std::size_t cut = 10; cut <= full.size(); ++cut) {
        const std::string part = full.substr(0, cut);
        EXPECT_LE(ReadScriptItem(part, 0).Length, part.size()) << part;
    }
}

TEST(ScriptReader, SplitLaunchCommandAtTheFirstParam) {
    EXPECT_EQ(SplitLaunchCommand("gedit<PARAM>a.txt").Program, "gedit");
    EXPECT_EQ(SplitLaunchCommand("gedit<PARAM>a.txt").Parameters, "a.txt");
    EXPECT_EQ(SplitLaunchCommand("gedit<PARAM>a<PARAM>b").Parameters, "a<PARAM>b");
    EXPECT_EQ(SplitLaunchCommand("/usr/bin/xterm").Program, "/usr/bin/xterm");
    EXPECT_EQ(SplitLaunchCommand("/usr/bin/xterm").Parameters, "");
}

TEST(ScriptReader, DateTagsReadFlagDirectionAndDayCount) {
    struct Case {
        const char* Text;
        int Index;
        bool LeadingZeros;
        int Offset;
    };
    const Case cases[] = {
        {"<MM/DD/YY{Y}>", 0, true, 0},
        {"<MM/DD/YY{N}>", 0, false, 0},
        {"<MM/DD/YY{NP001}>", 0, false, -1},
        {"<MM/DD/YY{YF010}>", 0, true, 10},
        {"<MM/DD/YY{YX010}>", 0, true, 10}, // any letter but P is the future
        {"<DD{Y}>", 40, true, 0},
        {"<Day of Week 4{N}>", 50, false, 0},
    };
    for (const Case& c : cases) {
        const ScriptItem item = ReadScriptItem(c.Text, 0);
        ASSERT_EQ(item.Kind, ItemKind::Date) << c.Text;
        EXPECT_EQ(item.FormatIndex, c.Index) << c.Text;
        EXPECT_EQ(item.LeadingZeros, c.LeadingZeros) << c.Text;
        EXPECT_EQ(item.DayOffset, c.Offset) << c.Text;
        EXPECT_EQ(item.Length, std::string(c.Text).size()) << c.Text;
    }
}

TEST(ScriptReader, EveryDateAndTimeNameIsFoundAtItsOwnIndex) {
    for (std::size_t i = 0; i < DateFormatNames.size(); ++i) {
        const std::string text = "<" + std::string(DateFormatNames[i]) + "{YP002}>";
        const ScriptItem item = ReadScriptItem(text, 0);
        ASSERT_EQ(item.Kind, ItemKind::Date) << text;
        EXPECT_EQ(item.FormatIndex, static_cast<int>(i)) << text;
        EXPECT_EQ(item.Length, text.size()) << text;
    }
    for (std::size_t i = 0; i < TimeFormatNames.size(); ++i) {
        for (const char* flag : {"{N}>", "{Y}>"}) {
            const std::string text = "<" + std::string(TimeFormatNames[i]) + flag;
            const ScriptItem item = ReadScriptItem(text, 0);
            ASSERT_EQ(item.Kind, ItemKind::Time) << text;
            EXPECT_EQ(item.FormatIndex, static_cast<int>(i)) << text;
            EXPECT_EQ(item.LeadingZeros, flag[1] == 'Y') << text;
        }
    }
}

TEST(ScriptReader, NeverReadsPastTheEndOfAnyPrefix) {
    const std::string texts[] = {
        "<PAUSE:100,200msg>",      "<WSIZE:0640,0480T>",
        "<COPYFILE:a;b>",          "<LAUNCHYES:05T<LAUNCH:p<PARAM>q>",
        "<MMW:00010,00020>",       "<hh:mm:ss AM{Y}>",
        "<Mmmmm DD, YYYY{NP365}>", "<BEGCLIP>x<ENDCLIP>",
    };
    for (const std::string& full : texts) {
        for (std::size_t cut = 1; cut <= full.size(); ++cut) {
            const std::string part = full.substr(0, cut);
            const ScriptItem item = ReadScriptItem(part, 0);
            EXPECT_GE(item.Length, 1u) << part;
            EXPECT_LE(item.Length, part.size()) << part;
        }
    }
}

} // namespace
} // namespace orvane
