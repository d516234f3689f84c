// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/NameDialogs.h"

#include "core/CodePage.h"
#include "platform/Shell.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {
namespace {

// A path box with its "&Browse" button, as one form row.
QLineEdit* PathRow(CommandDialog* dialog, QFormLayout* form, QLineEdit* path, const QString& label,
                   const QString& caption, const QString& filter) {
    path->setMinimumWidth(path->fontMetrics().averageCharWidth() * 45);
    auto* browse = new QPushButton(QStringLiteral("&Browse"), dialog);
    browse->setObjectName(QStringLiteral("BrowseButton"));
    browse->setAutoDefault(false);
    QObject::connect(browse, &QPushButton::clicked, dialog, [dialog, path, caption, filter] {
        const QString chosen = QFileDialog::getOpenFileName(dialog, caption, path->text(), filter);
        if (!chosen.isEmpty()) {
            path->setText(chosen);
        }
    });
    auto* row = new QHBoxLayout;
    row->addWidget(path, 1);
    row->addWidget(browse);
    auto* text = new QLabel(label, dialog);
    text->setBuddy(path);
    form->addRow(text, row);
    return path;
}

} // namespace

TDoSwap::TDoSwap(const CommandDialogServices& services, const SwapForm& form, QWidget* parent)
    : CommandDialog(services, QStringLiteral("Load A New Macro File"), parent) {
    auto* fields = new QFormLayout;
    path_ = PathRow(this, fields, Edit("ProgPath", 255, QStringLiteral("File Path/Name")),
                    QStringLiteral("&File Path/Name"), QStringLiteral("Orvane Files"),
                    QStringLiteral("Orvane (*.ORV *.orv);;All Files (*)"));
    path_->setText(BoxText(form.Path));
    Finish(fields, "Swap Macro File");
}

TDoTextInsert::TDoTextInsert(const CommandDialogServices& services, const TextFileForm& form,
                             QWidget* parent)
    : CommandDialog(services, QStringLiteral("Load Text from a Text File"), parent) {
    auto* fields = new QFormLayout;
    path_ = PathRow(this, fields, Edit("ProgPath", 255, QStringLiteral("File Path/Name")),
                    QStringLiteral("&File Path/Name"), QStringLiteral("Text Files"),
                    QStringLiteral("Text Files (*.txt *.TXT);;Any Files (*)"));
    auto* edit = new QPushButton(QStringLiteral("&Edit Text File"), this);
    edit->setObjectName(QStringLiteral("EditText"));
    edit->setAutoDefault(false);
    edit->setEnabled(services.Programs != nullptr);
    connect(edit, &QPushButton::clicked, this, &TDoTextInsert::EditTextClick);
    fields->addRow(QString(), edit);
    path_->setText(BoxText(form.Path));
    connect(path_, &QLineEdit::textEdited, this, [this] { keepMissing_ = false; });
    Finish(fields, "Insert Text File");
}

bool TDoTextInsert::Answered(const Refusal&, bool yes) {
    // Yes corrects the name; No keeps it as it is.
    keepMissing_ = !yes;
    return keepMissing_;
}

void TDoTextInsert::EditTextClick() {
    const std::string path = Trimmed(FormText(path_));
    if (!Paths().FileExists(path)) {
        ShowRefusal({"Error", std::string(CannotOpenTextFileText), path_->objectName()});
        return;
    }
    if (Services().Programs != nullptr) {
        Services().Programs->OpenAddress(Windows1252ToUtf8(path));
    }
}

TDoRemark::TDoRemark(const CommandDialogServices& services, const RemarkForm& form, QWidget* parent)
    : CommandDialog(services, QStringLiteral("Remark"), parent) {
    auto* fields = new QFormLayout;
    comments_ = Edit("Comments", 240, QStringLiteral("Comment"));
    comments_->setMinimumWidth(comments_->fontMetrics().averageCharWidth() * 50);
    fields->addRow(Label(QStringLiteral("Co&mment"), comments_), comments_);
    comments_->setText(BoxText(form.Comments));
    Finish(fields, "Remark");
}

TDoWebStuff::TDoWebStuff(const CommandDialogServices& services, const WebForm& form,
                         QWidget* parent)
    : CommandDialog(services,
                    form.Ftp ? QStringLiteral("Internet FTP") : QStringLiteral("Internet Web Site"),
                    parent),
      ftp_(form.Ftp) {
    auto* fields = new QFormLayout;
    address_ =
        Edit("ProgPath", 255, ftp_ ? QStringLiteral("FTP URL") : QStringLiteral("Web Site URL"));
    address_->setMinimumWidth(address_->fontMetrics().averageCharWidth() * 45);
    fields->addRow(
        Label(ftp_ ? QStringLiteral("&FTP URL") : QStringLiteral("&Web Site URL"), address_),
        address_);
    address_->setText(BoxText(form.Address));
    Finish(fields, "Web Site URL");
}

} // namespace orvane
