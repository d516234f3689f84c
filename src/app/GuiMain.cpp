// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GuiMain.h"

#include "activation/ActivationHosts.h"
#include "activation/HotKeyDispatch.h"
#include "activation/MainWindowCommands.h"
#include "activation/ShortKeys.h"
#include "app/CanberraSound.h"
#include "app/CommandGroups.h"
#include "app/DesktopPlayback.h"
#include "app/GuiHotKeyHost.h"
#include "app/QtEventPump.h"
#include "app/SystemWallClock.h"
#include "app/TerminationSignals.h"
#include "app/WidgetMap.h"
#include "capture/CaptureScriptWriter.h"
#include "core/CodePage.h"
#include "core/CommandLine.h"
#include "core/HotKeyTable.h"
#include "core/MacroStore.h"
#include "core/ProgramLifecycle.h"
#include "library/KeyPickRelay.h"
#include "platform/x11/HookedInputSynth.h"
#include "platform/x11/ProcProcesses.h"
#include "platform/x11/SpawnShell.h"
#include "platform/x11/X11HookLibrary.h"
#include "platform/x11/X11InputSynth.h"
#include "platform/x11/X11ScreenSaver.h"
#include "platform/x11/X11TextPaste.h"
#include "platform/x11/X11WindowSystem.h"
#include "playback/Player.h"
#include "ui/HelpCenter.h"
#include "ui/Prompter.h"
#include "ui/WindowTitleFit.h"
#include "ui/activation/PopupMenuScreen.h"
#include "ui/activation/SchedulerTimer.h"
#include "ui/activation/TDoBuildMenu.h"
#include "ui/capture/CaptureCommands.h"
#include "ui/editing/DirectEditor.h"
#include "ui/editing/ScriptingEditor.h"
#include "ui/editing/commands/CommandDialogRegistry.h"
#include "ui/library/NetworkCommands.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvane {
namespace {

// The HTML manual: installed beside the program's share folder, else in the source tree.
QString FindManual() {
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("../share/doc/orvane/manual.html"));
    if (QFileInfo::exists(installed)) {
        return QFileInfo(installed).canonicalFilePath();
    }
    const QString source = QStringLiteral(ORVANE_SOURCE_DIR "/docs/manual.html");
    return QFileInfo::exists(source) ? source : QString();
}

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

} // namespace

