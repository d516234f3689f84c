// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/KeystrokeDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace orvane {

KeystrokeDialog::KeystrokeDialog(MessageSink& messages, std::function<void(bool on)> keyboardHook,
                                 QWidget* parent)
    : FormDialog(messages, parent), hookOff_(std::move(keyboardHook)) {}

void KeystrokeDialog::done(int result) {
    FormDialog::done(result);
    if (!isVisible()) {
        hookOff_.On();
    }
}

QDialogButtonBox* KeystrokeDialog::AddUpdateButtons(QMenuBar* bar, std::function<void()> help) {
    QDialogButtonBox* buttons = AddButtons(std::move(help), QStringLiteral("&Update"));
    if (HelpButton() != nullptr) {
        HelpButton()->setText(QStringLiteral("Help"));
    }
    OkButton()->setDefault(false);
    OkButton()->setAutoDefault(false);
    CancelButton()->setAutoDefault(false);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    connect(file->addAction(QStringLiteral("&Update")), &QAction::triggered, this,
            &FormDialog::OkClick);
    connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, this, &QDialog::reject);
    return buttons;
}

} // namespace orvane
