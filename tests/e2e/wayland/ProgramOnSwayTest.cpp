// SPDX-License-Identifier: GPL-3.0-or-later
// The program in a Wayland session: `orvane play` and hot key macros typing into native Wayland
// programs under sway, the user's keys struck on a virtual keyboard of the test's own.
//
// Skipped, saying so, by a build without the Wayland backend (ORVANE_E2E_WAYLAND_BACKEND unset).

#include "ChildProcess.h"
#include "Command.h"
#include "SwayTest.h"
#include "WaylandTargets.h"
#include "support/MacroFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;

// Latin-1 and the Windows-1252 additions, in UTF-8: none of them on a US keyboard.
const std::string kAccentedText = "Café crème, naïve über ½ § € 5 – „Zitat“ … Œuvre™ Ångström "
                                  "ß Ø ñ ¿¡ ‰ Žš «£¥» ©®°±µ¶·÷ ÀÞÿ";

class ProgramOnSwayTest : public SwayTest {
protected:
    void SetUp() override {
#ifndef ORVANE_E2E_WAYLAND_BACKEND
        GTEST_SKIP() << "this build of the program has no Wayland backend";
#endif
        SwayTest::SetUp();
    }

    void TearDown() override {
        if (program_) {
            ::kill(program_->Pid(), SIGTERM);
            program_->WaitForExit(kDefaultTimeout);
        }
    }

    Environment ProgramEnv() const {
        Environment env = sway->Env();
        env["ORVANE_BACKEND"] = "wayland";
        env["ORVANE_HOOK_TRACE"] = "1";
        return env;
    }

    CommandResult Play(const std::string& text) const {
        return RunCommand({ORVANE_PROGRAM, "play", "--text", text}, ProgramEnv(),
                          std::chrono::minutes(2));
    }

    // Starts the program on `macros` (after the four system macros) and waits until sway has
    // taken its hot keys.
    void Start(const std::vector<MacroRecord>& macros) {
        std::vector<MacroRecord> records = SystemMacros();
        records.insert(records.end(), macros.begin(), macros.end());
        const fs::path file = sway->Folder() / "Hot.ORV";
        WriteMacroFile(file, records);
        program_ = StartLogged({ORVANE_PROGRAM, "/HIDE", "/F", file.string()}, ProgramEnv(),
                               sway->Folder() / "orvane.log");
        ASSERT_TRUE(
            TraceShows([](const std::string& line) { return line.rfind("bound ", 0) == 0; }));
    }

