// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QDialogButtonBox;
class QPushButton;

namespace orvane {

class MessageSink;

// The one way every dialog of the program takes its values: "&Ok" asks the dialog to check
// its fields; the first refusal is shown ("Error" unless named otherwise), the focus goes to
// the field it names and the dialog stays open; a passing check commits and closes. A refusal
// may instead be a Yes/No question whose answer the dialog takes (a name chosen for the user,
// a missing file kept); then the fields are checked again.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    struct Refusal {
        std::string Caption = "Error";
        std::string Text;
        QString Field;         // objectName of the widget that gets the focus
        bool Question = false; // asked with Yes and No; see Answered
    };
    // Asks a Yes/No question; true for Yes.
    using Asker = std::function<bool(std::string_view caption, std::string_view text)>;

    // `messages` shows the refusals and must outlive the dialog.
    explicit FormDialog(MessageSink& messages, QWidget* parent = nullptr);

    // Questions go here instead of a message box (tests answer them).
    void SetAsker(Asker asker) { asker_ = std::move(asker); }

    // The button that checks; set by AddButtons or BindOk.
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* HelpButton() const { return help_; }

    // "&Ok" (the default button), then the check loop below.
    void OkClick();

protected:
    // The dialog's check, in the order the fields are checked; nothing when all are fine.
    virtual std::optional<Refusal> CheckForm() = 0;
    // The answer to a question refusal. True when the dialog changed its fields after the
    // answer and wants them checked again; false to stay open with the focus on the field.
    virtual bool Answered(const Refusal& question, bool yes);
    // Runs after a passing check, before the dialog closes with `result`.
    virtual void Commit() {}

    // "&Ok" (default), "&Cancel", and "&Help" when `help` is given, in one row; the captions
    // can be changed ("&Update").
    QDialogButtonBox* AddButtons(std::function<void()> help = {},
                                 const QString& okCaption = QStringLiteral("&Ok"));
    // A button the dialog placed itself that checks like "&Ok".
    void BindOk(QPushButton* ok);
    // Every way of closing (Escape and the close box too) goes through the check and ends as
    // accepted: for prompts that must return a value.
    void CheckOnEveryClose(bool on) { checkEveryClose_ = on; }
    // Centres the dialog on its screen (call once its size is known).
    void CentreOnScreen();

    // Shows a refusal as the loop would, for checks made outside "&Ok" (while typing).
    void ShowRefusal(const Refusal& refusal);

public:
    void done(int result) override;

private:
    bool RunCheck();

    MessageSink& messages_;
    Asker asker_;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* help_ = nullptr;
    bool checkEveryClose_ = false;
    bool checking_ = false;
};

} // namespace orvane
