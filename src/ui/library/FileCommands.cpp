// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/FileCommands.h"

#include "core/CodePage.h"
#include "ui/MainCommandTable.h"
#include "ui/library/TMainWin.h"

#include <QAction>
#include <algorithm>

namespace orvane {

FileCommands::FileCommands(TMainWin& window) : QObject(&window), window_(window) {
    MainCommandTable& commands = window.Commands();
    const SettingsBlock& settings = window.Settings();
    const std::vector<QAction*>& entries = commands.RecentFileEntries();
    for (std::size_t i = 0; i < entries.size() && i < kRecentFileCount; ++i) {
        const std::string& path = settings.LastFiles[i];
        entries[i]->setText(QStringLiteral("&%1   %2")
                                .arg(i + 1)
                                .arg(QString::fromStdString(Windows1252ToUtf8(path))));
        entries[i]->setVisible(!path.empty());
    }
    commands.RecentFilesSeparator()->setVisible(
        std::any_of(settings.LastFiles.begin(), settings.LastFiles.end(),
                    [](const std::string& p) { return !p.empty(); }));
    commands.Bind(MainCommand::Hide, [this] { window_.HideClick(); });
    commands.Bind(MainCommand::Terminate, [this] { window_.TerminateClick(); });
}

} // namespace orvane
