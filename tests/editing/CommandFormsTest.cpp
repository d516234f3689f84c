// SPDX-License-Identifier: GPL-3.0-or-later
// The command dialogs' forms: for each, a table of (values -> message or tag), and the tag read
// back gives the same form (editing a line reopens its dialog as it was left).
#include "core/SettingsBlock.h"
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
#include "editing/commands/ScopeForm.h"
#include "editing/commands/SoundForm.h"
#include "editing/commands/SpeedForm.h"
#include "editing/commands/WindowForms.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace orvane {
namespace {

// Files and folders that exist, by name.
class KnownPaths final : public PathChecks {
public:
    bool FileExists(std::string_view path) const override { return Files.contains(Trimmed(path)); }
    bool FolderExists(std::string_view path) const override {
        return Folders.contains(Trimmed(path));
    }
    bool ProgramExists(std::string_view path) const override {
        return Programs.contains(Trimmed(path)) || FileExists(path);
    }
    std::set<std::string, std::less<>> Files{"/home/ann/ding.wav", "/home/ann/notes.txt",
                                             "/home/ann/work.ORV"};
    std::set<std::string, std::less<>> Folders{"/home/ann", "/"};
    std::set<std::string, std::less<>> Programs{"gedit"};
};

// A row: the form, and either the refusal's text and field or the tag.
template <typename Form> struct Row {
    Form Values;
    std::string Message; // empty: accepted
    std::string Field;
    std::string Tag;
};

template <typename Form, typename CheckFn>
void ExpectRows(const std::vector<Row<Form>>& rows, CheckFn check) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const Row<Form>& row = rows[i];
        const std::optional<FormRefusal> refusal = check(row.Values);
        if (!row.Message.empty()) {
            ASSERT_TRUE(refusal.has_value());
            EXPECT_EQ(refusal->Text, row.Message);
            EXPECT_EQ(refusal->Field, row.Field);
            continue;
        }
        ASSERT_FALSE(refusal.has_value()) << refusal->Text;
        const std::string tag = Build(row.Values);
        EXPECT_EQ(tag, row.Tag);
        // The tag stands for one command line, so the editor can keep it as a line.
        EXPECT_TRUE(CommandOfTag(tag).has_value()) << tag;
        EXPECT_EQ(Form::Load(tag), row.Values) << tag;
    }
}

const KnownPaths paths;

TEST(CommandForms, Delay) {
    const std::string seconds(DelaySecondsText);
    ExpectRows<DelayForm>(
        {
            {{false, "60.00"}, "", "", "<DELAY:60.00>"},
            {{false, "1.50"}, "", "", "<DELAY:01.50>"},
            {{false, "60.5"}, seconds, "Seconds", ""},
            {{false, "0"}, seconds, "Seconds", ""},
            {{false, "0.001"}, seconds, "Seconds", ""}, // would be written as no wait
            {{false, "abc"}, seconds, "Seconds", ""},
            {{false, "1,5"}, seconds, "Seconds", ""},
            {{true, "9999"}, "", "", "<MSD:9999>"},
            {{true, "10000"}, std::string(LessThan10000Text), "Seconds", ""},
            {{true, "0"}, std::string(GreaterThanZeroText), "Seconds", ""},
            {{true, "1.5"}, std::string(GreaterThanZeroText), "Seconds", ""},
        },
        [](const DelayForm& f) { return Check(f); });
    EXPECT_EQ(Build(DelayForm{false, " 0.5 "}), "<DELAY:00.50>");
    EXPECT_EQ(Build(DelayForm{false, "60"}), "<DELAY:60.00>");
}

TEST(CommandForms, Pause) {
    ExpectRows<PauseForm>(
        {
            {{false, "0", "0", ""}, "", "", "<PAUSE>"},
            {{true, "10", "20", "Hello"}, "", "", "<PAUSE:010,020Hello>"},
            {{true, "0", "0", ""}, "", "", "<PAUSE:000,000>"},
            {{true, "-1", "20", ""}, std::string(InvalidTopText), "TopCoord", ""},
            {{true, "x", "20", ""}, std::string(InvalidTopText), "TopCoord", ""},
            {{true, "10", "", ""}, std::string(InvalidLeftText), "LeftCoord", ""},
            {{true, "10", "1000", ""}, std::string(InvalidLeftText), "LeftCoord", ""},
            {{true, "10", "20", "a>b"}, std::string(TagEndText), "PauseMessage", ""},
        },
        [](const PauseForm& f) { return Check(f); });
}

