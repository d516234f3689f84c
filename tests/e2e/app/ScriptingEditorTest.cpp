// SPDX-License-Identifier: GPL-3.0-or-later
// The scripting editor end to end: the program runs on a prepared macro file, xdotool opens the
// editor from the main window and edits with the keyboard as a user would, and the macro file
// and a probe window show the result.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Probe.h"
#include "ProgramTest.h"
#include "ScriptCorpus.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "editing/ScriptLines.h"
#include "support/MacroFiles.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string EditorTitle = "Macro Scripting Editor  (GLOBAL)";

class ScriptingEditorTest : public ProgramTest {
protected:
    // Writes the four system macros and then one Global hot key macro per (key, text), and
    // starts the program on the file.
    void Start(const std::vector<std::pair<std::string, std::string>>& macros) {
        std::vector<MacroRecord> records = SystemMacros();
        for (const auto& [key, text] : macros) {
            MacroRecord r = HotKeyMacro(key, ScopeGlobal, text, "", "edited");
            r.Icon.Assign("MAIN");
            records.push_back(r);
        }
        WriteMacroFile(file_, records);
        StartProgram({ORVANE_PROGRAM, "/F", file_.string()}, display.Env());
        ASSERT_TRUE(Shown("Orvane 98 (Edit)")) << display.Logs();
    }

    std::string FileBytes() const {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Record i (1-based) as the file holds it now.
    MacroRecord Stored(int i) const {
        const std::string bytes = FileBytes();
        MacroRecordBytes record{};
        const std::size_t at = static_cast<std::size_t>(i - 1) * MacroRecordSize;
        if (bytes.size() >= at + MacroRecordSize) {
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), MacroRecordSize,
                        record.begin());
        }
        return MacroRecord::FromBytes(record);
    }

    // From the main window, as a user: click into the list, type the start of the macro's hot
    // key to select it, then "Macro" / "Scripting Editor".
    void OpenEditorOn(const std::string& hotKey) {
        ASSERT_NO_FATAL_FAILURE(SelectInList("Orvane 98 (Edit)", hotKey));
        ASSERT_TRUE(PressKeys(display, {"alt+m", "s"}));
        ASSERT_TRUE(ActivateWindowByTitle(display, EditorTitle)) << display.Logs();
    }

    fs::path file_ = display.Folder() / "Edit.ORV";
};

TEST_F(ScriptingEditorTest, LinesMovedCopiedAndDeletedWithTheKeyboardPlayAsShown) {
    Start({{"Ctrl+Alt+Shift+Q", "Hello<ENTER><REPEAT:0003>x<I><ENDREP><DELAY:00.20>!"}});
    OpenEditorOn("Ctrl+Alt+Shift+Q");
    // The lines: Hello<ENTER>, Repeat Start: 3, x, Repeat Counter, Repeat End, Delay, "!".
    // Each line of the repeat block goes up past "Hello" with "&Up"; then "Cop&y" on "!" and
    // "De&lete" on the delay.
    std::vector<std::string> keys = {"alt+s", "Home"};
    for (int line = 1; line <= 4; ++line) {
        keys.insert(keys.end(), {"Down", "Down", "alt+u"});
    }
    keys.erase(keys.begin() + 2); // the first block line is one below the top
    keys.insert(keys.end(), {"End", "alt+y", "Up", "Up", "alt+l", "alt+o"});
    ASSERT_TRUE(PressKeys(display, keys));
    ASSERT_TRUE(Gone(EditorTitle));
    const std::string expected = "<REPEAT:0003>x<I><ENDREP>Hello<ENTER>!!";
    ASSERT_TRUE(WaitFor([&] { return Stored(5).Text() == expected; })) << Stored(5).Text();

    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+q"}));
    EXPECT_TRUE(probe.WaitForText("x1x2x3Hello\n!!"));

    // Opened again and left with "&Ok": the same lines give the same text.
    const MacroRecord saved = Stored(5);
    OpenEditorOn("Ctrl+Alt+Shift+Q");
    ASSERT_TRUE(PressKeys(display, {"alt+o"}));
    ASSERT_TRUE(Gone(EditorTitle));
    ASSERT_TRUE(WaitFor([&] { return Stored(5).LastModified != saved.LastModified; }));
    EXPECT_EQ(Stored(5).Text(), expected);
    EXPECT_EQ(Stored(5).Nickname.View(), "edited");

    // Changes left with "&Cancel": the file is as it was, byte for byte.
    const std::string before = FileBytes();
    OpenEditorOn("Ctrl+Alt+Shift+Q");
    ASSERT_TRUE(PressKeys(
        display, {"ctrl+a", "n", "e", "w", "alt+s", "Home", "alt+l", "alt+l", "alt+w", "alt+c"}));
    ASSERT_TRUE(Gone(EditorTitle));
    ASSERT_TRUE(Shown("Orvane 98 (Edit)"));
    EXPECT_EQ(FileBytes(), before);
    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+q"}));
    EXPECT_TRUE(probe.WaitForText("x1x2x3Hello\n!!x1x2x3Hello\n!!"));
}

