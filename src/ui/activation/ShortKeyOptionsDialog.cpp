// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/ShortKeyOptionsDialog.h"

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
    : FormDialog(messages, parent) {
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

    layout->addWidget(AddButtons());

    connect(usePrefix_, &QCheckBox::toggled, prefix_, &QWidget::setEnabled);
    connect(prefix_, &QLineEdit::textEdited, this, [this] { CheckPrefix(); });
}

ShortKeyOptionsForm ShortKeyOptionsDialog::Form() const {
    return {usePrefix_->isChecked(), StoredText(prefix_->text()), caseSensitive_->isChecked(),
            solitary_->isChecked()};
}

std::optional<FormDialog::Refusal> ShortKeyOptionsDialog::PrefixRefusal() const {
    // A character the code page lacks can never be typed into a word either.
    if (const auto message = CheckPrefixKeys(StoredText(prefix_->text(), '\x7f'))) {
        return Refusal{"Error", std::string(*message), prefix_->objectName()};
    }
    return std::nullopt;
}

std::optional<FormDialog::Refusal> ShortKeyOptionsDialog::CheckForm() {
    return usePrefix_->isChecked() ? PrefixRefusal() : std::nullopt;
}

bool ShortKeyOptionsDialog::CheckPrefix() {
    const std::optional<Refusal> refusal = PrefixRefusal();
    if (!refusal) {
        return true;
    }
    // The message box takes the focus, which would report the same text again.
    if (!reporting_) {
        reporting_ = true;
        ShowRefusal(*refusal);
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
