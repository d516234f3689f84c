// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/MacroStarter.h"
#include "activation/ShortKeyBuffer.h"
#include "activation/ShortKeyMatch.h"
#include "core/HookLibrary.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

class EventPump;
class InputSynth;
class MacroStore;
struct SettingsBlock;

// The typed-character side of activation: keeps the word being typed and, when it ends in an
// active ShortKey, erases it and plays the macro.
//
// The buffer: empty -> grows with word characters, shrinks with Backspace -> emptied by a
// separator, by the backend's "forget" state and after a ShortKey has played. A match that is
// refused or finds no macro for the foreground leaves it as it is. A match while another macro
// plays does nothing at all: erasing the word would lose the user's text and play nothing.
//
// The undo window ("Undo By Backspace"): closed -> open when an expansion that did nothing but
// type (at least one character) has played -> closed by the next message whatever it is: a
// Backspace undoes the expansion, any other character, a key that types none, a click or a
// new window (the backend's "forget") only closes it.
class ShortKeys final : public HookMessageReceiver {
public:
    // Wait between erasing the typed word and playing, not scaled by the playback speed.
    static constexpr int ErasePauseMs = 100;
    static constexpr std::uint8_t BackspaceKey = 8;
    static constexpr std::uint8_t ExecuteKey = 43; // the end-of-playback mark for the backend
    static constexpr std::uint64_t ForgetState = 1;
    static constexpr std::uint64_t CapsLockOnState = 2;
    // A key that types no character (a cursor or function key; not a modifier) was struck. The
    // word is left as it is; only an undo waiting for Backspace is forgotten.
    static constexpr std::uint64_t OtherKeyState = 3;
    static constexpr std::uint8_t ShiftKey = 16;
    static constexpr std::uint8_t CapsLockKey = 20;
    static constexpr std::uint8_t EnterKey = 13;

    // None is owned; all outlive this object. Settings are read at every character, so a
    // change takes effect with the next one. `starter` refuses and plays as for hot keys;
    // `foreground` tells the window and program in front.
    ShortKeys(MacroStore& store, const SettingsBlock& settings, InputSynth& input, EventPump& pump,
              MacroStarter& starter, ForegroundLookup& foreground);

    // Takes UM_SHORTKEYCHAR; other messages are not its business.
    void Receive(const HookMessage& message) override;

    // A UM_SHORTKEYCHAR message: `state` 1 forgets the word, 2 says Caps Lock is on, 3 tells a
    // key that types nothing (other values: Caps Lock off); the low byte of `character` is the
    // typed character (Windows-1252).
    void OnShortKeyChar(std::uint64_t state, std::int64_t character);

    // Matches the word typed so far and plays the chosen macro. True when one played.
    bool TestIt();

    // Erases the typed ShortKey with Backspace, waits 0.1 s, plays the macro, presses the end
    // mark and empties the buffer. The table is marked in use (and published) from the first
    // Backspace to the end mark, at which the backend clears its own mark.
    void PlayShortKey(int macro);

    std::string_view Buffer() const { return buffer_.Text(); }
    bool CapsWasOn() const { return capsWasOn_; }
    // An expansion waits to be undone by the next Backspace.
    bool CanUndo() const { return undo_.has_value(); }

private:
    // What an undo needs: how many characters the expansion typed, and what the user had typed
    // that the erasing took (the abbreviation with its prefix, and the ending key in suffix
    // mode, 0 when none).
    struct Undo {
        std::size_t Typed = 0;
        std::string Abbreviation;
        char Ending = 0;
    };

    // Takes the expansion back after the user's Backspace, which has erased one of its
    // characters already, and types what the user had typed.
    void UndoExpansion(const Undo& undo);
    void TypeBack(char c);

    MacroStore& store_;
    const SettingsBlock& settings_;
    InputSynth& input_;
    EventPump& pump_;
    MacroStarter& starter_;
    ForegroundLookup& foreground_;
    ShortKeyBuffer buffer_;
    bool capsWasOn_ = false;
    char ending_ = 0; // the Space or Enter that ended the word in suffix mode
    std::optional<Undo> undo_;
};

} // namespace orvane
