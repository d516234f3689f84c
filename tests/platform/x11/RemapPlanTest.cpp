// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/RemapPlan.h"

#include "TestKeymaps.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace test;

constexpr std::uint8_t KeyB = 56;
constexpr std::uint8_t KeySpace = 65;
constexpr std::uint8_t SpareKey = 200;

SwapTable Remap(std::initializer_list<std::pair<char, std::uint8_t>> changes) {
    SwapTable table = IdentitySwaps();
    for (const auto& [base, replacement] : changes) {
        table.Bytes[*SwapIndexOf(static_cast<unsigned char>(base))] = replacement;
    }
    return table;
}

// A keyboard as XKB stores it: two levels per group, one group.
KeyRows UsRows() {
    return {
        {KeyOne, {2, {XK_1, XK_exclam}}},
        {KeyA, {2, {XK_a, XK_A}}},
        {KeyB, {2, {XK_b, XK_B}}},
        {KeySpace, {1, {XK_space}}},
        {KeyKeypad1, {2, {XK_KP_End, XK_KP_1}}},
        // A second group: the remap reaches every group.
        {KeyE, {2, {XK_e, XK_E, XK_Cyrillic_u, XK_Cyrillic_U}}},
        {SpareKey, {2, {XK_a, XK_a}}},
    };
}

TEST(RemapPlan, ReplacementBytesBecomeTheKeysymsThatTypeThem) {
    const struct {
        std::uint8_t Byte;
        Keysym Expected;
    } rows[] = {
        {0, NoKeysym}, // "none": the key types nothing
        {'b', XK_b},       {'{', XK_braceleft},
        {0xE9, XK_eacute}, {0x80, 0x10020AC}, // the euro sign, by its Unicode keysym
        {0x7F, NoKeysym},  {0x81, NoKeysym},  // no printable character
        {0x07, NoKeysym},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReplacementKeysym(row.Byte), row.Expected) << int{row.Byte};
    }
}

TEST(RemapPlan, EveryPlaceOfARemappedCharacterGetsItsReplacementAndNothingElseChanges) {
    const SwapTable swaps = Remap({{'a', 'b'}, {'!', 0x80}, {'1', 0}, {' ', '_'}, {'E', 'e'}});
    const std::vector<RemappedKey> plan = PlanRemap(UsRows(), swaps, {SpareKey});
    const std::vector<RemappedKey> expected = {
        {KeyOne, 2, {XK_1, XK_exclam}, {NoKeysym, 0x10020AC}},
        {KeyE,
         2,
         {XK_e, XK_E, XK_Cyrillic_u, XK_Cyrillic_U},
         {XK_e, XK_e, XK_Cyrillic_u, XK_Cyrillic_U}},
        {KeyA, 2, {XK_a, XK_A}, {XK_b, XK_A}},
        {KeySpace, 1, {XK_space}, {XK_underscore}},
        {KeyKeypad1, 2, {XK_KP_End, XK_KP_1}, {XK_KP_End, NoKeysym}}, // the keypad types "1" too
    };
    EXPECT_EQ(plan, expected) << "the B key and the spare key bound for the moment are left alone";
    EXPECT_TRUE(PlanRemap(UsRows(), IdentitySwaps(), {}).empty());
}

TEST(RemapPlan, OnlyKeysStillHoldingWhatWasWrittenCountAsRemapped) {
    const RemappedKey a{KeyA, 2, {XK_a, XK_A}, {XK_b, XK_A}};
    const RemappedKey one{KeyOne, 2, {XK_1, XK_exclam}, {XK_2, XK_exclam}};
    KeyRows now = UsRows();
    now[KeyA].Syms = {XK_b, XK_A};           // as written
    now[KeyOne].Syms = {XK_ampersand, XK_1}; // a layout change rewrote it since
    const KeyRows before = RowsBeforeRemap(now, std::vector{a, one});
    EXPECT_EQ(before.at(KeyA).Syms, (std::vector<Keysym>{XK_a, XK_A}));
    EXPECT_EQ(before.at(KeyOne).Syms, (std::vector<Keysym>{XK_ampersand, XK_1}));
    EXPECT_FALSE(HoldsWritten({1, {XK_b, XK_A}}, a)) << "the same symbols in another shape";
}

