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
#include "app/GuiHotKeys.h"
#include "app/QtEventPump.h"
#include "app/SystemWallClock.h"
#include "app/TerminationSignals.h"
#include "app/WidgetMap.h"
#include "app/desktop/DesktopBackend.h"
#include "app/desktop/DesktopLimits.h"
#include "capture/CaptureScriptWriter.h"
#include "core/CodePage.h"
#include "core/CommandLine.h"
#include "core/HotKeyTable.h"
#include "core/MacroStore.h"
#include "core/ProgramLifecycle.h"
#include "library/KeyPickRelay.h"
#include "platform/linux/ProcProcesses.h"
#include "platform/linux/SpawnShell.h"
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

// What the command dialogs ask of the desktop, on connections of their own: the windows and
// programs to choose from, the window under a picked point, test plays, opening a file.
struct DialogDesktop {
    DialogDesktop(DesktopBackend& desktop, std::string& error)
        : Windows(desktop.OpenWindows(nullptr, error)) {}

    const std::unique_ptr<DesktopWindows> Windows;
    CanberraSound Sound{[this] {
        if (Windows) {
            Windows->Bell();
        }
    }};
    ProcProcesses Processes;
    SpawnShell Shell;
};

TMainWin::Services MainWindowServices(ProgramLifecycle& lifecycle, MacroStore& store,
                                      Prompter& messages, KeyPickRelay& keyPicks,
                                      std::function<void()>& rebuildSchedule, Sound& sound,
                                      const ProgramFolders& folders, DesktopBackend& desktop) {
    return {&lifecycle.Settings(),
            [&lifecycle] { lifecycle.SaveSettings(); },
            FindManual(),
            &store,
            &messages,
            &keyPicks,
            [&rebuildSchedule] {
                if (rebuildSchedule) {
                    rebuildSchedule();
                }
            },
            &sound,
            &lifecycle.Swaps(),
            folders.Data / "Icons",
            [&desktop] { return desktop.UnavailableHotKeys(); }};
}

CaptureCommands::Services CaptureServices(const ProgramFolders& folders, MacroStore& store,
                                          KeyPickRelay& keyPicks, HotKeyParts& parts) {
    return {folders.Runtime,
            folders.Data,
            {&store, &keyPicks},
            [&parts] { return parts.Dispatch ? parts.Dispatch->GetTopProgram() : std::string(); },
            [&parts] {
                if (parts.Dispatch && parts.Dispatch->LastOtherProgramWindow() != NoWindow) {
                    parts.Playback->Finder().BringToFront(parts.Dispatch->LastOtherProgramWindow());
                }
            }};
}

// The capture session hears the recorder's text through hot key dispatch.
void ConnectCapture(HotKeyParts& parts, CaptureCommands& capture) {
    if (parts.Dispatch) {
        parts.Dispatch->AddListener(&capture.Session());
        parts.Host->SetStartCapture([&capture] { capture.StartACapture(); });
    }
}

// With the tray in use the program starts as its tray icon alone. Hot keys another program
// took first never reach us: the user hears of them once the window is up.
void ShowMainWindow(TMainWin& window, const SettingsBlock& settings) {
    if (!settings.UseTray) {
        window.show();
    }
    QTimer::singleShot(0, &window, [&window] { window.ReportUnavailableKeys(); });
}

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("orvane"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setQuitOnLastWindowClosed(false);
}

std::unique_ptr<WidgetMap> OpenWidgetMap(const ProgramFolders& folders) {
    const QString map = qEnvironmentVariable("ORVANE_WIDGET_MAP");
    if (map.isEmpty()) {
        return nullptr;
    }
    return std::make_unique<WidgetMap>(
        map == QLatin1String("1")
            ? QString::fromStdString((folders.Runtime / "widgets.txt").string())
            : map);
}

// What the command dialogs are given. Keys typed into "Enter Keystrokes" and "Modify Hot Key"
// never start macros. An editor that closes because the program ends leaves the hooks as the
// shutdown left them.
CommandDialogServices DialogServices(Prompter& editorMessages, ProgramLifecycle& lifecycle,
                                     DialogDesktop& desktop, MacroStore& store, const bool& ended) {
    CommandDialogServices services;
    services.Messages = &editorMessages;
    services.Settings = &lifecycle.Settings();
    services.SaveSettings = [&lifecycle] { lifecycle.SaveSettings(); };
    services.Sounds = &desktop.Sound;
    services.Programs = &desktop.Shell;
    services.Windows = desktop.Windows ? &desktop.Windows->Windows() : nullptr;
    services.Running = &desktop.Processes;
    services.KeyboardHook = [&store, &ended](bool on) {
        if (ended) {
            return;
        }
        if (on) {
            HookTheKeyboard(store);
        } else {
            UnHookTheKeyboard(store);
        }
    };
    services.ShowHelp = [](std::string_view) { ShowHelpForActiveWindow(); };
    return services;
}

