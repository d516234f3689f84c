// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageBoxPrompts.h"

#include "core/CodePage.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace orvane {
namespace {

QString FromMacroText(std::string_view text) {
    return QString::fromStdString(Windows1252ToUtf8(text));
}

} // namespace

PauseResult MessageBoxPrompts::DoPause(int top, int left, std::string_view message, WindowId) {
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Pause"));
    box.setText(QStringLiteral("Orvane Pause"));
    box.setInformativeText(FromMacroText(message));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    QPushButton* resume = box.addButton(QStringLiteral("&Resume"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("&Abort"), QMessageBox::RejectRole);
    box.move(left, top);
    box.exec();
    return PauseResult{box.clickedButton() == resume, false};
}

std::uint16_t MessageBoxPrompts::DoRepPrompt() {
    for (;;) {
        bool accepted = false;
        const QString entry = QInputDialog::getText(nullptr, QStringLiteral("Macro Repeat"),
                                                    QStringLiteral("Times To Repeat"),
                                                    QLineEdit::Normal, QString(), &accepted);
        bool valid = false;
        const long long count = entry.trimmed().toLongLong(&valid);
        if (valid) {
            return static_cast<std::uint16_t>(count);
        }
        QMessageBox::critical(nullptr, QStringLiteral("Error"),
                              QStringLiteral("Invalid numeric value entered.  Please Correct"));
    }
}

void MessageBoxPrompts::DoAMessage(std::string_view title, std::string_view text) {
    if (messageOpen_) {
        return;
    }
    messageOpen_ = true;
    QMessageBox box(QMessageBox::NoIcon, FromMacroText(title), FromMacroText(text),
                    QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
    messageOpen_ = false;
}

} // namespace orvane
