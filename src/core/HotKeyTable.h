// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane {

// The 720 hot key codes a macro's `HotKey` can hold. The order is part of the macro file format:
// a code is an index into this table. Names are the program's own texts (at most 24 characters,
// longer ones cut, e.g. "Ctrl+Alt+Shift+Left Arro").
inline constexpr std::size_t HotKeyCount = 720;

// What a code means: the key's Windows virtual-key code (0 for mouse entries), the mouse button
// (0 none, 1 left, 2 right, 3 middle) and exactly the modifiers named in the entry.
struct DecipheredKey {
    std::uint8_t VirtualKey = 0;
    std::uint8_t MouseButton = 0;
    bool Ctrl = false;
    bool Alt = false;
    bool Shift = false;
    bool Win = false;

    friend bool operator==(const DecipheredKey&, const DecipheredKey&) = default;
};

struct HotKeyEntry {
    std::string_view Name; // static storage, valid for the whole run
    DecipheredKey Key;
};

// The whole table, built once from one description so names and decoded keys always agree.
const std::array<HotKeyEntry, HotKeyCount>& HotKeyTable();

// The name of a code, or nothing for codes outside 0..719 (10000, 20000 and damaged values).
std::optional<std::string_view> HotKeyName(std::uint32_t code);

// The key, button and modifiers of a code; all zero for codes outside 0..719.
DecipheredKey DecipherKey(std::uint32_t code);

// The code whose name is exactly `name`, if any.
std::optional<std::uint16_t> HotKeyCodeOf(std::string_view name);

// The code of a key or button with exactly these modifiers, if the table has one.
std::optional<std::uint16_t> HotKeyCodeOfKey(const DecipheredKey& key);

// "LMouse" or "RMouse" with no modifier: as a hot key it takes every left or right click of the
// desktop (or of its window) away from the programs.
bool IsPlainClickKey(std::uint32_t code);

} // namespace orvane
