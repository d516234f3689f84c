// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane {

// Windows mouse-event flags: the vocabulary of the mouse tags and of recorded event traces.
namespace MouseFlag {
inline constexpr std::uint32_t Move = 0x0001;
inline constexpr std::uint32_t LeftDown = 0x0002;
inline constexpr std::uint32_t LeftUp = 0x0004;
inline constexpr std::uint32_t RightDown = 0x0008;
inline constexpr std::uint32_t RightUp = 0x0010;
inline constexpr std::uint32_t MiddleDown = 0x0020;
inline constexpr std::uint32_t MiddleUp = 0x0040;
inline constexpr std::uint32_t Wheel = 0x0800;
inline constexpr std::uint32_t Absolute = 0x8000;
} // namespace MouseFlag

// What the keyboard layout needs to type a character: a virtual key and the modifiers to hold
// (bit 1 Shift, bit 2 Ctrl, bit 4 Alt), as the Windows layout query reports it.
struct KeyScan {
    std::uint8_t VirtualKey = 0;
    std::uint8_t ShiftState = 0;
};

struct ScreenSize {
    int Width = 0;
    int Height = 0;
};

// Injects keyboard and mouse events into the desktop's input stream, so they reach whatever
// window has the focus exactly as if the user had typed them. Keys are named by Windows
// virtual-key codes, the vocabulary macro texts and macro files are written in; each backend
// translates them to its own keys. Every call sends its events at once; nothing is queued.
class InputSynth {
public:
    virtual ~InputSynth() = default;

    // One key press (up == false) or release of a virtual key. Unknown keys are ignored.
    virtual void PostKey(std::uint8_t virtualKey, bool up) = 0;

    // The key and modifiers that type `ch` (an ASCII character, below 128) on the current
    // layout, or nothing when no key of the layout gives it at the plain or shifted level. The
    // caller presses the modifiers itself (they are one-shot marks of the playback level).
    virtual std::optional<KeyScan> ScanCharacter(unsigned char ch) = 0;

    // Types one character by whatever means the layout offers (another level or group, or a
    // keycode bound for the moment). Used for what ScanCharacter cannot place. Modifiers the
    // caller holds stay held.
    virtual void TypeCharacter(char32_t ch) = 0;

    // Alt held while `digits` are struck on the numeric keypad: "0" and three digits name a
    // Windows-1252 character, three digits a code page 437 one. Backends whose desktop has no
    // such input method type the character the code names instead.
    virtual void PostAltCode(std::string_view digits) = 0;

    // One mouse event with Windows mouse-event flags: buttons, wheel (data in multiples of 120,
    // positive forward) and moves (with Absolute, dx and dy in 0..65535 across the screen).
    virtual void PostMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                           std::int32_t data) = 0;

    virtual bool CapsLockOn() = 0;
    virtual ScreenSize GetScreenSize() = 0;

    // A hint before playback: the characters the macro text is about to type. A backend that
    // must bind keys for characters its layout lacks binds them all now, at once, instead of
    // one by one as TypeCharacter meets them. Typing is the same with or without the hint.
    virtual void PrepareCharacters(std::u32string_view /*text*/) {}

    // The events sent since the previous call form one batch; the backend marks its end in
    // the input stream so that observers can tell the program's own input from anyone else's.
    // Called before the program waits and when playback ends. Nothing to do by default.
    virtual void EndOfBatch() {}

    // Playback has ended: what the backend changed for typing (keys bound for the moment)
    // returns to how it found it. Keys and buttons a macro left held stay held. Nothing to do
    // by default.
    virtual void EndOfPlayback() {}
};

} // namespace orvane
