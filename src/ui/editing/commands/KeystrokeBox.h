// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>

namespace orvane {

// The text box of the keystroke editors. It shows a stored text (Windows-1252, line breaks as
// carriage return and line feed) and gives back what the user typed, every character of it:
// tab characters stay tabs (the editors turn them into "<TAB>"), and a non-breaking space stays
// one. Tab types a tab here; Ctrl+Tab and Ctrl+Shift+Tab move the focus on.
class KeystrokeBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit KeystrokeBox(QWidget* parent = nullptr);

    // Shows `stored` with the caret at its end.
    void SetStored(std::string_view stored);
    // The text as stored; characters the code page lacks become "?".
    std::string Stored() const;
    // The text as typed, line breaks as line feeds.
    QString Typed() const;

    // Inserts `stored` at the caret (a selection is not replaced and stays after it), puts the
    // caret after it and focuses the box. False, inserting nothing, when the text would reach
    // 5001 characters.
    bool SetIt(std::string_view stored);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace orvane
