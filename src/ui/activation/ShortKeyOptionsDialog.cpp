// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/ShortKeyOptionsDialog.h"

#include "core/MessageSink.h"
#include "ui/activation/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

ShortKeyOptionsDialog::ShortKeyOptionsDialog(const ShortKeyOptionsForm& form, MessageSink& messages,
                                             QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setWindowTitle(QStringLiteral("ShortKey Options"));
    auto* layout = new QVBoxLayout(this);

    usePrefix_ = new QCheckBox(QStringLiteral("Use &Prefix Keys"));
    usePrefix_->setChecked(form.UsePrefixKeys);
    layout->addWidget(usePrefix_);

    auto* prefixRow = new QFormLayout;
    prefixRow->setContentsMargins(24, 0, 0, 0);
    prefix_ = new QLineEdit(FieldText(form.PrefixKeys));
    prefix_->setObjectName(QStringLiteral("prefixKeys"));
    prefix_->setMaxLength(2);
    prefix_->setFixedWidth(prefix_->fontMetrics().horizontalAdvance(QStringLiteral("MMMM")) + 12);
    prefix_->setEnabled(form.UsePrefixKeys);
    prefix_->installEventFilter(this);
    prefixRow->addRow(QStringLiteral("Prefix Keys"), prefix_);
    layout->addLayout(prefixRow);
    auto* suffixNote = new QLabel(
        QStringLiteral("Without prefix keys, a ShortKey plays when Space or Enter follows it."));
    suffixNote->setWordWrap(true);
    suffixNote->setEnabled(false);
    layout->addWidget(suffixNote);

    caseSensitive_ = new QCheckBox(QStringLiteral("Case &Sensitive"));
    caseSensitive_->setChecked(form.CaseSensitive);
    layout->addWidget(caseSensitive_);
    solitary_ = new QCheckBox(QStringLiteral("Solitary &Usage"));
    solitary_->setChecked(form.SolitaryUsage);
    layout->addWidget(solitary_);

    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    connect(usePrefix_, &QCheckBox::toggled, prefix_, &QWidget::setEnabled);
    connect(prefix_, &QLineEdit::textEdited, this, [this] { CheckPrefix(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!usePrefix_->isChecked() || CheckPrefix()) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ShortKeyOptionsForm ShortKeyOptionsDialog::Form() const {
    return {usePrefix_->isChecked(), StoredText(prefix_->text()), caseSensitive_->isChecked(),
            solitary_->isChecked()};
}

bool ShortKeyOptionsDialog::CheckPrefix() {
    // A character the code page lacks can never be typed into a word either.
    const auto message = CheckPrefixKeys(StoredText(prefix_->text(), '\x7f'));
    if (!message) {
        return true;
    }
    // The message box takes the focus, which would report the same text again.
    if (!reporting_) {
        reporting_ = true;
        messages_.Show("Error", *message);
        prefix_->setFocus();
        reporting_ = false;
    }
    return false;
}

bool ShortKeyOptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == prefix_ && event->type() == QEvent::FocusOut && !reporting_ &&
        prefix_->isEnabled()) {
        CheckPrefix();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orvane
