// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowId.h"
#include "platform/WindowSystem.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orvane {

// The role of a key that changes what other keys and buttons do.
enum class CaptureModifier : std::uint8_t {
    Ordinary, // a key that is no modifier
    Shift,
    Ctrl,
    Alt,
    Win,
    Level, // AltGr and the like: picks a character, which is recorded as typed
    Lock,  // Caps Lock, Num Lock, Scroll Lock: their effect is in the characters
};

enum class CaptureEventKind : std::uint8_t { KeyDown, KeyUp, ButtonDown, ButtonUp, Wheel };

// The window in front when an event came, as window-relative recording needs it. Id 0: none.
struct CaptureWindow {
    WindowId Id = NoWindow;
    std::string Title; // Windows-1252
    WindowRect Frame;  // with the window manager's frame, in screen pixels
};

// One input event of the user's, in the program's terms.
struct CaptureEvent {
    CaptureEventKind Kind = CaptureEventKind::KeyDown;
    // Milliseconds on the input clock; it wraps around, so only differences count.
    std::uint32_t Time = 0;
    // Keys: the physical key (so a release finds its press). Buttons: 1 left, 2 middle,
    // 3 right. Wheel: notches, positive forward (away from the user), negative backward.
    int Key = 0;
    CaptureModifier Modifier = CaptureModifier::Ordinary;
    // A key's character in Windows-1252 as the held Shift, AltGr and lock keys make it (0 for a
    // key that types none); Ctrl, Alt and Win do not change it.
    std::uint8_t Character = 0;
    // A key that types no character: its Windows virtual key (0 for none).
    std::uint8_t VirtualKey = 0;
    // A key press the keyboard repeats while the key stays down.
    bool Repeat = false;
    // Buttons and wheel: the pointer on the screen.
    int X = 0;
    int Y = 0;
    CaptureWindow Foreground;
};

// What a capture records, as the capture parameters of the macro table give it.
struct CaptureSettings {
    bool Keys = true;
    bool Mouse = true;
    bool ToScreen = true;    // positions from the screen's corner, else from the window's
    bool WindowSize = false; // with window positions: the window's size is recorded too
    bool DoubleAlt = true;
    bool Timing = true;
};

// Turns the events of one capture into macro text. The backend's recorder hands it the user's
// events; the capture layer's script writer is the one the program gives it.
class CaptureTranscriber {
public:
    virtual ~CaptureTranscriber() = default;
    // The text for one event (often empty).
    virtual std::string Feed(const CaptureEvent& event) = 0;
    // The text that completes the script.
    virtual std::string Finish() = 0;
};

// A fresh transcriber for a capture with `settings`.
using CaptureTranscriberFactory =
    std::function<std::unique_ptr<CaptureTranscriber>(const CaptureSettings& settings)>;

} // namespace orvane