TEST(CommandForms, Repeat) {
    using R = RepeatForm;
    ExpectRows<RepeatForm>(
        {
            {{R::Start, "3"}, "", "", "<REPEAT:0003>"},
            {{R::Start, "9999"}, "", "", "<REPEAT:9999>"},
            {{R::Start, "0"}, std::string(GreaterThanZeroText), "Count", ""},
            {{R::Start, ""}, std::string(GreaterThanZeroText), "Count", ""},
            {{R::Prompt, ""}, "", "", "<PROMPTREP>"},
            {{R::End, ""}, "", "", "<ENDREP>"},
            {{R::Counter, "1"}, "", "", "<I>"},
            {{R::Counter, "4"}, "", "", "<IIII>"},
            {{R::Counter, "5"}, std::string(CounterWidthText), "Count", ""},
            {{R::Counter, "0"}, std::string(CounterWidthText), "Count", ""},
        },
        [](const RepeatForm& f) { return Check(f); });
    EXPECT_EQ(RepeatForm::Preset(CommandCode::RepeatEnd).Kind, R::End);
    EXPECT_EQ(CommandOfTag("<ENDREP>")->Code, CommandCode::RepeatEnd);
}

TEST(CommandForms, Speed) {
    using S = SpeedForm;
    ExpectRows<SpeedForm>(
        {
            {{S::Keyboard, "0"}, "", "", "<SPKEY:0000>"},
            {{S::Mouse, "250"}, "", "", "<SPMSE:0250>"},
            {{S::Keyboard, "-1"}, std::string(ZeroOrGreaterText), "Count", ""},
            {{S::Mouse, "2.5"}, std::string(ZeroOrGreaterText), "Count", ""},
            {{S::Macro, "0.50"}, "", "", "<SPEED:00.50>"},
            {{S::Macro, "2.00"}, "", "", "<SPEED:02.00>"},
            {{S::Macro, "-2"}, std::string(ZeroOrGreaterText), "Count", ""},
            {{S::Macro, "9999"}, std::string(FactorTooLargeText), "Count", ""},
        },
        [](const SpeedForm& f) { return Check(f); });
}

TEST(CommandForms, ActivateAndLaunch) {
    using A = ActivateForm;
    ExpectRows<ActivateForm>(
        {
            {{A::ActiveOnly, "Untitled - gedit", "", "", ""},
             "",
             "",
             "<ACTIVATE:Untitled - gedit>"},
            {{A::ActiveOnly, "  ", "", "", ""}, std::string(NoWindowTitleText), "WinTitle", ""},
            {{A::ActiveOnly, "a>b", "", "", ""}, std::string(TagEndText), "WinTitle", ""},
            {{A::LaunchOnly, "", "gedit", "", ""}, "", "", "<LAUNCH:gedit>"},
            {{A::LaunchOnly, "", "gedit", "a b", ""}, "", "", "<LAUNCH:gedit<PARAM>a b>"},
            {{A::LaunchOnly, "", "/no/such", "", ""}, std::string(NoProgramText), "ProgPath", ""},
            {{A::LaunchAct, "Notes", "gedit", "", "5"}, "", "", "<LAUNCHNO:05Notes<LAUNCH:gedit>"},
            {{A::ActiveLaunch, "Notes", "gedit", "", "0"},
             "",
             "",
             "<LAUNCHYES:00Notes<LAUNCH:gedit>"},
            {{A::LaunchAct, "Notes", "gedit", "", "-3"},
             std::string(GreaterThanZeroText),
             "DelaySecs",
             ""},
            {{A::LaunchAct, "", "gedit", "", "5"}, std::string(NoWindowTitleText), "WinTitle", ""},
            {{A::LaunchAct, "a<b", "gedit", "", "5"},
             std::string(TitleTagStartText),
             "WinTitle",
             ""},
            {{A::LaunchOnly, "", "gedit", "x>y", ""}, std::string(TagEndText), "Params", ""},
        },
        [](const ActivateForm& f) { return Check(f, paths); });
    // An empty delay box is a delay of nothing.
    EXPECT_EQ(Build(ActivateForm{A::LaunchAct, "N", "gedit", "", ""}),
              "<LAUNCHNO:00N<LAUNCH:gedit>");
    EXPECT_EQ(CommandOfTag("<LAUNCHYES:00N<LAUNCH:gedit>")->Code, CommandCode::ActivateOrLaunch);
}

