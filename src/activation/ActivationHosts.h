// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/PopupMenus.h"
#include "activation/Scheduler.h"
#include "activation/ShortKeys.h"

#include <string>

namespace orvane {

class HotKeyDispatch;
class HotKeyHost;
class PlaybackCommands;
class Player;
class Prompts;

// ShortKeys as part of hot key dispatch: the same refusals, warning window, foreground lookup
// and start of playback. None is owned.
class DispatchShortKeyHost final : public ShortKeyHost {
public:
    DispatchShortKeyHost(HotKeyDispatch& dispatch, HotKeyHost& host, Player& player,
                         Prompts& prompts)
        : dispatch_(dispatch), host_(host), player_(player), prompts_(prompts) {}

    std::optional<std::string_view> RefusalNow() override;
    bool Playing() override;
    void ShowWarning(std::string_view text) override;
    void IntoProgram(int macro, bool capsWasOn) override;
    std::string ForegroundTitle() override;
    std::string ForegroundProgram() override;

private:
    HotKeyDispatch& dispatch_;
    HotKeyHost& host_;
    Player& player_;
    Prompts& prompts_;
};

// Timed macros through hot key dispatch's desktop and start of playback, with the alarm played
// by the playback commands. None is owned.
class DispatchTimedMacroHost final : public TimedMacroHost {
public:
    DispatchTimedMacroHost(HotKeyDispatch& dispatch, HotKeyHost& host, Player& player,
                           PlaybackCommands& commands)
        : dispatch_(dispatch), host_(host), player_(player), commands_(commands) {}

    bool ActivateWindow(std::string_view title) override;
    bool ActivateProgram(std::string_view name) override;
    void PlayWave(std::string_view file, bool wait) override;
    bool CapsLockReported() override;
    bool Playing() override;
    void IntoProgram(int macro, bool capsWasOn) override;

private:
    HotKeyDispatch& dispatch_;
    HotKeyHost& host_;
    Player& player_;
    PlaybackCommands& commands_;
};

// Popup menus start their macros as the macro's own hot key would: through hot key dispatch with
// the macro number flag, so the refusals, the start of playback and its end mark are the ones
// every hot key gets. Not owned.
class DispatchPopupStarter final : public PopupMacroStarter {
public:
    explicit DispatchPopupStarter(HotKeyDispatch& dispatch) : dispatch_(dispatch) {}

    void StartFromMenu(int macro, WindowId target) override;

private:
    HotKeyDispatch& dispatch_;
};

} // namespace orvane
