// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotKeyTable.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

// Written out by hand from the key list, one or more entries at every row boundary, so a slip
// in the row description shows here.
struct Spot {
    std::uint32_t Code;
    std::string_view Name;
    std::uint8_t VirtualKey;
    std::uint8_t Button;
    std::string_view Mods; // letters C A S W
};

constexpr Spot Spots[] = {
    {0, "Ctrl+A", 0x41, 0, "C"},
    {25, "Ctrl+Z", 0x5A, 0, "C"},
    {26, "Ctrl+0", 0x30, 0, "C"},
    {36, "Ctrl+F1", 0x70, 0, "C"},
    {47, "Ctrl+F12", 0x7B, 0, "C"},
    {48, "Alt+A", 0x41, 0, "A"},
    {95, "Alt+F12", 0x7B, 0, "A"},
    {96, "Ctrl+Shift+A", 0x41, 0, "CS"},
    {143, "Ctrl+Shift+F12", 0x7B, 0, "CS"},
    {144, "Ctrl+Alt+A", 0x41, 0, "CA"},
    {191, "Ctrl+Alt+F12", 0x7B, 0, "CA"},
    {192, "Alt+Shift+A", 0x41, 0, "AS"},
    {239, "Alt+Shift+F12", 0x7B, 0, "AS"},
    {240, "Ctrl+Alt+Shift+A", 0x41, 0, "CAS"},
    {262, "Ctrl+Alt+Shift+W", 0x57, 0, "CAS"},
    {265, "Ctrl+Alt+Shift+Z", 0x5A, 0, "CAS"},
    {266, "Ctrl+Alt+Shift+0", 0x30, 0, "CAS"},
    {287, "Ctrl+Alt+Shift+F12", 0x7B, 0, "CAS"},
    {288, "F1", 0x70, 0, ""},
    {299, "F12", 0x7B, 0, ""},
    {300, "Shift+F1", 0x70, 0, "S"},
    {311, "Shift+F12", 0x7B, 0, "S"},
    {312, "Ctrl+Enter", 13, 0, "C"},
    {314, "Shift+Enter", 13, 0, "S"},
    {318, "Ctrl+Alt+Shift+Enter", 13, 0, "CAS"},
    {319, "Ctrl+Tab", 9, 0, "C"},
    {320, "Shift+Tab", 9, 0, "S"},
    {321, "Ctrl+Shift+Tab", 9, 0, "CS"},
    {322, "Ctrl+Alt+Tab", 9, 0, "CA"},
    {323, "Ctrl+Alt+Shift+Tab", 9, 0, "CAS"},
    {324, "Ctrl+Backspace", 8, 0, "C"},
    {330, "Ctrl+Alt+Shift+Backspace", 8, 0, "CAS"},
    {331, "Ctrl+Space", 32, 0, "C"},
    {337, "Ctrl+Alt+Shift+Space", 32, 0, "CAS"},
    {338, "Ctrl+Insert", 45, 0, "C"},
    {344, "Ctrl+Alt+Shift+Insert", 45, 0, "CAS"},
    {345, "Ctrl+Delete", 46, 0, "C"},
    {346, "Alt+Delete", 46, 0, "A"},
    {347, "Shift+Delete", 46, 0, "S"},
    {348, "Ctrl+Shift+Delete", 46, 0, "CS"},
    {349, "Alt+Shift+Delete", 46, 0, "AS"},
    {350, "Ctrl+Home", 36, 0, "C"},
    {356, "Ctrl+Alt+Shift+Home", 36, 0, "CAS"},
    {357, "Ctrl+End", 35, 0, "C"},
    {363, "Ctrl+Alt+Shift+End", 35, 0, "CAS"},
    {364, "Ctrl+.", 190, 0, "C"},
    {365, "Alt+.", 190, 0, "A"},
    {366, "Ctrl+Shift+.", 190, 0, "CS"},
    {367, "Alt+Shift+.", 190, 0, "AS"},
    {368, "Ctrl+Alt+.", 190, 0, "CA"},
    {369, "Ctrl+Alt+Shift+.", 190, 0, "CAS"},
    {370, "Ctrl+,", 188, 0, "C"},
    {376, "Ctrl+/", 191, 0, "C"},
    {382, "Ctrl+;", 186, 0, "C"},
    {388, "Ctrl+'", 222, 0, "C"},
    {394, "Ctrl+\\", 220, 0, "C"},
    {400, "Ctrl+[", 219, 0, "C"},
    {406, "Ctrl+]", 221, 0, "C"},
    {412, "Ctrl+-", 189, 0, "C"},
    {418, "Ctrl+=", 187, 0, "C"},
    {424, "Ctrl+`", 192, 0, "C"},
    {429, "Ctrl+Alt+Shift+`", 192, 0, "CAS"},
    {430, "KeyPad /", 111, 0, ""},
    {431, "Ctrl+Keypad /", 111, 0, "C"},
    {432, "Alt+Keypad /", 111, 0, "A"},
    {433, "Shift+KeyPad /", 111, 0, "S"},
    {434, "Ctrl+Shift+Keypad /", 111, 0, "CS"},
    {435, "Alt+Shift+Keypad /", 111, 0, "AS"},
    {436, "Ctrl+Alt+Keypad /", 111, 0, "CA"},
    {437, "Ctrl+Alt+Shift+Keypad /", 111, 0, "CAS"},
    {438, "KeyPad *", 106, 0, ""},
    {446, "KeyPad -", 109, 0, ""},
    {454, "KeyPad +", 107, 0, ""},
    {457, "Shift+KeyPad +", 107, 0, "S"},
    {461, "Ctrl+Alt+Shift+Keypad +", 107, 0, "CAS"},
    {462, "Insert", 45, 0, ""},
    {463, "Delete", 46, 0, ""},
    {464, "Home", 36, 0, ""},
    {465, "End", 35, 0, ""},
    {466, "Page Up", 33, 0, ""},
    {467, "Page Down", 34, 0, ""},
    {468, "Left Arrow", 37, 0, ""},
    {469, "Right Arrow", 39, 0, ""},
    {470, "Up Arrow", 38, 0, ""},
    {471, "Down Arrow", 40, 0, ""},
    {472, "Ctrl+Page Up", 33, 0, "C"},
    {478, "Ctrl+Alt+Shift+Page Up", 33, 0, "CAS"},
    {479, "Ctrl+Page Down", 34, 0, "C"},
    {485, "Ctrl+Alt+Shift+Page Down", 34, 0, "CAS"},
    {486, "Ctrl+Left Arrow", 37, 0, "C"},
    {492, "Ctrl+Alt+Shift+Left Arro", 37, 0, "CAS"},
    {493, "Ctrl+Right Arrow", 39, 0, "C"},
    {499, "Ctrl+Alt+Shift+Right Arr", 39, 0, "CAS"},
    {500, "Ctrl+Up Arrow", 38, 0, "C"},
    {506, "Ctrl+Alt+Shift+Up Arrow", 38, 0, "CAS"},
    {507, "Ctrl+Down Arrow", 40, 0, "C"},
    {513, "Ctrl+Alt+Shift+Down Arro", 40, 0, "CAS"},
    {514, "KeyPad 0", 96, 0, ""},
    {515, "Ctrl+Keypad 0", 96, 0, "C"},
    {516, "Alt+Keypad 0", 96, 0, "A"},
    {517, "Ctrl+Alt+Keypad 0", 96, 0, "CA"},
    {518, "KeyPad 1", 97, 0, ""},
    {550, "KeyPad 9", 105, 0, ""},
    {553, "Ctrl+Alt+Keypad 9", 105, 0, "CA"},
    {554, "Win+A", 0x41, 0, "W"},
    {601, "Win+F12", 0x7B, 0, "W"},
    {602, "Win+Ctrl+A", 0x41, 0, "CW"},
    {649, "Win+Ctrl+F12", 0x7B, 0, "CW"},
    {650, "Win+Alt+A", 0x41, 0, "AW"},
    {697, "Win+Alt+F12", 0x7B, 0, "AW"},
    {698, "ESC", 27, 0, ""},
    {699, "LMouse", 0, 1, ""},
    {700, "Shift+LMouse", 0, 1, "S"},
    {701, "Ctrl+LMouse", 0, 1, "C"},
    {702, "Alt+LMouse", 0, 1, "A"},
    {703, "Ctrl+Shift+LMouse", 0, 1, "CS"},
    {704, "Ctrl+Alt+LMouse", 0, 1, "CA"},
    {705, "Shift+Alt+LMouse", 0, 1, "AS"},
    {706, "RMouse", 0, 2, ""},
    {712, "Shift+Alt+RMouse", 0, 2, "AS"},
    {713, "MMouse", 0, 3, ""},
    {719, "Shift+Alt+MMouse", 0, 3, "AS"},
};

