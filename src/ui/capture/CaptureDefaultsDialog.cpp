// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/capture/CaptureDefaultsDialog.h"

#include "ui/capture/CaptureOptionsPanel.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

CaptureDefaultsDialog::CaptureDefaultsDialog(const CaptureOptions& options, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Capture Defaults"));
    auto* layout = new QVBoxLayout(this);
    panel_ = new CaptureOptionsPanel(CaptureOptionsPanel::Use::Defaults, options, !options.Global);
    layout->addWidget(panel_);
    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    panel_->Keys()->setFocus();
}

CaptureOptions CaptureDefaultsDialog::Options() const {
    return panel_->Options();
}

} // namespace orvane
