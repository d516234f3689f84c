// SPDX-License-Identifier: GPL-3.0-or-later
// The help of the running program: F1 in "Add Macro" opens the help window at that dialog's
// section (its title names the section), the help window can be worked beside the modal dialog,
// and F1 struck into the hot key field is picked as a hot key instead.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "ProgramTest.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "support/MacroFiles.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class HelpTest : public ProgramTest {
protected:
    void SetUp() override {
        const fs::path file = display.Folder() / "Keys.ORV";
        WriteMacroFile(file, {HotKeyMacro("Ctrl+Alt+Shift+G", ScopeGlobal, "hi")});
        Environment env = display.Env();
        env["ORVANE_HOOK_TRACE"] = "1";
        StartProgram({ORVANE_PROGRAM, "/F", file.string()}, std::move(env));
        ASSERT_TRUE(WaitFor([&] { return WindowShown("Orvane 98 (Keys)"); })) << Log();
    }

    bool TraceHasLine(const std::string& line) const {
        const std::string trace = Trace();
        return trace.rfind(line + "\n", 0) == 0 ||
               trace.find("\n" + line + "\n") != std::string::npos;
    }
};

TEST_F(HelpTest, F1InAddMacroOpensItsSection) {
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Keys)"));
    ASSERT_TRUE(PressKeys(display, {"Insert"}));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Add Macro"); })) << Log();

    // The hot key field has the focus: F1 struck there is the hot key being picked.
    ASSERT_TRUE(WaitFor([&] { return TraceHasLine("keypick on"); })) << Trace();
    ASSERT_TRUE(PressKeys(display, {"F1"}));
    ASSERT_TRUE(WaitFor([&] { return TraceHasLine("keypick 288"); })) << Trace();
    EXPECT_FALSE(WindowShown("Orvane Help - Add Macro"));

    // Anywhere else in the dialog, F1 is help.
    ASSERT_TRUE(PressKeys(display, {"Tab", "F1"}));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Orvane Help - Add Macro"); }))
        << Log() << display.Logs();
    EXPECT_TRUE(WindowShown("Add Macro")) << "the dialog stays open";

    // The modal dialog does not block the help window: its Home button answers the keyboard.
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane Help - Add Macro"));
    ASSERT_TRUE(PressKeys(display, {"alt+h"}));
    EXPECT_TRUE(WaitFor([&] { return WindowShown("Orvane Help"); })) << Log();
    EXPECT_TRUE(program_->Running());
}

} // namespace
} // namespace orvane::e2e
