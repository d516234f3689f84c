// SPDX-License-Identifier: GPL-3.0-or-later
// The window, program, file and clipboard commands and the pause dialog of `orvane play` on a
// real desktop: what they do is checked with xprop, xwininfo, xdotool and xclip, never with the
// program's own code.

#include "ChildProcess.h"
#include "Command.h"
#include "Probe.h"
#include "ProbeHex.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

CommandResult PlayText(const VirtualDisplay& display, const std::string& text) {
    return RunCommand({ORVANE_E2E_PROGRAM, "play", "--text", text}, display.Env(), 2min);
}

// `orvane play` running alongside the test (for macros that wait for the user).
ChildProcess StartPlaying(const VirtualDisplay& display, const std::string& text) {
    SpawnOptions options;
    options.argv = {ORVANE_E2E_PROGRAM, "play", "--text", text};
    options.env = display.Env();
    return ChildProcess(options);
}

// Exits normally with 0 and says nothing: a missing window, program or file is no error.
::testing::AssertionResult Quiet(const CommandResult& result) {
    if (!result.Succeeded() || !result.err.empty()) {
        return ::testing::AssertionFailure() << result.Describe();
    }
    return ::testing::AssertionSuccess();
}

std::string Run(const VirtualDisplay& display, const std::vector<std::string>& argv) {
    return RunCommand(argv, display.Env(), 30s).out;
}

std::string Xprop(const VirtualDisplay& display, unsigned long window, const std::string& what) {
    return Run(display, {"xprop", "-id", std::to_string(window), what});
}

std::string Xwininfo(const VirtualDisplay& display, unsigned long window) {
    return Run(display, {"xwininfo", "-id", std::to_string(window)});
}

int Field(const std::string& text, const std::string& name) {
    const std::size_t at = text.find(name);
    return at == std::string::npos ? -99999 : std::stoi(text.substr(at + name.size()));
}

// Asks `check` again (an outside program's answer each time) until it holds or the limit
// passes; returns the last answer's description on failure.
::testing::AssertionResult Eventually(const std::function<bool(std::string&)>& check,
                                      std::chrono::milliseconds limit = 30s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string seen;
    while (!check(seen)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return ::testing::AssertionFailure() << "last seen: " << seen;
        }
        std::this_thread::sleep_for(50ms);
    }
    return ::testing::AssertionSuccess();
}

// Everything `orvane play` typed has arrived once a key typed after it has: the server keeps
// the order.
::testing::AssertionResult TextIsExactly(const VirtualDisplay& display, Probe& probe,
                                         const std::string& expected) {
    if (!TypeText(display, "!")) {
        return ::testing::AssertionFailure() << "xdotool failed";
    }
    return probe.WaitForText(expected + "!");
}

// The frame's rectangle of a window: its client area from xwininfo widened by the frame
// extents the window manager publishes.
struct Frame {
    int x = 0, y = 0, width = 0, height = 0;
};
Frame FrameOf(const VirtualDisplay& display, unsigned long window) {
    const std::string info = Xwininfo(display, window);
    const std::string extents = Xprop(display, window, "_NET_FRAME_EXTENTS");
    int left = 0, right = 0, top = 0, bottom = 0;
    const std::size_t eq = extents.find('=');
    if (eq != std::string::npos) {
        std::sscanf(extents.c_str() + eq + 1, " %d, %d, %d, %d", &left, &right, &top, &bottom);
    }
    return {Field(info, "Absolute upper-left X:") - left,
            Field(info, "Absolute upper-left Y:") - top, Field(info, "Width:") + left + right,
            Field(info, "Height:") + top + bottom};
}

unsigned long FindWindow(const VirtualDisplay& display, const std::string& title) {
    return WaitForWindowByTitle(display, title);
}

