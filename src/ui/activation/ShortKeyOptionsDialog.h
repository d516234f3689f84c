// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/ShortKeyOptions.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace orvane {

class MessageSink;

// "ShortKey Options": prefix keys or a suffix, case sensitivity and solitary usage. The prefix
// is checked while it changes and when it loses the focus; an invalid character is reported
// ("Error") and the field gets the focus back, keeping its text.
class ShortKeyOptionsDialog : public QDialog {
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
    QPushButton* OkButton() const { return ok_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // False (after the message) when the prefix holds a character that cannot start a word.
    bool CheckPrefix();

    MessageSink& messages_;
    QCheckBox* usePrefix_ = nullptr;
    QLineEdit* prefix_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
    QCheckBox* solitary_ = nullptr;
    QPushButton* ok_ = nullptr;
    bool reporting_ = false;
};

} // namespace orvane