TEST(RemapPlan, HotKeysSeeTheKeysOwnCharactersAndSynthesisNeverTypesThroughARemappedPlace) {
    const RemappedKey a{KeyA, 2, {XK_a, XK_A}, {XK_b, XK_A}};
    KeymapSnapshot remapped = UsSnapshot();
    remapped.Keys[KeyA].Groups[0].Levels = {XK_b, XK_A};

    KeymapSnapshot forHotKeys = remapped;
    PutBackOriginals(forHotKeys, std::vector{a});
    EXPECT_EQ(forHotKeys.Keys[KeyA].Groups[0].Levels, (std::vector<Keysym>{XK_a, XK_A}));

    KeymapSnapshot forTyping = remapped;
    EXPECT_EQ(HideRemappedLevels(forTyping, std::vector{a}), std::vector<std::uint8_t>{KeyA});
    const Keymap keymap(forTyping);
    const unsigned pressable[] = {0, ModifierMask::Shift};
    EXPECT_EQ(keymap.KeycodeOfKeysym(XK_b, 0), KeyB) << "the B key, not the remapped A key";
    EXPECT_EQ(keymap.PlaceCharacter(U'a', 0, 0, pressable), std::nullopt) << "a spare key's job";
    const auto upper = keymap.PlaceCharacter(U'A', 0, 0, pressable);
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->Keycode, KeyA) << "its places that were not remapped still serve";

    // A key a layout change has rewritten is nobody's remap any more.
    KeymapSnapshot relaid = UsSnapshot();
    relaid.Keys[KeyA].Groups[0].Levels = {XK_q, XK_Q};
    KeymapSnapshot copy = relaid;
    PutBackOriginals(copy, std::vector{a});
    EXPECT_EQ(copy.Keys[KeyA].Groups[0].Levels, (std::vector<Keysym>{XK_q, XK_Q}));
    EXPECT_TRUE(HideRemappedLevels(relaid, std::vector{a}).empty());
}

TEST(RemapPlan, TheRecordReadsBackAndDamagedRecordsAreRefused) {
    const RemapRecord record{4242,
                             0x1'2345'6789ULL,
                             {{KeyA, 2, {XK_a, XK_A}, {XK_b, XK_A}},
                              {KeyOne, 1, {XK_1, XK_exclam}, {NoKeysym, 0x10020AC}}}};
    const std::vector<long> values = EncodeRemapRecord(record);
    EXPECT_EQ(DecodeRemapRecord(values), record);
    // A 32-bit property may come back sign-extended.
    std::vector<long> extended = EncodeRemapRecord({1, 0xFFFF'FFFF'FFFF'FFFFULL, {}});
    extended[2] = -1;
    extended[3] = -1;
    ASSERT_TRUE(DecodeRemapRecord(extended));
    EXPECT_EQ(DecodeRemapRecord(extended)->StartTime, 0xFFFF'FFFF'FFFF'FFFFULL);

    const auto damaged = [&](std::size_t at, long value) {
        std::vector<long> copy = values;
        copy[at] = value;
        return copy;
    };
    const struct {
        const char* Name;
        std::vector<long> Values;
    } rows[] = {
        {"empty", {}},
        {"another format", damaged(0, 2)},
        {"keycode out of range", damaged(4, 300)},
        {"width zero", damaged(5, 0)},
        {"count not a number of groups", damaged(6, 3)},
        {"cut short", std::vector<long>(values.begin(), values.end() - 1)},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(DecodeRemapRecord(row.Values)) << row.Name;
    }
}

} // namespace
} // namespace orvane
