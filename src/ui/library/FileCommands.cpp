// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/FileCommands.h"

#include "core/CodePage.h"
#include "core/MessageSink.h"
#include "core/Paths.h"
#include "library/FileChoice.h"
#include "library/RecentFiles.h"
#include "ui/MainCommandTable.h"
#include "ui/library/TMainWin.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>
#include <system_error>

namespace orvane {
namespace {

const QString Filters = QStringLiteral("Orvane Files (*.ORV *.orv);;All Files (*)");

} // namespace

FileCommands::FileCommands(TMainWin& window) : QObject(&window), window_(window) {
    MainCommandTable& commands = window.Commands();
    if (window.Context().Store != nullptr) {
        commands.Bind(MainCommand::OpenFile, [this] { OpenClick(); });
        commands.Bind(MainCommand::NewFile, [this] { NewClick(); });
        const std::vector<QAction*>& entries = commands.RecentFileEntries();
        for (std::size_t i = 0; i < entries.size() && i < kRecentFileCount; ++i) {
            entries[i]->setEnabled(true);
            connect(entries[i], &QAction::triggered, this, [this, i] { OpenRecent(i); });
        }
    }
    ShowRecentFiles();
    commands.Bind(MainCommand::Hide, [this] { window_.HideClick(); });
    commands.Bind(MainCommand::Terminate, [this] { window_.TerminateClick(); });
}

void FileCommands::ShowRecentFiles() {
    MainCommandTable& commands = window_.Commands();
    const SettingsBlock& settings = window_.Settings();
    const std::vector<QAction*>& entries = commands.RecentFileEntries();
    for (std::size_t i = 0; i < entries.size() && i < kRecentFileCount; ++i) {
        const std::string& path = settings.LastFiles[i];
        entries[i]->setText(QString::fromStdString(Windows1252ToUtf8(RecentFileCaption(i, path))));
        entries[i]->setVisible(!path.empty());
    }
    commands.RecentFilesSeparator()->setVisible(
        std::any_of(settings.LastFiles.begin(), settings.LastFiles.end(),
                    [](const std::string& p) { return !p.empty(); }));
}

QString FileCommands::StartFolder() const {
    return QFileInfo(
               QString::fromStdString(PathFromStored(window_.Settings().CurrentFile).string()))
        .absolutePath();
}

void FileCommands::OpenClick() {
    if (window_.RefusedWhileCapturing()) {
        return;
    }
    QFileDialog dialog(&window_, QStringLiteral("Open Orvane File"), StartFolder(), Filters);
    dialog.setObjectName(QStringLiteral("OpenFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        OpenPath(dialog.selectedFiles().constFirst());
    }
}

void FileCommands::NewClick() {
    if (window_.RefusedWhileCapturing()) {
        return;
    }
    QFileDialog dialog(&window_, QStringLiteral("New Orvane File"), StartFolder(), Filters);
    dialog.setObjectName(QStringLiteral("NewFileDialog"));
    // Asks before taking an existing name (whose file is then loaded as it is, never emptied),
    // and the folder must exist.
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("ORV"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        OpenPath(dialog.selectedFiles().constFirst());
    }
}

void FileCommands::OpenPath(const QString& path) {
    const std::string stored = StoredFromPath(std::filesystem::path(path.toStdString()));
    if (!HasMacroFileExtension(stored)) {
        window_.Messages().Show("Error", InvalidFileTypeText);
        return;
    }
    window_.SwitchMacroFile(stored);
}

void FileCommands::OpenRecent(std::size_t index) {
    if (index >= kRecentFileCount || window_.RefusedWhileCapturing()) {
        return;
    }
    const std::string stored = window_.Settings().LastFiles[index];
    std::error_code error;
    if (stored.empty() || !std::filesystem::exists(PathFromStored(stored), error)) {
        window_.Messages().Show("Error", FileMissingText);
        return;
    }
    window_.SwitchMacroFile(stored);
}

} // namespace orvane
