// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard remapper end to end: the program runs on a prepared macro file (and remapping
// file), the display's own keyboard types as a person would, and a probe window shows what
// arrives. The worst fault it guards against is a keyboard left remapped after the program.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "PhysicalKeyboard.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "core/MacroStore.h"
#include "support/MacroFiles.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Keycodes of the display's keyboard (evdev numbering).
constexpr unsigned KeyQ = 24; // "a" in the French layout
constexpr unsigned KeyA = 38;
constexpr unsigned KeyX = 53;
constexpr unsigned KeyShift = 50;
constexpr unsigned KeyControl = 37;
constexpr unsigned KeyAlt = 64;

// A remapping file, byte by byte: the 93 base characters in their order, with `changes`.
std::string RemappingFile(const std::map<char, char>& changes) {
    std::string bytes = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                        "abcdefghijklmnopqrstuvwxyz"
                        "0123456789"
                        " !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~";
    EXPECT_EQ(bytes.size(), 93U);
    for (const auto& [base, replacement] : changes) {
        bytes[bytes.find(base)] = replacement;
    }
    return bytes;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first keysym the server's map puts on `keycode`, by name ("a"), from xmodmap.
std::string FirstKeysymOn(const VirtualDisplay& display, unsigned keycode) {
    const CommandResult map = RunCommand({"xmodmap", "-pke"}, display.Env());
    const std::string prefix =
        "keycode " + std::string(keycode < 100 ? " " : "") + std::to_string(keycode) + " = ";
    const std::size_t at = map.out.find(prefix);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t start = at + prefix.size();
    return map.out.substr(start, map.out.find_first_of(" \n", start) - start);
}

class RemapTest : public ::testing::Test {
protected:
    fs::path MacroFile() const { return display.Folder() / "Remap.ORV"; }
    fs::path RemappingPath() const { return display.Folder() / "Remap.OVS"; }

    // The four system macros, a hot key macro on Ctrl+Alt+Shift+Q that types "a", "A" and
    // Shift with "b" (the key that carries "b" when "a" is remapped to "b" is no way to type
    // "B"), one on Ctrl+Alt+Shift+A that types "hot", and a ShortKey "xb" that types "[xb]".
    void WriteMacros() {
        std::vector<MacroRecord> all = DefaultSystemMacros();
        MacroRecord hotKey;
        hotKey.Nickname.Assign("types a");
        hotKey.HotKey = *HotKeyCodeOf("Ctrl+Alt+Shift+Q");
        hotKey.Scope = ScopeGlobal;
        hotKey.Active = 1;
        hotKey.SetText("a-A-<SHIFT>b");
        all.push_back(hotKey);
        hotKey.HotKey = *HotKeyCodeOf("Ctrl+Alt+Shift+A");
        hotKey.SetText("hot");
        all.push_back(hotKey);
        MacroRecord shortKey;
        shortKey.Nickname.Assign("xb");
        shortKey.ShortKey.Assign("xb");
        shortKey.HotKey = HotKeyShortKey;
        shortKey.Scope = ScopeGlobal;
        shortKey.Active = 1;
        shortKey.SetText("[xb]");
        all.push_back(shortKey);
        WriteMacroFile(MacroFile(), all);
    }

    void WriteRemapping(const std::string& bytes) {
        std::ofstream(RemappingPath(), std::ios::binary | std::ios::trunc) << bytes;
    }

    // Starts the program on the macro file and waits for its main window.
    void Start() {
        const fs::path log = display.Folder() / "orvane.log";
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        SpawnOptions options;
        options.argv = {ORVANE_PROGRAM, "/F", MacroFile().string()};
        options.env = display.Env();
        options.stderrFd = fd;
        program_ = std::make_unique<ChildProcess>(options);
        ::close(fd);
        ASSERT_NE(WaitForWindowByTitle(display, "Orvane 98 (Remap)"), 0UL) << display.Logs();
    }

    // Ends the program with `signal` and waits until it is gone (not reaped: a killed program
    // stays a zombie until its parent waits, and must count as gone).
    void End(int signal) {
        ASSERT_TRUE(program_);
        ::kill(program_->Pid(), signal);
        ASSERT_TRUE(program_->WaitForExit(kDefaultTimeout));
    }

    // What a tap of the key `keycode` (Shift held when asked) on the display's own keyboard
    // types into the probe.
    ::testing::AssertionResult Types(Probe& probe, unsigned keycode, const std::string& expected,
                                     bool shift = false) {
        if (auto cleared = probe.ClearText(); !cleared) {
            return cleared;
        }
        bool ok = !shift || keyboard.PressKeycode(KeyShift);
        ok = keyboard.PressKeycode(keycode) && keyboard.ReleaseKeycode(keycode) && ok;
        ok = (!shift || keyboard.ReleaseKeycode(KeyShift)) && ok;
        if (!ok) {
            return ::testing::AssertionFailure() << "the keyboard could not strike " << keycode;
        }
        return probe.WaitForText(expected);
    }

    void TearDown() override {
        if (program_ && program_->Running()) {
            ::kill(program_->Pid(), SIGTERM);
            program_->WaitForExit(kDefaultTimeout);
        }
    }

    VirtualDisplay display;
    PhysicalKeyboard keyboard{display};
    std::unique_ptr<ChildProcess> program_;
};

TEST_F(RemapTest, ARemapChosenInTheDialogTypesEverywhereButNotInMacrosAndEndsWithTheProgram) {
    ASSERT_TRUE(keyboard.Ready()) << keyboard.Error();
    WriteMacros();
    Start();
    // A macro file without a remapping file gets one that remaps nothing.
    EXPECT_TRUE(WaitFor([&] { return ReadFile(RemappingPath()) == RemappingFile({}); }));
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(Types(probe, KeyA, "a"));

    // The user remaps "a" to "b": Options, Remap, the Lower Case grid's first row, the
    // character after "a" in Select Character, Ok, Ok.
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Remap)"));
    ASSERT_TRUE(PressKeys(display, {"alt+o", "r"}));
    ASSERT_NE(WaitForWindowByTitle(display, "Keyboard Remapper"), 0UL);
    ASSERT_TRUE(PressKeys(display, {"alt+l", "Return"}));
    ASSERT_NE(WaitForWindowByTitle(display, "Select Character"), 0UL);
    ASSERT_TRUE(PressKeys(display, {"Right", "Return"}));
    ASSERT_TRUE(WaitFor([&] {
        return !Xdotool(display, {"search", "--onlyvisible", "--name", "^Select Character$"}, 5s)
                    .Succeeded();
    }));
    ASSERT_TRUE(PressKeys(display, {"alt+o"}));
    ASSERT_TRUE(WaitFor([&] {
        return ReadFile(RemappingPath()) == RemappingFile({{'a', 'b'}});
    })) << "the remapping file holds the 93 bytes with \"b\" for \"a\"";

    // The key of "a" types "b" in another program; Shift+A is not remapped.
    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(Types(probe, KeyA, "b"));
    ASSERT_TRUE(Types(probe, KeyA, "A", true));
    // A macro typing "a" types "a".
    ASSERT_TRUE(probe.ClearText());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+q"}));
    ASSERT_TRUE(probe.WaitForText("a-A-B")) << probe.Describe();
    // Hot keys stay on their keys: Ctrl+Alt+Shift with the key of "a" is Ctrl+Alt+Shift+A.
    ASSERT_TRUE(probe.ClearText());
    for (const unsigned key : {KeyControl, KeyAlt, KeyShift, KeyA}) {
        ASSERT_TRUE(keyboard.PressKeycode(key));
    }
    for (const unsigned key : {KeyA, KeyShift, KeyAlt, KeyControl}) {
        ASSERT_TRUE(keyboard.ReleaseKeycode(key));
    }
    ASSERT_TRUE(probe.WaitForText("hot")) << probe.Describe();
    // ShortKeys read what the user sees typed: "x" and the key of "a" make "xb". The user goes
    // on typing a moment after the macro's text has appeared, not within the millisecond in
    // which the program is still closing that playback (its characters are not a typed word).
    ASSERT_TRUE(probe.ClearText());
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ASSERT_TRUE(keyboard.PressKeycode(KeyX) && keyboard.ReleaseKeycode(KeyX));
    ASSERT_TRUE(keyboard.PressKeycode(KeyA) && keyboard.ReleaseKeycode(KeyA));
    ASSERT_TRUE(probe.WaitForText("[xb]")) << probe.Describe();

    // SIGTERM: the key types "a" again.
    End(SIGTERM);
    ASSERT_TRUE(Types(probe, KeyA, "a"));
}

