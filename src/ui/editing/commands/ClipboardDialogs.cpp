// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/ClipboardDialogs.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

QLayout* BrowseRow(QWidget* dialog, QLineEdit* path, QPushButton*& browse, const QString& caption,
                   const QString& filter, bool folders) {
    path->setMinimumWidth(path->fontMetrics().averageCharWidth() * 40);
    browse = new QPushButton(QStringLiteral("&Browse"), dialog);
    browse->setObjectName(QStringLiteral("BrowseButton"));
    browse->setAutoDefault(false);
    QObject::connect(
        browse, &QPushButton::clicked, dialog, [dialog, path, caption, filter, folders] {
            const QString chosen =
                folders ? QFileDialog::getExistingDirectory(dialog, caption, path->text())
                        : QFileDialog::getOpenFileName(dialog, caption, path->text(), filter);
            if (!chosen.isEmpty()) {
                path->setText(chosen);
            }
        });
    auto* row = new QHBoxLayout;
    row->addWidget(path, 1);
    row->addWidget(browse);
    return row;
}

TDoClipboard::TDoClipboard(const CommandDialogServices& services, const ClipboardForm& form,
                           QWidget* parent)
    : CommandDialog(services, QStringLiteral("Clipboard"), parent) {
    auto* layout = new QVBoxLayout;
    kind_ = new QButtonGroup(this);
    layout->addWidget(Radio(kind_, ClipboardForm::StartCopy, "StartClip",
                            QStringLiteral("&Start Clipboard Copy")));
    layout->addWidget(
        Radio(kind_, ClipboardForm::EndCopy, "EndClip", QStringLiteral("&End Clipboard Copy")));
    layout->addWidget(Radio(kind_, ClipboardForm::FileCopy, "CopyFile",
                            QStringLiteral("C&opy Text File To Clipboard")));
    layout->addWidget(Radio(kind_, ClipboardForm::Copy, "CopyCommand",
                            QStringLiteral("&Issue Copy To Clipboard Command (CTRL+C)")));
    layout->addWidget(Radio(kind_, ClipboardForm::Paste, "PasteCommand",
                            QStringLiteral("Issue &Paste From Clipboard Command (CTRL+V)")));
    file_ = Edit("ProgPath", 255, QStringLiteral("Text File Path/Name"));
    auto* fields = new QFormLayout;
    fields->addRow(Label(QStringLiteral("&Text File Path/Name"), file_),
                   BrowseRow(this, file_, browse_, QStringLiteral("Text Files"),
                             QStringLiteral("Text Files (*.txt *.TXT);;All Files (*)")));
    layout->addLayout(fields);
    CheckButton(kind_, form.Kind);
    file_->setText(BoxText(form.File));
    const auto enable = [this] {
        const bool file = kind_->checkedId() == ClipboardForm::FileCopy;
        file_->setEnabled(file);
        browse_->setEnabled(file);
    };
    connect(kind_, &QButtonGroup::idToggled, this, enable);
    enable();
    Finish(layout, "Clipboard Options");
}

ClipboardForm TDoClipboard::Form() const {
    return ClipboardForm{kind_->checkedId(), FormText(file_)};
}

TDoKeyUpDown::TDoKeyUpDown(const CommandDialogServices& services, const KeyUpDownForm& form,
                           QWidget* parent)
    : CommandDialog(services, QStringLiteral("Keys Up Or Down"), parent) {
    auto* layout = new QVBoxLayout;
    action_ = new QButtonGroup(this);
    const std::pair<const char*, const char*> actions[] = {
        {"CtrlDown", "C&ontrol Key Down"}, {"CtrlUp", "Co&ntrol Key Up"},
        {"AltDown", "&Alt Key Down"},      {"AltUp", "A&lt Key Up"},
        {"ShiftDown", "&Shift Key Down"},  {"ShiftUp", "S&hift Key Up"},
        {"WinDown", "&Win Key Down"},      {"WinUp", "W&in Key Up"}};
    for (int i = 0; i < 8; ++i) {
        layout->addWidget(
            Radio(action_, i + 1, actions[i].first, QString::fromLatin1(actions[i].second)));
    }
    CheckButton(action_, form.Action);
    Finish(layout, "Keys Up Or Down");
}

KeyUpDownForm TDoKeyUpDown::Form() const {
    return KeyUpDownForm{action_->checkedId()};
}

TDoDOSFiles::TDoDOSFiles(const CommandDialogServices& services, const FilesForm& form,
                         QWidget* parent)
    : CommandDialog(services, QStringLiteral("File Manipulation"), parent) {
    auto* layout = new QVBoxLayout;
    kind_ = new QButtonGroup(this);
    layout->addWidget(Radio(kind_, FilesForm::ChangeDir, "ChangeDir",
                            QStringLiteral("Ch&ange Directory/Folder")));
    layout->addWidget(Radio(kind_, FilesForm::Copy, "CopyFile", QStringLiteral("Cop&y File")));
    layout->addWidget(
        Radio(kind_, FilesForm::Rename, "RenameFile", QStringLiteral("&Rename File")));
    layout->addWidget(
        Radio(kind_, FilesForm::Delete, "DeleteFile", QStringLiteral("&Delete File")));
    path_ = Edit("ProgPath", 255, QStringLiteral("Text File Path/Name"));
    newName_ = Edit("NewName", 255, QStringLiteral("New Name"));
    newName_->setMinimumWidth(newName_->fontMetrics().averageCharWidth() * 40);
    QPushButton* browse = nullptr;
    auto* fields = new QFormLayout;
    fields->addRow(Label(QStringLiteral("&Text File Path/Name"), path_),
                   BrowseRow(this, path_, browse, QStringLiteral("All Files"),
                             QStringLiteral("All Files (*)")));
    fields->addRow(Label(QStringLiteral("&New Name"), newName_), newName_);
    layout->addLayout(fields);
    CheckButton(kind_, form.Kind);
    path_->setText(BoxText(form.Path));
    newName_->setText(BoxText(form.NewName));
    const auto enable = [this] {
        const int kind = kind_->checkedId();
        newName_->setEnabled(kind == FilesForm::Copy || kind == FilesForm::Rename);
    };
    connect(kind_, &QButtonGroup::idToggled, this, enable);
    enable();
    Finish(layout, "File Commands");
}

FilesForm TDoDOSFiles::Form() const {
    return FilesForm{kind_->checkedId(), FormText(path_), FormText(newName_)};
}

} // namespace orvane