TEST(HotKeyTableTest, EntriesAtEveryRowBoundaryHaveTheirNameAndKey) {
    for (const Spot& s : Spots) {
        SCOPED_TRACE(s.Code);
        EXPECT_EQ(HotKeyName(s.Code), s.Name);
        const DecipheredKey key = DecipherKey(s.Code);
        EXPECT_EQ(key.VirtualKey, s.VirtualKey);
        EXPECT_EQ(key.MouseButton, s.Button);
        EXPECT_EQ(key.Ctrl, s.Mods.find('C') != std::string_view::npos);
        EXPECT_EQ(key.Alt, s.Mods.find('A') != std::string_view::npos);
        EXPECT_EQ(key.Shift, s.Mods.find('S') != std::string_view::npos);
        EXPECT_EQ(key.Win, s.Mods.find('W') != std::string_view::npos);
    }
}

TEST(HotKeyTableTest, NamesAreUniqueAndFitTwentyFourCharacters) {
    for (std::uint32_t code = 0; code < HotKeyCount; ++code) {
        const auto name = HotKeyName(code);
        ASSERT_TRUE(name.has_value());
        EXPECT_LE(name->size(), 24u) << code;
        EXPECT_FALSE(name->empty()) << code;
        EXPECT_EQ(HotKeyCodeOf(*name), code) << *name;
    }
    EXPECT_FALSE(HotKeyCodeOf("Ctrl+Alt+Shift+Left Arrow").has_value());
}

TEST(HotKeyTableTest, CodesPastTheTableAreUnknownAndDecodeToNothing) {
    for (std::uint32_t code : {720u, 721u, 9999u, 10000u, 20000u, 65535u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(HotKeyName(code).has_value()) << code;
        EXPECT_EQ(DecipherKey(code), DecipheredKey{}) << code;
    }
}

} // namespace
} // namespace orvane
