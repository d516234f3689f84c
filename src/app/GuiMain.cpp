// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GuiMain.h"

#include "app/InactiveHookLibrary.h"
#include "app/QtMessageSink.h"
#include "app/TerminationSignals.h"
#include "core/CodePage.h"
#include "core/CommandLine.h"
#include "core/MacroStore.h"
#include "core/ProgramLifecycle.h"
#include "library/MacroListSource.h"
#include "ui/library/TMainWin.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSessionManager>
#include <QTimer>
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

QString StoredPathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

int RunGui(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setQuitOnLastWindowClosed(false);

    QtMessageSink messages;
    // Hot keys and ShortKeys are not watched yet: this backend installs no hooks.
    InactiveHookLibrary hook;
    MacroStore store(hook, messages);
    ProgramLifecycle lifecycle(store, messages);
    const ProgramFolders folders = ProgramFoldersFrom(ProcessEnvironment(), ::getuid());
    const QByteArray display = qgetenv("DISPLAY");
    if (lifecycle.Start(folders, display.toStdString()) != ProgramLifecycle::StartResult::Run) {
        return 0;
    }

    SettingsBlock& settings = lifecycle.Settings();
    TMainWin window({&settings, [&lifecycle] { lifecycle.SaveSettings(); }, FindManual()});
    lifecycle.ConnectHooks(static_cast<std::uint32_t>(window.winId()));

    std::vector<std::string> parameters;
    for (int i = 1; i < argc; ++i) {
        parameters.emplace_back(argv[i]);
    }
    const auto outcome = lifecycle.ApplyCommandLine(ParseCommandLine(parameters));
    window.SetMacroFile(StoredPathText(store.CurrentPath()), ListMacrosFrom(store));
    if (outcome.Hide) {
        window.HideAfterFirstShow();
    }
    window.ApplyRestriction(outcome.RestrictionLevel);

    bool ended = false;
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
    QApplication::exec();
    end();
    return 0;
}

} // namespace orvane