TEST(DesktopTagsTest, ActivateFindsTheTopmostPartialMatchAndTheTextFollows) {
    VirtualDisplay display;
    // Each probe is up before the next starts: a new window takes the focus from the last.
    Probe one(display, "Alpha Editor One");
    ASSERT_TRUE(one.WaitForReady());
    Probe notes(display, "Beta Notes");
    ASSERT_TRUE(notes.WaitForReady());
    Probe two(display, "alpha editor two");
    ASSERT_TRUE(two.WaitForReady());
    // Stacking, top down: Beta Notes (with the focus), Alpha Editor One, alpha editor two.
    ASSERT_TRUE(two.Activate());
    ASSERT_TRUE(one.Activate());
    ASSERT_TRUE(notes.Activate());

    ASSERT_TRUE(Quiet(PlayText(display, "<ACTIVATE:ALPHA edit>hello")));
    EXPECT_TRUE(TextIsExactly(display, one, "hello")) << one.Describe();
    EXPECT_EQ(notes.Text(), "");
    EXPECT_EQ(two.Text(), "");

    ASSERT_TRUE(Quiet(PlayText(display, "<ACTIVATE:TOR TWO>x<ACTIVATE:beta notes>y")));
    EXPECT_TRUE(TextIsExactly(display, notes, "y")) << notes.Describe();
    EXPECT_TRUE(two.WaitForText("x")) << two.Describe();
}

TEST(DesktopTagsTest, AFailedActivateSkipsTheRestOrOnlyTheRestOfARepeatPass) {
    VirtualDisplay display;
    Probe probe(display, "Skip probe");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(Quiet(PlayText(display, "ab<ACTIVATE:No Such Window>cd")));
    ASSERT_TRUE(TextIsExactly(display, probe, "ab")) << probe.Describe();
    ASSERT_TRUE(probe.ClearText());
    ASSERT_TRUE(Quiet(PlayText(display, "x<REPEAT:0003>a<ACTIVATE:No Such Window>b<ENDREP>c")));
    EXPECT_TRUE(TextIsExactly(display, probe, "xaaac")) << probe.Describe();
}

TEST(DesktopTagsTest, WindowTagsDoWhatTheySay) {
    VirtualDisplay display;
    Probe shape(display, "Shape Probe", ProbeKind::X, {"--geometry", "300x200+100+100"});
    ASSERT_TRUE(shape.WaitForReady());
    Probe keeper(display, "Keeper");
    ASSERT_TRUE(keeper.WaitForReady());
    const unsigned long window = shape.WindowId();
    const auto state = [&](const std::string& what) {
        return [&display, window, what](std::string& seen) {
            seen = Xprop(display, window, "_NET_WM_STATE") + Xprop(display, window, "WM_STATE") +
                   Xwininfo(display, window);
            return seen.find(what) != std::string::npos;
        };
    };
    const auto lacks = [&](const std::string& what) {
        return [&display, window, what](std::string& seen) {
            seen = Xprop(display, window, "_NET_WM_STATE") + Xwininfo(display, window);
            return seen.find(what) == std::string::npos;
        };
    };

    ASSERT_TRUE(Quiet(PlayText(display, "<WMAX:shape probe>")));
    EXPECT_TRUE(Eventually(state("_NET_WM_STATE_MAXIMIZED_HORZ")));
    EXPECT_TRUE(Eventually(state("_NET_WM_STATE_MAXIMIZED_VERT")));
    ASSERT_TRUE(Quiet(PlayText(display, "<WRES:Shape>")));
    EXPECT_TRUE(Eventually(lacks("MAXIMIZED")));

    ASSERT_TRUE(Quiet(PlayText(display, "<WMIN:SHAPE PROBE>")));
    EXPECT_TRUE(Eventually(state("window state: Iconic")));
    ASSERT_TRUE(Quiet(PlayText(display, "<WRES:shape>")));
    EXPECT_TRUE(Eventually(state("window state: Normal")));
    EXPECT_TRUE(Eventually(state("IsViewable")));

    ASSERT_TRUE(Quiet(PlayText(display, "<WHIDE:Shape Probe>")));
    EXPECT_TRUE(Eventually(state("IsUnMapped")));
    ASSERT_TRUE(Quiet(PlayText(display, "<WSHOW:Shape Probe>")));
    EXPECT_TRUE(Eventually(state("IsViewable")));

    ASSERT_TRUE(
        Quiet(PlayText(display, "<WSIZE:0400,0300Shape Probe><WPOS:0050,0060Shape Probe>")));
    EXPECT_TRUE(Eventually([&](std::string& seen) {
        const Frame frame = FrameOf(display, window);
        seen = std::to_string(frame.x) + "," + std::to_string(frame.y) + " " +
               std::to_string(frame.width) + "x" + std::to_string(frame.height);
        return frame.x == 50 && frame.y == 60 && frame.width == 400 && frame.height == 300;
    }));

    // "CURRENT" is the window in front, whatever its title.
    ASSERT_TRUE(keeper.Activate());
    ASSERT_TRUE(Quiet(PlayText(display, "<WMAX:\"CURRENT\">")));
    const unsigned long keeperWindow = keeper.WindowId();
    EXPECT_TRUE(Eventually([&](std::string& seen) {
        seen = Xprop(display, keeperWindow, "_NET_WM_STATE");
        return seen.find("MAXIMIZED_HORZ") != std::string::npos;
    }));
    EXPECT_TRUE(keeper.Focused()) << "window tags leave the focus where it is";

    ASSERT_TRUE(Quiet(PlayText(display, "<WCLS:Shape Probe>")));
    EXPECT_TRUE(Eventually([&](std::string&) { return !shape.Running(); }));
    ASSERT_TRUE(Quiet(PlayText(display, "<WSHUT:Keeper>")));
    EXPECT_TRUE(Eventually([&](std::string&) { return !keeper.Running(); }));
}

