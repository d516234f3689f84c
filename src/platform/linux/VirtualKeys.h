// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace orvane {

// An X keysym (29 bits), kept as a plain integer so the translation functions need no X header.
using Keysym = std::uint32_t;

inline constexpr Keysym NoKeysym = 0;

// Windows virtual-key codes the display backends treat apart from ordinary keys.
namespace VirtualKeyCode {
inline constexpr std::uint8_t LeftButton = 1;
inline constexpr std::uint8_t RightButton = 2;
inline constexpr std::uint8_t MiddleButton = 4;
inline constexpr std::uint8_t Return = 13;
inline constexpr std::uint8_t Shift = 16;
inline constexpr std::uint8_t Control = 17;
inline constexpr std::uint8_t Alt = 18;
inline constexpr std::uint8_t CapsLock = 20;
inline constexpr std::uint8_t Execute = 43;
inline constexpr std::uint8_t Numpad0 = 96;
inline constexpr std::uint8_t Numpad9 = 105;
inline constexpr std::uint8_t Decimal = 110;
} // namespace VirtualKeyCode

// The keysym of the key a virtual-key code names, or NoKeysym for codes that name no key here
// (unassigned codes, mouse buttons, and Execute, which playback uses as its end mark and which
// must never reach an application). Letters give their lower-case keysym and the punctuation
// keys the base keysym of the US layout, the convention macro files are written in.
Keysym KeysymOfVirtualKey(std::uint8_t virtualKey);

// The inverse for the base keysym of a key: the virtual key whose keysym that is (upper-case
// letters count as their lower-case form), or nothing.
std::optional<std::uint8_t> VirtualKeyOfKeysym(Keysym keysym);

// The X pointer button a mouse-button virtual key stands for (1 left, 3 right, 2 middle), or 0.
unsigned MouseButtonOfVirtualKey(std::uint8_t virtualKey);

// True for the keypad digits and the keypad decimal point, whose keysym sits on the Num Lock
// level of the keypad keys.
bool IsNumLockKeypadKey(std::uint8_t virtualKey);

} // namespace orvane
