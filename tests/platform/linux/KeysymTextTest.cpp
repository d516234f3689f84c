// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/KeysymText.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(KeysymText, LegacyAndUnicodeKeysymsMeetAtTheirCharacter) {
    const struct {
        Keysym Key;
        char32_t Ch;
    } cases[] = {
        {XK_a, U'a'},
        {XK_EuroSign, U'\u20AC'},
        {0x10020AC, U'\u20AC'},
        {XK_eacute, U'\u00E9'},
        {0x10000E9, U'\u00E9'},
        {XK_ssharp, U'\u00DF'},
        {XK_OE, U'\u0152'},
        {XK_Cyrillic_u, U'\u0443'},
        {XK_Return, U'\r'},
        {XK_Tab, U'\t'},
        {XK_BackSpace, U'\b'},
        {XK_Escape, 0x1B},
        {XK_Delete, 0x7F},
        // Keys that type no text of their own, or none we use.
        {XK_Linefeed, 0},
        {XK_KP_1, 0},
        {XK_KP_Enter, 0},
        {XK_F1, 0},
        {XK_Shift_L, 0},
        {NoKeysym, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharacterOfKeysym(c.Key), c.Ch) << std::hex << c.Key;
    }
}

TEST(KeysymText, CharactersBindAsTheirLegacyKeysymWhereOneExists) {
    EXPECT_EQ(KeysymOfCharacter(U'\u20AC'), Keysym{XK_EuroSign});
    EXPECT_EQ(KeysymOfCharacter(U'\u00E9'), Keysym{XK_eacute});
    EXPECT_EQ(KeysymOfCharacter(U'\u0152'), Keysym{XK_OE});
    EXPECT_EQ(KeysymOfCharacter(U'1'), Keysym{XK_1});
    EXPECT_EQ(KeysymOfCharacter(U'\u4E2D'), Keysym{0x1004E2D});
    EXPECT_EQ(KeysymOfCharacter(U'\n'), Keysym{XK_Return});
    EXPECT_EQ(KeysymOfCharacter(U'\r'), Keysym{XK_Return});
    EXPECT_EQ(KeysymOfCharacter(0x01), NoKeysym);
    // Bound keys carry Unicode keysyms past Latin-1.
    EXPECT_EQ(BindingKeysymOfCharacter(U'\u00E9'), Keysym{XK_eacute});
    EXPECT_EQ(BindingKeysymOfCharacter(U'\u2030'), Keysym{0x1002030});
    EXPECT_EQ(BindingKeysymOfCharacter(U'\n'), Keysym{XK_Return});
    EXPECT_EQ(BindingKeysymOfCharacter(0x01), NoKeysym);
    EXPECT_EQ(KeysymOfCharacter(0x81), NoKeysym) << "C1 controls are not typed";
    EXPECT_EQ(KeysymOfCharacter(0), NoKeysym);
    // Every Windows-1252 character round-trips through its keysym.
    for (char32_t ch = 0xA0; ch <= 0xFF; ++ch) {
        EXPECT_EQ(CharacterOfKeysym(KeysymOfCharacter(ch)), ch)
            << std::hex << static_cast<std::uint32_t>(ch);
    }
    for (char32_t ch : U"\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039"
                       U"\u0152\u017D\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122"
                       U"\u0161\u203A\u0153\u017E\u0178") {
        if (ch != 0) {
            EXPECT_EQ(CharacterOfKeysym(KeysymOfCharacter(ch)), ch)
                << std::hex << static_cast<std::uint32_t>(ch);
        }
    }
}

} // namespace
} // namespace orvane