TEST(DesktopTagsTest, LaunchAndWaitStartsAProgramAndTypesIntoIt) {
    VirtualDisplay display;
    Probe other(display, "Other window");
    ASSERT_TRUE(other.WaitForReady());
    // The launched probe writes its report to a file the test reads.
    const fs::path report = display.Folder() / "launched.txt";
    const fs::path script = display.Folder() / "launch probe.sh";
    std::ofstream(script) << "#!/bin/sh\nexec '" << ProbeProgram(ProbeKind::X) << "' \"$@\" > '"
                          << report.string() << "'\n";
    fs::permissions(script, fs::perms::owner_all);

    ASSERT_TRUE(Quiet(PlayText(display, "<LAUNCHNO:00Launched Probe<LAUNCH:" + script.string() +
                                            "<PARAM>\"Launched Probe\">typed here")));
    EXPECT_TRUE(Eventually([&](std::string& seen) {
        std::ifstream in(report);
        std::stringstream text;
        text << in.rdbuf();
        seen = text.str();
        return seen.find("TEXT " + HexEncode("typed here") + "\n") != std::string::npos;
    }));
    EXPECT_EQ(other.Text(), "");
}

TEST(DesktopTagsTest, LaunchYesActivatesAnExistingWindowWithoutLaunching) {
    VirtualDisplay display;
    Probe existing(display, "Yes Probe");
    ASSERT_TRUE(existing.WaitForReady());
    Probe other(display, "Other window");
    ASSERT_TRUE(other.WaitForReady());
    const fs::path marker = display.Folder() / "launched";
    ASSERT_TRUE(Quiet(PlayText(display, "<LAUNCHYES:00Yes Probe<LAUNCH:/usr/bin/touch<PARAM>" +
                                            marker.string() + ">hi")));
    EXPECT_TRUE(TextIsExactly(display, existing, "hi")) << existing.Describe();
    EXPECT_FALSE(fs::exists(marker));
    EXPECT_EQ(other.Text(), "");
}

TEST(DesktopTagsTest, FilesAreCopiedRenamedAndDeletedAndMissingOnesAreNoError) {
    VirtualDisplay display;
    const fs::path folder = display.Folder() / "files";
    fs::create_directories(folder);
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(folder / name) << text;
    };
    const auto read = [&](const std::string& name) {
        std::ifstream in(folder / name);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    write("a.txt", "first");
    write("b.txt", "second");
    ASSERT_TRUE(Quiet(PlayText(display, "<CHDIR:" + folder.string() + "><COPYFILE:a.txt;b.txt>")));
    EXPECT_EQ(read("b.txt"), "first");
    write("b.txt", "second");
    ASSERT_TRUE(Quiet(PlayText(display, "<CHDIR:" + folder.string() + "><RENFILE:a.txt;b.txt>")));
    EXPECT_EQ(read("a.txt"), "first");
    EXPECT_EQ(read("b.txt"), "second");
    ASSERT_TRUE(Quiet(
        PlayText(display, "<CHDIR:" + folder.string() + "><RENFILE:a.txt;c.txt><DELFILE:b.txt>")));
    EXPECT_FALSE(fs::exists(folder / "a.txt"));
    EXPECT_EQ(read("c.txt"), "first");
    EXPECT_FALSE(fs::exists(folder / "b.txt"));

    // Nothing of these exists: each does nothing, silently.
    Probe probe(display, "Missing probe");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(Quiet(
        PlayText(display, "<CHDIR:/no/such/folder><DELFILE:/no/such/file><COPYFILE:/no/a;/no/b>"
                          "<RENFILE:/no/a;/no/b><TFILE:/no/such.txt><CLIPF:/no/such.txt>"
                          "<WAV1:/no/such.wav><WMAX:No Such Window><WSHUT:No Such Window>"
                          "<WSIZE:0100,0100No Such Window><LAUNCH:/no/such/program>"
                          "<LAUNCH:no-such-program-anywhere>ok")));
    EXPECT_TRUE(TextIsExactly(display, probe, "ok")) << probe.Describe();
}

