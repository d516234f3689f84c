// SPDX-License-Identifier: GPL-3.0-or-later
// Hot keys end to end: the program runs with a prepared macro file, xdotool strikes keys as the
// user would, and probe windows show what arrives where.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Keymap.h"
#include "PhysicalKeyboard.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Macro {
    const char* Key;
    std::int16_t Scope;
    std::string Text;
    std::string Target = "";
    bool TopMostOnly = false;
    bool Active = true;
    std::string Nickname = "macro";
};

class HotKeyTest : public ::testing::Test {
protected:
    explicit HotKeyTest(VirtualDisplayOptions options = {}) : display(options) {}

    // Writes the macros (after the four system macros) and starts the program on them.
    void Start(const std::vector<Macro>& macros, std::vector<std::string> extra = {}) {
        const fs::path file = display.Folder() / "Hot.ORV";
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        const char* systemKeys[] = {"Ctrl+Alt+Shift+W", "Ctrl+Alt+Shift+X", "Ctrl+Alt+Shift+Y",
                                    "Ctrl+Alt+Shift+Z"};
        const char* systemNames[] = {"Activate Orvane", "Start / Stop Capture", "Resume Pause",
                                     "Menu of Macros for Top Most Window"};
        std::vector<Macro> all;
        for (int k = 0; k < 4; ++k) {
            all.push_back({systemKeys[k], ScopeSystem, systemNames[k], std::to_string(k + 1)});
        }
        all.insert(all.end(), macros.begin(), macros.end());
        for (const Macro& m : all) {
            MacroRecord r;
            r.Nickname.Assign(m.Scope == ScopeSystem ? m.Text : m.Nickname);
            r.HotKey = *HotKeyCodeOf(m.Key);
            r.Scope = m.Scope;
            r.ScopeTarget.Assign(m.Target);
            r.TopMostOnly = m.TopMostOnly ? 1 : 0;
            r.Active = m.Active ? 1 : 0;
            if (m.Scope != ScopeSystem) {
                r.SetText(m.Text);
            }
            const MacroRecordBytes bytes = r.ToBytes();
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        }
        out.close();
        std::vector<std::string> argv = {ORVANE_PROGRAM, "/F", file.string()};
        argv.insert(argv.end(), extra.begin(), extra.end());
        const fs::path log = display.Folder() / "orvane.log";
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        SpawnOptions options;
        options.argv = argv;
        options.env = display.Env();
        options.env["ORVANE_HOOK_TRACE"] = "1";
        options.stderrFd = fd;
        program_ = std::make_unique<ChildProcess>(options);
        ::close(fd);
        ASSERT_TRUE(WaitFor([&] { return !MainWindows(extra.empty()).empty(); })) << display.Logs();
    }

    // The program's main window ids (visible ones only when asked).
    std::string MainWindows(bool visibleOnly) {
        std::vector<std::string> args = {"search"};
        if (visibleOnly) {
            args.push_back("--onlyvisible");
        }
        args.insert(args.end(), {"--name", ExactTitlePattern("Orvane 98 (Hot)")});
        const CommandResult found = Xdotool(display, args, 5s);
        return found.Succeeded() ? found.out : std::string();
    }

    ::testing::AssertionResult Keys(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"key", "--clearmodifiers"};
        (void)all;
        std::vector<std::string> command = args;
        const CommandResult result = Xdotool(display, command);
        if (!result.Succeeded()) {
            return ::testing::AssertionFailure() << "xdotool failed: " << result.err;
        }
        return ::testing::AssertionSuccess();
    }

    bool WindowShown(const std::string& title) {
        const CommandResult found =
            Xdotool(display, {"search", "--onlyvisible", "--name", ExactTitlePattern(title)}, 5s);
        return found.Succeeded() && !found.out.empty();
    }

    void TearDown() override {
        if (program_) {
            ::kill(program_->Pid(), SIGTERM);
            program_->WaitForExit(kDefaultTimeout);
        }
    }

    VirtualDisplay display;
    std::unique_ptr<ChildProcess> program_;
};

// The same without a window manager: no EWMH, windows neither framed nor focused on mapping.
class BareHotKeyTest : public HotKeyTest {
protected:
    BareHotKeyTest() : HotKeyTest({.windowManager = false}) {}
};

