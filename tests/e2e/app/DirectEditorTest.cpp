// SPDX-License-Identifier: GPL-3.0-or-later
// The direct editor and the scripting wizard end to end: the program runs on a prepared macro
// file, xdotool opens the windows from the main window and works them with the keyboard as a
// user would, and the macro file and a probe window show the result.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Probe.h"
#include "ProgramTest.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "support/MacroFiles.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string MainTitle = "Orvane 98 (Direct)";

class DirectEditorTest : public ProgramTest {
protected:
    // Writes the four system macros and one Global hot key macro, and starts the program on
    // the file; the macro is record 5.
    void Start(const std::string& hotKey, const std::string& text) {
        std::vector<MacroRecord> records = SystemMacros();
        MacroRecord r = HotKeyMacro(hotKey, ScopeGlobal, text, "", "letter");
        r.Icon.Assign("MAIN");
        records.push_back(r);
        WriteMacroFile(file_, records);
        StartProgram({ORVANE_PROGRAM, "/F", file_.string()}, display.Env());
        ASSERT_TRUE(Shown(MainTitle)) << display.Logs();
    }

    MacroRecord Stored() const {
        const std::vector<MacroRecord> records = ReadMacroFileBack(file_);
        return records.size() >= 5 ? records[4] : MacroRecord{};
    }

    // From the main window, as a user: click into the list, type the start of the macro's hot
    // key to select it, then the "Macro" menu's entry by its letter.
    void OpenFromTheList(const std::string& hotKey, const std::string& entry,
                         const std::string& title) {
        ASSERT_NO_FATAL_FAILURE(SelectInList(MainTitle, hotKey));
        ASSERT_TRUE(PressKeys(display, {"alt+m", entry}));
        ASSERT_TRUE(ActivateWindowByTitle(display, title)) << display.Logs();
    }

    fs::path file_ = display.Folder() / "Direct.ORV";
};

TEST_F(DirectEditorTest, TypedTagsAndAKeyButtonPlayAndTheHotKeyTypesWhileTheEditorIsOpen) {
    // A hot key that types a character when nothing takes it: the keypad's plus.
    Start("KeyPad +", "");
    const std::string editor = "Modify Hot Key  (GLOBAL)";
    OpenFromTheList("KeyPad +", "m", editor);
    // "Macro te&xt", then typing. The hot key struck in the middle reaches the editor as a
    // plain "+" (had it played the macro, or been swallowed, the text would differ), and
    // Backspace takes it away again.
    ASSERT_TRUE(PressKeys(display, {"alt+x"}));
    ASSERT_TRUE(TypeText(display, "Dear "));
    ASSERT_TRUE(PressKeys(display, {"KP_Add", "BackSpace"}));
    ASSERT_TRUE(TypeText(display, "<SHFD>x<SHFU>,<ENTER>"));
    // "E&nter" inserts its tag at the caret; "&Update" saves.
    ASSERT_TRUE(PressKeys(display, {"alt+n", "alt+u"}));
    ASSERT_TRUE(Gone(editor));
    const std::string expected = "Dear <SHFD>x<SHFU>,<ENTER><ENTER>";
    ASSERT_TRUE(WaitFor([&] { return Stored().Text() == expected; })) << Stored().Text();
    EXPECT_EQ(Stored().Nickname.View(), "letter");

    // The hook is on again: struck in the probe, the macro plays.
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(PressKeys(display, {"KP_Add"}));
    EXPECT_TRUE(probe.WaitForText("Dear X,\n\n"));
}

TEST_F(DirectEditorTest, TheProgramEndsCleanlyWithTheEditorOpenAndKeepsTheMacro) {
    Start("KeyPad +", "kept");
    const MacroRecord before = Stored();
    OpenFromTheList("KeyPad +", "m", "Modify Hot Key  (GLOBAL)");
    ASSERT_TRUE(PressKeys(display, {"alt+x"}));
    ASSERT_TRUE(TypeText(display, " and changed"));
    ASSERT_EQ(::kill(program_->Pid(), SIGTERM), 0);
    ASSERT_TRUE(program_->WaitForExit(kDefaultTimeout));
    program_->Stop(); // reaps it
    const int status = program_->WaitStatus();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << display.Logs();
    program_.reset();
    EXPECT_EQ(Stored().ToBytes(), before.ToBytes());
}

TEST_F(DirectEditorTest, TheWizardBuildsATextAndADelayWithAltKeysOnly) {
    Start("Ctrl+Alt+Shift+Q", "");
    const std::string editor = "Macro Scripting Editor  (GLOBAL)";
    OpenFromTheList("Ctrl+Alt+Shift+Q", "s", editor);
    ASSERT_TRUE(PressKeys(display, {"alt+z"}));
    ASSERT_TRUE(ActivateWindowByTitle(display, "Scripting Wizard")) << display.Logs();
    // "&Enter Text, Symbols, Keystrokes": typed keys, "&Update", then Yes: go on.
    ASSERT_TRUE(PressKeys(display, {"alt+e"}));
    ASSERT_TRUE(ActivateWindowByTitle(display, "Enter Keystrokes"));
    ASSERT_TRUE(TypeText(display, "Hello"));
    ASSERT_TRUE(PressKeys(display, {"alt+u"}));
    ASSERT_TRUE(ActivateWindowByTitle(display, "Added"));
    ASSERT_TRUE(PressKeys(display, {"alt+y"}));
    ASSERT_TRUE(Gone("Added"));
    // "&Insert a Delay": half a second, "&Ok", then No: the wizard closes.
    ASSERT_TRUE(ActivateWindowByTitle(display, "Scripting Wizard"));
    ASSERT_TRUE(PressKeys(display, {"alt+i"}));
    ASSERT_TRUE(ActivateWindowByTitle(display, "Set Delay"));
    ASSERT_TRUE(PressKeys(display, {"alt+t", "ctrl+a"}));
    ASSERT_TRUE(TypeText(display, "0.5"));
    ASSERT_TRUE(PressKeys(display, {"alt+o"}));
    ASSERT_TRUE(ActivateWindowByTitle(display, "Added"));
    ASSERT_TRUE(PressKeys(display, {"alt+n"}));
    ASSERT_TRUE(Gone("Scripting Wizard"));
    // The lines are the editor's, saved with its "&Ok".
    ASSERT_TRUE(ActivateWindowByTitle(display, editor));
    ASSERT_TRUE(PressKeys(display, {"alt+o"}));
    ASSERT_TRUE(Gone(editor));
    const std::string expected = "Hello<DELAY:00.50>";
    ASSERT_TRUE(WaitFor([&] { return Stored().Text() == expected; })) << Stored().Text();

    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+q"}));
    EXPECT_TRUE(probe.WaitForText("Hello"));
}

} // namespace
} // namespace orvane::e2e
