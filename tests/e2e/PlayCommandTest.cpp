// SPDX-License-Identifier: GPL-3.0-or-later
// `orvane play` against real X clients: what a macro text types, presses and clicks must reach
// the focused probe window exactly.

#include "ChildProcess.h"
#include "Command.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace orvane::e2e {
namespace {

CommandResult Play(const VirtualDisplay& display, const std::vector<std::string>& args) {
    std::vector<std::string> argv = {ORVANE_E2E_PROGRAM, "play"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, display.Env(), std::chrono::minutes(2));
}

CommandResult PlayText(const VirtualDisplay& display, const std::string& text) {
    return Play(display, {"--text", text});
}

// More than a thousand characters of what people type: both cases, digits, every ASCII
// punctuation mark, blanks, line breaks, and Latin-1 and Windows-1252 characters that the
// US keymap has no key for (each needs a keycode bound for the moment), in UTF-8.
std::string MixedText() {
    const std::string lines[] = {
        "The Quick Brown Fox jumps over 13 lazy dogs; 24 quails & 5 owls watch.",
        "Punctuation: !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ and back "
        "~}|{`_^]\\[@?>=<;:/.-,+*)('&%$#\"!",
        "Caf\xc3\xa9 \xc3\xbc\x62\x65r Stra\xc3\x9f\x65 ma\xc3\xb1\x61na 10 \xe2\x82\xac, "
        "na\xc3\xafve r\xc3\xb4le \xc3\x85ngstr\xc3\xb6m \xc3\x86sop \xc3\x98resund",
        "\xc2\xa1\xc2\xa2\xc2\xa3\xc2\xa4\xc2\xa5\xc2\xa6\xc2\xa7\xc2\xa8\xc2\xa9\xc2\xaa\xc2\xab"
        "\xc2\xac\xc2\xae\xc2\xaf\xc2\xb0\xc2\xb1\xc2\xb2\xc2\xb3\xc2\xb4\xc2\xb5\xc2\xb6\xc2\xb7"
        "\xc2\xb8\xc2\xb9\xc2\xba\xc2\xbb\xc2\xbc\xc2\xbd\xc2\xbe\xc2\xbf \xc3\x80\xc3\x81\xc3\x82"
        "\xc3\x83\xc3\x84\xc3\x87\xc3\x88\xc3\x89\xc3\x8a\xc3\x8b\xc3\x90\xc3\x91\xc3\x97\xc3\x9e"
        " \xc3\xa0\xc3\xa1\xc3\xa2\xc3\xa3\xc3\xa4\xc3\xa7\xc3\xa8\xc3\xaa\xc3\xab\xc3\xb0\xc3\xb7"
        "\xc3\xbe\xc3\xbf",
        "Windows-1252: \xe2\x80\x9a"
        "quoted\xe2\x80\x98 \xe2\x80\x9c"
        "double\xe2\x80\x9d "
        "\xe2\x80\x93 \xe2\x80\x94 \xe2\x80\xa6 \xe2\x80\xa0\xe2\x80\xa1 \xe2\x80\xb0 "
        "\xc5\xa0\xc5\xa1 \xc5\x92\xc5\x93 \xc5\xbd\xc5\xbe \xc5\xb8 \xc6\x92 \xcb\x86\xcb\x9c "
        "\xe2\x80\xb9\xe2\x80\xba \xe2\x80\xa2 \xe2\x84\xa2 \xe2\x80\x9e",
        "lower abcdefghijklmnopqrstuvwxyz UPPER ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789",
    };
    std::string text;
    for (int round = 0; round < 3; ++round) {
        for (const std::string& line : lines) {
            text += line + "\n";
        }
    }
    return text;
}

void CheckMixedText(ProbeKind kind) {
    VirtualDisplay display;
    Probe probe(display, "Play probe", kind);
    ASSERT_TRUE(probe.WaitForReady());
    const std::string text = MixedText();
    ASSERT_GE(text.size(), 1000U);
    const auto file = display.Folder() / "mixed.txt";
    std::ofstream(file, std::ios::binary) << text;

    // The probe is read while the text is typed: a probe whose output nobody reads stops
    // taking events, and a program typing into a client that has stopped is not this test.
    SpawnOptions options;
    options.argv = {ORVANE_E2E_PROGRAM, "play", "--file", file.string()};
    options.env = display.Env();
    ChildProcess player(options);
    EXPECT_TRUE(probe.WaitForText(text, std::chrono::minutes(2))) << probe.Describe();
    ASSERT_TRUE(player.WaitForExit(std::chrono::minutes(1)));
    player.Stop();
    EXPECT_TRUE(WIFEXITED(player.WaitStatus()) && WEXITSTATUS(player.WaitStatus()) == 0)
        << "wait status " << player.WaitStatus();
}

TEST(PlayCommandTest, MixedTextArrivesExactlyInTheXProbe) {
    CheckMixedText(ProbeKind::X);
}

TEST(PlayCommandTest, MixedTextArrivesExactlyInTheQtProbe) {
    CheckMixedText(ProbeKind::Qt);
}

std::vector<std::string> PressedNames(Probe& probe) {
    std::vector<std::string> names;
    for (const ProbeKey& key : probe.KeyPresses()) {
        names.push_back(key.name);
    }
    return names;
}

TEST(PlayCommandTest, NamedKeysArriveAsTheKeysTheyName) {
    VirtualDisplay display;
    Probe probe(display, "Key probe");
    ASSERT_TRUE(probe.WaitForReady());
    // An Xlib client reads the keymap when it looks up its first key; a mapping change racing
    // with that first read can go unseen by it. A desktop application has long read its keymap
    // by the time a macro plays into it, so let the probe see a key first.
    const CommandResult first = PlayText(display, "<F1>");
    ASSERT_TRUE(first.Succeeded()) << first.Describe();
    ASSERT_TRUE(
        probe.WaitForLine([](const std::string& line) { return line.rfind("KEYUP", 0) == 0; }));
    const CommandResult played =
        PlayText(display, "<F5><F12><F13><F24><HOME><END><LEFT ARROW><UP ARROW>"
                          "<RIGHT ARROW><DOWN ARROW><PAGE UP><PAGE DOWN><INSERT><DELETE>"
                          "<BACKSPACE><TAB><ENTER><ESC><SPACE><PRTSCR><APP><KEYP0><KEYP5>"
                          "<KEYP9><KEYP.><KEYP*><KEYP+><KEYP-><KEYP/>");
    ASSERT_TRUE(played.Succeeded()) << played.Describe();
    const std::vector<std::string> expected = {
        "F1",     "F5",         "F12",         "F13",       "F24",         "Home",
        "End",    "Left",       "Up",          "Right",     "Down",        "Prior",
        "Next",   "Insert",     "Delete",      "BackSpace", "Tab",         "Return",
        "Escape", "space",      "Print",       "Menu",      "KP_0",        "KP_5",
        "KP_9",   "KP_Decimal", "KP_Multiply", "KP_Add",    "KP_Subtract", "KP_Divide"};
    ASSERT_TRUE(probe.WaitForLine([](const std::string& line) {
        return line.rfind("KEYUP", 0) == 0 && line.find("KP_Divide") != std::string::npos;
    })) << probe.Describe();
    EXPECT_EQ(PressedNames(probe), expected) << probe.Describe();
    // The keypad digits type digits although Num Lock was off, and it is off again after.
    EXPECT_EQ(probe.Text(), "\t\n 059.*+-/");
    ASSERT_TRUE(TypeText(display, "z"));
    ASSERT_TRUE(probe.WaitForText("\t\n 059.*+-/z"));
    EXPECT_EQ(probe.KeyPresses().back().state & 0x10, 0U) << "Num Lock (Mod2) left on";
}

TEST(PlayCommandTest, CombinationsCarryTheirModifiers) {
    VirtualDisplay display;
    Probe probe(display, "Combination probe");
    ASSERT_TRUE(probe.WaitForReady());
    // Ctrl held around a key, a one-shot Alt, a one-shot Shift on a letter and on a key.
    const CommandResult played =
        PlayText(display, "<CTLD>k<CTLU><ALT>j<SHIFT>a<CTRL><F2>b<LEFTWIN><RIGHTWIN>");
    ASSERT_TRUE(played.Succeeded()) << played.Describe();
    ASSERT_TRUE(probe.WaitForLine([](const std::string& line) {
        return line.rfind("KEYUP", 0) == 0 && line.find("Super_R") != std::string::npos;
    })) << probe.Describe();
    std::vector<std::pair<std::string, unsigned>> seen;
    for (const ProbeKey& key : probe.KeyPresses()) {
        if (key.name.find("_L") == std::string::npos && key.name.find("_R") == std::string::npos) {
            seen.emplace_back(key.name, key.state & 0x0D); // Shift, Control, Mod1
        }
    }
    const std::vector<std::pair<std::string, unsigned>> expected = {
        {"k", 0x4}, {"j", 0x8}, {"A", 0x1}, {"F2", 0x4}, {"b", 0x0}};
    EXPECT_EQ(seen, expected) << probe.Describe();
    EXPECT_EQ(PressedNames(probe).back(), "Super_R");
}

TEST(PlayCommandTest, ShiftAndRepeatBlocksTypeWhatTheySay) {
    VirtualDisplay display;
    Probe probe(display, "Repeat probe", ProbeKind::Qt);
    ASSERT_TRUE(probe.WaitForReady());
    const CommandResult played = PlayText(display, "<SHIFT>a <REPEAT:0003>ab<I><ENDREP> a<b <I>");
    ASSERT_TRUE(played.Succeeded()) << played.Describe();
    EXPECT_TRUE(probe.WaitForText("A ab1ab2ab3 a<b ")) << probe.Describe();
}

TEST(PlayCommandTest, ClicksAndTheWheelLandWhereTheTextSays) {
    VirtualDisplay display;
    Probe probe(display, "Mouse probe", ProbeKind::X, {"--geometry", "400x300+200+150"});
    ASSERT_TRUE(probe.WaitForReady());
    const auto geometry = probe.Geometry();
    ASSERT_TRUE(geometry);
    const int x = geometry->x + 123;
    const int y = geometry->y + 77;
    char move[32];
    std::snprintf(move, sizeof move, "<MMS:%05d,%05d>", x, y);
    const CommandResult played =
        PlayText(display, std::string(move) + "<LCLK><RCLK><MCLK><WFW:003><WBW:002>");
    ASSERT_TRUE(played.Succeeded()) << played.Describe();
    ASSERT_TRUE(probe.WaitForLine([](const std::string& line) {
        return line.rfind("BUTTONUP 5", 0) == 0;
    })) << probe.Describe();
    std::vector<int> buttons;
    for (const ProbeButton& click : probe.Clicks()) {
        buttons.push_back(click.button);
        EXPECT_EQ(click.rootX, x);
        EXPECT_EQ(click.rootY, y);
        EXPECT_EQ(click.x, 123);
        EXPECT_EQ(click.y, 77);
    }
    EXPECT_EQ(buttons, (std::vector<int>{1, 3, 2, 4, 4, 4, 5, 5})) << probe.Describe();
}

TEST(PlayCommandTest, DelayWaitsAtLeastItsTime) {
    VirtualDisplay display;
    Probe probe(display, "Delay probe");
    ASSERT_TRUE(probe.WaitForReady());
    const auto start = std::chrono::steady_clock::now();
    const CommandResult played = PlayText(display, "a<DELAY:01.00>b");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(played.Succeeded()) << played.Describe();
    EXPECT_TRUE(probe.WaitForText("ab")) << probe.Describe();
    EXPECT_GE(elapsed, std::chrono::milliseconds(900));
}

TEST(PlayCommandTest, ErrorsEndWithAMessageAndAFailureStatus) {
    VirtualDisplay display;
    Environment noDisplay = display.Env();
    noDisplay.erase("DISPLAY");
    const CommandResult withoutDisplay =
        RunCommand({ORVANE_E2E_PROGRAM, "play", "--text", "a"}, noDisplay);
    EXPECT_EQ(withoutDisplay.exitCode, 1) << withoutDisplay.Describe();
    EXPECT_NE(withoutDisplay.err.find("display"), std::string::npos) << withoutDisplay.err;

    const CommandResult missing = Play(display, {"--file", "/nonexistent/macro.txt"});
    EXPECT_EQ(missing.exitCode, 1) << missing.Describe();
    EXPECT_NE(missing.err.find("/nonexistent/macro.txt"), std::string::npos) << missing.err;

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"--text"}, {"--text", "a", "--file", "b"}, {"--speed", "2"}}) {
        const CommandResult bad = Play(display, args);
        EXPECT_EQ(bad.exitCode, 2) << bad.Describe();
        EXPECT_NE(bad.err.find("Usage"), std::string::npos) << bad.err;
    }
}

TEST(PlayCommandTest, AKilledPlaybackLeavesNoKeyHeld) {
    VirtualDisplay display;
    Probe probe(display, "Signal probe");
    ASSERT_TRUE(probe.WaitForReady());
    // Shift held and a spare keycode bound when the program is told to end.
    std::vector<std::string> argv = {"sh", "-c",
                                     std::string("\"$0\" play --text '\xc5\x92<SHFD><DELAY:30.00>' "
                                                 "& pid=$!; sleep 2; kill -TERM $pid; wait $pid; "
                                                 "echo status $?"),
                                     ORVANE_E2E_PROGRAM};
    const CommandResult killed = RunCommand(argv, display.Env());
    EXPECT_NE(killed.out.find("status 143"), std::string::npos) << killed.Describe();
    ASSERT_TRUE(TypeText(display, "x"));
    EXPECT_TRUE(probe.WaitForText("\xc5\x92x")) << probe.Describe();
}

} // namespace
} // namespace orvane::e2e