int RunGui(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setQuitOnLastWindowClosed(false);
    WindowTitleFit titleFit;
    app.installEventFilter(&titleFit);

    Prompter messages(nullptr, true);
    // The real hook backend, and our own input synthesis that it must tell from the user's.
    // Without them (an X server lacking XInput 2 or XTEST) the program runs without hot keys.
    const bool traceHooks = !qgetenv("ORVANE_HOOK_TRACE").isEmpty();
    std::string error;
    std::unique_ptr<X11HookLibrary> x11Hook = X11HookLibrary::Open(nullptr, traceHooks, error);
    std::unique_ptr<X11InputSynth> synth = X11InputSynth::Open(nullptr, error);
    NullHookLibrary inactiveHook;
    const bool hotKeysLive = x11Hook && synth;
    HookLibrary& hook = hotKeysLive ? static_cast<HookLibrary&>(*x11Hook) : inactiveHook;
    MacroStore store(hook, messages);
    ProgramLifecycle lifecycle(store, messages);
    const ProgramFolders folders = ProgramFoldersFrom(ProcessEnvironment(), ::getuid());
    const QByteArray display = qgetenv("DISPLAY");
    if (lifecycle.Start(folders, display.toStdString()) != ProgramLifecycle::StartResult::Run) {
        return 0;
    }

    std::unique_ptr<WidgetMap> widgetMap;
    if (const QString map = qEnvironmentVariable("ORVANE_WIDGET_MAP"); !map.isEmpty()) {
        widgetMap = std::make_unique<WidgetMap>(
            map == QLatin1String("1")
                ? QString::fromStdString((folders.Runtime / "widgets.txt").string())
                : map);
    }

    SettingsBlock& settings = lifecycle.Settings();
    // What the command dialogs ask of the desktop, on connections of their own: the windows and
    // programs to choose from, the window under a picked point, test plays, opening a file.
    const std::unique_ptr<X11WindowSystem> dialogWindows = X11WindowSystem::Open(nullptr, error);
    CanberraSound dialogSound([&dialogWindows] {
        if (dialogWindows) {
            dialogWindows->Bell();
        }
    });
    ProcProcesses dialogProcesses;
    SpawnShell dialogShell;
    // Recomputes the timer table after a timed macro changed; set once the scheduler exists.
    std::function<void()> rebuildSchedule;
    KeyPickRelay keyPicks;
    TMainWin window({&settings, [&lifecycle] { lifecycle.SaveSettings(); }, FindManual(), &store,
                     &messages, &keyPicks,
                     [&rebuildSchedule] {
                         if (rebuildSchedule) {
                             rebuildSchedule();
                         }
                     },
                     &dialogSound, &lifecycle.Swaps(), folders.Data / "Icons",
                     [&x11Hook] {
                         return x11Hook ? x11Hook->UnavailableHotKeys()
                                        : std::vector<std::uint16_t>{};
                     }});
    BuildCommandGroups(window);

    // Playback of hot key macros. Each wait ends a batch of synthesized input, so the hook
    // backend learns that our events have passed.
    std::unique_ptr<HookedInputSynth> input;
    std::unique_ptr<QtEventPump> pump;
    std::unique_ptr<DesktopPlayback> playback;
    // Long texts pasted through the clipboard, which it then keeps offering as the user had it.
    std::unique_ptr<X11TextPaste> paste;
    std::unique_ptr<QSocketNotifier> pasteNotifier;
    SystemWallClock clock;
    std::unique_ptr<Player> player;
    std::unique_ptr<GuiHotKeyHost> host;
    std::unique_ptr<HotKeyDispatch> dispatch;
    std::unique_ptr<TraceFile> trace;
    std::unique_ptr<QSocketNotifier> hookNotifier;
    std::unique_ptr<QSocketNotifier> synthNotifier;
    // ShortKeys and timed macros start their macros through hot key dispatch.
    std::unique_ptr<FinderForegroundLookup> foreground;
    std::unique_ptr<ShortKeys> shortKeys;
    std::unique_ptr<DesktopTimedMacroHost> timedHost;
    std::unique_ptr<Scheduler> scheduler;
    std::unique_ptr<SchedulerTimer> schedulerTimer;
    // Popup menus show on screen and start their macros through hot key dispatch.
    std::unique_ptr<PopupMenuScreen> menuScreen;
    std::unique_ptr<PopupMenus> popupMenus;
    const std::unique_ptr<X11ScreenSaver> screenSaver = X11ScreenSaver::Open(nullptr);
    if (hotKeysLive) {
        input = std::make_unique<HookedInputSynth>(*synth, *x11Hook);
        pump = std::make_unique<QtEventPump>([&input] { input->EndOfBatch(); },
                                             [&synth] { synth->Flush(); });
        const auto waitInLoop = [&pump](const std::function<bool()>& done,
                                        std::chrono::steady_clock::time_point until) {
            return pump->WaitFor(done, until);
        };
        x11Hook->SetEventLoopWait(waitInLoop);
        synth->SetEventLoopWait(waitInLoop);
        // A program's answer to the synthesizer's ping arrives on its own connection: the
        // wait for it sleeps in the event loop until then.
        synthNotifier =
            std::make_unique<QSocketNotifier>(synth->ConnectionFd(), QSocketNotifier::Read);
        QObject::connect(synthNotifier.get(), &QSocketNotifier::activated, &window,
                         [&synth] { synth->ServeEvents(); });
        paste = X11TextPaste::Open(*input);
        if (paste) {
            paste->SetEventLoopWait(waitInLoop);
            pasteNotifier =
                std::make_unique<QSocketNotifier>(paste->ConnectionFd(), QSocketNotifier::Read);
            QObject::connect(pasteNotifier.get(), &QSocketNotifier::activated, &window,
                             [&paste] { paste->ProcessEvents(); });
        }
        playback = DesktopPlayback::Open(
            nullptr,
            {pump.get(), &messages, &window, [&settings] { return settings.UseTray; },
             [&window](std::string_view file) { window.SwitchMacroFile(file); }, paste.get()},
            error);
    }
    if (playback) {
        PlaybackCommands& commands = playback->Commands();
        Prompts& prompts = playback->Prompts();
        player = std::make_unique<Player>(*input, *pump, commands, prompts, clock);
        player->SetPasteAbove([&settings] {
            return settings.PasteLongTexts
                       ? static_cast<std::size_t>(std::max(settings.PasteAbove, 1))
                       : std::size_t{0};
        });
        WindowFinder& finder = playback->Finder();
        host = std::make_unique<GuiHotKeyHost>(*x11Hook, finder, [&window, &finder] {
            window.ShowInFront();
            finder.BringToFront(window.winId());
        });
        dispatch =
            std::make_unique<HotKeyDispatch>(store, *player, *input, *pump, prompts, *host, finder,
                                             ProcProcesses().ExecutableOf(::getpid()));
        if (traceHooks) {
            trace = std::make_unique<TraceFile>(folders.Runtime / "hook-trace.txt");
            dispatch->SetTrace([&trace](char c) { trace->Put(c); });
        }
        x11Hook->SetReceiver(dispatch.get());
        menuScreen = std::make_unique<PopupMenuScreen>(
            PopupMenuScreen::Services{&finder, folders.Data / "Icons"});
        popupMenus = std::make_unique<PopupMenus>(store, settings, *menuScreen, prompts);
        popupMenus->SetStarter(dispatch.get());
        host->SetPopupMenus(popupMenus.get());
        // A tray click is handled once the click's own event is done: the menu and the macro
        // run event loops of their own.
        QObject::connect(
            &window, &TMainWin::MenuTrayIconClicked, &window,
            [&popupMenus, &dispatch](int record, int x) {
                popupMenus->TrayIconClicked(record, x, dispatch->LastForegroundWindow());
            },
            Qt::QueuedConnection);
        foreground = std::make_unique<FinderForegroundLookup>(finder);
        shortKeys =
            std::make_unique<ShortKeys>(store, settings, *input, *pump, *dispatch, *foreground);
        dispatch->AddListener(shortKeys.get());
        dispatch->AddListener(&keyPicks);
        timedHost = std::make_unique<DesktopTimedMacroHost>(finder, commands);
        // Nothing that came due before the start is made up.
        scheduler =
            std::make_unique<Scheduler>(store, settings, *dispatch, *timedHost, LocalMoment::Now());
        schedulerTimer = std::make_unique<SchedulerTimer>(*scheduler, settings, screenSaver.get());
        QObject::connect(schedulerTimer.get(), &SchedulerTimer::Ticked, &window,
                         &TMainWin::DoCaption);
        QObject::connect(&window, &TMainWin::SchedulerSettingsChanged, schedulerTimer.get(),
                         &SchedulerTimer::SettingsChanged);
        rebuildSchedule = [&schedulerTimer] { schedulerTimer->Rebuild(); };
        // The hook's connection wakes the event loop; events Xlib has already read (during a
        // round trip) do not, so they are looked at before the loop sleeps. Messages are
        // delivered from a posted call, not from the notifier: a message may play a macro,
        // whose nested event loops must go on hearing the hook (the abort key), and the event
        // loop does not reenter a notifier from inside its own slot.
        const auto process = [&x11Hook, &window] {
            QMetaObject::invokeMethod(
                &window, [&x11Hook] { x11Hook->ProcessEvents(); }, Qt::QueuedConnection);
        };
        hookNotifier =
            std::make_unique<QSocketNotifier>(x11Hook->ConnectionFd(), QSocketNotifier::Read);
        QObject::connect(hookNotifier.get(), &QSocketNotifier::activated, &window,
                         [&x11Hook, process] {
                             x11Hook->ReadPending();
                             process();
                         });
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &window, [&x11Hook, process] {
                             if (x11Hook->HasWork()) {
                                 process();
                             }
                         });
    } else {
        messages.Show("Warning", "Hot keys cannot be watched: " + error + ".");
    }
    lifecycle.ConnectHooks(static_cast<std::uint32_t>(window.winId()));

    // Capture: the session hears the recorder's text through hot key dispatch; the recorder
    // reads titles and frames of the window in front for positions relative to a window, and
    // the capture's script writer makes the text.
    std::unique_ptr<X11WindowSystem> captureWindows;
    if (hotKeysLive) {
        captureWindows = X11WindowSystem::Open(nullptr, error);
        x11Hook->Recorder().SetWindows(captureWindows.get());
        x11Hook->Recorder().SetTranscribers([](const CaptureSettings& settings) {
            return std::make_unique<CaptureScriptWriter>(settings);
        });
    }
    CaptureCommands capture(
        window, {folders.Runtime,
                 folders.Data,
                 {&store, &keyPicks},
                 [&dispatch] { return dispatch ? dispatch->GetTopProgram() : std::string(); },
                 [&dispatch, &playback] {
                     if (dispatch && dispatch->LastOtherProgramWindow() != NoWindow) {
                         playback->Finder().BringToFront(dispatch->LastOtherProgramWindow());
                     }
                 }});
    if (dispatch) {
        dispatch->AddListener(&capture.Session());
        host->SetStartCapture([&capture] { capture.StartACapture(); });
    }

    // The editors: the main window's macro commands open them and store what they return.
    Prompter editorMessages(&window);
    ScriptingEditor scripting(
        {&settings, folders.Data / "Icons", &editorMessages, ShowHelpForActiveWindow});
    CommandDialogServices dialogServices;
    dialogServices.Messages = &editorMessages;
    dialogServices.Settings = &settings;
    dialogServices.SaveSettings = [&lifecycle] { lifecycle.SaveSettings(); };
    dialogServices.Sounds = &dialogSound;
    dialogServices.Programs = &dialogShell;
    dialogServices.Windows = dialogWindows.get();
    dialogServices.Running = &dialogProcesses;
    // Keys typed into "Enter Keystrokes" and "Modify Hot Key" never start macros. An editor that
    // closes because the program ends leaves the hooks as the shutdown left them.
    bool ended = false;
    dialogServices.KeyboardHook = [&store, &ended](bool on) {
        if (ended) {
            return;
        }
        if (on) {
            HookTheKeyboard(store);
        } else {
            UnHookTheKeyboard(store);
        }
    };
    dialogServices.ShowHelp = [](std::string_view) { ShowHelpForActiveWindow(); };
    RegisterCommandDialogs(scripting.Dialogs(), dialogServices);
    PopupMenuBuilder menuBuilder(
        {&store, folders.Data / "Icons", &editorMessages, ShowHelpForActiveWindow});
    DirectEditor direct({&dialogServices, scripting.Dialogs().Scope(), folders.Data / "Icons",
                         ShowHelpForActiveWindow});
    window.SetMacroEditors({&scripting, &direct, &menuBuilder, &capture.Editor()});
    // A file switch (Open, New, a recent file, <SWAP:) brings the new file's keyboard remapping.
    QObject::connect(&window, &TMainWin::SwapFileDue, &window,
                     [&lifecycle, &store] { lifecycle.Swaps().GetSwapFile(store.CurrentPath()); });

    std::vector<std::string> parameters;
    for (int i = 1; i < argc; ++i) {
        parameters.emplace_back(argv[i]);
    }
    const auto outcome = lifecycle.ApplyCommandLine(ParseCommandLine(parameters));
    window.RefreshFromStore();
    if (outcome.Hide) {
        window.HideAfterFirstShow();
    }
    window.ApplyRestriction(outcome.RestrictionLevel);
    // Network mode ("/N" or the settings): the sync file of the file now current is read, and
    // the automatic reload starts when it is on.
    if (window.Network() != nullptr) {
        window.Network()->Start();
    }
    if (schedulerTimer) {
        schedulerTimer->Rebuild();
        schedulerTimer->StartUpLater();
    }

    const auto end = [&] {
        if (!ended) {
            ended = true;
            lifecycle.Shutdown(settings.MainWindow);
            QApplication::quit();
        }
    };
    QObject::connect(&window, &TMainWin::Closed, &app, end);
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::Requested, &window,
                     [&window] { window.close(); });
    // The desktop session is ending: save now, as the process may be ended without warning.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&](QSessionManager&) {
        settings.MainWindow = WindowBounds{window.width(), window.height(), window.x(), window.y()};
        lifecycle.SaveSettings();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&] {
        if (!ended) {
            window.close();
        }
    });

    // With the tray in use the program starts as its tray icon alone.
    if (!settings.UseTray) {
        window.show();
    }
    // Hot keys another program took first never reach us: the user hears of them once now.
    QTimer::singleShot(0, &window, [&window] { window.ReportUnavailableKeys(); });
    QApplication::exec();
    end();
    return 0;
}

} // namespace orvane
