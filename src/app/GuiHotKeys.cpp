// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GuiHotKeys.h"

#include "capture/CaptureScriptWriter.h"
#include "core/MacroStore.h"
#include "core/ProgramLifecycle.h"
#include "library/KeyPickRelay.h"
#include "platform/linux/ProcProcesses.h"
#include "ui/Prompter.h"
#include "ui/library/TMainWin.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace orvane {

// The hook backend's diagnostic trace, asked for with ORVANE_HOOK_TRACE=1: appended to a file
// only this user can read, in the runtime folder (it records the backend's decisions, never
// what is typed).
class TraceFile {
public:
    explicit TraceFile(const std::filesystem::path& path) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd >= 0) {
            file_ = ::fdopen(fd, "a");
        }
    }
    ~TraceFile() {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;
    void Put(char c) {
        if (file_ != nullptr) {
            std::fputc(c == 0 ? '\n' : c, file_);
            if (c == 0) {
                std::fflush(file_);
            }
        }
    }

private:
    std::FILE* file_ = nullptr;
};

HotKeyParts::HotKeyParts() = default;

HotKeyParts::~HotKeyParts() = default;

namespace {

// The event pump, the clipboard paste and the desktop's playback services.
void OpenPlayback(const HotKeyContext& c, std::string& error) {
    HotKeyParts& parts = c.Parts;
    DesktopBackend& desktop = c.Desktop;
    parts.Pump = std::make_unique<QtEventPump>([&desktop] { desktop.EndOfBatch(); },
                                               [&desktop] { desktop.Flush(); });
    const EventLoopWait waitInLoop = [&parts](const std::function<bool()>& done,
                                              std::chrono::steady_clock::time_point until) {
        return parts.Pump->WaitFor(done, until);
    };
    desktop.Listen(c.Window, waitInLoop);
    parts.Paste = desktop.OpenPaste(c.Window, waitInLoop);
    parts.ScreenSaver = desktop.OpenScreenSaver();
    SettingsBlock& settings = c.Settings;
    TMainWin& window = c.Window;
    parts.Playback = DesktopPlayback::Open(
        desktop,
        {parts.Pump.get(), &c.Messages, &window, [&settings] { return settings.UseTray; },
         [&window](std::string_view file) { window.SwitchMacroFile(file); }, parts.Paste.get()},
        error);
}

// The player and the dispatch that hears the hook backend and starts macros.
void StartDispatch(const HotKeyContext& c, bool traceHooks) {
    HotKeyParts& parts = c.Parts;
    SettingsBlock& settings = c.Settings;
    TMainWin& window = c.Window;
    PlaybackCommands& commands = parts.Playback->Commands();
    Prompts& prompts = parts.Playback->Prompts();
    InputSynth& input = c.Desktop.Input();
    parts.MacroPlayer =
        std::make_unique<Player>(input, *parts.Pump, commands, prompts, parts.Clock);
    parts.MacroPlayer->SetPasteAbove([&settings] {
        return settings.PasteLongTexts ? static_cast<std::size_t>(std::max(settings.PasteAbove, 1))
                                       : std::size_t{0};
    });
    WindowFinder& finder = parts.Playback->Finder();
    parts.Host = std::make_unique<GuiHotKeyHost>(c.Desktop, finder, [&window, &finder] {
        window.ShowInFront();
        finder.BringToFront(window.winId());
    });
    parts.Dispatch = std::make_unique<HotKeyDispatch>(c.Store, *parts.MacroPlayer, input,
                                                      *parts.Pump, prompts, *parts.Host, finder,
                                                      ProcProcesses().ExecutableOf(::getpid()));
    if (traceHooks) {
        parts.Trace = std::make_unique<TraceFile>(c.Folders.Runtime / "hook-trace.txt");
        parts.Dispatch->SetTrace([&parts](char ch) { parts.Trace->Put(ch); });
    }
    c.Desktop.Hook().SetReceiver(parts.Dispatch.get());
}

// Popup menus, ShortKeys and timed macros, all started through the dispatch.
void AddMacroStarters(const HotKeyContext& c) {
    HotKeyParts& parts = c.Parts;
    TMainWin& window = c.Window;
    Prompts& prompts = parts.Playback->Prompts();
    WindowFinder& finder = parts.Playback->Finder();
    parts.MenuScreen = std::make_unique<PopupMenuScreen>(
        PopupMenuScreen::Services{&finder, c.Folders.Data / "Icons"});
    parts.Menus = std::make_unique<PopupMenus>(c.Store, c.Settings, *parts.MenuScreen, prompts);
    parts.Menus->SetStarter(parts.Dispatch.get());
    parts.Host->SetPopupMenus(parts.Menus.get());
    // A tray click is handled once the click's own event is done: the menu and the macro
    // run event loops of their own.
    QObject::connect(
        &window, &TMainWin::MenuTrayIconClicked, &window,
        [&parts](int record, int x) {
            parts.Menus->TrayIconClicked(record, x, parts.Dispatch->LastForegroundWindow());
        },
        Qt::QueuedConnection);
    parts.Foreground = std::make_unique<FinderForegroundLookup>(finder);
    // Where the desktop does not show the user's typing, no ShortKey can be heard.
    if (c.Desktop.Abilities().TypedText) {
        parts.ShortKeyWatch =
            std::make_unique<ShortKeys>(c.Store, c.Settings, c.Desktop.Input(), *parts.Pump,
                                        *parts.Dispatch, *parts.Foreground);
        parts.Dispatch->AddListener(parts.ShortKeyWatch.get());
    }
    parts.Dispatch->AddListener(&c.KeyPicks);
    parts.TimedHost = std::make_unique<DesktopTimedMacroHost>(finder, parts.Playback->Commands());
    // Nothing that came due before the start is made up.
    parts.MacroScheduler = std::make_unique<Scheduler>(c.Store, c.Settings, *parts.Dispatch,
                                                       *parts.TimedHost, LocalMoment::Now());
    parts.Timer = std::make_unique<SchedulerTimer>(*parts.MacroScheduler, c.Settings,
                                                   parts.ScreenSaver.get());
    QObject::connect(parts.Timer.get(), &SchedulerTimer::Ticked, &window, &TMainWin::DoCaption);
    QObject::connect(&window, &TMainWin::SchedulerSettingsChanged, parts.Timer.get(),
                     &SchedulerTimer::SettingsChanged);
    c.RebuildSchedule = [&parts] { parts.Timer->Rebuild(); };
}

} // namespace

void StartHotKeys(const HotKeyContext& context, bool traceHooks, std::string& error) {
    if (context.Desktop.Live()) {
        OpenPlayback(context, error);
    }
    if (context.Parts.Playback) {
        StartDispatch(context, traceHooks);
        AddMacroStarters(context);
    } else {
        context.Messages.Show("Warning", "Hot keys cannot be watched: " + error + ".");
    }
}

} // namespace orvane
