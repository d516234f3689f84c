// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowId.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane {

struct PauseResult {
    bool Resume = true; // false: the user chose Abort
    // The program was restored from minimised to show the dialog; the end of playback
    // minimises it again.
    bool RestoredMinimized = false;
};

// The dialogs shown while a macro plays. Each runs modally on the one thread and serves events
// while open (timers, hot keys, the abort request), and hides or shows the program's own
// windows around itself. Texts are Windows-1252 bytes.
class Prompts {
public:
    virtual ~Prompts() = default;

    // The macro about to play, for the pause dialog: its nickname and the activation code it
    // was started by (a hot key code, 10000 timed, 20000 ShortKey; nothing when it was started
    // otherwise). The dialog's caption names the hot key, and its label the nickname.
    virtual void SetPlayingMacro(std::string_view nickname,
                                 std::optional<std::uint32_t> activationCode) = 0;

    // The pause dialog with its top-left corner at (left, top) screen pixels and an optional
    // message; keeps the keyboard focus with `target` while it floats above it. Returns when
    // the user resumes (also through a hot key) or aborts.
    virtual PauseResult DoPause(int top, int left, std::string_view message, WindowId target) = 0;

    // Asks for a repeat count; returns only with a valid number, its low 16 bits.
    virtual std::uint16_t DoRepPrompt() = 0;

    // An on-top message with an Ok button; returns when it is closed. While one is open a
    // further request returns at once without showing anything.
    virtual void DoAMessage(std::string_view title, std::string_view text) = 0;

    // After a playback that showed a pause dialog: shows the main window again (unless the
    // program lives in the tray), minimises the program again when `minimizeAgain`, and brings
    // the top-level window of `target` (itself or its nearest top-level ancestor) to the
    // foreground.
    virtual void RestoreAfterPause(WindowId target, bool minimizeAgain) = 0;

    // True while a pause dialog is open (the hot key dispatcher refuses to start another macro
    // then, and resumes this one on its own hot key or "Resume Pause").
    virtual bool PauseActive() const = 0;

    // Resumes the open pause from outside, as "&Resume" does: DoPause returns Resume. Does
    // nothing when no pause dialog is open.
    virtual void ResumePause() = 0;
};

} // namespace orvane
