// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/HelpCommands.h"

#include "core/MessageSink.h"
#include "ui/MainCommandTable.h"
#include "ui/library/TMainWin.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace orvane {

HelpCommands::HelpCommands(TMainWin& window) : QObject(&window), window_(window) {
    window.Commands().Bind(MainCommand::Help, [this] { ShowHelp(); });
    window.Commands().Bind(MainCommand::About, [this] { ShowAbout(); });
}

void HelpCommands::ShowHelp() {
    const QString& manual = window_.Context().ManualPath;
    if (manual.isEmpty() || !QFileInfo::exists(manual)) {
        window_.Messages().Show("Error", "The manual is not installed.");
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

void HelpCommands::ShowAbout() {
    // The About box is not a message: it carries the program's icon and rich text.
    QMessageBox::about(&window_, QStringLiteral("About Orvane 98"),
                       QStringLiteral("<b>Orvane 98</b> %1<br>Keyboard and mouse macros for the "
                                      "Linux desktop.<br>Licensed under the GNU GPL, version 3 "
                                      "or later.")
                           .arg(QApplication::applicationVersion()));
}

} // namespace orvane
