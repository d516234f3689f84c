// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/ExtraKeysKeymap.h"

#include "platform/linux/KeysymText.h"
#include "platform/wayland/KeyboardLayout.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <gtest/gtest.h>

#include <string>

namespace orvane {
namespace {

KeyboardLayout Us() {
    std::string error;
    auto us = KeyboardLayout::Compile({"", "", "us", "", ""}, error);
    EXPECT_TRUE(us) << error;
    return std::move(*us);
}

// The keymap a compositor would compile from the text, and the keys the characters went on.
struct Extended {
    std::optional<KeyboardLayout> Layout;
    ExtraKeyAssignment Keys;
};

Extended WithExtras(const KeyboardLayout& base, std::u32string_view text) {
    Extended result{std::nullopt, ExtraKeyAssignment(base.FreeKeycodes())};
    std::vector<Keysym> wanted;
    for (const char32_t ch : text) {
        wanted.push_back(BindingKeysymOfCharacter(ch));
    }
    result.Keys.Bind(wanted);
    std::string error;
    result.Layout = KeyboardLayout::FromText(KeymapWithExtraKeys(base, result.Keys.Keys()), error);
    EXPECT_TRUE(result.Layout) << error;
    return result;
}

// Every printable character Windows-1252 adds to ASCII.
std::u32string Windows1252Text() {
    std::u32string text = U"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ";
    for (char32_t ch = 0xA0; ch <= 0xFF; ++ch) {
        text += ch;
    }
    return text;
}

TEST(ExtraKeysKeymap, PlacesWhatTheLayoutLacksAndKeepsTheLayoutsKeys) {
    const KeyboardLayout us = Us();
    std::u32string text;
    for (const char32_t ch : Windows1252Text() + U"Ω日本✓😀") {
        if (!us.PlaceCharacter(ch, 0, 0, 0, us.Pressable())) {
            text += ch; // ± is on a key of its own even on a US keyboard
        }
    }
    ASSERT_GT(text.size(), 120U);
    const Extended extended = WithExtras(us, text);
    ASSERT_TRUE(extended.Layout);
    const KeyboardLayout& km = *extended.Layout;
    ASSERT_EQ(extended.Keys.Keys().size(), text.size());
    const xkb_mod_mask_t shift = km.ShiftMask();
    const xkb_mod_mask_t lock = km.LockMask();
    for (const char32_t ch : text) {
        const auto keycode = extended.Keys.KeycodeOf(BindingKeysymOfCharacter(ch));
        ASSERT_TRUE(keycode) << static_cast<std::uint32_t>(ch);
        // Typed on its key as it is, whatever Shift or Caps Lock say.
        for (const auto& [held, locked] : {std::pair{0U, 0U}, {shift, 0U}, {0U, lock}}) {
            const xkb_mod_mask_t none[] = {0};
            const auto placed = km.PlaceCharacter(ch, 0, held, locked, none);
            ASSERT_TRUE(placed) << static_cast<std::uint32_t>(ch);
            EXPECT_EQ(placed->Keycode, *keycode) << static_cast<std::uint32_t>(ch);
        }
    }
    // The layout's own keys and modifiers are as they were: Ctrl+A is still the A key.
    EXPECT_EQ(km.KeycodeOfKeysym(XKB_KEY_a, 0), us.KeycodeOfKeysym(XKB_KEY_a, 0));
    EXPECT_EQ(km.KeycodeOfKeysym(XKB_KEY_Control_L, 0), us.KeycodeOfKeysym(XKB_KEY_Control_L, 0));
    EXPECT_EQ(km.ShiftMask(), us.ShiftMask());
    EXPECT_EQ(km.LevelThreeMask(), us.LevelThreeMask());
    for (const char32_t ch : std::u32string_view(U"aZ1!\r\t")) {
        const auto before = us.PlaceCharacter(ch, 0, 0, 0, us.Pressable());
        const auto after = km.PlaceCharacter(ch, 0, 0, 0, km.Pressable());
        ASSERT_TRUE(before && after);
        EXPECT_EQ(after->Keycode, before->Keycode);
        EXPECT_EQ(after->Mods, before->Mods);
    }
    // And the keymap survives being written out and compiled again, as a compositor passes it
    // on to the programs.
    std::string error;
    EXPECT_TRUE(KeyboardLayout::FromText(km.Text(), error)) << error;
}

TEST(ExtraKeysKeymap, EveryFreeKeycodeCanCarryACharacter) {
    const KeyboardLayout us = Us();
    const std::size_t capacity = us.FreeKeycodes().size();
    std::u32string text;
    for (char32_t ch = 0x4E00; text.size() < capacity; ++ch) {
        text += ch;
    }
    const Extended extended = WithExtras(us, text);
    ASSERT_TRUE(extended.Layout);
    for (const char32_t ch : text) {
        const xkb_mod_mask_t none[] = {0};
        ASSERT_TRUE(extended.Layout->PlaceCharacter(ch, 0, 0, 0, none))
            << static_cast<std::uint32_t>(ch);
    }
}

TEST(ExtraKeyAssignment, KeepsCharactersOnTheirKeysAndMakesRoomOnlyWhenFull) {
    ExtraKeyAssignment keys({200, 201, 300});
    EXPECT_TRUE(keys.Bind({1, 2, 1}));
    EXPECT_EQ(keys.KeycodeOf(1), 200U);
    EXPECT_EQ(keys.KeycodeOf(2), 201U);
    EXPECT_FALSE(keys.Bind({2, 1})) << "all there already: no new keymap";
    EXPECT_TRUE(keys.Bind({3}));
    EXPECT_EQ(keys.KeycodeOf(3), 300U);
    EXPECT_EQ(keys.KeycodeOf(1), 200U) << "not wanted, but there was room";
    // Full: what is wanted next takes the key of what is not wanted.
    EXPECT_TRUE(keys.Bind({4, 3, 2, 5}));
    EXPECT_EQ(keys.KeycodeOf(4), 200U);
    EXPECT_EQ(keys.KeycodeOf(3), 300U);
    EXPECT_EQ(keys.KeycodeOf(2), 201U);
    EXPECT_FALSE(keys.KeycodeOf(1));
    EXPECT_FALSE(keys.KeycodeOf(5)) << "beyond the capacity";
    EXPECT_TRUE(keys.Clear());
    EXPECT_FALSE(keys.Clear());
    EXPECT_FALSE(keys.KeycodeOf(4));
}

} // namespace
} // namespace orvane
