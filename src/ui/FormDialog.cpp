// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FormDialog.h"

#include "core/MessageSink.h"
#include "ui/Prompter.h"

#include <QAbstractSpinBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace orvane {

FormDialog::FormDialog(MessageSink& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    asker_ = [this](std::string_view caption, std::string_view text) {
        return Prompter(this).Ask(caption, text);
    };
}

bool FormDialog::Answered(const Refusal&, bool) {
    return false;
}

QDialogButtonBox* FormDialog::AddButtons(std::function<void()> help, const QString& okCaption) {
    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(okCaption, QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("OkButton"));
    ok_->setDefault(true);
    cancel_ = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel_->setObjectName(QStringLiteral("CancelButton"));
    if (help) {
        help_ = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
        help_->setObjectName(QStringLiteral("HelpButton"));
        connect(buttons, &QDialogButtonBox::helpRequested, this, std::move(help));
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &FormDialog::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void FormDialog::BindOk(QPushButton* ok) {
    ok_ = ok;
    connect(ok, &QPushButton::clicked, this, &FormDialog::OkClick);
}

void FormDialog::CentreOnScreen() {
    adjustSize();
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void FormDialog::ShowRefusal(const Refusal& refusal) {
    messages_.Show(refusal.Caption, refusal.Text);
    if (auto* field = refusal.Field.isEmpty() ? nullptr : findChild<QWidget*>(refusal.Field);
        field != nullptr) {
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->selectAll();
        } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) {
            spin->selectAll();
        }
    }
}

bool FormDialog::RunCheck() {
    // A few rounds at most: an answered question changes the fields once.
    for (int round = 0; round < 4; ++round) {
        const std::optional<Refusal> refusal = CheckForm();
        if (!refusal) {
            return true;
        }
        if (refusal->Question) {
            if (Answered(*refusal, asker_(refusal->Caption, refusal->Text))) {
                continue;
            }
            if (!refusal->Field.isEmpty()) {
                if (auto* field = findChild<QWidget*>(refusal->Field)) {
                    field->setFocus();
                }
            }
            return false;
        }
        ShowRefusal(*refusal);
        return false;
    }
    return false;
}

void FormDialog::OkClick() {
    done(Accepted);
}

void FormDialog::done(int result) {
    if (checking_) {
        return;
    }
    if (result != Accepted && !checkEveryClose_) {
        QDialog::done(result);
        return;
    }
    // A message box shown by the check may bring further close requests; they wait for it.
    checking_ = true;
    const bool passed = RunCheck();
    checking_ = false;
    if (!passed) {
        return;
    }
    Commit();
    QDialog::done(checkEveryClose_ ? result : Accepted);
}

} // namespace orvane
