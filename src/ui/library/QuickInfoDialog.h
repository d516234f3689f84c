// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/QuickInfo.h"

#include <QDialog>
#include <QIcon>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace orvane {

// "Quick Info": a read-only summary of one macro, centred on the screen, closed with "&Ok".
class QuickInfoDialog : public QDialog {
    Q_OBJECT
public:
    QuickInfoDialog(const QuickInfo& info, const QIcon& icon, QWidget* parent = nullptr);

    // "Last Modified On " and the date and time in the system's short formats.
    QLabel* ModifiedLabel() const { return modified_; }
    QLabel* IconLabel() const { return icon_; }
    QLabel* ActivationLabel() const { return activationLabel_; }
    QLabel* Activation() const { return activation_; }
    QLabel* Nickname() const { return nickname_; }
    QLabel* Scope() const { return scope_; }
    QLabel* Active() const { return active_; }
    QLabel* TextLabel() const { return textLabel_; }
    QPlainTextEdit* MacroText() const { return text_; }
    QPushButton* OkButton() const { return ok_; }

private:
    QLabel* modified_ = nullptr;
    QLabel* icon_ = nullptr;
    QLabel* activationLabel_ = nullptr;
    QLabel* activation_ = nullptr;
    QLabel* nickname_ = nullptr;
    QLabel* scope_ = nullptr;
    QLabel* active_ = nullptr;
    QLabel* textLabel_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace orvane
