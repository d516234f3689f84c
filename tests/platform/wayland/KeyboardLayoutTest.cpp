// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/KeyboardLayout.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace orvane {
namespace {

KeyboardLayout Compiled(const std::string& layout, const std::string& variant = {}) {
    std::string error;
    auto compiled = KeyboardLayout::Compile({"", "", layout, variant, ""}, error);
    EXPECT_TRUE(compiled) << error;
    return std::move(*compiled);
}

// Keycodes of the evdev keymaps (the Linux key code + 8).
constexpr xkb_keycode_t KeyA = 38; // the key "A" of a US keyboard
constexpr xkb_keycode_t KeyQ = 24;
constexpr xkb_keycode_t KeyY = 29;
constexpr xkb_keycode_t Key1 = 10;
constexpr xkb_keycode_t KeyReturn = 36;

TEST(KeymapNames, AreTheCompositorsEnvironmentElseUs) {
    const struct {
        std::map<std::string, std::string> Env;
        KeymapNames Expected;
    } cases[] = {
        {.Env = {}, .Expected = {.Layout = "us"}},
        {.Env = {{"XKB_DEFAULT_LAYOUT", "de"}, {"XKB_DEFAULT_VARIANT", "nodeadkeys"}},
         .Expected = {.Layout = "de", .Variant = "nodeadkeys"}},
        {.Env = {{"XKB_DEFAULT_RULES", "evdev"},
                 {"XKB_DEFAULT_MODEL", "pc105"},
                 {"XKB_DEFAULT_LAYOUT", "fr,us"},
                 {"XKB_DEFAULT_OPTIONS", "grp:alt_shift_toggle"}},
         .Expected = {.Rules = "evdev",
                      .Model = "pc105",
                      .Layout = "fr,us",
                      .Options = "grp:alt_shift_toggle"}},
        // A variant without its layout names nothing.
        {.Env = {{"XKB_DEFAULT_VARIANT", "dvorak"}}, .Expected = {.Layout = "us"}},
    };
    for (const auto& c : cases) {
        const KeymapNames names = KeymapNamesFrom([&](const char* name) -> const char* {
            const auto it = c.Env.find(name);
            return it != c.Env.end() ? it->second.c_str() : nullptr;
        });
        EXPECT_EQ(names.Rules, c.Expected.Rules);
        EXPECT_EQ(names.Model, c.Expected.Model);
        EXPECT_EQ(names.Layout, c.Expected.Layout);
        EXPECT_EQ(names.Variant, c.Expected.Variant);
        EXPECT_EQ(names.Options, c.Expected.Options);
    }
}

TEST(KeyboardLayout, AnUnknownLayoutIsReportedByName) {
    std::string error;
    EXPECT_FALSE(KeyboardLayout::Compile({"", "", "no-such-layout", "", ""}, error));
    EXPECT_NE(error.find("\"no-such-layout\""), std::string::npos) << error;
}

TEST(KeyboardLayout, PlacesCharactersOnTheLayoutsOwnKeysAndLevels) {
    const KeyboardLayout us = Compiled("us");
    const KeyboardLayout de = Compiled("de");
    const xkb_mod_mask_t shift = us.ShiftMask();
    ASSERT_NE(shift, 0U);
    ASSERT_NE(de.LevelThreeMask(), 0U);
    const struct {
        const KeyboardLayout& Layout;
        char32_t Ch;
        xkb_mod_mask_t Locked;
        xkb_keycode_t Keycode;
        xkb_mod_mask_t Mods;
    } cases[] = {
        {.Layout = us, .Ch = U'a', .Locked = 0, .Keycode = KeyA, .Mods = 0},
        {.Layout = us, .Ch = U'A', .Locked = 0, .Keycode = KeyA, .Mods = shift},
        // Caps Lock on: the small letter needs Shift, the capital none.
        {.Layout = us, .Ch = U'a', .Locked = us.LockMask(), .Keycode = KeyA, .Mods = shift},
        {.Layout = us, .Ch = U'A', .Locked = us.LockMask(), .Keycode = KeyA, .Mods = 0},
        // The digit row, never the keypad (whose meaning depends on Num Lock).
        {.Layout = us, .Ch = U'1', .Locked = 0, .Keycode = Key1, .Mods = 0},
        {.Layout = us, .Ch = U'\r', .Locked = 0, .Keycode = KeyReturn, .Mods = 0},
        {.Layout = de, .Ch = U'z', .Locked = 0, .Keycode = KeyY, .Mods = 0},
        {.Layout = de, .Ch = U'@', .Locked = 0, .Keycode = KeyQ, .Mods = de.LevelThreeMask()},
        {.Layout = de, .Ch = U'€', .Locked = 0, .Keycode = 26, .Mods = de.LevelThreeMask()},
    };
    for (const auto& c : cases) {
        const auto placed = c.Layout.PlaceCharacter(c.Ch, 0, 0, c.Locked, c.Layout.Pressable());
        ASSERT_TRUE(placed) << static_cast<std::uint32_t>(c.Ch);
        EXPECT_EQ(placed->Keycode, c.Keycode) << static_cast<std::uint32_t>(c.Ch);
        EXPECT_EQ(placed->Mods, c.Mods) << static_cast<std::uint32_t>(c.Ch);
    }
    EXPECT_FALSE(us.PlaceCharacter(U'é', 0, 0, 0, us.Pressable()));
    EXPECT_FALSE(us.PlaceCharacter(U'😀', 0, 0, 0, us.Pressable()));
    // A level a held Shift cannot leave is no place for the small letter.
    EXPECT_FALSE(us.PlaceCharacter(U'a', 0, shift, 0, us.Pressable()));
}

TEST(KeyboardLayout, FindsTheKeyOfAKeysymAndTheFreeKeycodes) {
    const KeyboardLayout us = Compiled("us");
    EXPECT_EQ(us.KeycodeOfKeysym(XKB_KEY_a, 0), KeyA);
    EXPECT_EQ(us.KeycodeOfKeysym(XKB_KEY_A, 0), KeyA) << "at its shifted level";
    EXPECT_EQ(us.KeycodeOfKeysym(XKB_KEY_Return, 0), KeyReturn);
    EXPECT_FALSE(us.KeycodeOfKeysym(XKB_KEY_eacute, 0));
    const auto free = us.FreeKeycodes();
    ASSERT_GE(free.size(), 100U);
    EXPECT_LE(free.front(), 255U) << "keycodes X programs can see come first";
    for (const xkb_keycode_t kc : free) {
        EXPECT_EQ(xkb_keymap_num_layouts_for_key(us.Keymap(), kc), 0U) << kc;
    }
}

TEST(ScanAscii, FollowsTheUsConventionOnTheLayout) {
    const KeyboardLayout us = Compiled("us");
    const KeyboardLayout de = Compiled("de");
    const struct {
        const KeyboardLayout& Layout;
        unsigned char Ch;
        std::optional<KeyScan> Expected;
    } cases[] = {
        {us, 'a', KeyScan{'A', 0}},  {us, 'A', KeyScan{'A', 1}}, {us, '!', KeyScan{'1', 1}},
        {us, '?', KeyScan{191, 1}},  {us, '\n', KeyScan{13, 0}}, {us, '\t', KeyScan{9, 0}},
        {us, 0x01, KeyScan{'A', 2}}, {us, 0x7F, KeyScan{8, 2}},  {de, 'z', KeyScan{'Z', 0}},
        {de, 'y', KeyScan{'Y', 0}},  {de, '@', std::nullopt},    {us, 0x80, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto scan = ScanAsciiOn(c.Layout, c.Ch, 0);
        ASSERT_EQ(scan.has_value(), c.Expected.has_value()) << int{c.Ch};
        if (scan) {
            EXPECT_EQ(scan->VirtualKey, c.Expected->VirtualKey) << int{c.Ch};
            EXPECT_EQ(scan->ShiftState, c.Expected->ShiftState) << int{c.Ch};
        }
    }
}

} // namespace
} // namespace orvane
