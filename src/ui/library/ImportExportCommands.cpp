// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/ImportExportCommands.h"

#include "core/MacroStore.h"
#include "core/MessageSink.h"
#include "core/Paths.h"
#include "ui/MainCommandTable.h"
#include "ui/library/ExportMacrosDialog.h"
#include "ui/library/ImportMacrosDialog.h"
#include "ui/library/OutputMacrosDialog.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"

#include <QFileDialog>
#include <QFileInfo>

namespace orvane {

ImportExportCommands::ImportExportCommands(TMainWin& window)
    : QObject(&window), window_(window), store_(window.Context().Store) {
    ChooseInformationFile = [this] { return AskForInformationFile(); };
    if (store_ == nullptr) {
        return;
    }
    MainCommandTable& commands = window.Commands();
    commands.Bind(MainCommand::ImportMacros, [this] { ImportClick(); });
    commands.Bind(MainCommand::ExportMacros, [this] { ExportClick(); });
    commands.Bind(MainCommand::OutputMacroInformation, [this] { OutputClick(); });
}

QString ImportExportCommands::StartFolder() const {
    return QFileInfo(QString::fromStdString(store_->CurrentPath().string())).absolutePath();
}

void ImportExportCommands::ImportClick() {
    SyncLease lease(window_);
    if (lease.Refused()) {
        return;
    }
    ImportMacrosDialog dialog(*store_, window_.Messages(), StartFolder(), &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const ImportOutcome& outcome = dialog.Outcome();
    if (outcome.Imported > 0) {
        lease.Changed();
    }
    window_.RefreshFromStore(outcome.FirstRecord);
    if (outcome.Timed && window_.Context().ScheduleChanged) {
        window_.Context().ScheduleChanged();
    }
}

void ImportExportCommands::ExportClick() {
    ExportMacrosDialog dialog(*store_, window_.Messages(), StartFolder(), &window_);
    dialog.exec();
}

void ImportExportCommands::OutputClick() {
    if (window_.Grid().Model().rowCount() == 0) {
        window_.Messages().Show("Error", NoMacrosToOutputText);
        return;
    }
    OutputMacrosDialog dialog(window_.Messages(), &window_);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    window_.SaveSettings();
    if (accepted) {
        WriteInformation(dialog.Options());
    }
}

QString ImportExportCommands::AskForInformationFile() {
    QFileDialog dialog(&window_, QStringLiteral("Write Hot Key Definitions to File"), StartFolder(),
                       QStringLiteral("Text Files (*.txt *.TXT);;All Files (*)"));
    dialog.setObjectName(QStringLiteral("InformationFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void ImportExportCommands::WriteInformation(const InformationOptions& options) {
    const QString path = ChooseInformationFile();
    if (path.isEmpty()) {
        return;
    }
    const MacroList& list = window_.Grid().Model().List();
    std::vector<int> order;
    for (int row = 1; row <= list.Count(); ++row) {
        order.push_back(list.RecordAt(row));
    }
    if (!WriteMacroInformation(*store_, order, options,
                               std::filesystem::path(path.toStdString()))) {
        window_.Messages().Show("Error", TextFileFailedText);
    }
}

} // namespace orvane