TEST(CommandForms, SoundAndTheAlarm) {
    ExpectRows<SoundForm>(
        {
            {{false, "", true}, "", "", "<BEEP>"},
            {{true, "/home/ann/ding.wav", true}, "", "", "<WAV1:/home/ann/ding.wav>"},
            {{true, "/home/ann/ding.wav", false}, "", "", "<WAV2:/home/ann/ding.wav>"},
            {{true, "/home/ann/gone.wav", true}, std::string(NoWaveFileText), "ProgPath", ""},
            {{true, "", true}, std::string(NoWaveFileText), "ProgPath", ""},
        },
        [](const SoundForm& f) { return Check(f, paths); });

    SettingsBlock settings;
    EXPECT_EQ(AlarmFormFrom(settings), (SoundForm{false, "", false}));
    ApplyAlarm(SoundForm{true, " /home/ann/ding.wav ", true}, settings);
    EXPECT_TRUE(settings.UseWaveFile);
    EXPECT_TRUE(settings.WaveFileWait);
    EXPECT_EQ(settings.WaveFile, "/home/ann/ding.wav");
    ApplyAlarm(SoundForm{false, "/home/ann/ding.wav", false}, settings);
    EXPECT_FALSE(settings.UseWaveFile);
}

TEST(CommandForms, NamesOfFilesRemarksAndAddresses) {
    ExpectRows<SwapForm>({{{"/home/ann/work.ORV"}, "", "", "<SWAP:/home/ann/work.ORV>"},
                          {{"/home/ann/none.ORV"}, std::string(NoMacroFileText), "ProgPath", ""}},
                         [](const SwapForm& f) { return Check(f, paths); });
    ExpectRows<RemarkForm>({{{"ask for the totals"}, "", "", "<REM:ask for the totals>"},
                            {{"1 > 0"}, std::string(TagEndText), "Comments", ""}},
                           [](const RemarkForm& f) { return Check(f); });

    // A missing text file is a question; answered No, the name is kept.
    const std::optional<FormRefusal> missing = Check(TextFileForm{"/tmp/later.txt"}, paths);
    ASSERT_TRUE(missing.has_value());
    EXPECT_TRUE(missing->Question);
    EXPECT_EQ(missing->Caption, "Warning");
    EXPECT_EQ(missing->Text, MissingTextFileQuestion);
    EXPECT_FALSE(Check(TextFileForm{"/tmp/later.txt", true}, paths).has_value());
    EXPECT_EQ(Build(TextFileForm{"/tmp/later.txt", true}), "<TFILE:/tmp/later.txt>");
    EXPECT_EQ(TextFileForm::Load("<TFILE:/home/ann/notes.txt>"),
              (TextFileForm{"/home/ann/notes.txt", false}));

    struct Web {
        WebForm Form;
        std::string Tag;
    };
    for (const Web& web : std::vector<Web>{
             {{false, "wWw.example.org"}, "<HTTP:http://wWw.example.org>"},
             {{false, "example.org/www"}, "<HTTP:example.org/www>"},
             {{false, "https://example.org"}, "<HTTP:https://example.org>"},
             {{true, "www.example.org"}, "<FTP:www.example.org>"},
         }) {
        EXPECT_EQ(Build(web.Form), web.Tag);
    }
    EXPECT_EQ(WebForm::Preset(CommandCode::WebFtp).Address, "ftp://");
    EXPECT_EQ(WebForm::Load("<FTP:ftp://files.example.org>"),
              (WebForm{true, "ftp://files.example.org"}));
}

