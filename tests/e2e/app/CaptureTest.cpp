// SPDX-License-Identifier: GPL-3.0-or-later
// Recording macros end to end: the program runs on a prepared macro file, xdotool (and the
// display's own keyboard) play the user who starts a capture, types and clicks in a probe
// window and stops it; the test reads the macro file back and plays the new macro into a fresh
// probe at the same place.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "PhysicalKeyboard.h"
#include "Probe.h"
#include "ProgramTest.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "support/MacroFiles.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::uint16_t Code(const char* name) {
    return *HotKeyCodeOf(name);
}

// The server's own clock for key presses: every raw key press on the display (whatever device
// sent it) with its timestamp, read when asked.
class KeyPressClock {
public:
    explicit KeyPressClock(const VirtualDisplay& display)
        : display_(XOpenDisplay(display.Name().c_str())) {
        if (display_ == nullptr) {
            return;
        }
        unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(mask, XI_RawKeyPress);
        XIEventMask events{XIAllMasterDevices, sizeof(mask), mask};
        XISelectEvents(display_, DefaultRootWindow(display_), &events, 1);
        XSync(display_, False);
    }
    ~KeyPressClock() {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }
    KeyPressClock(const KeyPressClock&) = delete;
    KeyPressClock& operator=(const KeyPressClock&) = delete;

    // The presses of the key of `keysymName` since the last call, as server times (ms).
    std::vector<long> Presses(const char* keysymName) {
        std::vector<long> times;
        if (display_ == nullptr) {
            return times;
        }
        const unsigned keycode = XKeysymToKeycode(display_, XStringToKeysym(keysymName));
        XSync(display_, False);
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == GenericEvent && XGetEventData(display_, &event.xcookie)) {
                const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
                pressed_.push_back({static_cast<unsigned>(raw->detail), raw->time});
                XFreeEventData(display_, &event.xcookie);
            }
        }
        for (const auto& [key, time] : pressed_) {
            if (key == keycode) {
                times.push_back(static_cast<long>(time));
            }
        }
        pressed_.clear();
        return times;
    }

private:
    Display* display_;
    std::vector<std::pair<unsigned, unsigned long>> pressed_;
};

class CaptureTest : public ProgramTest {
protected:
    // The four system macros ("Start / Stop Capture" on Ctrl+Alt+Shift+X) and the capture
    // options; the program starts on them.
    void Start(bool timing, const std::vector<MacroRecord>& more = {}) {
        file_ = display.Folder() / "Cap.ORV";
        std::vector<MacroRecord> records = SystemMacros();
        records.insert(records.end(), more.begin(), more.end());
        WriteMacroFile(file_, records);
        const fs::path config = fs::path(display.Env().at("XDG_CONFIG_HOME")) / "orvane";
        fs::create_directories(config);
        std::ofstream(config / "ORVAN.INI")
            << "[Capture]\r\nTime=" << (timing ? "Yes" : "No") << "\r\n";
        Environment env = display.Env();
        env["ORVANE_HOOK_TRACE"] = "1";
        StartProgram({ORVANE_PROGRAM, "/F", file_.string()}, std::move(env));
        ASSERT_TRUE(WaitFor([&] { return WindowShown("Orvane 98 (Cap)"); })) << Log();
    }

    // The text of the macro on hot key `code`, once the file holds one.
    std::optional<std::string> MacroText(std::uint16_t code) {
        for (const MacroRecord& macro : ReadMacroFileBack(file_)) {
            if (macro.HotKey == code && macro.Scope != ScopeSystem) {
                return macro.Text();
            }
        }
        return std::nullopt;
    }

    // Strikes the capture key, answers the start message and waits until recording runs.
    ::testing::AssertionResult StartByHotKey(int nth = 1) {
        if (auto pressed = PressKeys(display, {"ctrl+alt+shift+x"}); !pressed) {
            return pressed;
        }
        if (!WaitFor([&] { return WindowShown("Start Capture"); })) {
            return ::testing::AssertionFailure() << "no start message\n" << Log() << Trace();
        }
        if (auto pressed = PressKeys(display, {"Return"}); !pressed) {
            return pressed;
        }
        return TraceShows("capture on", nth);
    }

