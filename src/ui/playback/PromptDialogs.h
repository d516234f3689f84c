// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/FormDialog.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvane {

class MessageSink;

// The three small dialogs shown while a macro plays. Each stays on top, has a dialog frame and
// draws its labels in 12-pixel Arial; child widgets carry the names the program's help and tests
// use (Label1, MacroTitleLabel, MessageLabel, ResumeButton, AbortButton, TheMessage, NumReps,
// OkButton).

// The pause dialog: floats above the window the macro plays into, which keeps the keyboard
// focus; "&Resume" (or Resume() from a hot key) lets the macro go on, "&Abort" ends it.
class TPauseMacro : public QDialog {
    Q_OBJECT
public:
    // `caption` is "Pause" or "Pause (<hot key>)"; `nickname` the macro's; texts UTF-8.
    // The top-left corner of the frame goes to (left, top).
    TPauseMacro(const QString& caption, const QString& nickname, const QString& message, int left,
                int top, QWidget* parent = nullptr);

    // True once the dialog closed to resume.
    bool Resumed() const { return resume_; }
    // Closes the dialog as "&Resume" does.
    void Resume();

    QPushButton* ResumeButton() const { return resumeButton_; }
    QPushButton* AbortButton() const { return abortButton_; }

signals:
    // The dialog is on screen: the owner hands the focus back to the macro's window now.
    void Shown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool resume_ = false;
    QPushButton* resumeButton_ = nullptr;
    QPushButton* abortButton_ = nullptr;
};

// The repeat prompt: "Times To Repeat", at most four characters; it closes only on a valid
// number, else says "Invalid numeric value entered.  Please Correct" and keeps the focus in the
// entry.
class TRepeatPrompt : public FormDialog {
    Q_OBJECT
public:
    // Every way of closing (Ok, Enter, Escape, the close box) is checked.
    explicit TRepeatPrompt(MessageSink& messages, QWidget* parent = nullptr);

    // The count entered (low 16 bits), valid once the dialog has closed.
    std::uint16_t Count() const { return count_; }
    QLineEdit* NumReps() const { return numReps_; }

signals:
    void Shown();

protected:
    void showEvent(QShowEvent* event) override;
    std::optional<Refusal> CheckForm() override;
    void Commit() override;

private:
    QLineEdit* numReps_ = nullptr;
    std::uint16_t count_ = 0;
};

// The on-top message with an "&Ok" button.
class TOnTopMessage : public QDialog {
    Q_OBJECT
public:
    TOnTopMessage(const QString& title, const QString& text, QWidget* parent = nullptr);

    QPushButton* OkButton() const { return okButton_; }

signals:
    void Shown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* okButton_ = nullptr;
};

} // namespace orvane
