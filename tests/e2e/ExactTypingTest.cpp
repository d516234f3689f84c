// SPDX-License-Identifier: GPL-3.0-or-later
// Characters the keyboard has no key for, typed by `orvane play` into a window that has just
// opened, in each kind of program people type into: a plain Xlib client, Qt, GTK and xterm.
// And the clipboard a played macro fills stays filled after the command has ended.

#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvane::e2e {
namespace {

using namespace std::chrono_literals;

std::string Utf8(char32_t ch) {
    std::string out;
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
    return out;
}

// 200 characters, every fifth a blank, the others drawn from the 95 printable characters Latin-1
// adds to ASCII (more than there are empty keycodes on four levels, all bound before the first
// key), and the last ones still being read when the command has ended.
std::string Latin1Text() {
    std::vector<char32_t> pool;
    for (char32_t c = 0xA1; c <= 0xFF; ++c) {
        pool.push_back(c);
    }
    std::uint32_t seed = 1998;
    std::string text;
    for (int i = 0; i < 200; ++i) {
        seed = seed * 1664525U + 1013904223U;
        text += i % 5 == 0 ? std::string(" ") : Utf8(pool[(seed >> 8) % pool.size()]);
    }
    return text;
}

// The characters Windows-1252 adds in its 0x80-0x9F range, between words.
const std::string Windows1252Text = "Preis 5 \u20AC, \u201EZitat\u201C, 3 \u2030, \u0152uvre\u2122 "
                                    "\u2013 \u0160\u017E \u2020\u2021 \u2022 fin\u2026";

// Every character Windows-1252 has beyond ASCII, once each: 122 different characters that no
// key of the layout types, in one playback.
std::string AllOfWindows1252() {
    std::string text;
    for (char32_t c : std::u32string(U"\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030"
                                     U"\u0160\u2039\u0152\u017D\u2018\u2019\u201C\u201D\u2022"
                                     U"\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178")) {
        text += Utf8(c);
    }
    for (char32_t c = 0xA1; c <= 0xFF; ++c) {
        text += Utf8(c);
    }
    return text;
}

struct Target {
    const char* Name;
    // Starts the program on `display` with a window titled `title`; returns what it received
    // once the macro (text, then Enter) has been typed into it.
    std::string (*TypeInto)(const VirtualDisplay& display, const std::string& title,
                            const std::string& text);
};

CommandResult PlayText(const VirtualDisplay& display, const std::string& text) {
    return RunCommand({ORVANE_E2E_PROGRAM, "play", "--text", text}, display.Env(), 2min);
}

std::string IntoProbe(const VirtualDisplay& display, const std::string& title,
                      const std::string& text, ProbeKind kind) {
    Probe probe(display, title, kind);
    if (!probe.WaitForReady()) {
        return "(the probe did not start)";
    }
    const CommandResult played = PlayText(display, text + "<ENTER>");
    if (!played.Succeeded()) {
        return "(orvane play failed: " + played.Describe() + ")";
    }
    probe.WaitForText(text + "\n");
    std::string got = probe.Text();
    return got.empty() || got.back() != '\n' ? got : got.substr(0, got.size() - 1);
}

// A program that reads one line in its window and prints it (to its standard output, or into
// `out` itself); what it printed.
std::string IntoLineReader(const VirtualDisplay& display, const std::string& title,
                           const std::string& text, std::vector<std::string> argv,
                           const std::filesystem::path& out) {
    const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    SpawnOptions options;
    options.argv = std::move(argv);
    options.env = display.Env();
    options.env["LANG"] = "C.UTF-8";
    options.env["LC_ALL"] = "C.UTF-8";
    options.stdoutFd = fd;
    options.stderrFd = kDevNull;
    ChildProcess program(options);
    ::close(fd);
    if (!ActivateWindowByTitle(display, title)) {
        return "(no window titled " + title + ")";
    }
    const CommandResult played = PlayText(display, text + "<ENTER>");
    if (!played.Succeeded()) {
        return "(orvane play failed: " + played.Describe() + ")";
    }
    if (!program.WaitForExit(kDefaultTimeout)) {
        return "(the program did not take the line)";
    }
    std::ifstream in(out, std::ios::binary);
    std::string got((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    while (!got.empty() && (got.back() == '\n' || got.back() == '\r')) {
        got.pop_back();
    }
    return got;
}

const Target Targets[] = {
    {"Xlib probe", [](const VirtualDisplay& d, const std::string& title,
                      const std::string& text) { return IntoProbe(d, title, text, ProbeKind::X); }},
    {"Qt probe", [](const VirtualDisplay& d, const std::string& title,
                    const std::string& text) { return IntoProbe(d, title, text, ProbeKind::Qt); }},
    {"GTK entry (zenity)",
     [](const VirtualDisplay& d, const std::string& title, const std::string& text) {
         return IntoLineReader(d, title, text,
                               {"zenity", "--entry", "--title", title, "--text", "Type here"},
                               d.Folder() / (title + ".out"));
     }},
    {"xterm",
     [](const VirtualDisplay& d, const std::string& title, const std::string& text) {
         const auto out = d.Folder() / (title + ".out");
         return IntoLineReader(d, title, text,
                               {"xterm", "-u8", "-title", title, "-e", "/bin/sh", "-c",
                                "stty -echo; IFS= read -r line; printf '%s\\n' \"$line\" > \"$0\"",
                                out.string()},
                               out);
     }},
};

// Each program is started anew for each text: the first characters typed into a window that has
// just opened are where a keyboard mapping that is not yet in force shows.
TEST(ExactTypingTest, MissingCharactersArriveExactlyInEveryKindOfProgram) {
    VirtualDisplay display;
    const struct {
        const char* Name;
        std::string Text;
    } texts[] = {{"Latin-1", Latin1Text()},
                 {"Windows-1252", Windows1252Text},
                 {"all of Windows-1252", AllOfWindows1252()}};
    int window = 0;
    for (const Target& target : Targets) {
        for (const auto& text : texts) {
            SCOPED_TRACE(std::string(target.Name) + ", " + text.Name);
            const std::string title = "Fresh window " + std::to_string(++window);
            EXPECT_EQ(target.TypeInto(display, title, text.Text), text.Text);
        }
    }
}

TEST(ExactTypingTest, TheClipboardOutlivesThePlayCommandUntilAnotherProgramTakesIt) {
    VirtualDisplay display;
    const std::string text = "Gr\u00FC\u00DFe \u20ACuro";
    ASSERT_TRUE(PlayText(display, "<BEGCLIP>" + text + "<ENDCLIP>").Succeeded());
    // The command has ended; the text is still there for whoever pastes.
    const CommandResult pasted =
        RunCommand({"xclip", "-o", "-selection", "clipboard"}, display.Env());
    ASSERT_TRUE(pasted.Succeeded()) << pasted.Describe();
    EXPECT_EQ(pasted.out, text);
    const CommandResult latin1 =
        RunCommand({"xclip", "-o", "-selection", "clipboard", "-t", "STRING"}, display.Env());
    EXPECT_EQ(latin1.out, "Gr\xFC\xDF"
                          "e ?uro")
        << "STRING is Latin-1";

    // Another program takes the clipboard (here a second play command): its text wins.
    ASSERT_TRUE(PlayText(display, "<BEGCLIP>new<ENDCLIP>").Succeeded());
    const std::string after =
        RunCommand({"xclip", "-o", "-selection", "clipboard"}, display.Env()).out;
    EXPECT_EQ(after, "new");
}

} // namespace
} // namespace orvane::e2e
