// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/ActivationHosts.h"
#include "activation/HotKeyDispatch.h"
#include "activation/PopupMenus.h"
#include "activation/Scheduler.h"
#include "activation/ShortKeys.h"
#include "app/DesktopPlayback.h"
#include "app/GuiHotKeyHost.h"
#include "app/QtEventPump.h"
#include "app/SystemWallClock.h"
#include "app/desktop/DesktopBackend.h"
#include "playback/Player.h"
#include "ui/activation/PopupMenuScreen.h"
#include "ui/activation/SchedulerTimer.h"

#include <functional>
#include <memory>
#include <string>

namespace orvane {

class KeyPickRelay;
class MacroStore;
class Prompter;
class TMainWin;
class TraceFile;
struct ProgramFolders;
struct SettingsBlock;

// What hot keys, ShortKeys, popup menus and timed macros run on. The members are made in this
// order and so go in the reverse one.
struct HotKeyParts {
    // Playback of hot key macros. Each wait ends a batch of synthesized input, so the hook
    // backend learns that our events have passed.
    std::unique_ptr<QtEventPump> Pump;
    std::unique_ptr<DesktopPlayback> Playback;
    // Long texts pasted through the clipboard, which it then keeps offering as the user had it.
    std::unique_ptr<TextPaste> Paste;
    SystemWallClock Clock;
    std::unique_ptr<Player> MacroPlayer;
    std::unique_ptr<GuiHotKeyHost> Host;
    std::unique_ptr<HotKeyDispatch> Dispatch;
    std::unique_ptr<TraceFile> Trace;
    // ShortKeys and timed macros start their macros through hot key dispatch.
    std::unique_ptr<FinderForegroundLookup> Foreground;
    std::unique_ptr<ShortKeys> ShortKeyWatch;
    std::unique_ptr<DesktopTimedMacroHost> TimedHost;
    std::unique_ptr<Scheduler> MacroScheduler;
    std::unique_ptr<SchedulerTimer> Timer;
    // Popup menus show on screen and start their macros through hot key dispatch.
    std::unique_ptr<PopupMenuScreen> MenuScreen;
    std::unique_ptr<PopupMenus> Menus;
    std::unique_ptr<orvane::ScreenSaver> ScreenSaver;

    HotKeyParts();
    ~HotKeyParts();
    HotKeyParts(const HotKeyParts&) = delete;
    HotKeyParts& operator=(const HotKeyParts&) = delete;
};

// What the hot key steps share with the rest of the program.
struct HotKeyContext {
    HotKeyParts& Parts;
    DesktopBackend& Desktop;
    MacroStore& Store;
    SettingsBlock& Settings;
    Prompter& Messages;
    TMainWin& Window;
    const ProgramFolders& Folders;
    KeyPickRelay& KeyPicks;
    std::function<void()>& RebuildSchedule;
};

// Starts hot keys, ShortKeys (where the desktop shows the user's typing), popup menus and timed
// macros when the desktop backend is live; otherwise, or when the desktop's playback services
// are missing, tells the user why hot keys cannot be watched (`error`).
void StartHotKeys(const HotKeyContext& context, bool traceHooks, std::string& error);

} // namespace orvane
