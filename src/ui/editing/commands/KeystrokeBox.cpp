// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/KeystrokeBox.h"

#include "editing/commands/KeystrokeText.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>

namespace orvane {

KeystrokeBox::KeystrokeBox(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void KeystrokeBox::SetStored(std::string_view stored) {
    setPlainText(QString::fromStdString(BoxFromKeystrokes(stored)));
    moveCursor(QTextCursor::End);
}

QString KeystrokeBox::Typed() const {
    // The plain text a document gives turns non-breaking spaces into blanks; the raw text keeps
    // them and marks line breaks with the Unicode separators instead.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

std::string KeystrokeBox::Stored() const {
    return KeystrokesFromBox(Typed().toStdString());
}

bool KeystrokeBox::SetIt(std::string_view stored) {
    if (Stored().size() + stored.size() > KeystrokeTextLimit) {
        setFocus();
        return false;
    }
    // Inserted through a cursor rather than by rebuilding the text, so the view stays where it
    // was and the insertion can be undone.
    QTextCursor cursor = textCursor();
    cursor.setPosition(cursor.selectionStart());
    cursor.insertText(QString::fromStdString(BoxFromKeystrokes(stored)));
    setTextCursor(cursor);
    setFocus();
    return true;
}

void KeystrokeBox::keyPressEvent(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (event->modifiers() & Qt::ControlModifier)) {
        const bool back =
            event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        // The scroll area's own way through the focus chain: the box itself keeps Tab.
        QAbstractScrollArea::focusNextPrevChild(!back);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace orvane