    // Stops a capture started by the hot key and gives the new macro the key `keys` ("Capture
    // Complete", whose key field has the focus).
    ::testing::AssertionResult StopAndAssign(const std::string& keys, const char* name,
                                             int nth = 1) {
        if (auto pressed = PressKeys(display, {"ctrl+alt+shift+x"}); !pressed) {
            return pressed;
        }
        if (auto off = TraceShows("capture off", nth); !off) {
            return off;
        }
        if (!WaitFor([&] { return WindowShown("Capture Complete"); })) {
            return ::testing::AssertionFailure() << "no Capture Complete\n" << Log();
        }
        if (auto on = TraceShows("keypick on", nth); !on) {
            return on;
        }
        if (auto pressed = PressKeys(display, {keys}); !pressed) {
            return pressed;
        }
        if (auto picked = TraceShows("keypick " + std::to_string(Code(name))); !picked) {
            return picked;
        }
        return PressKeys(display, {"Return"});
    }

    // "Add Macro" on Ctrl+Alt+Shift+J, "&Capture Macro" with the nickname `nickname`, and
    // "&Start Capture": waits until recording runs.
    ::testing::AssertionResult CaptureFromAddMacro(const std::string& nickname) {
        using Step = std::function<::testing::AssertionResult()>;
        const auto shown = [&](const char* title) -> Step {
            return [this, title] {
                return WaitFor([&] { return WindowShown(title); }) ? ::testing::AssertionSuccess()
                                                                   : ::testing::AssertionFailure()
                                                                         << "no " << title << "\n"
                                                                         << Log();
            };
        };
        for (const Step& step : std::vector<Step>{
                 [&] { return ActivateWindowByTitle(display, "Orvane 98 (Cap)"); },
                 [&] { return PressKeys(display, {"Insert"}); }, shown("Add Macro"),
                 [&] { return TraceShows("keypick on"); },
                 [&] { return PressKeys(display, {"ctrl+alt+shift+j"}); },
                 [&] { return TraceShows("keypick " + std::to_string(Code("Ctrl+Alt+Shift+J"))); },
                 [&] {
                     return PressKeys(display, {"Tab", "alt+c"});
                 },
                 shown("Capture Macro"),
                 [&] {
                     return nickname.empty() ? ::testing::AssertionSuccess()
                                             : TypeText(display, nickname);
                 },
                 [&] { return PressKeys(display, {"Return"}); },
                 [&] { return TraceShows("capture on"); }}) {
            if (auto done = step(); !done) {
                return done;
            }
        }
        return ::testing::AssertionSuccess();
    }

    fs::path file_;
};

std::vector<std::string> NonModifierKeys(const std::vector<ProbeKey>& keys) {
    std::vector<std::string> names;
    for (const ProbeKey& key : keys) {
        if (key.name.find("Shift") == std::string::npos &&
            key.name.find("Control") == std::string::npos &&
            key.name.find("Alt") == std::string::npos) {
            names.push_back(key.name);
        }
    }
    return names;
}

