// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputSynth.h"
#include "platform/linux/VirtualKeys.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

namespace orvane {

// Modifier bits as the X core protocol numbers them.
namespace ModifierMask {
inline constexpr unsigned Shift = 1U << 0;
inline constexpr unsigned Lock = 1U << 1;
inline constexpr unsigned Control = 1U << 2;
inline constexpr unsigned Mod1 = 1U << 3;
} // namespace ModifierMask

// A plain copy of the parts of an XKB keymap that typing needs, so that every decision taken on
// it can be tested without an X server.
struct KeyTypeEntry {
    unsigned Mods = 0;  // the real modifiers that select...
    unsigned Level = 0; // ...this level
};

struct KeyType {
    unsigned Mask = 0; // the modifiers the type looks at; others do not change the level
    std::vector<KeyTypeEntry> Entries;
};

struct KeyGroup {
    unsigned Type = 0;          // index into KeymapSnapshot::Types
    std::vector<Keysym> Levels; // keysym per level
};

struct KeyEntry {
    std::vector<KeyGroup> Groups; // empty: the keycode carries nothing (a spare key)
    std::uint8_t ModMap = 0;      // the real modifiers the key sets
};

struct KeymapSnapshot {
    int MinKeycode = 8;
    int MaxKeycode = 255;
    std::vector<KeyType> Types;
    std::array<KeyEntry, 256> Keys;
};

// The level a key of `type` gives while `mods` are in effect (XKB: the entry whose modifiers
// equal the relevant ones exactly, else the first level).
unsigned LevelOf(const KeyType& type, unsigned mods);

// The first of `pressable` (modifier masks the backend can press, in order of preference) that,
// together with the locked modifiers `locked`, makes `type` give `level`; nothing when none does.
// Caps Lock is why `locked` matters: with it on, a lower-case letter needs Shift.
std::optional<unsigned> ModifiersForLevel(const KeyType& type, unsigned level, unsigned locked,
                                          std::span<const unsigned> pressable);

// Where a character or key sits: press `Mods`, then the keycode, with `Group` in effect.
struct KeyPlacement {
    std::uint8_t Keycode = 0;
    unsigned Group = 0;
    unsigned Level = 0;
    unsigned Mods = 0;
};

// The character table of a keymap: for every character the keys, groups and levels that type
// it, found by Unicode code point so that legacy and Unicode keysyms meet.
class Keymap {
public:
    Keymap() = default;
    explicit Keymap(KeymapSnapshot snapshot);

    // Places `ch` with the fewest modifiers: first in `group` (the group in effect), then in the
    // other groups; within a group the lowest level, then the lowest keycode. Only levels that
    // one of `pressable` reaches count.
    std::optional<KeyPlacement> PlaceCharacter(char32_t ch, unsigned group, unsigned locked,
                                               std::span<const unsigned> pressable) const;

    // The key to press for a keysym: the one that has it at the first level of `group`, else at
    // the first level of another group, else at any level.
    std::optional<std::uint8_t> KeycodeOfKeysym(Keysym keysym, unsigned group) const;

    // The keysym at the first level of a key in `group` (wrapped as XKB wraps groups).
    Keysym BaseKeysym(std::uint8_t keycode, unsigned group) const;

    // The level `keysym` occupies on `keycode` in `group`, if it is there.
    std::optional<unsigned> LevelOfKeysym(std::uint8_t keycode, unsigned group,
                                          Keysym keysym) const;

    const KeyType* TypeOf(std::uint8_t keycode, unsigned group) const;

    // The real modifiers of the key that carries `keysym` at its first level (0 if none).
    unsigned ModifierOfKeysym(Keysym keysym) const;

    // Keycodes that carry no keysym at all and set no modifier: free to bind for the moment.
    std::vector<std::uint8_t> EmptyKeycodes() const;

    // The group XKB uses on a key with `count` groups when `group` is in effect (wrapping).
    static unsigned WrapGroup(unsigned group, std::size_t count);

private:
    struct Candidate {
        std::uint8_t Keycode;
        unsigned Group;
        unsigned Level;
    };

    KeymapSnapshot snapshot_;
    std::unordered_map<char32_t, std::vector<Candidate>> characters_;
};

// The US-convention answer to "which key and shift state type this ASCII character", read from
// the current keymap: the key whose plain or shifted level in `group` gives `ch`, named by the
// virtual key of its base keysym, provided that virtual key leads back to the same key. Control
// characters follow the same convention (Ctrl with a letter, Tab, Return, Escape; a line feed
// is Return). Nothing when the layout has no such key or no consistent name for it.
std::optional<KeyScan> ScanAscii(const Keymap& keymap, unsigned char ch, unsigned group);

} // namespace orvane