// Whether the probe saw a key press with this keysym name.
bool SawKey(Probe& probe, const std::string& name) {
    for (const ProbeKey& key : probe.KeyPresses()) {
        if (key.name == name) {
            return true;
        }
    }
    return false;
}

// Pixels of the screen inside the window `windowId` that are plainly red, read from a screenshot.
int RedPixelsIn(const VirtualDisplay& display, const std::string& windowId) {
    const fs::path shot = display.Folder() / "shot.ppm";
    if (!RunCommand({"import", "-window", windowId, "-depth", "8", shot.string()}, display.Env(),
                    20s)
             .Succeeded()) {
        return -1;
    }
    std::ifstream in(shot, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, depth = 0;
    in >> magic >> width >> height >> depth;
    in.get();
    if (magic != "P6" || depth != 255) {
        return -1;
    }
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    int red = 0;
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) {
        red += pixels[i] > 200 && pixels[i + 1] < 80 && pixels[i + 2] < 80 ? 1 : 0;
    }
    return red;
}

// A hot key another X client grabbed first cannot start its macro: the user is told once at
// the start, its row is drawn marked, and the other keys work.
TEST_F(HotKeyTest, AHotKeyAnotherProgramHoldsIsReportedAndItsRowMarked) {
    // The other program: a client of our own that grabs Ctrl+Alt+Shift+H before we start.
    Display* other = XOpenDisplay(display.Name().c_str());
    ASSERT_NE(other, nullptr);
    XGrabKey(other, XKeysymToKeycode(other, XK_h), ControlMask | Mod1Mask | ShiftMask,
             DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync);
    XSync(other, False);
    Start({{"Ctrl+Alt+Shift+H", ScopeGlobal, "held"}, {"Ctrl+Alt+Shift+J", ScopeGlobal, "free"}});
    const std::string warning = "orvane: Warning: Another program holds the hot key "
                                "\"Ctrl+Alt+Shift+H\".  Its macro cannot be started by it until "
                                "that program lets it go.";
    const auto log = [&] {
        std::ifstream in(display.Folder() / "orvane.log");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    ASSERT_TRUE(WaitFor([&] { return log().find(warning) != std::string::npos; })) << log();
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Warning"); }));
    ASSERT_TRUE(ActivateWindowByTitle(display, "Warning"));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Warning"); }));
    EXPECT_EQ(log().find("\"Ctrl+Alt+Shift+J\""), std::string::npos) << "only the held key";

    // Its row is drawn in red once the selection has moved off it (the last row is a system one).
    const std::string main = MainWindows(true).substr(0, MainWindows(true).find('\n'));
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Hot)"));
    ASSERT_TRUE(PressKeys(display, {"ctrl+End"}));
    EXPECT_TRUE(WaitFor([&] { return RedPixelsIn(display, main) > 10; }));

    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+j"}));
    EXPECT_TRUE(probe.WaitForText("free"));
    XCloseDisplay(other);
}

TEST_F(HotKeyTest, GlobalHotKeysTypeTheirMacroAndTheKeyItselfNeverArrives) {
    Start({{"Ctrl+Alt+Shift+Q", ScopeGlobal, "Hello, World"},
           {"Ctrl+Alt+Shift+J", ScopeGlobal, "never", "", false, false},
           {"Ctrl+Alt+Shift+R", ScopeGlobal, "first"},
           {"Ctrl+Alt+Shift+R", ScopeGlobal, "-second"}});
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+q"}));
    ASSERT_TRUE(probe.WaitForText("Hello, World"));
    EXPECT_FALSE(SawKey(probe, "q") || SawKey(probe, "Q")) << "the hot key was swallowed";

    // A key of a deactivated macro only: not grabbed, the window gets it.
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+j"}));
    EXPECT_TRUE(probe.WaitForLine([](const std::string& line) {
        return line.rfind("KEY ", 0) == 0 &&
               (line.find(" J ") != std::string::npos || line.find(" j ") != std::string::npos);
    })) << "the key of a deactivated macro reaches the window";

    // Two global macros on one key: the later one.
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+r"}));
    ASSERT_TRUE(probe.WaitForText("Hello, World-second"));
    EXPECT_EQ(program_->Running(), true);
}

