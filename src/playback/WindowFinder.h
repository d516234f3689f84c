// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PlaybackCommands.h"
#include "platform/Processes.h"
#include "platform/WindowSystem.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Finding windows by title or program and bringing them forward: the searches and activations
// that playback, the run-time prompts, the hot key scope test and the scheduler share. Titles
// and program names are Windows-1252 as macros store them; the window system speaks UTF-8.
class WindowFinder {
public:
    // A search text and a title are compared on at most this many characters.
    static constexpr std::size_t MaxTitle = 255;

    // Neither is owned; both must outlive the finder.
    WindowFinder(WindowSystem& windows, Processes& processes);

    // The window a title names: one whose whole title equals `title` (any case) if there is
    // one, else the topmost window whose title contains it (any case). Windows without a title
    // are passed over; hidden windows and this program's own windows take part.
    std::optional<WindowId> GetWinHandle(std::string_view title);

    // GetWinHandle, then restores the window when minimised and brings it to the front.
    std::optional<WindowId> ActivateIt(std::string_view title);

    // The first running program (in process order) whose executable name, in capitals,
    // contains `name` and that owns a titled window: its topmost titled window is restored when
    // minimised and brought to the front.
    std::optional<WindowId> ActivateProg(std::string_view name);

    // Puts the window in front with the keyboard focus; false when it did not become active.
    bool BringToFront(WindowId window);

    // The window in front now, or NoWindow.
    WindowId Foreground();

    // The window's title in Windows-1252, cut to MaxTitle; empty for no window.
    std::string Title(WindowId window);

    // The executable file name (UTF-8, without folder) of the program owning the window; empty
    // when it cannot be told.
    std::string ProgramOf(WindowId window);

    // The executable file names (UTF-8) of the running programs, in process order.
    std::vector<std::string> RunningPrograms();

    // The window itself when it is a top-level window, else its nearest top-level ancestor;
    // NoWindow when none is.
    WindowId MakeSureItsAParent(WindowId window);

    // Carries out a window command on the window ("<WMAX:" ... "<WSHUT:").
    void DoSysCommand(WindowCommand command, WindowId window);

    WindowSystem& Windows() { return windows_; }

private:
    // The window's title in Windows-1252 capitals, cut to MaxTitle.
    std::string UpperTitle(WindowId window);
    void ActivateFound(WindowId window);

    WindowSystem& windows_;
    Processes& processes_;
};

} // namespace orvane
