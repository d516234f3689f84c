// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <string>

namespace orvane {
namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QWidget* Prompter::Parent() const {
    // A message raised while a dialog is open belongs over that dialog: centred on the window
    // that asked, not on the main window behind it.
    if (QWidget* modal = QApplication::activeModalWidget();
        modal != nullptr && modal->isVisible()) {
        return modal;
    }
    return parent_ != nullptr ? parent_ : QApplication::activeWindow();
}

void Prompter::Echo(std::string_view caption, std::string_view text) const {
    if (!echo_) {
        return;
    }
    const std::string line =
        "orvane: " + std::string(caption) + (caption.empty() ? "" : ": ") + std::string(text);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

void Prompter::Show(std::string_view caption, std::string_view text) {
    Echo(caption, text);
    QMessageBox box(caption == "Error" || caption == "System Error" ? QMessageBox::Critical
                    : caption == "Warning"                          ? QMessageBox::Warning
                                                                    : QMessageBox::Information,
                    Utf8(caption), Utf8(text), QMessageBox::Ok, Parent());
    box.setObjectName(QStringLiteral("orvaneMessage"));
    box.exec();
}

bool Prompter::Ask(std::string_view caption, std::string_view text) {
    Echo(caption, text);
    QMessageBox box(caption == "Warning" ? QMessageBox::Warning : QMessageBox::Question,
                    Utf8(caption), Utf8(text), QMessageBox::Yes | QMessageBox::No, Parent());
    box.setObjectName(QStringLiteral("orvaneQuestion"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Prompter::About(QWidget* parent, const QString& caption, const QString& richText) {
    QMessageBox::about(parent, caption, richText);
}

} // namespace orvane