TEST_F(CaptureTest, ACapturedMacroPlaysBackTheSameTextClicksAndWheel) {
    Start(false);
    const std::vector<std::string> place = {"--geometry", "400x300+100+100"};
    std::vector<ProbeKey> typed;
    std::vector<ProbeButton> clicked;
    {
        Probe probe(display, "Recorded", ProbeKind::X, place);
        ASSERT_TRUE(probe.WaitForReady());
        ASSERT_TRUE(StartByHotKey());
        ASSERT_TRUE(probe.Activate());
        ASSERT_TRUE(TypeText(display, "Hello, World"));
        ASSERT_TRUE(PressKeys(display, {"Return"}));
        ASSERT_TRUE(probe.WaitForText("Hello, World\n"));
        ASSERT_TRUE(ClickAt(display, 150, 160));
        ASSERT_TRUE(ClickAt(display, 300, 250));
        ASSERT_TRUE(ClickAt(display, 300, 250, 5));
        ASSERT_TRUE(WaitFor([&] { return probe.Clicks().size() >= 3; }));
        typed = probe.KeyPresses();
        clicked = probe.Clicks();
        ASSERT_TRUE(StopAndAssign("ctrl+alt+shift+k", "Ctrl+Alt+Shift+K"));
    }
    ASSERT_TRUE(WaitFor([&] { return MacroText(Code("Ctrl+Alt+Shift+K")).has_value(); })) << Log();
    EXPECT_EQ(*MacroText(Code("Ctrl+Alt+Shift+K")),
              "Hello, World<ENTER><MMS:00150,00160><LCLK><MMS:00300,00250><LCLK><WBW:001>");
    EXPECT_FALSE(fs::exists(Runtime() / "TempCap.Txt"));

    Probe fresh(display, "Replayed", ProbeKind::X, place);
    ASSERT_TRUE(fresh.WaitForReady());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+k"}));
    ASSERT_TRUE(fresh.WaitForText("Hello, World\n")) << Trace();
    ASSERT_TRUE(WaitFor([&] { return fresh.Clicks().size() >= clicked.size(); }))
        << fresh.Describe();
    EXPECT_EQ(NonModifierKeys(fresh.KeyPresses()), NonModifierKeys(typed));
    const std::vector<ProbeButton> replayed = fresh.Clicks();
    ASSERT_EQ(replayed.size(), clicked.size());
    for (std::size_t i = 0; i < clicked.size(); ++i) {
        EXPECT_EQ(replayed[i].button, clicked[i].button) << i;
        EXPECT_NEAR(replayed[i].rootX, clicked[i].rootX, 1) << i;
        EXPECT_NEAR(replayed[i].rootY, clicked[i].rootY, 1) << i;
    }
}

// The gaps between keys are recorded from the server's clock and replayed at actual speed.
TEST_F(CaptureTest, TimingIsRecordedAndReplayed) {
    Start(true);
    KeyPressClock clock(display);
    std::vector<long> produced;
    {
        Probe probe(display, "Timed", ProbeKind::X, {"--geometry", "300x200+50+50"});
        ASSERT_TRUE(probe.WaitForReady());
        ASSERT_TRUE(StartByHotKey());
        ASSERT_TRUE(probe.Activate());
        clock.Presses("a");
        for (const int pause : {150, 400, 250}) {
            ASSERT_TRUE(PressKeys(display, {"a"}));
            std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        }
        ASSERT_TRUE(PressKeys(display, {"a"}));
        ASSERT_TRUE(probe.WaitForText("aaaa"));
        produced = clock.Presses("a");
        ASSERT_TRUE(StopAndAssign("ctrl+alt+shift+t", "Ctrl+Alt+Shift+T"));
    }
    ASSERT_EQ(produced.size(), 4u);
    ASSERT_TRUE(WaitFor([&] { return MacroText(Code("Ctrl+Alt+Shift+T")).has_value(); }));
    const std::string text = *MacroText(Code("Ctrl+Alt+Shift+T"));
    // "<SPEED:00001>a<MSD:nnnn>a<MSD:nnnn>a<MSD:nnnn>a"
    const std::regex form(R"(<SPEED:00001>a<MSD:(\d{4})>a<MSD:(\d{4})>a<MSD:(\d{4})>a)");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text, m, form)) << text;
    const auto within = [](long actual, long wanted) {
        return std::abs(actual - wanted) <= std::max(10L, wanted / 5);
    };
    std::vector<long> recorded;
    for (std::size_t i = 1; i <= 3; ++i) {
        recorded.push_back(std::stol(m[i].str()));
        EXPECT_TRUE(within(recorded.back(), produced[i] - produced[i - 1]))
            << recorded.back() << " recorded for " << produced[i] - produced[i - 1];
    }

    Probe fresh(display, "Replayed", ProbeKind::X, {"--geometry", "300x200+50+50"});
    ASSERT_TRUE(fresh.WaitForReady());
    clock.Presses("a");
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+t"}));
    ASSERT_TRUE(fresh.WaitForText("aaaa"));
    const std::vector<long> replayed = clock.Presses("a");
    ASSERT_EQ(replayed.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_TRUE(within(replayed[i] - replayed[i - 1], recorded[i - 1]))
            << replayed[i] - replayed[i - 1] << " replayed for " << recorded[i - 1];
    }
}

