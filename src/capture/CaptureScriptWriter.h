// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/CaptureEvent.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace orvane {

// Turns the user's input into macro text that plays it back.
//
// - A key that types a character is recorded as that character; one that types none as its key
//   tag ("<ENTER>", "<F5>"). "<" becomes "<ALT4:0060>" so that typed text never reads as a tag.
//   Keys that are neither (media keys, the lock keys) are left out: their effect is in the
//   characters that follow.
// - Shift, Ctrl, Alt and Win are recorded as holds ("<CTLD>" ... "<CTLU>") only when a key or a
//   mouse action happens while they are down, so a hold that only chose a capital letter, or
//   the modifiers of the key that stops the capture, leave no trace. Shift is not held over a
//   character (the character already is what Shift made it). A lone tap of Alt (pressed and let
//   go with nothing between) is recorded as "<ALT><ALT>" when DoubleAlt is on (it opens a
//   window's menu bar), else left out; a lone Win tap is "<LEFTWIN>".
// - A button press moves the pointer to where it was pressed ("<MMS:" or, relative to the
//   window in front, "<MMW:"), unless it is there already; a press and release at one place is
//   a click ("<LCLK>"), anything else a press and release of its own ("<LDN>" ... "<LUP>").
//   Wheel notches in one direction that follow each other closely make one "<WFW:" / "<WBW:".
// - With window positions, the window in front is brought forward by "<ACTIVATE:" whenever it
//   changes, with its size ("<WSIZE:") when WindowSize is on.
// - With Timing, the time between two recorded actions is a wait ("<MSD:", or "<DELAY:" past
//   9.999 s); gaps under 10 ms are carried over to the next wait instead of being written. A
//   hold is written when its key or button comes but timed from when the modifier went down.
// - Finish releases whatever the script still holds down.
//
// Output comes as soon as it is certain; a button press waits for its release (or for the next
// event) to know whether it was a click, and wheel notches wait for the next event.
class CaptureScriptWriter final : public CaptureTranscriber {
public:
    explicit CaptureScriptWriter(const CaptureSettings& settings) : settings_(settings) {}

    // The text for one event (often empty).
    std::string Feed(const CaptureEvent& event) override;
    // The text that completes the script.
    std::string Finish() override;

private:
    enum Mod { ShiftMod, CtrlMod, AltMod, WinMod, ModCount };
    struct PendingButton {
        int Button = 0;
        std::uint32_t Time = 0;
        int X = 0;
        int Y = 0;
    };
    struct PendingWheel {
        int Notches = 0; // signed, as the events give them
        std::uint32_t Time = 0;
        std::uint32_t LastTime = 0;
    };

    void KeyDown(const CaptureEvent& event);
    void KeyUp(const CaptureEvent& event);
    void ButtonDown(const CaptureEvent& event);
    void ButtonUp(const CaptureEvent& event);
    void Wheel(const CaptureEvent& event);
    void FlushPending();
    // Brings the script's modifiers to those held now; Shift only when `withShift`.
    void SyncModifiers(bool withShift, std::uint32_t time);
    void Activation(const CaptureWindow& window, std::uint32_t time);
    void MoveTo(const CaptureEvent& event);
    void Put(const std::string& text, std::uint32_t time);
    bool Held(Mod mod) const;

    CaptureSettings settings_;
    std::string out_;
    // Modifier keys down (key -> modifier) and when each modifier went down.
    std::map<int, Mod> heldKeys_;
    std::array<std::uint32_t, ModCount> downTime_{};
    std::array<bool, ModCount> scriptHolds_{};
    bool loneAlt_ = false;
    bool loneWin_ = false;
    std::optional<PendingButton> pendingButton_;
    std::array<bool, 4> buttonsDown_{}; // buttons the script holds down, 1..3
    std::optional<PendingWheel> pendingWheel_;
    std::optional<std::pair<int, int>> position_; // where the script left the pointer
    WindowId window_ = NoWindow;                  // the window the script last activated
    bool started_ = false;
    std::uint32_t clock_ = 0; // the moment the script has reached in its waits
};

} // namespace orvane