TEST_F(HotKeyTest, WindowSpecificMacrosWinInFrontAndAreBroughtForwardUnlessTopMostOnly) {
    Start({{"Ctrl+Alt+Shift+K", ScopeSpecificWindow, "b", "beta", false},
           {"Ctrl+Alt+Shift+K", ScopeGlobal, "g"},
           {"Ctrl+Alt+Shift+L", ScopeSpecificWindow, "t", "beta", true},
           {"Ctrl+Alt+Shift+L", ScopeGlobal, "h"}});
    Probe alpha(display, "Alpha Probe");
    ASSERT_TRUE(alpha.WaitForReady());
    Probe beta(display, "Beta Probe");
    ASSERT_TRUE(beta.WaitForReady());

    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+k"}));
    ASSERT_TRUE(beta.WaitForText("b")) << "its window in front: the specific macro";

    ASSERT_TRUE(alpha.Activate());
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+k"}));
    ASSERT_TRUE(beta.WaitForText("bb")) << "brought forward and typed there";
    EXPECT_TRUE(beta.WaitForFocus(true));
    EXPECT_EQ(alpha.Text(), "");

    ASSERT_TRUE(alpha.Activate());
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+l"}));
    ASSERT_TRUE(alpha.WaitForText("h")) << "top-most only and not in front: the global macro";
    EXPECT_EQ(beta.Text(), "bb");
}

TEST_F(HotKeyTest, ProgramSpecificMacrosFollowTheSameRules) {
    Start({{"Ctrl+Alt+Shift+M", ScopeSpecificProgram, "p", "qtprobe", false},
           {"Ctrl+Alt+Shift+M", ScopeGlobal, "g"},
           {"Ctrl+Alt+Shift+N", ScopeSpecificProgram, "t", "qtprobe", true},
           {"Ctrl+Alt+Shift+N", ScopeGlobal, "h"}});
    Probe qt(display, "Qt Probe", ProbeKind::Qt);
    ASSERT_TRUE(qt.WaitForReady());
    Probe plain(display, "Plain Probe");
    ASSERT_TRUE(plain.WaitForReady());

    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+m"}));
    ASSERT_TRUE(qt.WaitForText("p")) << "the program runs behind: brought forward";
    EXPECT_EQ(plain.Text(), "");

    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+m"}));
    ASSERT_TRUE(qt.WaitForText("pp")) << "its program in front";

    ASSERT_TRUE(plain.Activate());
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+n"}));
    ASSERT_TRUE(plain.WaitForText("h")) << "top-most only and not in front: the global macro";
}

TEST_F(BareHotKeyTest, AProgramSpecificMacroRaisesItsProgramsWindowWithoutAWindowManager) {
    Start({{"Ctrl+Alt+Shift+M", ScopeSpecificProgram, "p", "qtprobe", false},
           {"Ctrl+Alt+Shift+M", ScopeGlobal, "g"}});
    Probe qt(display, "Qt Probe", ProbeKind::Qt);
    ASSERT_TRUE(qt.WaitForReady());
    Probe plain(display, "Plain Probe");
    ASSERT_TRUE(plain.WaitForReady());
    ASSERT_TRUE(plain.WaitForFocus(true));

    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+m"}));
    ASSERT_TRUE(qt.WaitForText("p")) << "the program runs behind: brought forward";
    EXPECT_TRUE(qt.WaitForFocus(true));
    EXPECT_EQ(plain.Text(), "");

    ASSERT_TRUE(plain.Activate());
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+m"}));
    ASSERT_TRUE(qt.WaitForText("pp")) << "again from the other window";
    EXPECT_EQ(plain.Text(), "");
}

