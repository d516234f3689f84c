// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/ShortKeyOptionsDialog.h"

#include "ui/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orvane {

ShortKeyOptionsDialog::ShortKeyOptionsDialog(const ShortKeyOptionsForm& form, MessageSink& messages,
                                             QWidget* parent)
    : FormDialog(messages, parent) {
    setWindowTitle(QStringLiteral("ShortKey Options"));
    // Wide enough for the notes to read as sentences, not as columns of words.
    setMinimumWidth(fontMetrics().horizontalAdvance(QString(60, QLatin1Char('n'))));
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

    // Notes under a box are indented to its text and read by screen readers as its description.
    const auto addNote = [layout](QCheckBox* box, const QString& text) {
        auto* note = new QLabel(text);
        note->setWordWrap(true);
        note->setEnabled(false);
        note->setContentsMargins(24, 0, 0, 0);
        box->setAccessibleDescription(text);
        layout->addWidget(note);
    };
    undo_ = new QCheckBox(QStringLiteral("&Backspace undoes an expansion"));
    undo_->setChecked(form.UndoByBackspace);
    layout->addWidget(undo_);
    addNote(undo_, QStringLiteral("Backspace struck right after a ShortKey has played takes its "
                                  "text back and types the abbreviation again. Only for macros "
                                  "that do nothing but type."));
    followCase_ = new QCheckBox(QStringLiteral("&Text follows the abbreviation's case"));
    followCase_->setChecked(form.FollowCase);
    layout->addWidget(followCase_);
    addNote(followCase_, QStringLiteral("Without Case Sensitive: \"Sig\" types the text with a "
                                        "capital first letter, \"SIG\" all in capitals."));

    auto* pasteRow = new QHBoxLayout;
    paste_ = new QCheckBox(QStringLiteral("P&aste texts longer than"));
    paste_->setChecked(form.PasteLongTexts);
    pasteAbove_ = new QSpinBox;
    pasteAbove_->setObjectName(QStringLiteral("pasteAbove"));
    pasteAbove_->setRange(MinPasteAbove, MaxPasteAbove);
    pasteAbove_->setValue(form.PasteAbove);
    pasteAbove_->setEnabled(form.PasteLongTexts);
    pasteAbove_->setAccessibleName(QStringLiteral("Paste texts longer than, characters"));
    auto* characters = new QLabel(QStringLiteral("characters"));
    characters->setBuddy(pasteAbove_);
    pasteRow->addWidget(paste_);
    pasteRow->addWidget(pasteAbove_);
    pasteRow->addWidget(characters);
    pasteRow->addStretch();
    layout->addLayout(pasteRow);
    addNote(paste_, QStringLiteral("In every macro, longer runs of text arrive at once through "
                                   "the clipboard, which then holds what it held before."));

    layout->addWidget(AddButtons());

    connect(usePrefix_, &QCheckBox::toggled, prefix_, &QWidget::setEnabled);
    connect(paste_, &QCheckBox::toggled, pasteAbove_, &QWidget::setEnabled);
    connect(prefix_, &QLineEdit::textEdited, this, [this] { CheckPrefix(); });
}

ShortKeyOptionsForm ShortKeyOptionsDialog::Form() const {
    return {.UsePrefixKeys = usePrefix_->isChecked(),
            .PrefixKeys = StoredText(prefix_->text()),
            .CaseSensitive = caseSensitive_->isChecked(),
            .SolitaryUsage = solitary_->isChecked(),
            .UndoByBackspace = undo_->isChecked(),
            .FollowCase = followCase_->isChecked(),
            .PasteLongTexts = paste_->isChecked(),
            .PasteAbove = pasteAbove_->value()};
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
