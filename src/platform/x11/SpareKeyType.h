// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/x11/Keymap.h"

#include <span>
#include <vector>

namespace orvane {

// The key type spare keycodes are bound with, and how each of its levels is reached. A spare
// keycode that carries a character on each of several levels (plain, Shift, AltGr,
// Shift+AltGr) multiplies how many characters a playback can have bound at once: on a keyboard
// with 19 empty keycodes, four levels hold every letter Latin-1 adds to ASCII, so a text full of
// them is bound once, before its first key, and no keycode a program may still be reading is
// ever bound anew.
struct SpareKeyType {
    unsigned TypeIndex = 0;             // index into the keymap's types (0: ONE_LEVEL)
    std::vector<unsigned> LevelMods{0}; // modifiers to press for level i
};

// The type of `snapshot` with the most levels (at most four), every one of which a `pressable`
// modifier set selects (level 0 with none), and that neither Caps Lock nor Num Lock change (so the
// locks the user has on never change which character a bound key types). ONE_LEVEL when none does.
SpareKeyType ChooseSpareKeyType(const KeymapSnapshot& snapshot, unsigned lockMasks,
                                std::span<const unsigned> pressable);

} // namespace orvane