// A wave file of `seconds` of 8 kHz 8-bit mono silence.
void WriteWave(const fs::path& path, int seconds) {
    const auto le32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    };
    const std::uint32_t bytes = 8000U * static_cast<std::uint32_t>(seconds);
    std::ofstream(path, std::ios::binary) << "RIFF" << le32(36 + bytes) << "WAVEfmt " << le32(16)
                                          << std::string("\x01\x00\x01\x00", 4) << le32(8000)
                                          << le32(8000) << std::string("\x01\x00\x08\x00", 4)
                                          << "data" << le32(bytes) << std::string(bytes, '\x80');
}

TEST(DesktopTagsTest, AWaitedWaveFileTakesItsTimeEvenWithoutASoundDevice) {
    VirtualDisplay display;
    Probe probe(display, "Wave probe");
    ASSERT_TRUE(probe.WaitForReady());
    const fs::path wave = display.Folder() / "one second.wav";
    WriteWave(wave, 1);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Quiet(
        PlayText(display, "a<WAV1:" + wave.string() + ">b<WAV2:" + wave.string() + "><BEEP>c")));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(TextIsExactly(display, probe, "abc")) << probe.Describe();
    EXPECT_GE(elapsed, 900ms);
}

TEST(DesktopTagsTest, TheClipboardHoldsTheTextWhileTheMacroGoesOn) {
    VirtualDisplay display;
    ChildProcess player = StartPlaying(display, "<BEGCLIP>Clip caf\xc3\xa9 text<ENDCLIP><PAUSE>");
    const unsigned long pause = FindWindow(display, "Pause");
    ASSERT_NE(pause, 0UL);
    const CommandResult clip =
        RunCommand({"xclip", "-o", "-selection", "clipboard"}, display.Env(), 30s);
    EXPECT_EQ(clip.out, "Clip caf\xc3\xa9 text") << clip.Describe();
    ASSERT_TRUE(
        Xdotool(display, {"mousemove", "--window", std::to_string(pause), "58", "52", "click", "1"})
            .Succeeded());
    EXPECT_TRUE(player.WaitForExit(30s));
}

TEST(DesktopTagsTest, APauseFloatsOnTopTheTargetKeepsTheFocusAndResumeGoesOn) {
    VirtualDisplay display;
    Probe probe(display, "Pause target");
    ASSERT_TRUE(probe.WaitForReady());
    ChildProcess player = StartPlaying(display, "before<PAUSE>after");
    ASSERT_TRUE(probe.WaitForText("before")) << probe.Describe();
    const unsigned long pause = FindWindow(display, "Pause");
    ASSERT_NE(pause, 0UL);
    EXPECT_TRUE(Eventually([&](std::string& seen) {
        seen = Xprop(display, pause, "_NET_WM_STATE");
        return seen.find("_NET_WM_STATE_ABOVE") != std::string::npos;
    }));
    // The user goes on typing in the target while the pause waits.
    ASSERT_TRUE(probe.WaitForFocus(true)) << probe.Describe();
    ASSERT_TRUE(TypeText(display, " mid "));
    ASSERT_TRUE(probe.WaitForText("before mid ")) << probe.Describe();
    EXPECT_TRUE(player.Running());

    // "&Resume" sits at (14, 42) in the dialog, 89 x 21.
    ASSERT_TRUE(
        Xdotool(display, {"mousemove", "--window", std::to_string(pause), "58", "52", "click", "1"})
            .Succeeded());
    EXPECT_TRUE(probe.WaitForText("before mid after")) << probe.Describe();
    ASSERT_TRUE(player.WaitForExit(30s));
    player.Stop();
    EXPECT_TRUE(WIFEXITED(player.WaitStatus()) && WEXITSTATUS(player.WaitStatus()) == 0);
}

} // namespace
} // namespace orvane::e2e
