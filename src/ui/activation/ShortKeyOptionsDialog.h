// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/ShortKeyOptions.h"
#include "ui/FormDialog.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace orvane {

class MessageSink;

// "ShortKey Options": prefix keys or a suffix, case sensitivity and solitary usage; undoing an
// expansion by Backspace, the text following the abbreviation's case, and long texts pasted
// (with their threshold, for every macro). The prefix
// is checked while it changes and when it loses the focus; an invalid character is reported
// ("Error") and the field gets the focus back, keeping its text.
class ShortKeyOptionsDialog : public FormDialog {
    Q_OBJECT
public:
    // `messages` shows the check's message; it must outlive the dialog.
    ShortKeyOptionsDialog(const ShortKeyOptionsForm& form, MessageSink& messages,
                          QWidget* parent = nullptr);

    // The fields as they stand (the prefix as typed; storing trims it).
    ShortKeyOptionsForm Form() const;

    QCheckBox* UsePrefixBox() const { return usePrefix_; }
    QLineEdit* PrefixEdit() const { return prefix_; }
    QCheckBox* CaseSensitiveBox() const { return caseSensitive_; }
    QCheckBox* SolitaryBox() const { return solitary_; }
    QCheckBox* UndoBox() const { return undo_; }
    QCheckBox* FollowCaseBox() const { return followCase_; }
    QCheckBox* PasteBox() const { return paste_; }
    QSpinBox* PasteAboveBox() const { return pasteAbove_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    std::optional<Refusal> CheckForm() override;

private:
    // The prefix's refusal: it holds a character that cannot start a word.
    std::optional<Refusal> PrefixRefusal() const;
    // Shows the prefix's refusal while it is typed; false when there was one.
    bool CheckPrefix();

    QCheckBox* usePrefix_ = nullptr;
    QLineEdit* prefix_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
    QCheckBox* solitary_ = nullptr;
    QCheckBox* undo_ = nullptr;
    QCheckBox* followCase_ = nullptr;
    QCheckBox* paste_ = nullptr;
    QSpinBox* pasteAbove_ = nullptr;
    bool reporting_ = false;
};

} // namespace orvane
