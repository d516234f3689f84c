// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/Scheduler.h"
#include "activation/ShortKeys.h"

#include <string>

namespace orvane {

class HotKeyDispatch;
class PlaybackCommands;
class Player;
class Prompts;
class WindowFinder;

// ShortKeys as part of hot key dispatch: the same refusals, warning window, foreground lookup
// and start of playback. None is owned.
class DispatchShortKeyHost final : public ShortKeyHost {
public:
    DispatchShortKeyHost(HotKeyDispatch& dispatch, WindowFinder& finder, Player& player,
                         Prompts& prompts)
        : dispatch_(dispatch), finder_(finder), player_(player), prompts_(prompts) {}

    std::optional<std::string_view> RefusalNow() override;
    bool Playing() override;
    void ShowWarning(std::string_view text) override;
    void IntoProgram(int macro, bool capsWasOn) override;
    std::string ForegroundTitle() override;
    std::string ForegroundProgram() override;

private:
    HotKeyDispatch& dispatch_;
    WindowFinder& finder_;
    Player& player_;
    Prompts& prompts_;
};

// Timed macros through the window finder, hot key dispatch's start of playback, with the alarm
// played by the playback commands. None is owned.
class DispatchTimedMacroHost final : public TimedMacroHost {
public:
    DispatchTimedMacroHost(HotKeyDispatch& dispatch, WindowFinder& finder, Player& player,
                           PlaybackCommands& commands)
        : dispatch_(dispatch), finder_(finder), player_(player), commands_(commands) {}

    bool ActivateWindow(std::string_view title) override;
    bool ActivateProgram(std::string_view name) override;
    void PlayWave(std::string_view file, bool wait) override;
    bool CapsLockReported() override;
    bool Playing() override;
    bool Paused() override;
    void IntoProgram(int macro, bool capsWasOn) override;

private:
    HotKeyDispatch& dispatch_;
    WindowFinder& finder_;
    Player& player_;
    PlaybackCommands& commands_;
};

} // namespace orvane
