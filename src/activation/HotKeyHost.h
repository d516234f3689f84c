// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowId.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// What hot key dispatch asks of the main window and of the desktop, besides playback, input
// and the run-time prompts. Texts are Windows-1252 bytes unless a method says otherwise. Every
// call returns promptly; none of them shows a message.
class HotKeyHost {
public:
    virtual ~HotKeyHost() = default;

    // A popup menu of macros is on screen.
    virtual bool PopupMenuShown() = 0;
    // A playing macro waits in its pause dialog.
    virtual bool PauseActive() = 0;
    // Makes the open pause dialog return "resume" and close it. Nothing without one.
    virtual void ResumePause() = 0;
    // Forgets which tray icon of a macro was clicked last.
    virtual void ForgetTrayMacro() = 0;

    // The main window is shown and in front; `ActivateMe` has already checked its refusals.
    virtual void ShowMainWindow() = 0;
    // The capture command ("Start / Stop Capture").
    virtual void StartACapture() = 0;
    // The menu of macros for the top-most window ("Menu of Macros for Top Most Window"), for
    // `target`, the window in front when the key was struck.
    virtual void MenuTopWindow(WindowId target) = 0;
    // Shows the popup menu of PopUp Menu macro `macro` and returns the macro the user chose
    // (1-based), or 0 when the menu was cancelled; `target` gets the focus back afterwards.
    virtual int ShowPopupMenu(int macro, WindowId target) = 0;

    // The window in front now, or NoWindow.
    virtual WindowId ForegroundWindow() = 0;
    // The title of a window, at most 255 characters; empty for no window.
    virtual std::string WindowTitle(WindowId window) = 0;
    // The executable file name (without folder, UTF-8) of the program owning a window; empty
    // when it cannot be found out.
    virtual std::string ProgramOfWindow(WindowId window) = 0;
    // The executable file names (UTF-8) of the running programs.
    virtual std::vector<std::string> RunningPrograms() = 0;
    // Finds the window as the activation tag does (an exact title first, else the topmost
    // title containing it, any case), restores it when minimised and brings it to the front.
    virtual std::optional<WindowId> ActivateIt(std::string_view title) = 0;
    // Brings the topmost window of the first running program whose upper-case executable name
    // contains `name` to the front. False when there is none.
    virtual bool ActivateProg(std::string_view name) = 0;

    // Called right before a macro struck by a hot key starts to play: modifiers the user still
    // holds from the hot key would combine with the macro's keys, and the struck key itself,
    // still down, would swallow the macro's own press of it. Returns once they are up, let go
    // by the user or, after a short limit, modifiers released by the backend (a key still held
    // past the limit is typed around by synthesis).
    virtual void SettleHeldKeys() = 0;

    // Network sharing: when the shared macro file changed elsewhere, reloads it with everything
    // derived from it and returns true (the struck key is then struck again to be reported
    // against the new table). False when the file is not shared or unchanged.
    virtual bool ReloadChangedSharedFile() { return false; }
};

} // namespace orvane
