// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowId.h"
#include "platform/x11/X11Display.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The few questions hot key dispatch asks of the desktop, on an X connection of its own:
// titles, the program that owns a window, the running programs, and bringing a window to the
// front through the window manager (_NET_ACTIVE_WINDOW, source "pager", with a real time).
// Titles are UTF-8 here; callers convert.
class X11Desktop {
public:
    static std::unique_ptr<X11Desktop> Open(const char* displayName, std::string& error);

    WindowId ActiveWindow();
    // _NET_WM_NAME, else WM_NAME; empty when the window has none or is gone.
    std::string Title(WindowId window);
    // The executable file name of the process owning the window (_NET_WM_PID), or empty.
    std::string ProgramOf(WindowId window);
    // The managed top-level windows, topmost first.
    std::vector<WindowId> ClientWindows();
    // Activates the window (restoring it when minimised) and waits briefly until the window
    // manager has made it the active one. False when it did not become active.
    bool Activate(WindowId window);

    // Executable file names of the running processes (from /proc).
    static std::vector<std::string> RunningPrograms();
    // The executable file name of a process, or empty.
    static std::string ProgramOfProcess(long pid);

private:
    explicit X11Desktop(DisplayHandle display);
    std::optional<unsigned long> CardinalProperty(WindowId window, unsigned long atom,
                                                  unsigned long type);
    unsigned long ServerTime();

    DisplayHandle display_;
    unsigned long root_ = 0;
};

} // namespace orvane