TEST_F(HotKeyTest, AWindowHiddenByAMacroIsFoundAndRaisedByItsWindowSpecificHotKey) {
    Start({{"Ctrl+Alt+Shift+H", ScopeGlobal, "<WHIDE:Beta Probe>"},
           {"Ctrl+Alt+Shift+K", ScopeSpecificWindow, "b", "beta"}});
    Probe beta(display, "Beta Probe");
    ASSERT_TRUE(beta.WaitForReady());
    Probe alpha(display, "Alpha Probe");
    ASSERT_TRUE(alpha.WaitForReady());

    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+h"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Beta Probe"); })) << "hidden by the macro";
    ASSERT_TRUE(alpha.Activate());

    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+k"}));
    ASSERT_TRUE(beta.WaitForText("b")) << "shown, brought forward and typed there";
    EXPECT_TRUE(WindowShown("Beta Probe"));
    EXPECT_TRUE(beta.WaitForFocus(true));
    EXPECT_EQ(alpha.Text(), "");
}

TEST_F(HotKeyTest, AHotKeyStruckWhileAMacroPlaysChangesNoWindow) {
    // The key is struck while the macro waits, so that the held modifiers of the strike cannot
    // fall on one of its keys.
    Start({{"Ctrl+Alt+Shift+Q", ScopeGlobal, "xx<DELAY:02.00>yy"},
           {"Ctrl+Alt+Shift+K", ScopeSpecificWindow, "b", "beta"}});
    Probe beta(display, "Beta Probe");
    ASSERT_TRUE(beta.WaitForReady());
    Probe alpha(display, "Alpha Probe");
    ASSERT_TRUE(alpha.WaitForReady());

    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+q"}));
    ASSERT_TRUE(alpha.WaitForText("xx"));
    const std::size_t betaLines = beta.LineCount();
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+k"}));
    ASSERT_TRUE(alpha.WaitForText("xxyy")) << "the macro typed on where it typed";
    EXPECT_TRUE(alpha.Focused());
    EXPECT_FALSE(beta.Focused());
    for (std::size_t i = betaLines; i < beta.Lines().size(); ++i) {
        EXPECT_NE(beta.Lines()[i], "FOCUS 1") << "the other window never came forward";
    }
    EXPECT_EQ(beta.Text(), "");

    // Once the macro has ended the key works again.
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+k"}));
    EXPECT_TRUE(beta.WaitForText("b"));
}

TEST_F(HotKeyTest, ThePauseDialogOfAHotKeyMacroNamesItsKeyAndItsOwnKeyResumes) {
    Start({{"Ctrl+Alt+Shift+P", ScopeGlobal, "before<PAUSE>after", "", false, true, "Order form"}});
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+p"}));
    ASSERT_TRUE(probe.WaitForText("before"));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Pause (Ctrl+Alt+Shift+P)"); }))
        << "the caption names the hot key";
    EXPECT_TRUE(probe.WaitForFocus(true)) << "the target keeps the keyboard";
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+p"}));
    EXPECT_TRUE(probe.WaitForText("beforeafter")) << [&] {
        std::ifstream in(fs::path(display.Env().at("XDG_RUNTIME_DIR")) / "orvane" /
                         "hook-trace.txt");
        std::stringstream text;
        text << in.rdbuf();
        return "TRACE " + text.str();
    }();
    EXPECT_TRUE(WaitFor([&] { return !WindowShown("Pause (Ctrl+Alt+Shift+P)"); }));
}

TEST_F(HotKeyTest, HeldModifiersNeitherAlterTheTextNorStayDown) {
    Start({{"Ctrl+Alt+Shift+Q", ScopeGlobal, "Typed exactly: abc 123"}});
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());

    // Let go soon after the strike, as people do.
    ASSERT_TRUE(Keys({"keydown", "ctrl+alt+shift"}));
    ASSERT_TRUE(Keys({"key", "q"}));
    ASSERT_TRUE(Keys({"keyup", "ctrl+alt+shift"}));
    ASSERT_TRUE(probe.WaitForText("Typed exactly: abc 123"));

    // Keep holding until the macro has been typed: the modifiers are let go for the user.
    ASSERT_TRUE(Keys({"keydown", "ctrl+alt+shift"}));
    ASSERT_TRUE(Keys({"key", "q"}));
    ASSERT_TRUE(probe.WaitForText("Typed exactly: abc 123Typed exactly: abc 123"));
    ASSERT_TRUE(Keys({"keyup", "ctrl+alt+shift"}));

    // Nothing stuck: plain typing is plain.
    ASSERT_TRUE(TypeText(display, "z"));
    EXPECT_TRUE(probe.WaitForText("Typed exactly: abc 123Typed exactly: abc 123z"));
}

