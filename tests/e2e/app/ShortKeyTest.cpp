// SPDX-License-Identifier: GPL-3.0-or-later
// ShortKeys and timed macros end to end: the program runs with a prepared macro file and
// settings, xdotool types as the user would, and a probe window shows what it ends up holding.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "PlayEnds.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "core/MacroStore.h"
#include "support/MacroFiles.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::string_view Signature = "Best regards, Ann";

MacroRecord ShortKeyMacro(std::string_view shortKey, std::string_view text,
                          std::int16_t scope = ScopeGlobal, std::string_view target = "") {
    MacroRecord r;
    r.Nickname.Assign(shortKey);
    r.ShortKey.Assign(shortKey);
    r.HotKey = HotKeyShortKey;
    r.Scope = scope;
    r.ScopeTarget.Assign(target);
    r.Active = 1;
    r.SetText(text);
    return r;
}

MacroRecord TimedMacro(std::int16_t kind, std::string_view text, std::string_view window) {
    MacroRecord r;
    r.Nickname.Assign(text);
    r.HotKey = HotKeyTimed;
    // Bound to the probe's window, so the scheduler brings it forward before typing.
    r.Scope = ScopeSpecificWindow;
    r.ScopeTarget.Assign(window);
    r.Active = 1;
    r.SchedKind = kind;
    r.SchedInterval = 1;
    r.SetText(text);
    return r;
}

class ShortKeyTest : public ::testing::Test {
protected:
    // Writes the four system macros and `macros`, and the settings, then starts the program on
    // them and waits for its main window.
    void Start(const std::vector<MacroRecord>& macros, const std::string& settings) {
        const fs::path file = display.Folder() / "Short.ORV";
        std::vector<MacroRecord> all = DefaultSystemMacros();
        all.insert(all.end(), macros.begin(), macros.end());
        WriteMacroFile(file, all);
        const fs::path config = fs::path(display.Env().at("XDG_CONFIG_HOME")) / "orvane";
        fs::create_directories(config);
        std::ofstream(config / "ORVAN.INI") << settings;

        const fs::path log = display.Folder() / "orvane.log";
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        SpawnOptions options;
        options.argv = {ORVANE_PROGRAM, "/F", file.string()};
        options.env = display.Env();
        // The trace tells when an expansion has ended ("end"), so the next key is struck after.
        options.env["ORVANE_HOOK_TRACE"] = "1";
        options.stderrFd = fd;
        started_ = Clock::now();
        program_ = std::make_unique<ChildProcess>(options);
        ::close(fd);
        const Deadline deadline(kDefaultTimeout);
        while (
            !Xdotool(display,
                     {"search", "--onlyvisible", "--name", ExactTitlePattern("Orvane 98 (Short)")},
                     5s)
                 .Succeeded()) {
            ASSERT_FALSE(deadline.Passed()) << display.Logs();
            std::this_thread::sleep_for(50ms);
        }
    }

    void TearDown() override { Stop(); }

    void Stop() {
        if (program_) {
            ::kill(program_->Pid(), SIGTERM);
            program_->WaitForExit(kDefaultTimeout);
            program_.reset();
        }
        fs::remove(TracePath());
    }

    fs::path TracePath() const { return HookTracePath(display); }

    // Waits until the program has ended `count` plays (expansions and undos) since its start.
    ::testing::AssertionResult WaitForEnds(int count) { return WaitForPlayEnds(display, count); }

    std::chrono::milliseconds SinceStart() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started_);
    }

    VirtualDisplay display;
    std::unique_ptr<ChildProcess> program_;
    Clock::time_point started_;
};

TEST_F(ShortKeyTest, APrefixedShortKeyIsReplacedByTheMacrosText) {
    Start({ShortKeyMacro("sig", Signature)}, "[ShortKeys]\nPrefix Keys=;\n");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(TypeText(display, "Dear Bob, sig ;sig"));
    EXPECT_TRUE(probe.WaitForText("Dear Bob, sig " + std::string(Signature)));
}

TEST_F(ShortKeyTest, InSuffixModeSpaceExpandsAndIsErasedToo) {
    Start({ShortKeyMacro("sig", Signature)}, "[ShortKeys]\nUse Suffix=Yes\n");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(TypeText(display, "xsig sig"));
    // Nothing yet: the word "sig" waits for its Space.
    ASSERT_TRUE(probe.WaitForText("xsig sig"));
    ASSERT_TRUE(TypeText(display, " "));
    EXPECT_TRUE(probe.WaitForText("xsig " + std::string(Signature)));
}

