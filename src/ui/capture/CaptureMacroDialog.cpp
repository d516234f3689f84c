// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/capture/CaptureMacroDialog.h"

#include "ui/QtText.h"
#include "ui/capture/CaptureOptionsPanel.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

CaptureMacroDialog::CaptureMacroDialog(const Setup& setup, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Capture Macro"));
    auto* layout = new QVBoxLayout(this);
    auto* activation = new QLabel(setup.ActivationText);
    activation->setObjectName(QStringLiteral("activation"));
    QFont bold = activation->font();
    bold.setBold(true);
    activation->setFont(bold);
    layout->addWidget(activation);
    endLabel_ = new QLabel(setup.EndLabel);
    endLabel_->setObjectName(QStringLiteral("endLabel"));
    layout->addWidget(endLabel_);

    auto* fields = new QFormLayout;
    nickname_ = new QLineEdit(FieldText(setup.Form.Nickname));
    nickname_->setObjectName(QStringLiteral("nickname"));
    nickname_->setMaxLength(static_cast<int>(CaptureNicknameLength));
    fields->addRow(QStringLiteral("&Nickname"), nickname_);
    layout->addLayout(fields);

    options_ = new CaptureOptionsPanel(CaptureOptionsPanel::Use::CaptureMacro, setup.Form.Options,
                                       setup.Form.ProgramScope);
    if (setup.GlobalForbidden) {
        options_->ForbidGlobal();
    }
    layout->addWidget(options_);

    auto* buttons = new QDialogButtonBox;
    start_ = buttons->addButton(QStringLiteral("&Start Capture"), QDialogButtonBox::AcceptRole);
    start_->setObjectName(QStringLiteral("startCapture"));
    start_->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    nickname_->setFocus();
}

CaptureMacroForm CaptureMacroDialog::Form() const {
    CaptureMacroForm form;
    form.Options = options_->Options();
    form.ProgramScope = options_->ProgramScope();
    form.Nickname = StoredText(nickname_->text(), '?').substr(0, CaptureNicknameLength);
    return form;
}

} // namespace orvane
