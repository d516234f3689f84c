// SPDX-License-Identifier: GPL-3.0-or-later
// Copying, re-binding, removing and adding macros end to end: the program runs on a prepared
// macro file, xdotool works its menus and dialogs from the keyboard as a user would and strikes
// the hot keys, probe windows show what the keys do, and the test reads the macro file back with
// its own byte reader.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Probe.h"
#include "ProgramTest.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"

#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The macro file's record layout, as far as these tests read and write it.
constexpr std::size_t RecordSize = 5165;
constexpr std::size_t NicknameAt = 0;
constexpr std::size_t ScopeTargetAt = 51;
constexpr std::size_t HotKeyAt = 93;
constexpr std::size_t ScopeAt = 95;
constexpr std::size_t ActiveAt = 97;
constexpr std::size_t TextAt = 100;

struct StoredMacro {
    std::uint16_t HotKey = 0;
    std::int16_t Scope = 0;
    std::string Text;
};

std::string Record(std::uint16_t hotKey, std::int16_t scope, const std::string& nickname,
                   const std::string& target, const std::string& text) {
    std::string bytes(RecordSize, '\0');
    bytes[NicknameAt] = static_cast<char>(nickname.size());
    bytes.replace(NicknameAt + 1, nickname.size(), nickname);
    bytes[ScopeTargetAt] = static_cast<char>(target.size());
    bytes.replace(ScopeTargetAt + 1, target.size(), target);
    bytes[HotKeyAt] = static_cast<char>(hotKey & 0xFF);
    bytes[HotKeyAt + 1] = static_cast<char>(hotKey >> 8);
    bytes[ScopeAt] = static_cast<char>(scope);
    bytes[ActiveAt] = 1;
    bytes.replace(TextAt, text.size(), text);
    return bytes;
}

std::vector<StoredMacro> ReadBack(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<StoredMacro> macros;
    for (std::size_t at = 0; at + RecordSize <= bytes.size(); at += RecordSize) {
        const auto byte = [&](std::size_t offset) {
            return static_cast<unsigned char>(bytes[at + offset]);
        };
        StoredMacro macro;
        macro.HotKey = static_cast<std::uint16_t>(byte(HotKeyAt) | (byte(HotKeyAt + 1) << 8));
        macro.Scope = static_cast<std::int16_t>(byte(ScopeAt) | (byte(ScopeAt + 1) << 8));
        macro.Text = std::string(bytes.c_str() + at + TextAt);
        macros.push_back(macro);
    }
    return macros;
}

std::uint16_t Code(const std::string& name) {
    return *HotKeyCodeOf(name);
}

class MacroCommandsTest : public ProgramTest {
protected:
    void SetUp() override {
        file_ = display.Folder() / "Keys.ORV";
        std::ofstream out(file_, std::ios::binary | std::ios::trunc);
        const char* systemKeys[] = {"Ctrl+Alt+Shift+W", "Ctrl+Alt+Shift+X", "Ctrl+Alt+Shift+Y",
                                    "Ctrl+Alt+Shift+Z"};
        out << Record(Code("Ctrl+Alt+Shift+G"), 1, "greeting", "", "hi");
        for (int kind = 0; kind < 4; ++kind) {
            out << Record(Code(systemKeys[kind]), 5, "system", std::to_string(kind + 1), "");
        }
        out.close();
        Environment env = display.Env();
        env["ORVANE_HOOK_TRACE"] = "1";
        StartProgram({ORVANE_PROGRAM, "/F", file_.string()}, std::move(env));
        ASSERT_TRUE(WaitFor([&] { return WindowShown("Orvane 98 (Keys)"); })) << display.Logs();
    }

    // Works the Macro menu of the main window: Alt+M, then the entry's mnemonic.
    ::testing::AssertionResult MacroMenu(const std::string& mnemonic) {
        if (auto active = ActivateWindowByTitle(display, "Orvane 98 (Keys)"); !active) {
            return active;
        }
        return PressKeys(display, {"alt+m", mnemonic});
    }

    // Strikes a combination in a dialog whose key field has the focus, and waits until the
    // dialog has been told (the backend traces each pick after reporting it).
    ::testing::AssertionResult StrikeIntoField(const std::string& keys, const std::string& name,
                                               int pickOn) {
        if (auto on = TraceShows("keypick on", pickOn); !on) {
            return on;
        }
        if (auto pressed = PressKeys(display, {keys}); !pressed) {
            return pressed;
        }
        return TraceShows("keypick " + std::to_string(Code(name)));
    }

    bool HasMacro(std::uint16_t hotKey, const std::string& text) {
        for (const StoredMacro& macro : ReadBack(file_)) {
            if (macro.HotKey == hotKey && macro.Text == text) {
                return true;
            }
        }
        return false;
    }

    fs::path file_;
};