TEST(CommandForms, WindowSizeAndPlace) {
    ExpectRows<SizeForm>(
        {
            {{true, "", true, "10", "30"}, "", "", "<WSIZE:0010,0030\"CURRENT\">"},
            {{false, "Notes", false, "0", "0"}, "", "", "<WPOS:0000,0000Notes>"},
            {{true, "", true, "9", "30"}, std::string(InvalidWidthText), "TheWidth", ""},
            {{true, "", true, "10", "29"}, std::string(InvalidHeightText), "TheHeight", ""},
            {{true, "", false, "-1", "0"}, std::string(InvalidLeftPositionText), "TheWidth", ""},
            {{true, "", false, "0", "x"}, std::string(InvalidTopPositionText), "TheHeight", ""},
            {{false, " ", true, "100", "100"}, std::string(NoTitleSpecifiedText), "WinTitle", ""},
        },
        [](const SizeForm& f) { return Check(f); });
}

TEST(CommandForms, SystemCommands) {
    ExpectRows<SystemForm>(
        {
            {{1, true, ""}, "", "", "<WMAX:\"CURRENT\">"},
            {{7, false, "Notes"}, "", "", "<WSHUT:Notes>"},
            {{5, false, "Notes"}, "", "", "<WHIDE:Notes>"},
            {{3, false, ""}, std::string(NoTitleSpecifiedText), "WinTitle", ""},
        },
        [](const SystemForm& f) { return Check(f); });
    EXPECT_EQ(CommandOfTag(Build(SystemForm{4, true, ""}))->Code, CommandCode::CloseWindow);
}

TEST(CommandForms, Mouse) {
    ExpectRows<MouseForm>(
        {
            {{1, true, "30000", "0", "1"}, "", "", "<MMW:30000,00000>"},
            {{1, false, "120", "45", "1"}, "", "", "<MMS:00120,00045>"},
            {{1, false, "30001", "0", "1"}, std::string(InvalidXText), "XPos", ""},
            {{1, false, "5", "-1", "1"}, std::string(InvalidYText), "YPos", ""},
            {{3, true, "0", "0", "1"}, "", "", "<LDCLK>"},
            {{9, true, "0", "0", "1"}, "", "", "<RUP>"},
            {{12, true, "0", "0", "1"}, "", "", "<MDN>"},
            {{15, true, "0", "0", "3"}, "", "", "<WBW:003>"},
            {{14, true, "0", "0", "0"}, std::string(InvalidWheelClicksText), "NumClicks", ""},
        },
        [](const MouseForm& f) { return Check(f); });
    EXPECT_EQ(CommandOfTag("<RUP>")->Code, CommandCode::RightMouseButton);
    EXPECT_TRUE(
        MouseForm::Preset(CommandCode::MouseMove).Window); // new moves count from the window
}

TEST(CommandForms, ClipboardAndKeysUpOrDown) {
    using C = ClipboardForm;
    ExpectRows<ClipboardForm>(
        {
            {{C::StartCopy, ""}, "", "", "<BEGCLIP>"},
            {{C::EndCopy, ""}, "", "", "<ENDCLIP>"},
            {{C::FileCopy, "/home/ann/notes.txt"}, "", "", "<CLIPF:/home/ann/notes.txt>"},
            {{C::FileCopy, "/home/ann/none.txt"}, std::string(NoTextFileText), "ProgPath", ""},
            {{C::Copy, ""}, "", "", "<CLIPC>"},
            {{C::Paste, ""}, "", "", "<CLIPP>"},
        },
        [](const ClipboardForm& f) { return Check(f, paths); });
    const char* tags[] = {"<CTLD>", "<CTLU>", "<ALTD>", "<ALTU>",
                          "<SHFD>", "<SHFU>", "<WIND>", "<WINU>"};
    for (int action = 1; action <= 8; ++action) {
        EXPECT_EQ(Build(KeyUpDownForm{action}), tags[action - 1]);
        EXPECT_EQ(KeyUpDownForm::Load(tags[action - 1]).Action, action);
    }
}

