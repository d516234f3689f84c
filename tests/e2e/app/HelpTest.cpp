// SPDX-License-Identifier: GPL-3.0-or-later
// The help of the running program: F1 in "Add Macro" opens the help window at that dialog's
// section (its title names the section), the help window can be worked beside the modal dialog,
// and F1 struck into the hot key field is picked as a hot key instead.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
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

std::string Slurp(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path file = display.Folder() / "Keys.ORV";
        WriteMacroFile(file, {HotKeyMacro("Ctrl+Alt+Shift+G", ScopeGlobal, "hi")});
        const fs::path log = display.Folder() / "orvane.log";
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        SpawnOptions options;
        options.argv = {ORVANE_PROGRAM, "/F", file.string()};
        options.env = display.Env();
        options.env["ORVANE_HOOK_TRACE"] = "1";
        options.stderrFd = fd;
        program_ = std::make_unique<ChildProcess>(options);
        ::close(fd);
        ASSERT_TRUE(WaitFor([&] { return WindowShown("Orvane 98 (Keys)"); })) << Log();
    }

    void TearDown() override {
        if (program_) {
            ::kill(program_->Pid(), SIGTERM);
            program_->WaitForExit(kDefaultTimeout);
        }
    }

    bool WindowShown(const std::string& title) {
        const CommandResult found =
            Xdotool(display, {"search", "--onlyvisible", "--name", ExactTitlePattern(title)}, 5s);
        return found.Succeeded() && !found.out.empty();
    }

    std::string Log() const { return Slurp(display.Folder() / "orvane.log"); }
    std::string Trace() const {
        return Slurp(fs::path(display.Env().at("XDG_RUNTIME_DIR")) / "orvane" / "hook-trace.txt");
    }
    bool TraceHasLine(const std::string& line) const {
        const std::string trace = Trace();
        return trace.rfind(line + "\n", 0) == 0 ||
               trace.find("\n" + line + "\n") != std::string::npos;
    }

    VirtualDisplay display;
    std::unique_ptr<ChildProcess> program_;
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
