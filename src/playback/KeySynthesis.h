// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputSynth.h"
#include "playback/PlaybackState.h"
#include "playback/Waits.h"
#include "script/ScriptReader.h"

#include <cstdint>
#include <string_view>

namespace orvane {

// Windows virtual-key codes playback names.
namespace VirtualKey {
inline constexpr std::uint8_t Shift = 16;
inline constexpr std::uint8_t Ctrl = 17;
inline constexpr std::uint8_t Alt = 18;
inline constexpr std::uint8_t CapsLock = 20;
inline constexpr std::uint8_t Tab = 9;
inline constexpr std::uint8_t Enter = 13;
inline constexpr std::uint8_t Keypad0 = 96;
inline constexpr std::uint8_t LetterC = 67;
inline constexpr std::uint8_t LetterV = 86;
} // namespace VirtualKey

// Modifiers held down for the next key or character only. Each nesting level of playback has
// its own, all clear when the level starts. A mark is a flag, not a count.
struct OneShotMarks {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

// Turns the key, character, modifier and mouse items of a macro into input events, one event
// per call of the backend, with the keystroke and mouse delays of the playback state.
class KeySynthesis {
public:
    KeySynthesis(InputSynth& input, Waits& waits, const PlaybackState& state)
        : input_(input), waits_(waits), state_(state) {}

    void PostVKey(std::uint8_t key, bool up);

    // One character of the macro text (a Windows-1252 byte): the keystroke delay, then the key
    // and shift state the layout gives it, with the modifiers pressed as one-shot marks and
    // released after. Bytes from 128 up go through their Alt code ("0" and three digits) and
    // leave pending one-shots held. A line feed on its own types Enter, as a carriage return
    // does: text files written on Linux end their lines so. An ASCII character the layout has
    // no key for is typed by the backend's other means; a control character without a key is
    // not typed.
    void TypeChar(unsigned char ch, OneShotMarks& marks);

    // Alt held while the digits of `digits` are struck on the keypad. Characters that are not
    // digits are passed over; without any digit nothing is sent (a lone Alt tap would open the
    // target's menu bar).
    void PostAltCode(std::string_view digits);

    // Shift, then Ctrl, then Alt: each marked one is released and its mark cleared.
    void ReleaseOneShots(OneShotMarks& marks);

    // A named key: keystroke delay, press, release, ReleaseOneShots.
    void NamedKey(std::uint8_t key, OneShotMarks& marks);

    // "<RIGHT MOUSE>", "<MIDDLE MOUSE>": the button's virtual key through the keyboard path,
    // without the keystroke delay.
    void MouseKey(std::uint8_t key, OneShotMarks& marks);

    // "<ALT:", "<ALT4:": keystroke delay, then the Alt code; one-shots stay held.
    void AltCodeTag(std::string_view digits);

    void ShiftOneShot(OneShotMarks& marks);
    void CtrlOneShot(OneShotMarks& marks);
    void AltToggle(OneShotMarks& marks);

    // Ctrl+C and Ctrl+V, without delay.
    void ClipCopy();
    void ClipPaste();

    void ToggleCapsLock();

    // Mouse tags: the mouse delay once, then the events back to back. One-shots stay held.
    void MouseButton(MouseButtonId button, MouseAction action);
    void Wheel(int notches); // positive forward
    // An absolute move to screen pixel (x, y).
    void MoveTo(double x, double y);

private:
    void KeystrokeDelay();
    void MouseDelay();

    InputSynth& input_;
    Waits& waits_;
    const PlaybackState& state_;
};

} // namespace orvane