// A key held on the display's own keyboard repeats in the window, and the capture records
// every character the window received; Ctrl+C in a terminal is a Ctrl hold over "c".
TEST_F(CaptureTest, AHeldKeyAndCtrlCInATerminal) {
    Start(false);
    PhysicalKeyboard keyboard(display);
    ASSERT_TRUE(keyboard.Ready()) << keyboard.Error();
    std::string received;
    {
        Probe probe(display, "Held");
        ASSERT_TRUE(probe.WaitForReady());
        ASSERT_TRUE(StartByHotKey());
        ASSERT_TRUE(probe.Activate());
        ASSERT_TRUE(keyboard.Press("q"));
        const bool repeated = WaitFor([&] { return probe.Text().size() >= 5; }, 5s);
        ASSERT_TRUE(keyboard.Release("q"));
        ASSERT_TRUE(WaitFor([&] {
            return !probe.KeyReleases().empty() && probe.KeyReleases().back().name == "q";
        }));
        received = probe.Text();
        ASSERT_FALSE(received.empty());
        if (!repeated) {
            std::cerr << "the display does not repeat held keys; one press was recorded\n";
        }

        // xterm as the terminal.
        SpawnOptions xterm;
        xterm.argv = {"xterm", "-T", "Terminal", "-e", "cat"};
        xterm.env = display.Env();
        ChildProcess terminal(xterm);
        ASSERT_TRUE(ActivateWindowByTitle(display, "Terminal"));
        ASSERT_TRUE(PressKeys(display, {"ctrl+c"}));
        ASSERT_TRUE(WaitFor([&] { return !terminal.Running(); })) << "cat was interrupted";
        ASSERT_TRUE(StopAndAssign("ctrl+alt+shift+h", "Ctrl+Alt+Shift+H"));
    }
    ASSERT_TRUE(WaitFor([&] { return MacroText(Code("Ctrl+Alt+Shift+H")).has_value(); }));
    EXPECT_EQ(*MacroText(Code("Ctrl+Alt+Shift+H")), received + "<CTLD>c<CTLU>");
}

// "Add Macro" -> "&Capture Macro": the new macro is stored, recorded, and ended by its own key.
TEST_F(CaptureTest, AddMacroCapturesANewMacroEndedByItsOwnKey) {
    Start(false);
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(CaptureFromAddMacro("typed"));
    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(TypeText(display, "ok"));
    ASSERT_TRUE(probe.WaitForText("ok"));
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+j"}));
    ASSERT_TRUE(TraceShows("capture off"));
    ASSERT_TRUE(WaitFor([&] {
        return Log().find("orvane: Capture: Orvane 98 capture is complete for "
                          "Ctrl+Alt+Shift+J.") != std::string::npos;
    })) << Log();
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Capture"); }));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    EXPECT_EQ(MacroText(Code("Ctrl+Alt+Shift+J")).value_or("none"), "ok");
    EXPECT_EQ(probe.Text(), "ok") << "the key that ended the capture played nothing";
}

// While a capture runs its macro's file stays: "Open File" is refused with a message, and the
// recording lands in the macro the capture started on.
TEST_F(CaptureTest, OpeningAnotherFileWhileCapturingIsRefusedAndTheRecordingKept) {
    Start(false);
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(CaptureFromAddMacro(""));
    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(TypeText(display, "before"));
    ASSERT_TRUE(probe.WaitForText("before"));

    // The user brings the minimised program back and asks for another file.
    const CommandResult found =
        Xdotool(display, {"search", "--name", ExactTitlePattern("Orvane 98 (Cap)")}, 5s);
    std::istringstream ids(found.out);
    for (std::string id; std::getline(ids, id) && !WindowShown("Orvane 98 (Cap)");) {
        ActivateWindow(display, std::stoul(id));
    }
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Cap)"));
    ASSERT_TRUE(PressKeys(display, {"ctrl+o"}));
    ASSERT_TRUE(WaitFor([&] {
        return Log().find("orvane: Error: A capture is currently in progress.  The macro file "
                          "cannot be changed or switched until the capture has ended.") !=
               std::string::npos;
    })) << Log();
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Error"); }));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Error"); }));
    EXPECT_FALSE(WindowShown("Open Orvane File"));

    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(TypeText(display, "after"));
    ASSERT_TRUE(probe.WaitForText("beforeafter"));
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+j"}));
    ASSERT_TRUE(TraceShows("capture off"));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Capture"); })) << Log();
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    const std::string text = MacroText(Code("Ctrl+Alt+Shift+J")).value_or("none");
    EXPECT_EQ(text.substr(0, 6), "before") << text;
    EXPECT_NE(text.find("after"), std::string::npos) << text;
    EXPECT_EQ(Log().find("Open Orvane File"), std::string::npos);
}

