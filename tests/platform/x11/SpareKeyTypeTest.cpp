// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/SpareKeyType.h"

#include "TestKeymaps.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::Level3Mask;
using test::NumLockMask;

TEST(SpareKeyType, MostLevelsThePressableModifiersReachAndNoLockChanges) {
    const KeymapSnapshot snapshot = test::UsSnapshot();
    const unsigned locks = ModifierMask::Lock | NumLockMask;
    const unsigned shift = ModifierMask::Shift;
    const struct {
        const char* Name;
        std::vector<unsigned> Pressable;
        unsigned Type;
        std::vector<unsigned> LevelMods;
    } cases[] = {
        {"Shift and AltGr",
         {0, shift, Level3Mask, shift | Level3Mask},
         test::FourLevel,
         {0, shift, Level3Mask, shift | Level3Mask}},
        // Alphabetic and keypad keys also have two levels, but Caps Lock or Num Lock would turn
        // a bound character into another one.
        {"Shift only", {0, shift}, test::TwoLevel, {0, shift}},
        {"no modifier key", {0}, test::OneLevel, {0}},
    };
    for (const auto& c : cases) {
        const SpareKeyType chosen = ChooseSpareKeyType(snapshot, locks, c.Pressable);
        EXPECT_EQ(chosen.TypeIndex, c.Type) << c.Name;
        EXPECT_EQ(chosen.LevelMods, c.LevelMods) << c.Name;
    }
}

// Keymaps carry types whose first four levels look like FOUR_LEVEL's but which have a fifth
// (Ctrl+Alt for the console switch keys): a bound key must fill all of its type's levels, so
// such a type is never taken, even when it comes first.
TEST(SpareKeyType, ATypeWithALevelOutOfReachIsNeverTaken) {
    KeymapSnapshot snapshot = test::UsSnapshot();
    const unsigned shift = ModifierMask::Shift;
    const unsigned ctrlAlt = ModifierMask::Control | ModifierMask::Mod1;
    const KeyType fiveLevels{shift | Level3Mask | ctrlAlt,
                             {{shift, 1}, {Level3Mask, 2}, {shift | Level3Mask, 3}, {ctrlAlt, 4}}};
    snapshot.Types.insert(snapshot.Types.begin() + test::FourLevel, fiveLevels);
    const std::vector<unsigned> pressable = {0, shift, Level3Mask, shift | Level3Mask};
    const SpareKeyType chosen =
        ChooseSpareKeyType(snapshot, ModifierMask::Lock | NumLockMask, pressable);
    EXPECT_EQ(chosen.TypeIndex, test::FourLevel + 1U);
    EXPECT_EQ(chosen.LevelMods.size(), 4U);
}

} // namespace
} // namespace orvane
