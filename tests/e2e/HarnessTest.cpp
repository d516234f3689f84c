// SPDX-License-Identifier: GPL-3.0-or-later
// The harness itself, with xdotool as the typist: what xdotool types and clicks must reach each
// probe exactly, and displays must come and go cleanly, side by side.

#include "Command.h"
#include "Keymap.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"

#include <X11/Xlib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <string>

namespace orvane::e2e {
namespace {

// Upper and lower case, digits, the punctuation of a US keyboard, a space, and characters no key
// of the default map produces (so xdotool binds a spare keycode for each).
const std::string kMixedText = "Hello World 0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ "
                               "caf\xc3\xa9 \xc3\xa9t\xc3\xa9";

void CheckTyping(ProbeKind kind) {
    VirtualDisplay display;
    // A client reads the keymap when it handles the change notice; if xdotool has restored the
    // spare keycode by then, the key means nothing to it (seen in both probes under load). Put é
    // in the keymap so this test is about the probes, not about that race.
    ASSERT_TRUE(BindKeysyms(display, {"eacute"}));
    Probe probe(display, "Typing probe", kind);
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(TypeText(display, kMixedText));
    ASSERT_TRUE(probe.WaitForText(kMixedText));

    auto presses = probe.KeyPresses();
    EXPECT_TRUE(std::any_of(presses.begin(), presses.end(), [](const ProbeKey& key) {
        return key.text == "\xc3\xa9";
    })) << probe.Describe();

    // Editing keys act on the text: a line break, then a character taken back.
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(TypeText(display, "Next"));
    ASSERT_TRUE(PressKeys(display, {"BackSpace"}));
    EXPECT_TRUE(probe.WaitForText(kMixedText + "\nNex"));

    // And the harness can start over.
    ASSERT_TRUE(probe.ClearText());
    ASSERT_TRUE(TypeText(display, "again"));
    EXPECT_TRUE(probe.WaitForText("again"));
}

TEST(TypingTest, XProbeReceivesTypedTextExactly) {
    CheckTyping(ProbeKind::X);
}

TEST(TypingTest, QtProbeReceivesTypedTextExactly) {
    CheckTyping(ProbeKind::Qt);
}

// Clicks (left button, wheel up and down) at points of the window: the probe reports each at its
// position in the window and on the screen.
void CheckClicks(ProbeKind kind) {
    VirtualDisplay display;
    Probe probe(display, "Click probe", kind);
    ASSERT_TRUE(probe.WaitForReady());
    auto geometry = probe.Geometry();
    ASSERT_TRUE(geometry.has_value()) << probe.Describe();

    struct Case {
        int button;
        int dx;
        int dy;
    };
    const Case cases[] = {{1, 37, 21}, {4, 60, 60}, {5, 61, 62}, {1, 200, 150}};
    for (const Case& c : cases) {
        std::size_t from = probe.LineCount();
        int x = geometry->x + c.dx;
        int y = geometry->y + c.dy;
        ASSERT_TRUE(ClickAt(display, x, y, c.button));
        std::string expected = "BUTTON " + std::to_string(c.button) + " " + std::to_string(c.dx) +
                               " " + std::to_string(c.dy) + " " + std::to_string(x) + " " +
                               std::to_string(y);
        auto line = probe.WaitForLine(
            [](const std::string& l) { return l.rfind("BUTTON ", 0) == 0; }, kDefaultTimeout, from);
        ASSERT_TRUE(line.has_value()) << probe.Describe();
        EXPECT_EQ(*line, expected);
    }
    EXPECT_EQ(probe.Clicks().size(), std::size(cases));
}

TEST(ClickTest, XProbeReportsClicksAndWheelWhereTheyHappen) {
    CheckClicks(ProbeKind::X);
}

TEST(ClickTest, QtProbeReportsClicksAndWheelWhereTheyHappen) {
    CheckClicks(ProbeKind::Qt);
}

TEST(VirtualDisplayTest, TwoDisplaysRunSideBySide) {
    VirtualDisplay first;
    VirtualDisplay second;
    ASSERT_NE(first.Name(), second.Name());
    Probe one(first, "Same title");
    Probe two(second, "Same title", ProbeKind::Qt);
    ASSERT_TRUE(one.WaitForReady());
    ASSERT_TRUE(two.WaitForReady());

    // Another window takes the focus on the first display; activating by title brings it back
    // (and finds only the window of its own display).
    Probe other(first, "Other window");
    ASSERT_TRUE(other.WaitForReady());
    ASSERT_TRUE(one.WaitForFocus(false));
    ASSERT_TRUE(ActivateWindowByTitle(first, "Same title"));
    ASSERT_TRUE(one.WaitForFocus(true));
    ASSERT_TRUE(ActivateWindowByTitle(second, "Same title"));

    ASSERT_TRUE(TypeText(first, "first"));
    ASSERT_TRUE(TypeText(second, "second"));
    EXPECT_TRUE(one.WaitForText("first"));
    EXPECT_TRUE(two.WaitForText("second"));
    EXPECT_EQ(other.Text(), "");
}

TEST(VirtualDisplayTest, NothingOutlivesTheDisplay) {
    std::vector<pid_t> pids;
    std::filesystem::path folder;
    {
        VirtualDisplay display;
        folder = display.Folder();
        Probe probe(display, "Short-lived probe");
        ASSERT_TRUE(probe.WaitForReady());
        pids = {display.ServerPid(), display.WindowManagerPid(), probe.Pid()};
        ::Display* connection = XOpenDisplay(display.Name().c_str());
        ASSERT_NE(connection, nullptr);
        XCloseDisplay(connection);
    }
    // By process, not by display number: a test running beside this one may already have been
    // given the number again.
    for (pid_t pid : pids) {
        EXPECT_TRUE(kill(pid, 0) != 0 && errno == ESRCH) << "process " << pid << " still runs";
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(VirtualDisplayTest, WorksWithoutWindowManager) {
    VirtualDisplayOptions options;
    options.windowManager = false;
    VirtualDisplay display(options);
    EXPECT_EQ(display.WindowManagerPid(), -1);
    // Nobody places or frames the window: it is exactly where it asked to be.
    Probe probe(display, "Unmanaged probe", ProbeKind::X, {"--geometry", "300x200+50+60"});
    ASSERT_TRUE(probe.WaitForReady());
    auto geometry = probe.Geometry();
    ASSERT_TRUE(geometry.has_value()) << probe.Describe();
    EXPECT_EQ(geometry->x, 50);
    EXPECT_EQ(geometry->y, 60);
    EXPECT_EQ(geometry->width, 300);
    EXPECT_EQ(geometry->height, 200);
    ASSERT_TRUE(TypeText(display, "bare"));
    EXPECT_TRUE(probe.WaitForText("bare"));
}

TEST(RunCommandTest, ReportsOutputExitCodeAndTimeout) {
    Environment env = CurrentEnvironment();
    CommandResult ok = RunCommand({"sh", "-c", "echo out; echo err >&2; exit 3"}, env);
    EXPECT_EQ(ok.exitCode, 3);
    EXPECT_EQ(ok.out, "out\n");
    EXPECT_EQ(ok.err, "err\n");
    EXPECT_FALSE(ok.timedOut);

    // A command that hangs, with a child holding its output open, is stopped at its limit.
    CommandResult hung =
        RunCommand({"sh", "-c", "sleep 60 & sleep 60"}, env, std::chrono::milliseconds(300));
    EXPECT_TRUE(hung.timedOut);
    EXPECT_FALSE(hung.Succeeded());

    EXPECT_THROW(RunCommand({"/nonexistent/program"}, env), std::runtime_error);
}

} // namespace
} // namespace orvane::e2e