TEST_F(ShortKeyTest, AProgramSpecificShortKeyTypedInAnotherProgramDoesNothing) {
    Start({ShortKeyMacro("adr", "12 Main Street", ScopeSpecificProgram, "qtprobe"),
           ShortKeyMacro("sig", Signature)},
          "[ShortKeys]\nSolitary Usage=Yes\n");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    // The global ShortKey after it shows that the typing was watched all along.
    ASSERT_TRUE(TypeText(display, "adr sig"));
    EXPECT_TRUE(probe.WaitForText("adr " + std::string(Signature)));

    Probe qt(display, "Qt Target", ProbeKind::Qt);
    ASSERT_TRUE(qt.WaitForReady());
    ASSERT_TRUE(TypeText(display, "adr"));
    EXPECT_TRUE(qt.WaitForText("12 Main Street")) << "in its own program it plays";
}

TEST_F(ShortKeyTest, CaseInsensitiveModeMatchesAnyCase) {
    Start({ShortKeyMacro("sig", "ok")}, "[ShortKeys]\nCase Sensative=No\nUse Suffix=Yes\n");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    // One word at a time: a word typed while the one before is being replaced would mix its
    // keys with the replacement's.
    std::string expected;
    for (const char* word : {"SIG ", "Sig ", "sIg "}) {
        ASSERT_TRUE(TypeText(display, word));
        expected += "ok";
        ASSERT_TRUE(probe.WaitForText(expected)) << word;
    }
}

