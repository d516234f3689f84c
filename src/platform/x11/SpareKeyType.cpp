// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/SpareKeyType.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr std::size_t MaxLevels = 4;

// The level mods of `type` when every level below `levels` is reached by one of `pressable`
// and level 0 by no modifier at all; empty otherwise.
std::vector<unsigned> ReachableLevels(const KeyType& type, std::size_t levels,
                                      std::span<const unsigned> pressable) {
    std::vector<unsigned> mods(levels, 0);
    for (std::size_t level = 0; level < levels; ++level) {
        const auto it = std::find_if(pressable.begin(), pressable.end(),
                                     [&](unsigned m) { return LevelOf(type, m) == level; });
        if (it == pressable.end() || (level == 0 && *it != 0)) {
            return {};
        }
        mods[level] = *it;
    }
    return mods;
}

std::size_t LevelCount(const KeyType& type) {
    unsigned highest = 0;
    for (const KeyTypeEntry& entry : type.Entries) {
        highest = std::max(highest, entry.Level);
    }
    return static_cast<std::size_t>(highest) + 1;
}

} // namespace

SpareKeyType ChooseSpareKeyType(const KeymapSnapshot& snapshot, unsigned lockMasks,
                                std::span<const unsigned> pressable) {
    SpareKeyType best;
    for (std::size_t index = 0; index < snapshot.Types.size(); ++index) {
        const KeyType& type = snapshot.Types[index];
        // Every level of the type must be one we reach: a key's keysyms are written for all its
        // levels, and a type with a level beyond our reach (Ctrl+Alt, Lock) would leave a key
        // whose keysyms do not fill its type.
        const std::size_t levels = LevelCount(type);
        if ((type.Mask & lockMasks) != 0 || levels > MaxLevels || levels <= best.LevelMods.size()) {
            continue;
        }
        std::vector<unsigned> mods = ReachableLevels(type, levels, pressable);
        if (!mods.empty()) {
            best.TypeIndex = static_cast<unsigned>(index);
            best.LevelMods = std::move(mods);
        }
    }
    return best;
}

} // namespace orvane
