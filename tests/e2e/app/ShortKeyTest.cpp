// SPDX-License-Identifier: GPL-3.0-or-later
// ShortKeys and timed macros end to end: the program runs with a prepared macro file and
// settings, xdotool types as the user would, and a probe window shows what it ends up holding.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "core/MacroStore.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
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
        {
            std::ofstream out(file, std::ios::binary | std::ios::trunc);
            std::vector<MacroRecord> all;
            for (const SystemMacroKind& kind : SystemMacroKinds) {
                MacroRecord r;
                r.Nickname.Assign(kind.Nickname);
                r.HotKey = kind.DefaultHotKey;
                r.Scope = ScopeSystem;
                r.ScopeTarget.Assign(std::string(1, kind.Digit));
                r.Active = 1;
                all.push_back(r);
            }
            all.insert(all.end(), macros.begin(), macros.end());
            for (const MacroRecord& r : all) {
                const MacroRecordBytes bytes = r.ToBytes();
                out.write(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
            }
        }
        const fs::path config = fs::path(display.Env().at("XDG_CONFIG_HOME")) / "orvane";
        fs::create_directories(config);
        std::ofstream(config / "ORVAN.INI") << settings;

        const fs::path log = display.Folder() / "orvane.log";
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        SpawnOptions options;
        options.argv = {ORVANE_PROGRAM, "/F", file.string()};
        options.env = display.Env();
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

    void TearDown() override {
        if (program_) {
            ::kill(program_->Pid(), SIGTERM);
            program_->WaitForExit(kDefaultTimeout);
        }
    }

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
    Start({TimedMacro(0, "S", "Timed Target"), TimedMacro(6, "M", "Timed Target")},
          "[Scheduler]\nTimer Seconds=1\n");
    Probe probe(display, "Timed Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(probe.WaitForText("S", 30s));
    const auto startUp = SinceStart();
    EXPECT_GE(startUp, 4500ms) << "start-up macros wait five seconds";
    EXPECT_EQ(probe.Text(), "S") << "nothing else is due yet";
    ASSERT_TRUE(probe.WaitForText("SM", 90s)) << probe.Describe();
    const auto minute = SinceStart();
    EXPECT_GE(minute, 59s) << "one minute after the table was built";
    EXPECT_LE(minute, 75s);
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

} // namespace
} // namespace orvane::e2e
