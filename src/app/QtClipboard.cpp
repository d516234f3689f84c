// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace orvane {

void QtClipboard::SetText(std::string_view utf8) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard != nullptr) {
        clipboard->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())),
                           QClipboard::Clipboard);
    }
}

} // namespace orvane