TEST_F(RemapTest, ALayoutChangeIsRemappedAgainAndAKilledProgramsRemapIsUndoneAtTheNextStart) {
    ASSERT_TRUE(keyboard.Ready()) << keyboard.Error();
    WriteMacros();
    WriteRemapping(RemappingFile({{'a', 'b'}}));
    Start();
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(Types(probe, KeyA, "b"));

    // The French layout puts "a" on the Q key: the remapping follows it there.
    const CommandResult french = RunCommand({"setxkbmap", "fr"}, display.Env());
    ASSERT_TRUE(french.Succeeded()) << french.Describe();
    // The program hears of the new layout after setxkbmap has returned.
    ASSERT_TRUE(WaitFor([&] { return FirstKeysymOn(display, KeyQ) == "b"; }))
        << FirstKeysymOn(display, KeyQ);
    ASSERT_TRUE(Types(probe, KeyQ, "b"));
    ASSERT_TRUE(Types(probe, KeyA, "q"));

    // Killed, the program leaves its remap behind...
    End(SIGKILL);
    ASSERT_TRUE(Types(probe, KeyQ, "b"));
    // ...and the next start gives the keyboard back first, before reading a remapping file
    // (this one is damaged: it remaps nothing and stays as it is).
    const std::string damaged = RemappingFile({{'q', 'z'}}).substr(0, 50);
    WriteRemapping(damaged);
    Start();
    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(Types(probe, KeyQ, "a"));
    ASSERT_TRUE(Types(probe, KeyA, "q"));
    EXPECT_EQ(ReadFile(RemappingPath()), damaged);
}

