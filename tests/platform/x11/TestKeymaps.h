// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/x11/Keymap.h"

namespace orvane::test {

// Modifier masks as a typical XKB keymap resolves them.
inline constexpr unsigned NumLockMask = 1U << 4; // Mod2
inline constexpr unsigned Level3Mask = 1U << 7;  // Mod5

// Type indexes of the snapshots below.
enum TestType : unsigned { OneLevel, TwoLevel, Alphabetic, Keypad, FourLevel };

// Keycodes of the snapshots below (those of the evdev rules).
inline constexpr std::uint8_t KeyOne = 10; // 1 !
inline constexpr std::uint8_t KeySeven = 16;
inline constexpr std::uint8_t KeyMinus = 20; // - _ (German: ssharp ?)
inline constexpr std::uint8_t KeyQ = 24;
inline constexpr std::uint8_t KeyY = 29;
inline constexpr std::uint8_t KeyA = 38;
inline constexpr std::uint8_t KeyZ = 52;
inline constexpr std::uint8_t KeySlash = 61;
inline constexpr std::uint8_t KeyShift = 50;
inline constexpr std::uint8_t KeyReturn = 36;
inline constexpr std::uint8_t KeyKeypad1 = 87;
inline constexpr std::uint8_t KeyLevel3 = 92;
inline constexpr std::uint8_t KeyE = 26;

// A US keymap with the keys the tests type on, a Cyrillic second group on the E key, and
// empty keycodes 200..203.
KeymapSnapshot UsSnapshot();

// The German layout's differences: Y and Z swapped, '"' on Shift+2, "/" on Shift+7, sharp s with
// "?" on the minus key, "@" on AltGr+Q, "€" on AltGr+E.
KeymapSnapshot GermanSnapshot();

} // namespace orvane::test
