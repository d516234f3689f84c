// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/MessageBoxSink.h"

#include <QMessageBox>

namespace orvane {

void MessageBoxSink::Show(std::string_view caption, std::string_view text) {
    const QString title = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    const QString body = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (caption == "Error") {
        QMessageBox::critical(parent_, title, body);
    } else if (caption == "Warning") {
        QMessageBox::warning(parent_, title, body);
    } else {
        QMessageBox::information(parent_, title, body);
    }
}

} // namespace orvane