// The struck key's own letter inside the macro: the macro's press of it must not be lost while the
// user's key is still down, however the key is struck.
TEST_F(HotKeyTest, TheStruckKeysOwnLetterIsTypedTappedOrHeld) {
    Start({{"Ctrl+Alt+Shift+A", ScopeGlobal, "global<ALT4:0233>!"},
           {"Ctrl+Alt+Shift+A", ScopeSpecificWindow, "beta!", "Beta Target", true}});
    Probe other(display, "Other Target");
    ASSERT_TRUE(other.WaitForReady());
    Probe beta(display, "Beta Target");
    ASSERT_TRUE(beta.WaitForReady());
    PhysicalKeyboard keyboard(display);
    ASSERT_TRUE(keyboard.Ready()) << keyboard.Error();

    // Each way the user strikes the key, first into the window-specific macro's window, then
    // into the other window, where the global macro plays (the specific one plays only when its
    // window is in front).
    const struct {
        const char* Name;
        std::function<bool()> Strike;
    } strikes[] = {
        {"xdotool tap",
         [&] {
             return static_cast<bool>(Keys({"key", "ctrl+alt+shift+a"}));
         }},
        {"xdotool held 300 ms",
         [&] {
             const bool down = Keys({"keydown", "ctrl+alt+shift+a"});
             std::this_thread::sleep_for(300ms); // the user holds the keys
             return down && Keys({"keyup", "a", "shift", "alt", "ctrl"});
         }},
        {"keyboard tap",
         [&] {
             const char* keys[] = {"Control_L", "Alt_L", "Shift_L", "a"};
             bool ok = true;
             for (const char* key : keys) {
                 ok = keyboard.Press(key) && ok;
             }
             for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
                 ok = keyboard.Release(*it) && ok;
             }
             return ok;
         }},
        {"keyboard held 300 ms",
         [&] {
             const char* keys[] = {"Control_L", "Alt_L", "Shift_L", "a"};
             bool ok = true;
             for (const char* key : keys) {
                 ok = keyboard.Press(key) && ok;
             }
             std::this_thread::sleep_for(300ms); // the user holds the keys
             for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
                 ok = keyboard.Release(*it) && ok;
             }
             return ok;
         }},
    };
    std::string betaText;
    std::string otherText;
    for (const auto& strike : strikes) {
        SCOPED_TRACE(strike.Name);
        ASSERT_TRUE(beta.Activate());
        // The user turns to the window before striking: a strike within a millisecond of the
        // activation can still be dispatched against the window before it.
        std::this_thread::sleep_for(150ms);
        ASSERT_TRUE(strike.Strike());
        betaText += "beta!";
        ASSERT_TRUE(beta.WaitForText(betaText)) << beta.Describe();

        ASSERT_TRUE(other.Activate());
        std::this_thread::sleep_for(150ms); // as above
        ASSERT_TRUE(strike.Strike());
        otherText += "global\u00E9!";
        ASSERT_TRUE(other.WaitForText(otherText)) << other.Describe();
    }
    EXPECT_EQ(beta.Text(), betaText);
}

TEST_F(HotKeyTest, CapsLockAndNumLockOnAtTheStrike) {
    Start({{"Ctrl+Alt+Shift+Q", ScopeGlobal, "Mixed Case"}, {"Ctrl+Keypad 1", ScopeGlobal, "k"}});
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(Keys({"key", "Caps_Lock"}));
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+q"}));
    ASSERT_TRUE(probe.WaitForText("Mixed Case")) << "the case as written";
    ASSERT_TRUE(Keys({"key", "a"}));
    ASSERT_TRUE(probe.WaitForText("Mixed CaseA")) << "Caps Lock is on again";
    ASSERT_TRUE(Keys({"key", "Caps_Lock"}));

    ASSERT_TRUE(Keys({"key", "Num_Lock"}));
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+q"}));
    ASSERT_TRUE(probe.WaitForText("Mixed CaseAMixed Case")) << "with Num Lock on";
    ASSERT_TRUE(Keys({"key", "ctrl+KP_1"}));
    ASSERT_TRUE(probe.WaitForText("Mixed CaseAMixed Casek")) << "a keypad hot key";
}

