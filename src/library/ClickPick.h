// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

// Whether a mouse press picks its button as the hot key in a pick field. Only a press over the
// field itself can: a click anywhere else is the user moving on (to a button, an option, the
// list). Nor can the click that gives the field the focus or brings its window forward: the
// user meant to go to the field, not to make the mouse a hot key.
class ClickPickGate {
public:
    enum class FocusCause {
        Keys,    // Tab, a mnemonic
        Program, // the dialog put it there (on opening, after a refusal)
        Pointer, // a click on the field
        Window,  // its window became active, which a click on the field may have done
    };
    // The field got the focus; `buttonHeld`: some mouse button is down at that moment.
    void FocusGained(FocusCause cause, bool buttonHeld);
    // No button is held any more (one was released, or the pointer moves with none held).
    void ButtonsUp() { armed_ = true; }
    // A press while the field has the focus: true when it is a pick.
    bool Press(bool overField) const { return overField && armed_; }

private:
    bool armed_ = false;
};

// The hot key of a click: `button` as the key table numbers them (1 left, 2 right, 3 middle)
// with these modifiers, when the table has that combination.
std::optional<std::uint16_t> ClickHotKey(int button, bool ctrl, bool alt, bool shift, bool win);

// The question asked before a plain "LMouse" or "RMouse" is taken as a macro's hot key (caption
// "Warning", Yes/No), worded for the macro's scope: every click in every program, in the chosen
// window or in the chosen program will play the macro. Nothing for any other key.
std::optional<std::string> PlainClickQuestion(std::uint16_t code, std::int16_t scope);

// Refused ("Error") as the key of a system command: a plain click would stop being a click
// everywhere, and loading puts a system command on one back on its default key.
std::string PlainClickSystemText(std::uint16_t code);

} // namespace orvane