bool SawKeyLine(Probe& probe, std::size_t from, char letter) {
    return probe
        .WaitForLine(
            [letter](const std::string& line) {
                return line.rfind("KEY ", 0) == 0 &&
                       (line.find(std::string(" ") + letter + " ") != std::string::npos ||
                        line.find(std::string(" ") + static_cast<char>(std::toupper(letter)) +
                                  " ") != std::string::npos);
            },
            kDefaultTimeout, from)
        .has_value();
}

TEST_F(MacroCommandsTest, CopyRenameAndRemoveAHotKeyMacro) {
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());

    // Copy to a struck Ctrl+Alt+Shift+J.
    ASSERT_TRUE(MacroMenu("o"));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Copy Hot Key"); })) << Log();
    ASSERT_TRUE(StrikeIntoField("ctrl+alt+shift+j", "Ctrl+Alt+Shift+J", 1));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] { return HasMacro(Code("Ctrl+Alt+Shift+J"), "hi"); }))
        << Log() << Trace();
    EXPECT_TRUE(HasMacro(Code("Ctrl+Alt+Shift+G"), "hi")) << "the original stays";
    ASSERT_TRUE(probe.Activate());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+j"}));
    ASSERT_TRUE(probe.WaitForText("hi")) << Trace();

    // Re-bind the copy (it is the selected row) to Ctrl+Alt+Shift+L.
    ASSERT_TRUE(MacroMenu("r"));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Move Hot Key"); })) << Log();
    ASSERT_TRUE(StrikeIntoField("ctrl+alt+shift+l", "Ctrl+Alt+Shift+L", 2));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] { return HasMacro(Code("Ctrl+Alt+Shift+L"), "hi"); })) << Log();
    EXPECT_FALSE(HasMacro(Code("Ctrl+Alt+Shift+J"), "hi"));
    ASSERT_TRUE(probe.Activate());
    std::size_t from = probe.LineCount();
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+j"}));
    EXPECT_TRUE(SawKeyLine(probe, from, 'j')) << "J reaches the window again";
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+l"}));
    ASSERT_TRUE(probe.WaitForText("hihi"));

    // Remove it, answering Yes.
    ASSERT_TRUE(MacroMenu("e"));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Delete"); })) << Log();
    ASSERT_TRUE(PressKeys(display, {"y"}));
    ASSERT_TRUE(WaitFor([&] { return !HasMacro(Code("Ctrl+Alt+Shift+L"), "hi"); })) << Log();
    EXPECT_EQ(ReadBack(file_).size(), 5u);
    EXPECT_NE(Log().find("orvane: Delete: Are you sure you want to remove "
                         "\"Ctrl+Alt+Shift+L\"?"),
              std::string::npos);
    ASSERT_TRUE(probe.Activate());
    from = probe.LineCount();
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+l"}));
    EXPECT_TRUE(SawKeyLine(probe, from, 'l')) << "L reaches the window again";
    EXPECT_EQ(probe.Text(), "hihi");

    // Copying to a ShortKey with a space inside is refused; the dialog stays.
    ASSERT_TRUE(MacroMenu("o"));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Copy Hot Key"); }));
    ASSERT_TRUE(TraceShows("keypick on", 3));
    // Out of the key field (which keeps every combination to itself), then the name.
    ASSERT_TRUE(PressKeys(display, {"Tab", "alt+s", "alt+n"}));
    ASSERT_TRUE(TypeText(display, "my sig"));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] {
        return Log().find("orvane: Error: The ShortKey name has invalid characters in it.") !=
               std::string::npos;
    })) << Log();
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Error"); }));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Error"); }));
    EXPECT_TRUE(WindowShown("Copy Hot Key"));
    ASSERT_TRUE(PressKeys(display, {"Escape"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Copy Hot Key"); }));
    EXPECT_EQ(ReadBack(file_).size(), 5u);
    EXPECT_TRUE(program_->Running());
}

TEST_F(MacroCommandsTest, AddMacroPicksAStruckCombination) {
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Keys)"));
    ASSERT_TRUE(PressKeys(display, {"Insert"}));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Add Macro"); })) << Log();
    // A key of a macro is grabbed by the program; one of no macro is not: both are picked, and
    // neither plays nor reaches anything else.
    ASSERT_TRUE(StrikeIntoField("ctrl+alt+shift+k", "Ctrl+Alt+Shift+K", 1));
    ASSERT_TRUE(StrikeIntoField("ctrl+alt+shift+g", "Ctrl+Alt+Shift+G", 1));
    EXPECT_EQ(Trace().find("hotkey "), std::string::npos) << "nothing played";
    EXPECT_TRUE(WindowShown("Add Macro"));
    ASSERT_TRUE(PressKeys(display, {"Escape"}));
    ASSERT_TRUE(TraceShows("keypick off", 2)) << "closing ends the picking";
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Add Macro"); }));
    EXPECT_EQ(ReadBack(file_).size(), 5u);
}

} // namespace
} // namespace orvane::e2e
