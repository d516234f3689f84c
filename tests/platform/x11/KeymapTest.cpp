// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestKeymaps.h"

#include "platform/x11/Keymap.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace orvane::test;

constexpr unsigned Shift = ModifierMask::Shift;
constexpr unsigned Lock = ModifierMask::Lock;
constexpr unsigned Pressable[] = {0, Shift, Level3Mask, Shift | Level3Mask};

TEST(LevelSelection, TypesGiveTheLevelTheirEntriesName) {
    const KeymapSnapshot s = UsSnapshot();
    const KeyType& alphabetic = s.Types[Alphabetic];
    EXPECT_EQ(LevelOf(alphabetic, 0), 0U);
    EXPECT_EQ(LevelOf(alphabetic, Shift), 1U);
    EXPECT_EQ(LevelOf(alphabetic, Lock), 1U);
    EXPECT_EQ(LevelOf(alphabetic, Shift | Lock), 0U) << "Shift undoes Caps Lock on letters";
    EXPECT_EQ(LevelOf(alphabetic, ModifierMask::Control), 0U) << "Ctrl is not looked at";
    EXPECT_EQ(LevelOf(s.Types[FourLevel], Level3Mask), 2U);
    EXPECT_EQ(LevelOf(s.Types[FourLevel], Shift | Level3Mask | NumLockMask), 3U);
    EXPECT_EQ(LevelOf(s.Types[Keypad], NumLockMask), 1U);
}

TEST(LevelSelection, LockedModifiersChangeWhatMustBePressed) {
    const KeymapSnapshot s = UsSnapshot();
    const KeyType& alphabetic = s.Types[Alphabetic];
    EXPECT_EQ(ModifiersForLevel(alphabetic, 0, 0, Pressable), 0U);
    EXPECT_EQ(ModifiersForLevel(alphabetic, 1, 0, Pressable), Shift);
    // Caps Lock on: the lower-case letter needs Shift, the capital none.
    EXPECT_EQ(ModifiersForLevel(alphabetic, 0, Lock, Pressable), Shift);
    EXPECT_EQ(ModifiersForLevel(alphabetic, 1, Lock, Pressable), 0U);
    EXPECT_EQ(ModifiersForLevel(s.Types[FourLevel], 3, 0, Pressable), Shift | Level3Mask);
    // The keypad's number level needs Num Lock, which is not pressable.
    EXPECT_EQ(ModifiersForLevel(s.Types[Keypad], 1, 0, Pressable), Shift);
    constexpr unsigned PlainOnly[] = {0};
    EXPECT_FALSE(ModifiersForLevel(alphabetic, 1, 0, PlainOnly));
}

struct ScanCase {
    unsigned char Ch;
    std::uint8_t VirtualKey;
    std::uint8_t ShiftState;
};

TEST(ScanAscii, FollowsTheUsConventionOnAUsKeymap) {
    const Keymap keymap(UsSnapshot());
    const ScanCase cases[] = {
        {'a', 'A', 0},  {'A', 'A', 1},  {'z', 'Z', 0}, {'1', '1', 0}, {'!', '1', 1},
        {'(', '9', 1},  {')', '0', 1},  {'-', 189, 0}, {'_', 189, 1}, {'/', 191, 0},
        {'?', 191, 1},  {'\\', 220, 0}, {'|', 220, 1}, {' ', 32, 0},  {'\t', 9, 0},
        {'\r', 13, 0},  {'\n', 13, 0},  {'\b', 8, 0},  {0x1B, 27, 0}, {0x01, 'A', 2},
        {0x1A, 'Z', 2}, {0x1C, 220, 2}, {0x7F, 8, 2},
    };
    for (const ScanCase& c : cases) {
        const auto scan = ScanAscii(keymap, c.Ch, 0);
        ASSERT_TRUE(scan) << "character " << int(c.Ch);
        EXPECT_EQ(scan->VirtualKey, c.VirtualKey) << "character " << int(c.Ch);
        EXPECT_EQ(scan->ShiftState, c.ShiftState) << "character " << int(c.Ch);
    }
}