TEST(CommandForms, FileCommands) {
    using F = FilesForm;
    ExpectRows<FilesForm>(
        {
            {{F::ChangeDir, "/home/ann", ""}, "", "", "<CHDIR:/home/ann>"},
            {{F::Copy, "/home/ann/notes.txt", "/tmp/n.txt"},
             "",
             "",
             "<COPYFILE:/home/ann/notes.txt;/tmp/n.txt>"},
            {{F::Rename, "/home/ann/notes.txt", "old.txt"},
             "",
             "",
             "<RENFILE:/home/ann/notes.txt;old.txt>"},
            {{F::Delete, "/home/ann/notes.txt", ""}, "", "", "<DELFILE:/home/ann/notes.txt>"},
            {{F::Copy, "/home/ann/notes.txt", " "}, std::string(NoNewNameText), "NewName", ""},
            {{F::Rename, "/home/ann/none.txt", "x"}, std::string(NoTextFileText), "ProgPath", ""},
            {{F::Delete, "/home/ann/none.txt", ""}, std::string(NoTextFileText), "ProgPath", ""},
            {{F::ChangeDir, "/home/bob", ""}, std::string(NoFolderText), "ProgPath", ""},
        },
        [](const FilesForm& f) { return Check(f, paths); });
    // The folder is checked and written without its trailing separator.
    EXPECT_FALSE(Check(FilesForm{F::ChangeDir, "/home/ann/", ""}, paths).has_value());
    EXPECT_EQ(Build(FilesForm{F::ChangeDir, "/home/ann/", ""}), "<CHDIR:/home/ann>");
    EXPECT_EQ(Build(FilesForm{F::ChangeDir, "/", ""}), "<CHDIR:/>");
}

TEST(CommandForms, DatesAndTimes) {
    ExpectRows<DateTimeForm>(
        {
            {{false, 1, false, "0", true}, "", "", "<MM/DD/YY{YF000}>"},
            {{false, 1, true, "1", false}, "", "", "<MM/DD/YY{NP001}>"},
            {{false, 51, false, "999", true}, "", "", "<Day of Week 4{YF999}>"},
            {{false, 1, false, "1000", true}, std::string(InvalidDaysText), "Days", ""},
            {{false, 1, false, "-1", true}, std::string(InvalidDaysText), "Days", ""},
            {{true, 12, true, "0", true}, "", "", "<hh:mm am{N}>"},
            {{true, 26, false, "0", true}, "", "", "<hh,mma{Y}>"},
        },
        [](const DateTimeForm& f) { return Check(f); });

    // A new line starts from the last choice, which "&Ok" keeps.
    SettingsBlock settings;
    EXPECT_EQ(DateTimeForm::Preset(false, settings), (DateTimeForm{false, 1, true, "0", true}));
    RememberFormat(DateTimeForm{false, 17, false, "3", false}, settings);
    EXPECT_EQ(settings.LastDateFormat, 16);
    EXPECT_FALSE(settings.SuppressZerosInDate);
    EXPECT_EQ(DateTimeForm::Preset(false, settings), (DateTimeForm{false, 17, false, "0", true}));
    settings.LastTimeFormat = 400; // a stored value out of range picks the last format
    EXPECT_EQ(DateTimeForm::Preset(true, settings).FormatIndex, 26);
}

TEST(CommandForms, ScopeNameAndLists) {
    const auto refusal = [](ScopeForm form) { return Check(form); };
    EXPECT_EQ(refusal({false, "", "", true})->Text,
              "No window title has been entered.  Please correct.");
    EXPECT_EQ(refusal({true, " ", "", true})->Text,
              "No program name has been entered.  Please correct.");
    const std::optional<FormRefusal> question = refusal({true, "", "gedit", true});
    ASSERT_TRUE(question.has_value());
    EXPECT_TRUE(question->Question);
    EXPECT_EQ(question->Text, "No program name has been entered.  \"gedit\" is currently "
                              "highlighted.  Would you like to use it?");
    EXPECT_EQ(question->Field, "TheTitle");
    EXPECT_FALSE(refusal({false, "Notes", "", false}).has_value());
    EXPECT_EQ(Build(ScopeForm{false, " Notes ", "", true}), "Notes");

    EXPECT_EQ(WindowTitleList({"b", "", "a", "b"}), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ProgramList({"xterm", "gedit", "xterm"}, {"bash", "gedit", "xterm", "Xvfb", "bash"}),
              (std::vector<std::string>{"gedit", "xterm", "Xvfb", "bash"}));
}

