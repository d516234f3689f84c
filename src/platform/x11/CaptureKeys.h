// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/CaptureEvent.h"
#include "platform/x11/HotKeyGrabs.h"

#include <cstdint>

namespace orvane {

// What a struck key means to a capture.
struct CaptureKey {
    CaptureModifier Modifier = CaptureModifier::Ordinary;
    // The character in Windows-1252 the key types with the held Shift, AltGr and lock modifiers
    // (Ctrl, Alt and Win do not change it); 0 for control characters and characters
    // Windows-1252 lacks.
    std::uint8_t Character = 0;
    // For a key that types no character: its Windows virtual key (Return, Tab, the arrows, the
    // function keys, the keypad), or 0.
    std::uint8_t VirtualKey = 0;
    friend bool operator==(const CaptureKey&, const CaptureKey&) = default;
};

// The key `keycode` in the modifier `state` (X modifier bits) and keyboard group `group`.
CaptureKey CaptureKeyOf(const HookKeymap& keymap, std::uint8_t keycode, unsigned state,
                        unsigned group);

// How often the keyboard repeats a key held from `press` to `release` (server milliseconds,
// which wrap): the first repeat comes `delay` after the press, the others every `interval`; a
// repeat due at the moment of the release is not made.
int AutoRepeatsBetween(std::uint32_t press, std::uint32_t release, unsigned delay,
                       unsigned interval);

} // namespace orvane
