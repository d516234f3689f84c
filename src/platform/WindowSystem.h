// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowId.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// A rectangle in screen pixels.
struct WindowRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The desktop's top-level windows as the window commands see them. Titles are UTF-8. A window
// that has gone away in the meantime is never an error: queries answer "nothing" and commands do
// nothing. Every call returns promptly (at most a short, bounded wait for the window manager).
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The top-level application windows, topmost first: the windows the window manager manages
    // (minimised ones included) and the windows this program has hidden, which stay findable so
    // they can be shown again.
    virtual std::vector<WindowId> TopLevelWindows() = 0;

    // The window's title; empty when it has none or is gone.
    virtual std::string Title(WindowId window) = 0;

    // The active window (the one with the keyboard focus), or NoWindow.
    virtual WindowId Foreground() = 0;

    // The window's parent in the window tree; NoWindow for the root or a window that is gone.
    virtual WindowId Parent(WindowId window) = 0;

    virtual bool IsMinimized(WindowId window) = 0;

    // Brings the window to the front and gives it the keyboard focus, restoring it when
    // minimised and showing it when this program hid it, also against the window manager's
    // focus-stealing prevention. Waits for the window manager in the event loop. Returns true once
    // the window is the active window, false when it did not become active within a short limit.
    virtual bool Activate(WindowId window) = 0;

    virtual void Maximize(WindowId window) = 0;
    virtual void Minimize(WindowId window) = 0;
    // Undoes a minimise or a maximise (minimised first, as a task bar would).
    virtual void Restore(WindowId window) = 0;
    // Asks the window to close, as its close box does; the application may refuse.
    virtual void Close(WindowId window) = 0;
    // Hide takes the window off the screen (and out of the window manager's list); Show puts a
    // hidden window back.
    virtual void Hide(WindowId window) = 0;
    virtual void Show(WindowId window) = 0;

    // Places the top-left corner of the window's frame, keeping its size and stacking order.
    virtual void Move(WindowId window, int left, int top) = 0;
    // Sets the outer size of the window, frame included, keeping its place and stacking order.
    virtual void Resize(WindowId window, int width, int height) = 0;

    // The window's rectangle with its frame; nothing when the window is gone.
    virtual std::optional<WindowRect> FrameRect(WindowId window) = 0;

    // The process that owns the window, when the system can tell. For a window shown from
    // another machine that is the local process forwarding it (ssh), not its program.
    virtual std::optional<int> ProcessOf(WindowId window) = 0;

    // The window's program runs on another machine (its display is forwarded here).
    virtual bool IsRemote(WindowId window) = 0;
};

} // namespace orvane