TEST_F(ShortKeyTest, StartUpAndEveryMinuteMacrosTypeAtTheirMoments) {
    Start({TimedMacro(0, "S", "Timed Target"), TimedMacro(6, "M", "Timed Target"),
           ShortKeyMacro("sk", "[s]")},
          "[Scheduler]\nTimer Seconds=1\n[ShortKeys]\nPrefix Keys=;\n");
    Probe probe(display, "Timed Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(probe.WaitForText("S", 30s));
    const auto startUp = SinceStart();
    EXPECT_GE(startUp, 4500ms) << "start-up macros wait five seconds";
    EXPECT_EQ(probe.Text(), "S") << "nothing else is due yet";
    // A word half typed when the minute's macro types into it: finishing it must not erase
    // the macro's text as if it were part of the word.
    ASSERT_TRUE(TypeText(display, ";s"));
    ASSERT_TRUE(probe.WaitForText("S;sM", 90s)) << probe.Describe();
    const auto minute = SinceStart();
    EXPECT_GE(minute, 59s) << "one minute after the table was built";
    EXPECT_LE(minute, 75s);
    ASSERT_TRUE(TypeText(display, "k ;sk"));
    EXPECT_TRUE(probe.WaitForText("S;sMk [s]")) << probe.Describe();
}

TEST_F(ShortKeyTest, AHotKeyMacroTypedIntoAWordEndsTheWord) {
    Start({ShortKeyMacro("sk", "[s]"), HotKeyMacro("Ctrl+Alt+Shift+G", ScopeGlobal, "h")},
          "[ShortKeys]\nPrefix Keys=;\n");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(TypeText(display, ";s"));
    ASSERT_TRUE(probe.WaitForText(";s"));
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+g"}));
    ASSERT_TRUE(WaitForEnds(1));
    ASSERT_TRUE(probe.WaitForText(";sh"));
    // The abbreviation typed afresh after it still expands, which also shows that the "k"
    // before it has been taken in.
    ASSERT_TRUE(TypeText(display, "k ;sk"));
    EXPECT_TRUE(probe.WaitForText(";shk [s]")) << probe.Describe();
}

TEST_F(ShortKeyTest, AKeypadDigitCompletesAShortKeyAndOtherKeypadKeysEndTheWord) {
    Start({ShortKeyMacro("pin7", "1234")}, "");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(Xdotool(display, {"key", "Num_Lock"}).Succeeded());
    ASSERT_TRUE(TypeText(display, "pin"));
    ASSERT_TRUE(Xdotool(display, {"key", "KP_7"}).Succeeded());
    ASSERT_TRUE(probe.WaitForText("1234")) << "the word and its keypad digit replaced";
    // A keypad operator ends the word before it: "pin" + "-" + "7" is no ShortKey.
    ASSERT_TRUE(TypeText(display, " pin"));
    ASSERT_TRUE(Xdotool(display, {"key", "KP_Subtract", "KP_7"}).Succeeded());
    ASSERT_TRUE(probe.WaitForText("1234 pin-7"));
    ASSERT_TRUE(TypeText(display, " pin"));
    ASSERT_TRUE(Xdotool(display, {"key", "KP_7"}).Succeeded());
    EXPECT_TRUE(probe.WaitForText("1234 pin-7 1234")) << "the ShortKey still works after";
}

TEST_F(ShortKeyTest, ATimedMacroTypesExactlyWithCapsLockOnSinceBeforeTheStart) {
    Probe probe(display, "Timed Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(Xdotool(display, {"key", "Caps_Lock"}).Succeeded());
    ASSERT_TRUE(TypeText(display, "a"));
    ASSERT_TRUE(probe.WaitForText("A")) << "Caps Lock is on";
    ASSERT_TRUE(probe.ClearText());
    Start({TimedMacro(6, "Hello", "Timed Target")}, "[Scheduler]\nTimer Seconds=1\n");
    // Every minute counts from the start; a generous limit past it.
    ASSERT_TRUE(probe.WaitForText("Hello", 100s)) << probe.Describe();
    ASSERT_TRUE(TypeText(display, "b"));
    EXPECT_TRUE(probe.WaitForText("HelloB")) << "Caps Lock is on again after the macro";
}

// The kinds of program people type into.
enum class TargetKind { XProbe, QtProbe, Gtk, Xterm };
constexpr TargetKind EveryTarget[] = {TargetKind::XProbe, TargetKind::QtProbe, TargetKind::Gtk,
                                      TargetKind::Xterm};

const char* NameOf(TargetKind kind) {
    switch (kind) {
    case TargetKind::XProbe:
        return "Xlib probe";
    case TargetKind::QtProbe:
        return "Qt probe";
    case TargetKind::Gtk:
        return "GTK entry";
    case TargetKind::Xterm:
        return "xterm";
    }
    return "?";
}

// One program typed into and what it ends up holding. The probes report their text as it
// changes; the GTK entry (zenity) and the shell reading a line in xterm give their line when
// Return is struck, and end.
class TypingTarget {
public:
    TypingTarget(const VirtualDisplay& display, TargetKind kind, std::string title)
        : display_(display), kind_(kind), title_(std::move(title)),
          out_(display.Folder() / (title_ + ".out")) {
        if (kind == TargetKind::XProbe || kind == TargetKind::QtProbe) {
            probe_ = std::make_unique<Probe>(
                display, title_, kind == TargetKind::XProbe ? ProbeKind::X : ProbeKind::Qt);
            return;
        }
        const int fd = ::open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        SpawnOptions options;
        options.env = display.Env();
        options.env["LANG"] = "C.UTF-8";
        options.env["LC_ALL"] = "C.UTF-8";
        options.stdoutFd = fd;
        options.stderrFd = kDevNull;
        if (kind == TargetKind::Gtk) {
            options.argv = {"zenity", "--entry", "--title", title_, "--text", "Type here"};
        } else {
            options.argv = {
                "xterm",      "-u8",
                "-title",     title_,
                "-e",         "/bin/sh",
                "-c",         "stty -echo; IFS= read -r line; printf '%s\\n' \"$line\" > \"$0\"",
                out_.string()};
        }
        program_ = std::make_unique<ChildProcess>(options);
        ::close(fd);
    }

    ::testing::AssertionResult Ready() {
        return probe_ ? probe_->WaitForReady() : ActivateWindowByTitle(display_, title_);
    }

    // What the target holds: a probe's text once it equals `expected` (or the limit passes); a
    // line reader's line once Return has ended it.
    std::string Holds(const std::string& expected) {
        if (probe_) {
            probe_->WaitForText(expected);
            return probe_->Text();
        }
        if (!Xdotool(display_, {"key", "Return"}).Succeeded() ||
            !program_->WaitForExit(kDefaultTimeout)) {
            return "(the line was not taken)";
        }
        std::ifstream in(out_, std::ios::binary);
        std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.pop_back();
        }
        return line;
    }

    // The key presses a probe has seen; nothing for the line readers.
    std::optional<std::size_t> KeyPresses() {
        return probe_ ? std::optional<std::size_t>(probe_->KeyPresses().size()) : std::nullopt;
    }

private:
    const VirtualDisplay& display_;
    TargetKind kind_;
    std::string title_;
    fs::path out_;
    std::unique_ptr<Probe> probe_;
    std::unique_ptr<ChildProcess> program_;
};

TEST_F(ShortKeyTest, BackspaceRightAfterAnExpansionGivesTheAbbreviationBackEverywhere) {
    const struct {
        const char* Settings;
        const char* Typed;
    } modes[] = {{"[ShortKeys]\n", "sig"}, {"[ShortKeys]\nUse Suffix=Yes\n", "sig "}};
    int window = 0;
    for (const auto& mode : modes) {
        Start({ShortKeyMacro("sig", Signature)}, mode.Settings);
        int ends = 0;
        for (const TargetKind kind : EveryTarget) {
            SCOPED_TRACE(std::string(NameOf(kind)) + ", typing \"" + mode.Typed + "\"");
            TypingTarget target(display, kind, "Undo " + std::to_string(++window));
            ASSERT_TRUE(target.Ready());
            ASSERT_TRUE(TypeText(display, std::string("Hi ") + mode.Typed));
            ASSERT_TRUE(WaitForEnds(++ends));
            ASSERT_TRUE(Xdotool(display, {"key", "BackSpace"}).Succeeded());
            ASSERT_TRUE(WaitForEnds(++ends)) << "the undo plays as its own start";
            // Typing goes on as plain typing: the word given back does not expand again.
            ASSERT_TRUE(TypeText(display, "n"));
            EXPECT_EQ(target.Holds(std::string("Hi ") + mode.Typed + "n"),
                      std::string("Hi ") + mode.Typed + "n");
        }
        Stop();
    }

    // A key that types nothing in between (here a cursor key, which the probe ignores) leaves
    // Backspace an ordinary one.
    Start({ShortKeyMacro("sig", Signature)}, "[ShortKeys]\n");
    TypingTarget target(display, TargetKind::XProbe, "Undo forgotten");
    ASSERT_TRUE(target.Ready());
    ASSERT_TRUE(TypeText(display, "sig"));
    ASSERT_TRUE(WaitForEnds(1));
    ASSERT_TRUE(Xdotool(display, {"key", "Right", "BackSpace"}).Succeeded());
    const std::string shorter(Signature.substr(0, Signature.size() - 1));
    EXPECT_EQ(target.Holds(shorter), shorter);
}

TEST_F(ShortKeyTest, TheTextFollowsTheCaseTheAbbreviationWasTypedIn) {
    Start({ShortKeyMacro("sig", "best regards")},
          "[ShortKeys]\nCase Sensative=No\nFollow Case=Yes\nUse Suffix=Yes\n");
    int ends = 0;
    int window = 0;
    for (const TargetKind kind : EveryTarget) {
        SCOPED_TRACE(NameOf(kind));
        TypingTarget target(display, kind, "Case " + std::to_string(++window));
        ASSERT_TRUE(target.Ready());
        for (const char* word : {"sig ", "Sig ", "SIG "}) {
            ASSERT_TRUE(TypeText(display, word));
            ASSERT_TRUE(WaitForEnds(++ends)) << word;
        }
        EXPECT_EQ(target.Holds("best regardsBest regardsBEST REGARDS"),
                  "best regardsBest regardsBEST REGARDS");
    }
}

// What the clipboard offers: its TARGETS list and the bytes of every other target it lists.
std::map<std::string, std::string> ClipboardOffer(const VirtualDisplay& display) {
    std::map<std::string, std::string> offer;
    const CommandResult listed =
        RunCommand({"xclip", "-o", "-selection", "clipboard", "-t", "TARGETS"}, display.Env());
    if (!listed.Succeeded()) {
        return offer;
    }
    offer["TARGETS"] = listed.out;
    std::istringstream names(listed.out);
    for (std::string name; std::getline(names, name);) {
        if (name == "TARGETS" || name == "TIMESTAMP" || name == "MULTIPLE" ||
            name == "SAVE_TARGETS") {
            continue;
        }
        offer[name] =
            RunCommand({"xclip", "-o", "-selection", "clipboard", "-t", name}, display.Env()).out;
    }
    return offer;
}

TEST_F(ShortKeyTest, ALongTextArrivesByPasteAndTheClipboardComesBackAsItWas) {
    std::string longText;
    for (int i = 0; longText.size() < 3000; ++i) {
        longText += "Line " + std::to_string(i) + ": the quick brown fox (" +
                    std::to_string(i * 7) + ") jumps over \"the lazy dog\"; ";
    }
    longText.resize(3000);
    Start({ShortKeyMacro("sig", longText), ShortKeyMacro("clp", "<BEGCLIP>Orvane's own<ENDCLIP>")},
          "[ShortKeys]\nPaste Long Texts=Yes\nPaste Above=100\n");
    static const unsigned char Png[] = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
        0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
        0x00, 0x7b, 0x40, 0xe8, 0xdd, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x44, 0x41, 0x54, 0x78,
        0x9c, 0x63, 0xf8, 0xcf, 0x00, 0x04, 0xff, 0x01, 0x07, 0x00, 0x01, 0xff, 0xe2, 0x23,
        0x9e, 0x59, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    const struct {
        const char* Type;
        std::string Bytes;
    } clipboards[] = {
        {"UTF8_STRING", "the user's own words \u00e9"},
        {"image/png", std::string(reinterpret_cast<const char*>(Png), sizeof Png)},
        {"text/html", "<p>Some <b>rich</b> text</p>"},
    };
    // The Xlib probe meets every kind of clipboard; each other program one of them.
    const struct {
        TargetKind Kind;
        int Clipboard;
    } runs[] = {{TargetKind::XProbe, 0},  {TargetKind::XProbe, 1}, {TargetKind::XProbe, 2},
                {TargetKind::QtProbe, 2}, {TargetKind::Gtk, 1},    {TargetKind::Xterm, 0}};
    int ends = 0;
    int window = 0;
    for (const auto& run : runs) {
        const auto& clipboard = clipboards[run.Clipboard];
        SCOPED_TRACE(std::string(NameOf(run.Kind)) + ", clipboard " + clipboard.Type);
        const fs::path content = display.Folder() / "clipboard.bin";
        std::ofstream(content, std::ios::binary) << clipboard.Bytes;
        SpawnOptions xclip;
        xclip.argv = {"xclip", "-selection", "clipboard", "-t", clipboard.Type, content.string()};
        xclip.env = display.Env();
        xclip.stderrFd = kDevNull;
        // Its child keeps the clipboard until another program takes it.
        ChildProcess owner(xclip);
        std::map<std::string, std::string> before;
        // xclip answers any target with its bytes: the list tells when it is the owner.
        ASSERT_TRUE(WaitFor([&] {
            before = ClipboardOffer(display);
            return before["TARGETS"] == std::string("TARGETS\n") + clipboard.Type + "\n" &&
                   before[clipboard.Type] == clipboard.Bytes;
        }));

        TypingTarget target(display, run.Kind, "Paste " + std::to_string(++window));
        ASSERT_TRUE(target.Ready());
        const auto typed = Clock::now();
        ASSERT_TRUE(TypeText(display, "sig"));
        ASSERT_TRUE(WaitForEnds(++ends));
        EXPECT_LT(Clock::now() - typed, 10s) << "pasted, not typed key by key";
        EXPECT_EQ(ClipboardOffer(display), before);
        EXPECT_EQ(target.Holds(longText), longText);
        if (const std::optional<std::size_t> presses = target.KeyPresses()) {
            EXPECT_LT(*presses, 30u) << "the abbreviation, its erasing and one paste key";
        }
    }

    // A clipboard the program itself offers (a macro put text there) is read through its own
    // event loop while it waits, and comes back as well.
    SCOPED_TRACE("the program's own clipboard");
    TypingTarget target(display, TargetKind::XProbe, "Own clipboard");
    ASSERT_TRUE(target.Ready());
    ASSERT_TRUE(TypeText(display, "clp"));
    ASSERT_TRUE(WaitForEnds(++ends));
    const std::map<std::string, std::string> own = ClipboardOffer(display);
    ASSERT_EQ(own.count("UTF8_STRING"), 1u);
    ASSERT_EQ(own.at("UTF8_STRING"), "Orvane's own");
    ASSERT_TRUE(TypeText(display, "sig"));
    ASSERT_TRUE(WaitForEnds(++ends));
    EXPECT_EQ(ClipboardOffer(display), own);
    EXPECT_EQ(target.Holds(longText), longText);
    EXPECT_LT(target.KeyPresses().value_or(0), 30u);
}

} // namespace
} // namespace orvane::e2e
