// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/ExportMacrosDialog.h"

#include "core/MacroStore.h"
#include "core/MessageSink.h"
#include "library/MacroCatalog.h"
#include "library/MacroExport.h"
#include "library/MacroListSource.h"
#include "ui/library/MacroChooserList.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

ExportMacrosDialog::ExportMacrosDialog(const MacroStore& store, MessageSink& messages,
                                       QString startFolder, QWidget* parent)
    : QDialog(parent), store_(store), messages_(messages), startFolder_(std::move(startFolder)),
      records_(ExportableRecords(store)) {
    setWindowTitle(QStringLiteral("Export Macros"));
    setObjectName(QStringLiteral("ExportMacrosDialog"));
    setProperty("orvaneHelpSection", QStringLiteral("export-macros"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ChooseFile = [this] { return AskForFile(); };

    auto* layout = new QVBoxLayout(this);
    save_ = new QPushButton(QStringLiteral("&Save File..."));
    save_->setObjectName(QStringLiteral("SaveFileButton"));
    const ChooserPanel panel = AddChooserPanel(*this, *layout, QStringLiteral("&Macros to export:"),
                                               QStringLiteral("ExportList"), save_);
    list_ = panel.List;
    selectAll_ = panel.SelectAll;
    clear_ = panel.Clear;
    // The list shows what the main window's list shows: the table's fields and names.
    const std::vector<ListMacro> macros = ListMacrosFrom(store);
    std::vector<ChooserLine> lines;
    for (const int i : records_) {
        lines.push_back(ChooserLineOf(macros[static_cast<std::size_t>(i) - 1]));
    }
    list_->SetLines(lines);
    connect(save_, &QPushButton::clicked, this, &ExportMacrosDialog::SaveFileClick);
    list_->setFocus();
    resize(640, 420);
}

QString ExportMacrosDialog::AskForFile() {
    QFileDialog dialog(this, QStringLiteral("Save Macro File"), startFolder_,
                       QStringLiteral("Orvane Files (*.ORV *.orv);;All Files (*)"));
    dialog.setObjectName(QStringLiteral("ExportFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("ORV"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void ExportMacrosDialog::SaveFileClick() {
    const std::vector<bool> chosen = list_->Chosen();
    std::vector<int> records;
    for (std::size_t k = 0; k < chosen.size() && k < records_.size(); ++k) {
        if (chosen[k]) {
            records.push_back(records_[k]);
        }
    }
    if (records.empty()) {
        messages_.Show("Error", NothingToExportText);
        return;
    }
    const QString path = ChooseFile();
    if (path.isEmpty()) {
        return;
    }
    if (const auto error =
            ExportMacros(store_, records, std::filesystem::path(path.toStdString()))) {
        messages_.Show("Error", *error);
        return;
    }
    messages_.Show(ExportCompleteCaption, ExportCompleteText);
    accept();
}

} // namespace orvane
