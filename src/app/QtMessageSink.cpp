// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <string>

namespace orvane {

void QtMessageSink::Show(std::string_view caption, std::string_view text) {
    const std::string line =
        "orvane: " + std::string(caption) + (caption.empty() ? "" : ": ") + std::string(text);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    const QString title = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    const QString body = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QMessageBox box(caption == "Error" || caption == "System Error" ? QMessageBox::Critical
                    : caption == "Warning"                          ? QMessageBox::Warning
                                                                    : QMessageBox::Information,
                    title, body, QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("orvaneMessage"));
    box.exec();
}

} // namespace orvane
