// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/CaptureEvent.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// A user's input written as a test reads it: what was pressed, where and when. Keys are named
// by their character (or a number for keys without one); the clock only moves with At().
class CaptureInput {
public:
    CaptureInput& At(std::uint32_t time) {
        time_ = time;
        return *this;
    }
    CaptureInput& In(WindowId id, std::string title, WindowRect frame) {
        window_ = {id, std::move(title), frame};
        return *this;
    }
    // Presses and releases one key per character (upper case as Shift makes it).
    CaptureInput& Type(const std::string& text) {
        for (const char c : text) {
            Press(KeyOf(c), static_cast<std::uint8_t>(c));
            Release(KeyOf(c));
        }
        return *this;
    }
    CaptureInput& Press(int key, std::uint8_t character = 0, std::uint8_t virtualKey = 0,
                        bool repeat = false) {
        CaptureEvent e = Base(CaptureEventKind::KeyDown);
        e.Key = key;
        e.Character = character;
        e.VirtualKey = virtualKey;
        e.Repeat = repeat;
        events.push_back(e);
        return *this;
    }
    CaptureInput& Release(int key) {
        CaptureEvent e = Base(CaptureEventKind::KeyUp);
        e.Key = key;
        events.push_back(e);
        return *this;
    }
    // A named key (no character) pressed and released.
    CaptureInput& Tap(std::uint8_t virtualKey) {
        return Press(1000 + virtualKey, 0, virtualKey).Release(1000 + virtualKey);
    }
    CaptureInput& Hold(CaptureModifier modifier, int key = 0) {
        CaptureEvent e = Base(CaptureEventKind::KeyDown);
        e.Key = key != 0 ? key : 500 + static_cast<int>(modifier);
        e.Modifier = modifier;
        events.push_back(e);
        return *this;
    }
    CaptureInput& Let(CaptureModifier modifier, int key = 0) {
        return Release(key != 0 ? key : 500 + static_cast<int>(modifier));
    }
    CaptureInput& ButtonDown(int button, int x, int y) {
        return Mouse(CaptureEventKind::ButtonDown, button, x, y);
    }
    CaptureInput& ButtonUp(int button, int x, int y) {
        return Mouse(CaptureEventKind::ButtonUp, button, x, y);
    }
    CaptureInput& Click(int button, int x, int y) {
        return ButtonDown(button, x, y).ButtonUp(button, x, y);
    }
    // Notches: positive forward, negative backward.
    CaptureInput& Wheel(int notches, int x, int y) {
        return Mouse(CaptureEventKind::Wheel, notches, x, y);
    }

    std::vector<CaptureEvent> events;

private:
    static int KeyOf(char c) {
        return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    CaptureEvent Base(CaptureEventKind kind) const {
        CaptureEvent e;
        e.Kind = kind;
        e.Time = time_;
        e.Foreground = window_;
        return e;
    }
    CaptureInput& Mouse(CaptureEventKind kind, int key, int x, int y) {
        CaptureEvent e = Base(kind);
        e.Key = key;
        e.X = x;
        e.Y = y;
        events.push_back(e);
        return *this;
    }

    std::uint32_t time_ = 1000;
    CaptureWindow window_;
};

} // namespace orvane
