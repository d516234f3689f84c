// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/ClipboardForm.h"
#include "editing/commands/FilesForm.h"
#include "ui/editing/commands/CommandDialog.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace orvane {

// "Clipboard".
class TDoClipboard : public CommandDialog {
    Q_OBJECT
public:
    TDoClipboard(const CommandDialogServices& services, const ClipboardForm& form,
                 QWidget* parent = nullptr);
    ClipboardForm Form() const;

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form(), Paths()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    QButtonGroup* kind_ = nullptr;
    QLineEdit* file_ = nullptr;
    QPushButton* browse_ = nullptr;
};

// "Keys Up Or Down".
class TDoKeyUpDown : public CommandDialog {
    Q_OBJECT
public:
    TDoKeyUpDown(const CommandDialogServices& services, const KeyUpDownForm& form,
                 QWidget* parent = nullptr);
    KeyUpDownForm Form() const;

protected:
    std::optional<FormRefusal> CheckValues() override { return std::nullopt; }
    std::string BuildTag() override { return Build(Form()); }

private:
    QButtonGroup* action_ = nullptr;
};

// "File Manipulation".
class TDoDOSFiles : public CommandDialog {
    Q_OBJECT
public:
    TDoDOSFiles(const CommandDialogServices& services, const FilesForm& form,
                QWidget* parent = nullptr);
    FilesForm Form() const;

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form(), Paths()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    QButtonGroup* kind_ = nullptr;
    QLineEdit* path_ = nullptr;
    QLineEdit* newName_ = nullptr;
};

// A path box and its "&Browse" button in one row; the button opens `caption` with `filter`.
QLayout* BrowseRow(QWidget* dialog, QLineEdit* path, QPushButton*& browse, const QString& caption,
                   const QString& filter, bool folders = false);

} // namespace orvane
