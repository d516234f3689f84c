// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowId.h"

namespace orvane {

// What hot key dispatch asks of the main window, besides playback, input, the run-time prompts
// and the desktop's windows (which it finds and brings forward through the window finder shared
// with playback). Every call returns promptly; none of them shows a message.
class HotKeyHost {
public:
    virtual ~HotKeyHost() = default;

    // A popup menu of macros is on screen.
    virtual bool PopupMenuShown() = 0;
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
