// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputSynth.h"
#include "platform/WindowId.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvane {

// The state of the one playback that may run, shared by every nesting level. The start of
// playback resets it (PlaybackEngine::Play).
struct PlaybackState {
    double SpeedFactor = 1.0; // multiplies every scaled wait; 0 skips them
    std::uint16_t KeyDelay = 0;
    bool KeyDelayOn = false;
    std::uint16_t MouseDelay = 0;
    bool MouseDelayOn = false;
    bool AbortRequested = false;
    bool AbortShown = false; // the abort notice was shown for the current request
    bool InRepeat = false;   // a repeat body is being replayed from RepeatBuffer
    bool FinalPass = false;  // the last pass of a repeat block is playing in place
    std::int32_t RepeatCounter = 0;
    std::int32_t RepeatCount = 0; // the count of the block whose body RepeatBuffer holds
    std::string RepeatBuffer;
    bool CapsWasOn = false;
    WindowId TargetWindow = NoWindow;
    bool PauseShown = false;
    bool RestoreMinimized = false;
    std::string LaunchTitle;
    ScreenSize Screen;
    bool Stopped = false; // a pause was aborted: every level returns at once
    // What the playback has typed, so that it can be taken back: the characters as the target
    // holds them, and whether typing them is all the playback did.
    std::size_t TypedCharacters = 0;
    bool OnlyTyped = true;
    bool Playing = false;
};

} // namespace orvane
