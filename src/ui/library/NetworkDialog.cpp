// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/NetworkDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace orvane {

NetworkDialog::NetworkDialog(const NetworkForm& form, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Network Considerations"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral(
        "When several people use one macro file over the network, file locking lets one of "
        "them change it at a time, and everybody else reloads it when it has changed."));
    note->setWordWrap(true);
    layout->addWidget(note);

    locking_ = new QCheckBox(QStringLiteral("&File Locking of Macro Files"));
    locking_->setObjectName(QStringLiteral("NetworkMode"));
    locking_->setChecked(form.NetworkMode);
    layout->addWidget(locking_);

    autoSync_ = new QCheckBox(QStringLiteral("&Automatic Synchronization Updating"));
    autoSync_->setObjectName(QStringLiteral("AutoSync"));
    autoSync_->setChecked(form.AutoSync);
    auto* indented = new QVBoxLayout;
    indented->setContentsMargins(20, 0, 0, 0);
    indented->addWidget(autoSync_);
    auto* row = new QHBoxLayout;
    every_ = new QLabel(QStringLiteral("&Synchronize every"));
    minutes_ = new QLineEdit(QString::fromStdString(form.Minutes));
    minutes_->setObjectName(QStringLiteral("Minutes"));
    minutes_->setMaxLength(5);
    minutes_->setFixedWidth(minutes_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) +
                            12);
    minutes_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), minutes_));
    every_->setBuddy(minutes_);
    unit_ = new QLabel(QStringLiteral("minutes"));
    minutes_->setAccessibleName(QStringLiteral("Synchronize every, in minutes"));
    row->addWidget(every_);
    row->addWidget(minutes_);
    row->addWidget(unit_);
    row->addStretch(1);
    indented->addLayout(row);
    layout->addLayout(indented);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(locking_, &QCheckBox::toggled, this, &NetworkDialog::FollowChecks);
    connect(autoSync_, &QCheckBox::toggled, this, &NetworkDialog::FollowChecks);
    FollowChecks();
    setFixedWidth(420);
}

void NetworkDialog::FollowChecks() {
    const bool locking = locking_->isChecked();
    autoSync_->setEnabled(locking);
    // The interval means something only while the file is reloaded on a timer.
    const bool timed = locking && autoSync_->isChecked();
    for (QWidget* widget : {static_cast<QWidget*>(every_), static_cast<QWidget*>(minutes_),
                            static_cast<QWidget*>(unit_)}) {
        widget->setEnabled(timed);
    }
}

NetworkForm NetworkDialog::Form() const {
    return NetworkForm{locking_->isChecked(), autoSync_->isChecked(),
                       minutes_->text().toStdString()};
}

} // namespace orvane
