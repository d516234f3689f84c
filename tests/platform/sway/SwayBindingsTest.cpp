// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/SwayBindings.h"
#include "core/HotKeyTable.h"
#include "platform/sway/BindingRecord.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace orvane {
namespace {

constexpr unsigned Shift = 1;
constexpr unsigned Ctrl = 4;
constexpr unsigned Alt = 8;
constexpr unsigned Win = 64;

std::uint16_t CodeOf(const char* name) {
    const auto code = HotKeyCodeOf(name);
    EXPECT_TRUE(code) << name;
    return code.value_or(0);
}

TEST(SwayBindings, HotKeyCodesBecomeCombinations) {
    struct Row {
        const char* Name;
        const char* Combination;
        const char* Flags;
        SwayKey Key;
    };
    const Row rows[] = {
        {.Name = "Ctrl+Shift+F9",
         .Combination = "Ctrl+Shift+F9",
         .Flags = "",
         .Key = {Ctrl | Shift, XKB_KEY_F9, 0}},
        {.Name = "Ctrl+Alt+Shift+A",
         .Combination = "Ctrl+Alt+Shift+a",
         .Flags = "",
         .Key = {Ctrl | Alt | Shift, XKB_KEY_a, 0}},
        {.Name = "Win+Ctrl+7",
         .Combination = "Ctrl+Mod4+7",
         .Flags = "",
         .Key = {Ctrl | Win, XKB_KEY_7, 0}},
        {.Name = "F12", .Combination = "F12", .Flags = "", .Key = {0, XKB_KEY_F12, 0}},
        {.Name = "Ctrl+Shift+Keypad /",
         .Combination = "Ctrl+Shift+KP_Divide",
         .Flags = "",
         .Key = {Ctrl | Shift, XKB_KEY_KP_Divide, 0}},
        {.Name = "Alt+Right Arrow",
         .Combination = "Alt+Right",
         .Flags = "",
         .Key = {Alt, XKB_KEY_Right, 0}},
        {.Name = "Ctrl+`",
         .Combination = "Ctrl+grave",
         .Flags = "",
         .Key = {Ctrl, XKB_KEY_grave, 0}},
        // The table's right button is 2, sway's 3; middle the other way round.
        {.Name = "Ctrl+RMouse",
         .Combination = "Ctrl+button3",
         .Flags = "--whole-window",
         .Key = {Ctrl, 0, 3}},
        {.Name = "Shift+Alt+MMouse",
         .Combination = "Alt+Shift+button2",
         .Flags = "--whole-window",
         .Key = {Alt | Shift, 0, 2}},
    };
    for (const Row& row : rows) {
        const auto binding = SwayBindingOf(CodeOf(row.Name));
        ASSERT_TRUE(binding) << row.Name;
        EXPECT_EQ(binding->Combination, row.Combination) << row.Name;
        EXPECT_EQ(binding->Flags, row.Flags) << row.Name;
        EXPECT_EQ(binding->Key, row.Key) << row.Name;
        // What is bound reads back as the same combination.
        EXPECT_EQ(ParseSwayKey(binding->Combination), row.Key) << row.Name;
    }
    EXPECT_FALSE(SwayBindingOf(HotKeyCount));
    EXPECT_FALSE(SwayBindingOf(10000));
}

TEST(SwayBindings, CombinationsReadAsSwayMatchesThem) {
    EXPECT_EQ(ParseSwayKey("Control+Mod1+X"), (SwayKey{Ctrl | Alt, XKB_KEY_x, 0}));
    EXPECT_EQ(ParseSwayKey("ctrl+shift+f9"), (SwayKey{Ctrl | Shift, XKB_KEY_F9, 0}));
    EXPECT_EQ(ParseSwayKey("Mod4+BTN_LEFT"), (SwayKey{Win, 0, 1}));
    EXPECT_FALSE(ParseSwayKey("Super+x")); // no such modifier in sway
    EXPECT_FALSE(ParseSwayKey("Ctrl+NoSuchKey"));
    EXPECT_FALSE(ParseSwayKey(""));
}

TEST(SwayBindings, ConfigBindingsOfTheDefaultModeOnly) {
    const char* config = R"(# a comment bindsym Ctrl+F1 nop
set $mod Mod4
set $modkey Ctrl
bindsym $mod+Return exec foot
bindsym --no-repeat --to-code $modkey+Shift+F9 nop cfg
  bindsym Alt+F10 exec true   
bindcode 36 nop code
bindsym {
    $mod+1 workspace 1
    Ctrl+Alt+Delete exit
}
mode "resize" {
    bindsym Left resize shrink width 10px
    bindsym {
        F5 nop inmode
    }
}
input * {
    xkb_layout us
}
bindsym Pause nop after
)";
    const std::vector<SwayKey> expected = {
        {Win, XKB_KEY_Return, 0}, {Ctrl | Shift, XKB_KEY_F9, 0},   {Alt, XKB_KEY_F10, 0},
        {Win, XKB_KEY_1, 0},      {Ctrl | Alt, XKB_KEY_Delete, 0}, {0, XKB_KEY_Pause, 0},
    };
    EXPECT_EQ(ConfigBindings(config), expected);
}

TEST(SwayBindings, EventPayloads) {
    EXPECT_EQ(
        BindingCommandOf(R"({"change":"run","binding":{"command":"nop orvane 42","symbol":"F9"}})"),
        "nop orvane 42");
    EXPECT_EQ(BindingCommandOf(R"({"change":"other","binding":{"command":"x"}})"), "");
    EXPECT_EQ(BindingCommandOf("{"), "");
    EXPECT_EQ(EventChangeOf(R"({"change":"reload","old":null})"), "reload");
    EXPECT_EQ(FocusedContainerOf(R"({"change":"focus","container":{"id":17,"name":"x"}})"), 17);
    EXPECT_EQ(FocusedContainerOf(R"({"change":"title","container":{"id":17}})"), std::nullopt);
    EXPECT_EQ(FocusedContainerOf(R"({"change":"focus","container":{"id":"17"}})"), std::nullopt);
    EXPECT_EQ(ConfigTextOf(R"({"config":"bindsym F1 nop\n"})"), "bindsym F1 nop\n");
    EXPECT_EQ(ConfigTextOf("[]"), "");
}

TEST(BindingRecord, KeepsWhatIsBoundAndRefusesAnythingElse) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("orvane-record-" + std::to_string(getpid()));
    const BindingRecord record((dir / "orvane" / "sway-bindings").string());
    ASSERT_TRUE(record.Write({"Ctrl+Shift+F9", "--whole-window Ctrl+button1"}));
    EXPECT_EQ(record.Read(),
              (std::vector<std::string>{"Ctrl+Shift+F9", "--whole-window Ctrl+button1"}));
    {
        // A line that would run a command when read back into unbindsym is dropped.
        std::ofstream out(record.Path(), std::ios::app);
        out << "F1, exec rm -rf ~\nF2; exit\n\nAlt+F3\n";
    }
    EXPECT_EQ(record.Read(),
              (std::vector<std::string>{"Ctrl+Shift+F9", "--whole-window Ctrl+button1", "Alt+F3"}));
    ASSERT_TRUE(record.Write({}));
    EXPECT_FALSE(std::filesystem::exists(record.Path()));
    EXPECT_TRUE(BindingRecord("").Read().empty());
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace orvane
