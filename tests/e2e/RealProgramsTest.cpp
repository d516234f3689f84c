// SPDX-License-Identifier: GPL-3.0-or-later
// Typing by `orvane play` into real programs from Debian, beside our probes: a GTK 3, a GTK 2, a
// Qt 5 and a Qt 6 editor and xterm, each started anew on a file, the text typed, the file saved
// and its bytes compared. The time each command took is printed, never asserted: what is
// asserted instead is that the programs that answer pings were heard (the spare keys went back),
// and that a program that never answers is waited for once, not at every playback.

#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Keymap.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace orvane::e2e {
namespace {

using namespace std::chrono_literals;

// 86 characters: ASCII words around accented letters of Latin-1 and the typographic marks
// Windows-1252 adds, none of which the US layout has a key for.
const std::string Text = "Caf\u00e9 cr\u00e8me, na\u00efve \u00fcber \u00bd \u00a7 \u20ac 5 "
                         "\u2013 \u201eZitat\u201c \u2026 \u0152uvre\u2122 \u00c5ngstr\u00f6m "
                         "\u00df \u00d8 \u00f1 \u00bf\u00a1 \u2030 \u017d\u0161 "
                         "\u00ab\u00a3\u00a5\u00bb \u00a9\u00ae\u00b0\u00b1\u00b5\u00b6\u00b7"
                         "\u00f7";
constexpr int TextCharacters = 86;

struct Played {
    CommandResult Result;
    double Seconds = 0;
};

Played PlayText(const VirtualDisplay& display, const std::string& text) {
    const auto start = std::chrono::steady_clock::now();
    Played played{RunCommand({ORVANE_E2E_PROGRAM, "play", "--text", text}, display.Env(), 2min)};
    played.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return played;
}

std::string RootProperties(const VirtualDisplay& display) {
    return RunCommand({"xprop", "-root"}, display.Env()).out;
}

// Spare keys are given back at the end of a command only once the program with the focus has
// answered a ping; else they stay bound, recorded on the root window for the next command.
bool SpareKeysGivenBack(const VirtualDisplay& display) {
    return RootProperties(display).find("_ORVANE_BOUND_KEYS_") == std::string::npos;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first visible window of the process whose title contains `titlePart` (a program may show
// its window before it has loaded its file, and drop what is typed meanwhile).
unsigned long WaitForWindowOf(const VirtualDisplay& display, pid_t pid,
                              const std::string& titlePart) {
    std::string pattern = ExactTitlePattern(titlePart);
    pattern = pattern.substr(1, pattern.size() - 2); // anywhere in the title
    unsigned long window = 0;
    WaitFor(
        [&] {
            const CommandResult found =
                Xdotool(display, {"search", "--all", "--onlyvisible", "--pid", std::to_string(pid),
                                  "--name", pattern});
            std::istringstream ids(found.out);
            return static_cast<bool>(ids >> window) && window != 0;
        },
        kDefaultTimeout, 100ms);
    return window;
}

enum class Save {
    CtrlS,         // the file it was started on
    CtrlSToDialog, // a save dialog asks for the name (the program takes no file argument)
    EndOfInput,    // a terminal running `cat > file`: Return, then Ctrl+D
};

struct Editor {
    const char* Name;
    std::vector<std::string> Argv; // the file's path follows, unless it saves through a dialog
    Save HowToSave = Save::CtrlS;
    const char* SaveDialogTitle = nullptr;
    const char* AddedAtTheEnd = ""; // what the program adds when it saves
    bool AnswersPings = true;
    bool TitleNamesFile = true; // once it has loaded the file
};

const Editor Editors[] = {
    {.Name = "mousepad (GTK 3)", .Argv = {"mousepad"}},
    {.Name = "l3afpad (GTK 3)", .Argv = {"l3afpad"}},
    {.Name = "gmanedit (GTK 2)",
     .Argv = {"gmanedit"},
     .HowToSave = Save::CtrlSToDialog,
     .SaveDialogTitle = "Gmanedit - Saving file",
     .TitleNamesFile = false},
    {.Name = "featherpad (Qt 5)", .Argv = {"featherpad"}, .AddedAtTheEnd = "\n"},
    {.Name = "focuswriter (Qt 6)", .Argv = {"focuswriter"}},
    {.Name = "xterm",
     .Argv = {"xterm", "-u8", "-e", "/bin/sh", "-c", "cat > \"$0\""},
     .HowToSave = Save::EndOfInput,
     .AddedAtTheEnd = "\n",
     .AnswersPings = false,
     .TitleNamesFile = false},
};

struct Outcome {
    std::string Saved;
    std::string Expected;
    Played Play;
    bool SpareKeysBack = false;
};

// Whether the program is ready for typing: a window may show a loading screen for seconds
// (FocusWriter on its first start), which drops keys. A key is typed and saved until it is
// saved, then taken out again.
bool TakesKeys(const VirtualDisplay& display, const std::filesystem::path& file) {
    const Deadline deadline(kDefaultTimeout);
    bool saved = false;
    while (!saved && !deadline.Passed()) {
        PressKeys(display, {"x", "ctrl+s"});
        saved = WaitFor([&] { return ReadFile(file).find('x') != std::string::npos; }, 2s);
    }
    PressKeys(display, {"ctrl+a", "BackSpace", "ctrl+s"});
    return saved && WaitFor([&] { return ReadFile(file).find('x') == std::string::npos; });
}

::testing::AssertionResult TypeAndSave(const VirtualDisplay& display, const Editor& editor,
                                       const std::filesystem::path& file, Outcome& outcome) {
    SpawnOptions options;
    options.argv = editor.Argv;
    if (editor.HowToSave != Save::CtrlSToDialog) {
        std::ofstream(file).close(); // started on an empty file
        options.argv.push_back(file.string());
    }
    options.env = display.Env();
    options.env["LANG"] = "C.UTF-8";
    // Single-instance programs find their first instance through a socket there: one the user
    // has open must not take our file in its place.
    options.env["TMPDIR"] = display.Folder().string();
    options.stderrFd = kDevNull;
    options.cwd = display.Folder().string();
    ChildProcess program(options);
    const unsigned long window = WaitForWindowOf(
        display, program.Pid(), editor.TitleNamesFile ? file.filename().string() : "");
    if (window == 0) {
        return ::testing::AssertionFailure()
               << "no window (is the package installed? tools/install-deps test)";
    }
    if (auto active = ActivateWindow(display, window); !active) {
        return active;
    }
    if (editor.HowToSave == Save::CtrlS && !TakesKeys(display, file)) {
        return ::testing::AssertionFailure() << "the program never saved a key typed into it";
    }
    outcome.Play = PlayText(display, Text);
    if (!outcome.Play.Result.Succeeded()) {
        return ::testing::AssertionFailure() << outcome.Play.Result.Describe();
    }
    outcome.SpareKeysBack = SpareKeysGivenBack(display);
    switch (editor.HowToSave) {
    case Save::CtrlS:
        PressKeys(display, {"ctrl+s"});
        break;
    case Save::CtrlSToDialog:
        PressKeys(display, {"ctrl+s"});
        if (!ActivateWindowByTitle(display, editor.SaveDialogTitle)) {
            return ::testing::AssertionFailure() << "no save dialog";
        }
        TypeText(display, file.string());
        PressKeys(display, {"Return"});
        break;
    case Save::EndOfInput:
        PressKeys(display, {"Return", "ctrl+d"});
        break;
    }
    outcome.Expected = Text + editor.AddedAtTheEnd;
    WaitFor([&] { return ReadFile(file) == outcome.Expected; });
    outcome.Saved = ReadFile(file);
    return ::testing::AssertionSuccess();
}

TEST(RealProgramsTest, TextTypedIntoRealProgramsIsSavedExactly) {
    VirtualDisplay display;
    std::vector<std::pair<std::string, double>> seconds;
    for (const Editor& editor : Editors) {
        SCOPED_TRACE(editor.Name);
        const std::filesystem::path file =
            display.Folder() / (std::string(editor.Argv.front()) + "-text.txt");
        Outcome outcome;
        ASSERT_TRUE(TypeAndSave(display, editor, file, outcome));
        EXPECT_EQ(outcome.Saved, outcome.Expected);
        if (editor.AnswersPings) {
            EXPECT_TRUE(outcome.SpareKeysBack) << "the program's answer to the ping was missed";
        }
        seconds.emplace_back(editor.Name, outcome.Play.Seconds);
    }
    for (const auto& [kind, title] :
         {std::pair{ProbeKind::X, "Xlib probe"}, std::pair{ProbeKind::Qt, "Qt 6 probe"}}) {
        SCOPED_TRACE(title);
        Probe probe(display, title, kind);
        ASSERT_TRUE(probe.WaitForReady());
        const Played played = PlayText(display, Text);
        ASSERT_TRUE(played.Result.Succeeded()) << played.Result.Describe();
        EXPECT_TRUE(probe.WaitForText(Text));
        if (kind == ProbeKind::Qt) {
            EXPECT_TRUE(SpareKeysGivenBack(display)) << "the probe's answer to the ping was missed";
        }
        seconds.emplace_back(title, played.Seconds);
    }
    std::printf("orvane play --text of %d characters:\n", TextCharacters);
    for (const auto& [name, time] : seconds) {
        std::printf("  %-20s %6.3f s  %6.0f characters/s\n", name.c_str(), time,
                    TextCharacters / time);
    }
}

// Plays `text` into the probe and waits for it to arrive, then for a key typed after the command:
// any ping the command sent has reached the probe by then.
::testing::AssertionResult PlayAndMark(const VirtualDisplay& display, Probe& probe,
                                       const std::string& text, Played& played) {
    played = PlayText(display, text);
    if (!played.Result.Succeeded()) {
        return ::testing::AssertionFailure() << played.Result.Describe();
    }
    if (auto arrived = probe.WaitForText(text); !arrived) {
        return arrived;
    }
    if (auto typed = PressKeys(display, {"x"}); !typed) {
        return typed;
    }
    return probe.WaitForText(text + "x");
}

TEST(RealProgramsTest, AProgramThatNeverAnswersPingsIsWaitedForOnlyOnce) {
    VirtualDisplay display;
    Probe probe(display, "Never answers", ProbeKind::X, {"--silent-pings"});
    ASSERT_TRUE(probe.WaitForReady());
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE("playback " + std::to_string(run));
        ASSERT_TRUE(probe.ClearText());
        Played played;
        ASSERT_TRUE(PlayAndMark(display, probe, Text, played));
        EXPECT_EQ(probe.Pings(), 1);
        std::printf("playback %d into a program that never answers: %.3f s\n", run, played.Seconds);
    }
}

TEST(RealProgramsTest, OnePlaybackThatBindsItsKeysAnewWaitsForASilentProgramOnlyOnce) {
    VirtualDisplay display;
    ASSERT_TRUE(LeaveOneSpareKeycode(display));
    std::string letters; // the 64 letters from \u00c0 to \u00ff: four chunks on one keycode
    for (char32_t c = 0xC0; c <= 0xFF; ++c) {
        letters += static_cast<char>(0xC0 | (c >> 6));
        letters += static_cast<char>(0x80 | (c & 0x3F));
    }
    {
        // A program that answers is asked before every new binding.
        Probe probe(display, "Answers", ProbeKind::Qt);
        ASSERT_TRUE(probe.WaitForReady());
        const Played played = PlayText(display, letters);
        ASSERT_TRUE(played.Result.Succeeded()) << played.Result.Describe();
        EXPECT_TRUE(probe.WaitForText(letters));
    }
    Probe probe(display, "Never answers", ProbeKind::X, {"--silent-pings"});
    ASSERT_TRUE(probe.WaitForReady());
    Played played;
    ASSERT_TRUE(PlayAndMark(display, probe, letters, played));
    EXPECT_EQ(probe.Pings(), 1);
    std::printf("64 letters bound four times into a program that never answers: %.3f s\n",
                played.Seconds);
}

} // namespace
} // namespace orvane::e2e