TEST(CommandForms, AltKeypadAndSymbols) {
    struct Case {
        std::string Digits;
        std::string Result; // the tag, or the message
    };
    for (const Case& c : std::vector<Case>{{"65", "<ALT:065>"},
                                           {"0128", "<ALT4:0128>"},
                                           {" 7 ", "<ALT:007>"},
                                           {"12a", std::string(NotNumericText)},
                                           {"", std::string(NotNumericText)},
                                           {"-5", std::string(NotNumericText)},
                                           {"12345", std::string(TooManyDigitsText)}}) {
        const std::optional<FormRefusal> refusal = Check(AltKeypadForm{c.Digits});
        EXPECT_EQ(refusal ? refusal->Text : Build(AltKeypadForm{c.Digits}), c.Result) << c.Digits;
    }
    EXPECT_EQ(SymbolAt(0, 0), '\x80');
    EXPECT_EQ(SymbolAt(15, 7), '\xff');
    EXPECT_EQ(SymbolAt(1, 3), '\x8b');
    EXPECT_FALSE(SymbolAt(0, 1).has_value()); // 0x81 is unused
    EXPECT_FALSE(SymbolAt(16, 0).has_value());
}

TEST(KeystrokeText, InsertingAtTheCaretAndTheLimit) {
    EXPECT_EQ(InsertAtCaret("abcd", 2, "<TAB>"), (Insertion{"ab<TAB>cd", 7}));
    EXPECT_EQ(InsertAtCaret("", 0, "<ENTER>"), (Insertion{"<ENTER>", 7}));
    const std::string near(4996, 'x');
    EXPECT_EQ(InsertAtCaret(near, 4996, "<F1>")->Text.size(), 5000U);
    EXPECT_FALSE(InsertAtCaret(near + "x", 0, "<F1>").has_value());

    const UpdatedText tabs = UpdateKeystrokes("a\tb");
    EXPECT_EQ(tabs.Text, "a<TAB>b");
    EXPECT_FALSE(tabs.Truncated);
    EXPECT_FALSE(UpdateKeystrokes(std::string(5000, 'y')).Truncated);
    const UpdatedText cut = UpdateKeystrokes(std::string(4999, 'y') + "\t");
    EXPECT_TRUE(cut.Truncated);
    EXPECT_EQ(cut.Text.size(), 5000U);
}

TEST(KeystrokeText, LineBreaksBetweenTheBoxAndTheStoredText) {
    EXPECT_EQ(KeystrokesFromBox("Dear Sir,\nYours"), "Dear Sir,\r\nYours");
    EXPECT_EQ(KeystrokesFromBox("a\r\nb"), "a\r\nb");
    EXPECT_EQ(KeystrokesFromBox("caf\xc3\xa9"), "caf\xe9");
    EXPECT_EQ(BoxFromKeystrokes("a\r\nb\rc\nd\xe9"), "a\nb\nc\nd\xc3\xa9");
    EXPECT_EQ(KeystrokesFromBox(BoxFromKeystrokes("Hello<ENTER>\r\n")), "Hello<ENTER>\r\n");
}

TEST(KeystrokeText, EveryKeyButtonInsertsAKeyTag) {
    for (const auto& table :
         {std::vector<KeyButton>(KeyButtons.begin(), KeyButtons.end()),
          std::vector<KeyButton>(MiscellaneousKeys.begin(), MiscellaneousKeys.end())}) {
        for (const KeyButton& key : table) {
            // A key tag stays inside the Text line it is typed into.
            const std::vector<ScriptLine> lines = BuildTheScript("a" + std::string(key.Tag));
            ASSERT_EQ(lines.size(), 1U) << key.Tag;
            EXPECT_EQ(lines.front().Text, "Text: a" + std::string(key.Tag));
        }
    }
}

} // namespace
} // namespace orvane
