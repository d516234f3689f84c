// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HotKeyTable.h"
#include "platform/x11/Keymap.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvane {

// The real modifiers (X modifier bits) behind the modifiers hot keys name, and the two lock
// keys a grab must ignore, as the keyboard's modifier map assigns them (Num Lock is usually
// Mod2, but nothing says so).
struct ModifierMasks {
    unsigned Alt = 0;
    unsigned Win = 0;
    unsigned NumLock = 0;
    unsigned ScrollLock = 0;
};

// The keyboard as the hook backend reads it: the character table and each keycode's real
// modifiers.
struct HookKeymap {
    Keymap Keys;
    KeymapSnapshot Snapshot;
    std::array<std::uint8_t, 256> ModMap{};
    ModifierMasks Masks;
};

// Builds the backend's keymap from a snapshot; the masks come from the keys carrying Alt_L,
// Super_L, Num_Lock and Scroll_Lock.
HookKeymap HookKeymapOf(KeymapSnapshot snapshot);

// Every combination of Caps Lock, Num Lock and Scroll Lock (none included): a grab is made once
// with each, so the hot key works whatever lock is on. Locks without a modifier are left out.
std::vector<unsigned> LockCombinations(const ModifierMasks& masks);

// The modifiers to grab for a hot key's flags, and the inverse: the flags of a state (lock
// modifiers and others ignored).
unsigned GrabModifiersOf(const DecipheredKey& key, const ModifierMasks& masks);

// What one hot key code grabs: a keycode or a pointer button (1 left, 2 middle, 3 right) with
// the modifiers. Nothing for codes without a key on this keyboard.
struct GrabTarget {
    bool Button = false;
    unsigned Detail = 0;
    unsigned Modifiers = 0;
    friend bool operator==(const GrabTarget&, const GrabTarget&) = default;
};
std::optional<GrabTarget> GrabOf(std::uint32_t code, const HookKeymap& keymap, unsigned group);

// The virtual key a keycode stands for in hot keys: a keypad digit key is its digit whatever
// Num Lock says; other keys go by the keysym of their first level.
std::optional<std::uint8_t> HotKeyVirtualKeyOf(const HookKeymap& keymap, std::uint8_t keycode,
                                               unsigned group);

// The hot key code of a struck key or button with the modifier state `state`, if the table has
// one for that combination.
std::optional<std::uint16_t> HotKeyOfKey(const HookKeymap& keymap, std::uint8_t keycode,
                                         unsigned state, unsigned group);
std::optional<std::uint16_t> HotKeyOfButton(const HookKeymap& keymap, unsigned button,
                                            unsigned state);

// The character (a Windows-1252 byte) the user types with a key in this state, as ShortKeys
// read typing: printable characters and Backspace (8), Tab (9), Enter (13), Escape (27); the
// keypad's digits (with Num Lock) and its Enter as the digits and Enter. Nothing while Ctrl,
// Alt or Win is held (a command, not typing), for keys that type no character, for the keypad's
// other keys, and for characters Windows-1252 lacks.
std::optional<unsigned char> TypedCharacterOf(const HookKeymap& keymap, std::uint8_t keycode,
                                              unsigned state, unsigned group);

// A key of the numeric keypad: those that type no character still end the word being typed.
bool IsKeypadKey(const HookKeymap& keymap, std::uint8_t keycode, unsigned group);

// The modifiers of the modifier keys among `held` (keycodes the user holds down).
unsigned HeldModifiersOf(const HookKeymap& keymap, const std::array<bool, 256>& held);

// The keycodes among `held` that a macro waits for the user to let go of: every key but Num
// Lock and Scroll Lock, or with `modifiersOnly` the modifier keys alone (Shift, Control and
// Mod1..Mod5; Caps Lock is no key a hot key holds).
std::vector<std::uint8_t> KeysHeldDown(const HookKeymap& keymap, const std::array<bool, 256>& held,
                                       bool modifiersOnly);

} // namespace orvane
