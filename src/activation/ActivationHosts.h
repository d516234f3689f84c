// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/PopupMenus.h"
#include "activation/Scheduler.h"
#include "activation/ShortKeyMatch.h"

#include <string>
#include <string_view>

namespace orvane {

class HotKeyDispatch;
class PlaybackCommands;
class WindowFinder;

// The window and program in front, as ShortKeys choose between window-, program-specific and
// global macros, through the window finder playback shares. Not owned.
class FinderForegroundLookup final : public ForegroundLookup {
public:
    explicit FinderForegroundLookup(WindowFinder& finder) : finder_(finder) {}

    // The title of the window in front (Windows-1252, at most 255 characters).
    std::string ForegroundTitle() override;
    // The upper-case executable name of the program in front.
    std::string ForegroundProgram() override;

private:
    WindowFinder& finder_;
};

// Timed macros' windows and programs brought forward by the window finder, and their alarm
// played by the playback commands. None is owned.
class DesktopTimedMacroHost final : public TimedMacroHost {
public:
    DesktopTimedMacroHost(WindowFinder& finder, PlaybackCommands& commands)
        : finder_(finder), commands_(commands) {}

    bool ActivateWindow(std::string_view title) override;
    bool ActivateProgram(std::string_view name) override;
    void PlayWave(std::string_view file, bool wait) override;

private:
    WindowFinder& finder_;
    PlaybackCommands& commands_;
};

} // namespace orvane