TEST(ScanAscii, NamesOnlyKeysThatTheVirtualKeyLeadsBackTo) {
    const Keymap keymap(GermanSnapshot());
    // The letter keys follow their letters, not their places.
    EXPECT_EQ(ScanAscii(keymap, 'z', 0)->VirtualKey, 'Z');
    EXPECT_EQ(keymap.KeycodeOfKeysym(KeysymOfVirtualKey('Z'), 0), KeyY);
    const auto slash = ScanAscii(keymap, '/', 0);
    ASSERT_TRUE(slash);
    EXPECT_EQ(slash->VirtualKey, '7');
    EXPECT_EQ(slash->ShiftState, 1);
    // "?" sits over sharp s, a key without a US name: left to TypeCharacter.
    EXPECT_FALSE(ScanAscii(keymap, '?', 0));
    // "@" needs AltGr: not a plain or shifted level.
    EXPECT_FALSE(ScanAscii(keymap, '@', 0));
    // Nothing on the keymap at all.
    EXPECT_FALSE(ScanAscii(keymap, '~', 0));
    EXPECT_FALSE(ScanAscii(keymap, 0, 0));
}

TEST(Keymap, PlacesCharactersByLevelAndGroup) {
    const Keymap german(GermanSnapshot());
    const auto at = german.PlaceCharacter(U'@', 0, 0, Pressable);
    ASSERT_TRUE(at);
    EXPECT_EQ(at->Keycode, KeyQ);
    EXPECT_EQ(at->Level, 2U);
    EXPECT_EQ(at->Mods, Level3Mask);
    // The legacy EuroSign keysym gives U+20AC.
    const auto euro = german.PlaceCharacter(U'\u20AC', 0, 0, Pressable);
    ASSERT_TRUE(euro);
    EXPECT_EQ(euro->Keycode, KeyE);
    const auto capital = german.PlaceCharacter(U'Q', 0, Lock, Pressable);
    ASSERT_TRUE(capital);
    EXPECT_EQ(capital->Mods, Shift) << "four-level keys do not look at Caps Lock";
    EXPECT_FALSE(german.PlaceCharacter(U'\u00E9', 0, 0, Pressable));

    const Keymap us(UsSnapshot());
    const auto cyrillic = us.PlaceCharacter(U'\u0443', 0, 0, Pressable);
    ASSERT_TRUE(cyrillic);
    EXPECT_EQ(cyrillic->Keycode, KeyE);
    EXPECT_EQ(cyrillic->Group, 1U);
    const auto inEffect = us.PlaceCharacter(U'\u0443', 1, 0, Pressable);
    ASSERT_TRUE(inEffect);
    EXPECT_EQ(inEffect->Group, 1U);
    // One-group keys wrap: in group 1 the "1" key still types 1.
    EXPECT_EQ(us.PlaceCharacter(U'1', 1, 0, Pressable)->Keycode, KeyOne);
    // Text never comes from the keypad, whose digits depend on Num Lock.
    EXPECT_NE(us.PlaceCharacter(U'1', 0, 0, Pressable)->Keycode, KeyKeypad1);
}

TEST(Keymap, FindsKeysForKeysymsAndFreeKeycodes) {
    const Keymap us(UsSnapshot());
    EXPECT_EQ(us.KeycodeOfKeysym(XK_Return, 0), KeyReturn);
    EXPECT_EQ(us.KeycodeOfKeysym(XK_KP_1, 0), KeyKeypad1) << "found on its Num Lock level";
    EXPECT_EQ(us.KeycodeOfKeysym(XK_question, 0), KeySlash);
    EXPECT_FALSE(us.KeycodeOfKeysym(XK_F13, 0));
    EXPECT_EQ(us.LevelOfKeysym(KeyKeypad1, 0, XK_KP_1), 1U);
    EXPECT_EQ(us.ModifierOfKeysym(XK_Num_Lock), NumLockMask);
    EXPECT_EQ(us.ModifierOfKeysym(XK_ISO_Level3_Shift), Level3Mask);
    const std::vector<std::uint8_t> empty = us.EmptyKeycodes();
    EXPECT_NE(std::find(empty.begin(), empty.end(), 200), empty.end());
    EXPECT_EQ(std::find(empty.begin(), empty.end(), KeyA), empty.end());
    EXPECT_EQ(std::find(empty.begin(), empty.end(), 191), empty.end());
}

} // namespace
} // namespace orvane
