// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a picture of "Network Considerations" for the manual, with file locking and automatic
// synchronisation every 10 minutes ticked.
// Usage: ui_network_screenshot <folder>    (QT_QPA_PLATFORM=offscreen works)
#include "support/Readability.h"
#include "ui/library/NetworkDialog.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    orvane::NetworkDialog dialog(orvane::NetworkForm{true, true, "10"});
    return orvane::SaveReadable(dialog, folder, QStringLiteral("network-considerations.png")) ? 0
                                                                                              : 1;
}