    std::string Trace() const {
        std::ifstream in(fs::path(sway->Env().at("XDG_RUNTIME_DIR")) / "orvane" / "hook-trace.txt");
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string Log() const {
        std::ifstream in(sway->Folder() / "orvane.log");
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // How many lines of the trace satisfy `wanted`.
    int TraceCount(const std::function<bool(const std::string&)>& wanted) const {
        std::istringstream in(Trace());
        int n = 0;
        for (std::string line; std::getline(in, line);) {
            n += wanted(line) ? 1 : 0;
        }
        return n;
    }
    int TraceCount(const std::string& line) const {
        return TraceCount([&](const std::string& got) { return got == line; });
    }

    // Waits until `count` lines of the trace satisfy `wanted`.
    ::testing::AssertionResult TraceShows(const std::function<bool(const std::string&)>& wanted,
                                          int count = 1) const {
        if (WaitFor([&] { return TraceCount(wanted) >= count; })) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "not in the trace:\n" << Trace() << Log();
    }
    ::testing::AssertionResult TraceShows(const std::string& line, int count = 1) const {
        return TraceShows([&](const std::string& got) { return got == line; }, count);
    }

    std::unique_ptr<ChildProcess> program_;
};

TEST_F(ProgramOnSwayTest, PlayTypesAccentedTextExactlyIntoFootAndTheQtProbe) {
    FootCat foot(*sway, "Foot target");
    ASSERT_TRUE(foot.WaitForReady());
    CommandResult played = Play(kAccentedText + "<ENTER>");
    ASSERT_TRUE(played.Succeeded()) << played.Describe();
    EXPECT_TRUE(foot.WaitForText(kAccentedText + "\n"));

    WaylandProbe probe(*sway, "Qt target");
    ASSERT_TRUE(probe.WaitForReady());
    played = Play(kAccentedText);
    ASSERT_TRUE(played.Succeeded()) << played.Describe();
    EXPECT_TRUE(probe.WaitForText(kAccentedText));
}

// Shortcuts need the modifiers of the user's own layout: Ctrl+A selects all, BackSpace removes it.
TEST_F(ProgramOnSwayTest, CtrlAThenBackSpaceEmptiesTheQtField) {
    WaylandProbe probe(*sway, "Qt field");
    ASSERT_TRUE(probe.WaitForReady());
    for (const char* keys : {"<CTRL>a<BACKSPACE>", "<CTLD>a<CTLU><BACKSPACE>"}) {
        SCOPED_TRACE(keys);
        ASSERT_TRUE(sway->TypeText("some words\nand a line"));
        ASSERT_TRUE(probe.WaitForText("some words\nand a line"));
        const CommandResult played = Play(keys);
        ASSERT_TRUE(played.Succeeded()) << played.Describe();
        EXPECT_TRUE(probe.WaitForText(""));
    }
}

TEST_F(ProgramOnSwayTest, ClicksLandWhereTheTextSays) {
    WaylandProbe probe(*sway, "Click target");
    ASSERT_TRUE(probe.WaitForReady());
    const auto window = sway->FindWindow("Click target");
    ASSERT_TRUE(window);
    const int x = window->content.x + 123;
    const int y = window->content.y + 77;
    char move[32];
    std::snprintf(move, sizeof move, "<MMS:%05d,%05d>", x, y);
    const CommandResult played = Play(std::string(move) + "<LCLK><RCLK>");
    ASSERT_TRUE(played.Succeeded()) << played.Describe();
    // The right button's release goes to the context menu it opens, not to the editor.
    ASSERT_TRUE(probe.WaitForLine([](const std::string& line) {
        return line.rfind("BUTTON 3 ", 0) == 0;
    })) << probe.Describe();
    std::vector<int> buttons;
    for (const ProbeButton& click : probe.Clicks()) {
        buttons.push_back(click.button);
        EXPECT_EQ(click.rootX, x);
        EXPECT_EQ(click.rootY, y);
    }
    EXPECT_EQ(buttons, (std::vector<int>{1, 3})) << probe.Describe();
}

TEST_F(ProgramOnSwayTest, HotKeysPlayIntoTheFocusedWindowAndTheirOwnKeysDoNotRestartThem) {
    ASSERT_NO_FATAL_FAILURE(Start(
        {HotKeyMacro("Ctrl+Alt+Shift+Q", ScopeGlobal, "Hello, World"),
         HotKeyMacro("Ctrl+Alt+Shift+A", ScopeGlobal, "a banana<ALT4:0233>!"),
         HotKeyMacro("Ctrl+Alt+Shift+S", ScopeGlobal, "once<CTLD><ALTD><SHFD>s<SHFU><ALTU><CTLU>"),
         HotKeyMacro("Ctrl+Alt+F7", ScopeGlobal, "taken")}));
    // The session's sway binds Ctrl+Alt+F7 itself: the program leaves it and says so.
    EXPECT_TRUE(TraceShows([](const std::string& line) {
        return line.rfind("bound ", 0) == 0 && line.ends_with(" unavailable 1");
    }));

    WaylandProbe probe(*sway, "Hot target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(sway->StrikeKey({"ctrl", "alt", "shift"}, "q"));
    ASSERT_TRUE(probe.WaitForText("Hello, World"));

    // The struck key's own letter, typed while sway still watches that key for the binding.
    ASSERT_TRUE(sway->StrikeKey({"ctrl", "alt", "shift"}, "a"));
    ASSERT_TRUE(probe.WaitForText("Hello, Worlda banana\u00e9!"));

    // A macro striking its own hot key plays once: sway's binding must not start it again.
    ASSERT_TRUE(sway->StrikeKey({"ctrl", "alt", "shift"}, "s"));
    ASSERT_TRUE(probe.WaitForText("Hello, Worlda banana\u00e9!once"));
    ASSERT_TRUE(TraceShows("end", 3));
    EXPECT_EQ(TraceCount("hotkey " + std::to_string(*HotKeyCodeOf("Ctrl+Alt+Shift+S"))), 1)
        << Trace();
    EXPECT_EQ(probe.Text(), "Hello, Worlda banana\u00e9!once");
}

// Macros bound to a window title or to a program bring their window forward from another one
// and type there; the global macro on the same key is not played.
TEST_F(ProgramOnSwayTest, AMacroBoundToATitleActivatesItsWindow) {
    ASSERT_NO_FATAL_FAILURE(
        Start({HotKeyMacro("Ctrl+Alt+Shift+K", ScopeSpecificWindow, "b", "Beta Probe"),
               HotKeyMacro("Ctrl+Alt+Shift+K", ScopeGlobal, "g")}));
    FootCat foot(*sway, "Alpha Foot");
    ASSERT_TRUE(foot.WaitForReady());
    WaylandProbe beta(*sway, "Beta Probe");
    ASSERT_TRUE(beta.WaitForReady());

    ASSERT_TRUE(sway->Focus("Alpha Foot"));
    ASSERT_TRUE(sway->StrikeKey({"ctrl", "alt", "shift"}, "k"));
    ASSERT_TRUE(beta.WaitForText("b")) << "brought forward and typed there";
    EXPECT_TRUE(sway->WaitForFocused("Beta Probe"));
    ASSERT_TRUE(sway->StrikeKey({"ctrl", "alt", "shift"}, "k"));
    EXPECT_TRUE(beta.WaitForText("bb")) << "in front: typed there again";
}

TEST_F(ProgramOnSwayTest, AMacroBoundToAProgramActivatesItsWindow) {
    ASSERT_NO_FATAL_FAILURE(
        Start({HotKeyMacro("Ctrl+Alt+Shift+M", ScopeSpecificProgram, "p<ENTER>", "foot"),
               HotKeyMacro("Ctrl+Alt+Shift+M", ScopeGlobal, "h")}));
    FootCat foot(*sway, "Alpha Foot");
    ASSERT_TRUE(foot.WaitForReady());
    WaylandProbe beta(*sway, "Beta Probe");
    ASSERT_TRUE(beta.WaitForReady());

    ASSERT_TRUE(sway->StrikeKey({"ctrl", "alt", "shift"}, "m"));
    ASSERT_TRUE(foot.WaitForText("p\n")) << "its program brought forward. " << beta.Describe();
    EXPECT_TRUE(sway->WaitForFocused("Alpha Foot"));
    EXPECT_EQ(beta.Text(), "");
}

} // namespace
} // namespace orvane::e2e