TEST_F(HotKeyTest, TheAbortKeyStopsALongMacroWithOneMessage) {
    Start({{"Ctrl+Alt+Shift+Q", ScopeGlobal, "<REPEAT:0400>x<DELAY:00.05><ENDREP>"}});
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+q"}));
    ASSERT_TRUE(WaitFor([&] { return probe.Text().size() >= 3; })) << probe.Text();
    ASSERT_TRUE(Keys({"key", "Pause"}));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Macro Abort"); }, 5s)) << [&] {
        std::ifstream in(fs::path(display.Env().at("XDG_RUNTIME_DIR")) / "orvane" /
                         "hook-trace.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str() + " typed " + std::to_string(probe.Text().size());
    }();
    const std::size_t typed = probe.Text().size();
    EXPECT_LT(typed, 400U);
    const CommandResult boxes =
        Xdotool(display, {"search", "--onlyvisible", "--name", ExactTitlePattern("Macro Abort")});
    EXPECT_EQ(std::count(boxes.out.begin(), boxes.out.end(), '\n'), 1) << boxes.out;
}

TEST_F(HotKeyTest, ActivateOrvaneRestoresTheMinimisedMainWindow) {
    Start({});
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    const std::string main = MainWindows(true).substr(0, MainWindows(true).find('\n'));
    ASSERT_FALSE(main.empty());
    const auto state = [&] {
        return RunCommand({"xprop", "-id", main, "_NET_WM_STATE"}, display.Env(), 5s).out;
    };
    ASSERT_TRUE(Keys({"windowminimize", main}));
    ASSERT_TRUE(WaitFor([&] { return state().find("_NET_WM_STATE_HIDDEN") != std::string::npos; }))
        << state();
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+w"}));
    EXPECT_TRUE(WaitFor([&] { return state().find("_NET_WM_STATE_HIDDEN") == std::string::npos; }))
        << state();
    EXPECT_TRUE(probe.WaitForFocus(false)) << "the main window is in front";
}

TEST_F(HotKeyTest, ActivateOrvaneShowsTheHiddenMainWindow) {
    Start({}, {"/HIDE"});
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(WaitFor([&] { return MainWindows(true).empty(); })) << "hidden at start";
    ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+w"}));
    ASSERT_TRUE(WaitFor([&] { return !MainWindows(true).empty(); }));
    EXPECT_TRUE(probe.WaitForFocus(false)) << "the main window is in front";
}

// A hot key macro whose letters outnumber the one spare keycode left binds it anew, chunk by
// chunk; a program that advertises pings and never answers is waited for once, in the event loop,
// and never again, however often the macro plays.
TEST_F(HotKeyTest, AMacroBindingItsKeysAnewWaitsForAProgramThatNeverAnswersOnlyOnce) {
    ASSERT_TRUE(LeaveOneSpareKeycode(display));
    std::string stored; // Windows-1252, as the macro file holds it
    std::string typed;  // UTF-8, as the probe reports it
    for (int c = 0xC0; c <= 0xFF; ++c) {
        stored += static_cast<char>(c);
        typed += static_cast<char>(0xC0 | (c >> 6));
        typed += static_cast<char>(0x80 | (c & 0x3F));
    }
    Start({{"Ctrl+Alt+Shift+L", ScopeGlobal, stored}});
    Probe probe(display, "Never answers", ProbeKind::X, {"--silent-pings"});
    ASSERT_TRUE(probe.WaitForReady());
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE("playback " + std::to_string(run));
        ASSERT_TRUE(probe.ClearText());
        ASSERT_TRUE(Keys({"key", "ctrl+alt+shift+l"}));
        EXPECT_TRUE(probe.WaitForText(typed));
        // A key typed afterwards reaches the probe after any ping sent before it.
        ASSERT_TRUE(Keys({"key", "x"}));
        ASSERT_TRUE(probe.WaitForText(typed + "x"));
        EXPECT_EQ(probe.Pings(), 1);
    }
    EXPECT_TRUE(program_->Running());
}

} // namespace
} // namespace orvane::e2e
