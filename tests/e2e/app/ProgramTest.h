// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program under test on a display of its own: started with its standard error kept in
// "orvane.log" of the display's folder, watched through its windows and its hook trace
// (ORVANE_HOOK_TRACE=1), and ended when the test is over.

#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace orvane::e2e {

class ProgramTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (program_) {
            ::kill(program_->Pid(), SIGTERM);
            program_->WaitForExit(kDefaultTimeout);
        }
    }

    // Starts `argv` (the program and its arguments) in `env`.
    void StartProgram(std::vector<std::string> argv, Environment env) {
        program_ = StartLogged(std::move(argv), std::move(env), display.Folder() / "orvane.log");
    }

    // Ends the program with SIGTERM and waits until it has gone.
    void StopProgram() {
        ::kill(program_->Pid(), SIGTERM);
        ASSERT_TRUE(program_->WaitForExit(kDefaultTimeout));
        program_.reset();
    }

    // The program's folder of runtime files (the hook trace, the capture's temporary file).
    std::filesystem::path Runtime() const {
        return std::filesystem::path(display.Env().at("XDG_RUNTIME_DIR")) / "orvane";
    }
    std::string Log() const { return Slurp(display.Folder() / "orvane.log"); }
    std::string Trace() const { return Slurp(Runtime() / "hook-trace.txt"); }

    // Waits until the trace holds the line `line` at least `count` times.
    ::testing::AssertionResult TraceShows(const std::string& line, int count = 1) const {
        const auto seen = [&] {
            const std::string trace = Trace();
            int n = 0;
            for (std::size_t at = trace.find(line + "\n"); at != std::string::npos;
                 at = trace.find(line + "\n", at + 1)) {
                n += at == 0 || trace[at - 1] == '\n' ? 1 : 0;
            }
            return n >= count;
        };
        if (WaitFor(seen)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "no \"" << line << "\" x" << count << " in\n"
                                             << Trace() << Log();
    }

    // Whether a window titled `title` shows now.
    bool WindowShown(const std::string& title) const {
        const CommandResult found = Xdotool(
            display, {"search", "--onlyvisible", "--name", ExactTitlePattern(title)}, kSearch);
        return found.Succeeded() && !found.out.empty();
    }
    // Waits until a window titled `title` shows (or, with `shown` false, until none does).
    bool Shown(const std::string& title, bool shown = true) const {
        return WaitFor([&] {
            const CommandResult found = Xdotool(
                display, {"search", "--onlyvisible", "--name", ExactTitlePattern(title)}, kSearch);
            return shown ? found.Succeeded() && !found.out.empty() : found.out.empty();
        });
    }
    bool Gone(const std::string& title) const { return Shown(title, false); }

    // In the main window titled `mainTitle`, as a user: a click into the macro list, then the
    // start of a macro's hot key typed to select it (Esc first starts the list's search afresh,
    // whatever an earlier search left in it).
    void SelectInList(const std::string& mainTitle, const std::string& typed) const {
        ASSERT_TRUE(ActivateWindowByTitle(display, mainTitle));
        const CommandResult main =
            Xdotool(display, {"search", "--onlyvisible", "--name", ExactTitlePattern(mainTitle)});
        ASSERT_TRUE(main.Succeeded());
        const std::string id = main.out.substr(0, main.out.find('\n'));
        ASSERT_TRUE(
            Xdotool(display, {"mousemove", "--window", id, "60", "160", "click", "1"}).Succeeded());
        ASSERT_TRUE(PressKeys(display, {"Escape"}));
        ASSERT_TRUE(TypeText(display, typed));
    }

    static std::string Slurp(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    VirtualDisplay display;
    std::unique_ptr<ChildProcess> program_;

private:
    static constexpr std::chrono::seconds kSearch{5};
};

} // namespace orvane::e2e