// The keys that select a command in the command list and open its dialog with "&Add": from the
// top of the list (which shows the names sorted) down to the command. Moving by rows rather than
// typing the name keeps a slow machine from splitting the list's type-ahead search.
std::vector<std::string> AddCommand(CommandCode code) {
    std::vector<std::string_view> sorted;
    for (const CommandRow& command : Commands) {
        sorted.push_back(command.Name);
    }
    std::sort(sorted.begin(), sorted.end());
    const auto at = std::find(sorted.begin(), sorted.end(), CommandName(code)) - sorted.begin();
    std::vector<std::string> keys = {"alt+m", "Home"};
    keys.insert(keys.end(), static_cast<std::size_t>(at), "Down");
    keys.push_back("alt+a");
    return keys;
}

TEST_F(ScriptingEditorTest, AMacroBuiltWithTheCommandDialogsPlaysAsBuilt) {
    Start({{"Ctrl+Alt+Shift+Q", ""}});
    OpenEditorOn("Ctrl+Alt+Shift+Q");
    const auto pick = [&](CommandCode code, const std::string& dialog) {
        ASSERT_TRUE(PressKeys(display, AddCommand(code)));
        ASSERT_TRUE(ActivateWindowByTitle(display, dialog)) << display.Logs();
    };
    // "Text": typed keys and the "E&nter" key button, then "&Update".
    pick(CommandCode::Text, "Enter Keystrokes");
    ASSERT_TRUE(TypeText(display, "Hello"));
    ASSERT_TRUE(PressKeys(display, {"alt+n", "alt+u"}));
    ASSERT_TRUE(Gone("Enter Keystrokes"));
    // A repeat block of three passes of "x" and the pass counter.
    ASSERT_TRUE(ActivateWindowByTitle(display, EditorTitle));
    pick(CommandCode::RepeatStart, "Repeat Options");
    ASSERT_TRUE(PressKeys(display, {"alt+u", "ctrl+a"}));
    ASSERT_TRUE(TypeText(display, "3"));
    ASSERT_TRUE(PressKeys(display, {"alt+o"}));
    ASSERT_TRUE(Gone("Repeat Options"));
    ASSERT_TRUE(ActivateWindowByTitle(display, EditorTitle));
    pick(CommandCode::Text, "Enter Keystrokes");
    ASSERT_TRUE(TypeText(display, "x"));
    ASSERT_TRUE(PressKeys(display, {"alt+u"}));
    ASSERT_TRUE(Gone("Enter Keystrokes"));
    ASSERT_TRUE(ActivateWindowByTitle(display, EditorTitle));
    pick(CommandCode::RepeatCounter, "Repeat Options");
    ASSERT_TRUE(PressKeys(display, {"alt+o"}));
    ASSERT_TRUE(Gone("Repeat Options"));
    ASSERT_TRUE(ActivateWindowByTitle(display, EditorTitle));
    pick(CommandCode::RepeatEnd, "Repeat Options");
    ASSERT_TRUE(PressKeys(display, {"alt+o"}));
    ASSERT_TRUE(Gone("Repeat Options"));
    ASSERT_TRUE(ActivateWindowByTitle(display, EditorTitle));
    ASSERT_TRUE(PressKeys(display, {"alt+o"}));
    ASSERT_TRUE(Gone(EditorTitle));
    const std::string expected = "Hello<ENTER><REPEAT:0003>x<I><ENDREP>";
    ASSERT_TRUE(WaitFor([&] { return Stored(5).Text() == expected; })) << Stored(5).Text();

    // The hot key was off while keystrokes were typed and is on again: struck in the probe, the
    // macro plays.
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+q"}));
    EXPECT_TRUE(probe.WaitForText("Hello\nx1x2x3"));
}

TEST_F(ScriptingEditorTest, LongAndMalformedMacrosComeBackUnchanged) {
    const std::string full = corpus::FiveThousandCharacters();
    const std::string malformed = corpus::MalformedTags() + "<REM:never closed";
    Start({{"Ctrl+Alt+Shift+A", full}, {"Ctrl+Alt+Shift+B", malformed}});
    for (const int record : {5, 6}) {
        SCOPED_TRACE(record);
        const MacroRecord before = Stored(record);
        OpenEditorOn(record == 5 ? "Ctrl+Alt+Shift+A" : "Ctrl+Alt+Shift+B");
        ASSERT_TRUE(PressKeys(display, {"alt+o"}));
        ASSERT_TRUE(Gone(EditorTitle));
        ASSERT_TRUE(WaitFor([&] { return Stored(record).LastModified != before.LastModified; }));
        EXPECT_EQ(Stored(record).Text(), before.Text());
        EXPECT_EQ(Stored(record).HotKey, before.HotKey);
    }
    EXPECT_EQ(Stored(5).Text(), full);
    EXPECT_EQ(Stored(6).Text(), malformed);
}

} // namespace
} // namespace orvane::e2e
