// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/ImportMacrosDialog.h"

#include "core/DayCount.h"
#include "core/MessageSink.h"
#include "ui/library/MacroChooserList.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

namespace orvane {
namespace {

// Passes messages on, bringing something up to date before each one is shown.
class FollowingSink : public MessageSink {
public:
    FollowingSink(MessageSink& shown, std::function<void()> before)
        : shown_(shown), before_(std::move(before)) {}
    void Show(std::string_view caption, std::string_view text) override {
        before_();
        shown_.Show(caption, text);
    }
    bool Ask(std::string_view caption, std::string_view text) override {
        before_();
        return shown_.Ask(caption, text);
    }

private:
    MessageSink& shown_;
    std::function<void()> before_;
};

} // namespace

ImportMacrosDialog::ImportMacrosDialog(MacroStore& store, MessageSink& messages,
                                       QString startFolder, QWidget* parent)
    : QDialog(parent), store_(store), messages_(messages), startFolder_(std::move(startFolder)) {
    setWindowTitle(QStringLiteral("Import Macros"));
    setObjectName(QStringLiteral("ImportMacrosDialog"));
    setProperty("orvaneHelpSection", QStringLiteral("import-macros"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ChooseFile = [this] { return AskForFile(); };

    auto* layout = new QVBoxLayout(this);
    auto* fileRow = new QHBoxLayout;
    open_ = new QPushButton(QStringLiteral("Open &File..."));
    open_->setObjectName(QStringLiteral("OpenFileButton"));
    open_->setAutoDefault(false);
    fileLabel_ = new QLabel(QStringLiteral("No file is open."));
    fileLabel_->setObjectName(QStringLiteral("ImportFileName"));
    fileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fileRow->addWidget(open_);
    fileRow->addWidget(fileLabel_, 1);
    layout->addLayout(fileRow);

    ok_ = new QPushButton(QStringLiteral("&Ok"));
    ok_->setObjectName(QStringLiteral("OkButton"));
    const ChooserPanel panel = AddChooserPanel(*this, *layout, QStringLiteral("&Macros to import:"),
                                               QStringLiteral("ImportList"), ok_);
    list_ = panel.List;
    selectAll_ = panel.SelectAll;
    clear_ = panel.Clear;
    for (QPushButton* button : {selectAll_, clear_, ok_}) {
        button->setEnabled(false);
    }

    connect(open_, &QPushButton::clicked, this, &ImportMacrosDialog::OpenFileClick);
    connect(ok_, &QPushButton::clicked, this, &ImportMacrosDialog::OkClick);
    open_->setFocus();
    resize(640, 420);
}

QString ImportMacrosDialog::AskForFile() {
    QFileDialog dialog(this, QStringLiteral("Import Orvane Files"), startFolder_,
                       QStringLiteral("Orvane Files (*.ORV *.orv *.KE2 *.ke2 *.SHK *.shk);;"
                                      "All Files (*)"));
    dialog.setObjectName(QStringLiteral("ImportFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void ImportMacrosDialog::OpenFileClick() {
    const QString path = ChooseFile();
    if (!path.isEmpty()) {
        OpenPath(path);
    }
}

void ImportMacrosDialog::OpenPath(const QString& path) {
    ImportRead read = ReadImportFile(std::filesystem::path(path.toStdString()), NowAsDays());
    if (!read.File) {
        messages_.Show("Error", read.Error);
        return;
    }
    file_ = std::move(read.File);
    std::vector<ChooserLine> lines;
    lines.reserve(file_->Entries.size());
    for (const ImportEntry& entry : file_->Entries) {
        lines.push_back(ChooserLineOf(entry.Record));
    }
    list_->SetLines(lines);
    fileLabel_->setText(QFileInfo(path).fileName());
    fileLabel_->setToolTip(path);
    for (QPushButton* button : {selectAll_, clear_, ok_}) {
        button->setEnabled(true);
    }
    list_->setFocus();
}

void ImportMacrosDialog::OkClick() {
    if (!file_) {
        return;
    }
    std::vector<bool> chosen = list_->Chosen();
    // Each message is read beside the list: the lines the import has let go of are shown
    // deselected by then.
    FollowingSink sink(messages_, [this, &chosen] { list_->SetChosen(chosen); });
    outcome_ = ImportSelected(store_, *file_, chosen, sink, NowAsDays());
    list_->SetChosen(chosen);
    if (outcome_.Step == ImportStep::Done) {
        accept();
    }
}

} // namespace orvane