// "Re&capture Macro" records a timed macro anew; a system macro has nothing to record and the
// user is told so.
TEST_F(CaptureTest, RecaptureRecordsATimedMacroAndExplainsASystemMacro) {
    MacroRecord timed;
    timed.Nickname.Assign("daily");
    timed.HotKey = HotKeyTimed;
    timed.Scope = ScopeGlobal;
    timed.Active = 0; // it must not play during the test
    timed.SetText("old");
    Start(false, {timed});
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());

    // The system macro in front of the list first, then the timed one, picked by its name.
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Cap)"));
    ASSERT_TRUE(TypeText(display, "Ctrl+Alt+Shift+W"));
    ASSERT_TRUE(PressKeys(display, {"alt+m", "c"}));
    ASSERT_TRUE(WaitFor([&] {
        return Log().find("orvane: Error: A system macro has no script to capture.") !=
               std::string::npos;
    })) << Log();
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Error"); }));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Error"); }));

    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Cap)"));
    ASSERT_TRUE(TypeText(display, "Timed"));
    ASSERT_TRUE(PressKeys(display, {"alt+m", "c"}));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Capture Macro"); })) << Log();
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(TraceShows("capture on"));
    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(TypeText(display, "new"));
    ASSERT_TRUE(probe.WaitForText("new"));
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+x"}));
    ASSERT_TRUE(WaitFor([&] {
        return Log().find("orvane: Capture: Orvane 98 capture is complete for Timed Macro.") !=
               std::string::npos;
    })) << Log();
    EXPECT_EQ(MacroText(HotKeyTimed).value_or("none"), "new");
}

// A right click on the recording icon in the notification area ends the capture, as the stop
// key does.
TEST_F(CaptureTest, ARightClickOnTheRecordingIconEndsTheCapture) {
    SpawnOptions tray;
    tray.argv = {"trayer",  "--edge",   "top", "--align",       "left", "--widthtype",
                 "request", "--height", "24",  "--SetDockType", "true", "--SetPartialStrut",
                 "false"};
    tray.env = display.Env();
    std::unique_ptr<ChildProcess> trayer;
    try {
        trayer = std::make_unique<ChildProcess>(tray);
    } catch (const std::exception& e) {
        GTEST_SKIP() << "no tray host can run here (trayer: " << e.what() << ")";
    }
    // The tray's place and size (a dock has no frame), once an icon has made it grow.
    std::map<std::string, int> area;
    const auto trayGrown = [&] {
        const CommandResult found =
            Xdotool(display, {"search", "--onlyvisible", "--class", "trayer"}, 5s);
        const std::string id = found.Succeeded() ? found.out.substr(0, found.out.find('\n')) : "";
        const CommandResult shape =
            id.empty() ? CommandResult{}
                       : Xdotool(display, {"getwindowgeometry", "--shell", id}, 5s);
        std::istringstream lines(shape.out);
        for (std::string line; std::getline(lines, line);) {
            if (const std::size_t eq = line.find('='); eq != std::string::npos) {
                area[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
            }
        }
        return area["WIDTH"] >= 16;
    };
    Start(false);
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(StartByHotKey());
    if (!WaitFor(trayGrown)) {
        GTEST_SKIP() << "no notification area on the test display: " << display.Logs();
    }
    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(TypeText(display, "tray"));
    ASSERT_TRUE(probe.WaitForText("tray"));
    ASSERT_TRUE(ClickAt(display, area["X"] + 12, area["Y"] + area["HEIGHT"] / 2, 3));
    ASSERT_TRUE(TraceShows("capture off"));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Capture Complete"); })) << Log();
}

} // namespace
} // namespace orvane::e2e