// Closing the main window ends the program; so do a termination signal and the end of the
// desktop session, which also saves at once, as the process may be ended without warning.
void ConnectEnding(QApplication& app, TMainWin& window, TerminationSignals& terminationSignals,
                   SettingsBlock& settings, ProgramLifecycle& lifecycle, const bool& ended) {
    QObject::connect(&terminationSignals, &TerminationSignals::Requested, &window,
                     [&window] { window.close(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&](QSessionManager&) {
        settings.MainWindow = WindowBounds{window.width(), window.height(), window.x(), window.y()};
        lifecycle.SaveSettings();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&] {
        if (!ended) {
            window.close();
        }
    });
}

void ApplyStartUp(int argc, char** argv, ProgramLifecycle& lifecycle, TMainWin& window,
                  SchedulerTimer* schedulerTimer) {
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
    if (schedulerTimer != nullptr) {
        schedulerTimer->Rebuild();
        schedulerTimer->StartUpLater();
    }
}

} // namespace

int RunGui(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpApplication();
    WindowTitleFit titleFit;
    app.installEventFilter(&titleFit);

    Prompter messages(nullptr, true);
    const bool traceHooks = !qgetenv("ORVANE_HOOK_TRACE").isEmpty();
    std::string error;
    std::string notice;
    const std::unique_ptr<DesktopBackend> desktop =
        OpenDesktopBackend(BackendUse::Program, traceHooks, notice, error);
    MacroStore store(desktop->Hook(), messages);
    ProgramLifecycle lifecycle(store, messages);
    const ProgramFolders folders = ProgramFoldersFrom(ProcessEnvironment(), ::getuid());
    const QByteArray display = qgetenv("DISPLAY");
    if (lifecycle.Start(folders, display.toStdString()) != ProgramLifecycle::StartResult::Run) {
        return 0;
    }
    const std::unique_ptr<WidgetMap> widgetMap = OpenWidgetMap(folders);

    SettingsBlock& settings = lifecycle.Settings();
    DialogDesktop dialogDesktop(*desktop, error);
    // Recomputes the timer table after a timed macro changed; set once the scheduler exists.
    std::function<void()> rebuildSchedule;
    KeyPickRelay keyPicks;
    TMainWin window(MainWindowServices(lifecycle, store, messages, keyPicks, rebuildSchedule,
                                       dialogDesktop.Sound, folders, *desktop));
    BuildCommandGroups(window);
    DisableWhatTheDesktopLacks(window.Commands(), desktop->Abilities());

    HotKeyParts parts;
    const HotKeyContext context{parts,  *desktop, store,    settings,       messages,
                                window, folders,  keyPicks, rebuildSchedule};
    StartHotKeys(context, traceHooks, error);
    if (!parts.ScreenSaver) {
        DisableScreenSaverHold(window.Commands());
    }
    lifecycle.ConnectHooks(static_cast<std::uint32_t>(window.winId()));
    desktop->WireRecorder(error);
    CaptureCommands capture(window, CaptureServices(folders, store, keyPicks, parts));
    ConnectCapture(parts, capture);

    // The editors: the main window's macro commands open them and store what they return.
    Prompter editorMessages(&window);
    ScriptingEditor scripting(
        {&settings, folders.Data / "Icons", &editorMessages, ShowHelpForActiveWindow});
    bool ended = false;
    const CommandDialogServices dialogServices =
        DialogServices(editorMessages, lifecycle, dialogDesktop, store, ended);
    RegisterCommandDialogs(scripting.Dialogs(), dialogServices);
    PopupMenuBuilder menuBuilder(
        {&store, folders.Data / "Icons", &editorMessages, ShowHelpForActiveWindow});
    DirectEditor direct({&dialogServices, scripting.Dialogs().Scope(), folders.Data / "Icons",
                         ShowHelpForActiveWindow});
    if (desktop->Abilities().Capture) {
        window.SetMacroEditors({&scripting, &direct, &menuBuilder, &capture.Editor(), {}});
    } else {
        window.SetMacroEditors({&scripting, &direct, &menuBuilder, nullptr, CaptureMissingText()});
    }
    // A file switch (Open, New, a recent file, <SWAP:) brings the new file's keyboard remapping.
    QObject::connect(&window, &TMainWin::SwapFileDue, &window,
                     [&lifecycle, &store] { lifecycle.Swaps().GetSwapFile(store.CurrentPath()); });

    ApplyStartUp(argc, argv, lifecycle, window, parts.Timer.get());

    const auto end = [&] {
        if (!ended) {
            ended = true;
            lifecycle.Shutdown(settings.MainWindow);
            QApplication::quit();
        }
    };
    QObject::connect(&window, &TMainWin::Closed, &app, end);
    TerminationSignals terminationSignals;
    ConnectEnding(app, window, terminationSignals, settings, lifecycle, ended);

    ShowMainWindow(window, settings);
    QTimer::singleShot(0, &window, [&notice, &folders, &messages] {
        TellOncePerSession(notice, folders.Runtime, messages);
    });
    QApplication::exec();
    end();
    return 0;
}

} // namespace orvane
