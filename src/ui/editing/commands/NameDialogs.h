// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/NameForms.h"
#include "ui/editing/commands/CommandDialog.h"

class QLineEdit;

namespace orvane {

// "Load A New Macro File".
class TDoSwap : public CommandDialog {
    Q_OBJECT
public:
    TDoSwap(const CommandDialogServices& services, const SwapForm& form, QWidget* parent = nullptr);
    SwapForm Form() const { return SwapForm{FormText(path_)}; }

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form(), Paths()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    QLineEdit* path_ = nullptr;
};

// "Load Text from a Text File": a missing file is a question, and the file can be opened for
// editing.
class TDoTextInsert : public CommandDialog {
    Q_OBJECT
public:
    TDoTextInsert(const CommandDialogServices& services, const TextFileForm& form,
                  QWidget* parent = nullptr);
    TextFileForm Form() const { return TextFileForm{FormText(path_), keepMissing_}; }
    void EditTextClick();

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form(), Paths()); }
    std::string BuildTag() override { return Build(Form()); }
    bool Answered(const Refusal& question, bool yes) override;

private:
    QLineEdit* path_ = nullptr;
    bool keepMissing_ = false;
};

// "Remark".
class TDoRemark : public CommandDialog {
    Q_OBJECT
public:
    TDoRemark(const CommandDialogServices& services, const RemarkForm& form,
              QWidget* parent = nullptr);
    RemarkForm Form() const { return RemarkForm{FormText(comments_)}; }

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    QLineEdit* comments_ = nullptr;
};

// "Internet Web Site" or "Internet FTP".
class TDoWebStuff : public CommandDialog {
    Q_OBJECT
public:
    TDoWebStuff(const CommandDialogServices& services, const WebForm& form,
                QWidget* parent = nullptr);
    WebForm Form() const { return WebForm{ftp_, FormText(address_)}; }

protected:
    std::optional<FormRefusal> CheckValues() override { return Check(Form()); }
    std::string BuildTag() override { return Build(Form()); }

private:
    bool ftp_ = false;
    QLineEdit* address_ = nullptr;
};

} // namespace orvane
