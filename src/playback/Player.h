// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

class EventPump;
class InputSynth;
class PlaybackCommands;
class PlaybackEngine;
class Prompts;
class WallClock;

// Plays macro texts: the one entry the starters (hot keys, ShortKeys, timed macros, menus, the
// command line) use. Holds the playback state; one playback at a time. The interfaces must
// outlive the player.
class Player {
public:
    Player(InputSynth& input, EventPump& pump, PlaybackCommands& commands, Prompts& prompts,
           WallClock& clock);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Resets the playback state, turns Caps Lock off when `capsWasOn` (it was on when the macro
    // was triggered; it is turned on again when the macro ends), and plays `macroText`
    // (Windows-1252 bytes) to its end, to an abort, or to an aborted pause. Serves the event
    // pump after every step and inside every wait. A call made while a macro is already playing
    // (from an event served during playback) returns at once and plays nothing, unless that
    // macro waits in its pause dialog: then this one plays to its end with a state of its own,
    // and the paused one goes on with its own when resumed.
    // Returns the characters the macro typed when typing text is all it did (characters,
    // Enter, Tab, dates and times), so that they can be taken back; nothing when it did more
    // (other keys, the mouse, any command), was stopped, or did not play.
    std::optional<std::size_t> Play(std::string_view macroText, bool capsWasOn);

    // Asked at each start: runs of plain text longer than the answer (in characters) are pasted
    // through the clipboard instead of typed; 0, or no question set, types everything.
    void SetPasteAbove(std::function<std::size_t()> pasteAbove) {
        pasteAbove_ = std::move(pasteAbove);
    }

    // The abort request: the macro playing now (the innermost) stops before its next step,
    // after showing "Orvane 98 macro has been aborted." once. Safe to call at any time; while
    // idle it is forgotten at the next start.
    void RequestAbort();

    // True from the start of Play until it returns.
    bool IsPlaying() const;
    // The macro playing now waits in its pause dialog (another may start meanwhile).
    bool IsPaused() const;

private:
    InputSynth& input_;
    EventPump& pump_;
    PlaybackCommands& commands_;
    Prompts& prompts_;
    WallClock& clock_;
    std::function<std::size_t()> pasteAbove_;
    std::unique_ptr<PlaybackEngine> engine_;
    // The engines of macros playing while the one below waits in its pause, innermost last.
    std::vector<std::unique_ptr<PlaybackEngine>> nested_;
};

} // namespace orvane