TEST_F(RemapTest, DamagedRemappingFilesRemapNothingAndStayAsTheyAre) {
    ASSERT_TRUE(keyboard.Ready()) << keyboard.Error();
    WriteMacros();
    const std::string good = RemappingFile({{'a', 'b'}});
    std::string control = good;
    control[0] = '\x07';
    const struct {
        const char* Name;
        std::string Bytes;
    } files[] = {
        {"one byte short", good.substr(0, 92)},
        {"one byte long", good + "x"},
        {"a control character", control},
    };
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    for (const auto& file : files) {
        SCOPED_TRACE(file.Name);
        WriteRemapping(file.Bytes);
        Start();
        ASSERT_TRUE(probe.Activate());
        ASSERT_TRUE(Types(probe, KeyA, "a"));
        EXPECT_EQ(ReadFile(RemappingPath()), file.Bytes);
        End(SIGTERM);
    }
}

TEST_F(RemapTest, InterruptAndHangUpGiveTheKeyboardBack) {
    ASSERT_TRUE(keyboard.Ready()) << keyboard.Error();
    WriteMacros();
    WriteRemapping(RemappingFile({{'a', 'b'}}));
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    for (const int signal : {SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        Start();
        ASSERT_TRUE(probe.Activate());
        ASSERT_TRUE(Types(probe, KeyA, "b"));
        End(signal);
        ASSERT_TRUE(Types(probe, KeyA, "a"));
    }
}

} // namespace
} // namespace orvane::e2e
