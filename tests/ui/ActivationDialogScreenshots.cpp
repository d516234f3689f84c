// SPDX-License-Identifier: GPL-3.0-or-later
// Saves pictures of the "ShortKey Options" and "Set Schedule" dialogs for the manual.
// Usage: ui_activation_screenshots <folder>    (QT_QPA_PLATFORM=offscreen works)
#include "core/SettingsBlock.h"
#include "platform/fake/FakeMessageSink.h"
#include "ui/activation/SetScheduleDialog.h"
#include "ui/activation/ShortKeyOptionsDialog.h"

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
    orvane::FakeMessageSink sink;

    orvane::SettingsBlock settings;
    settings.PrefixKeys.assign(1, ';');
    orvane::ShortKeyOptionsDialog options(orvane::ShortKeyOptionsFormFrom(settings), sink);
    options.adjustSize();
    const bool optionsSaved =
        options.grab().save(folder.filePath(QStringLiteral("shortkey-options.png")));

    orvane::MacroRecord record;
    orvane::DefaultTimer(record, orvane::LocalMoment::From(2024, 3, 15));
    record.SchedHour = 9;
    record.SchedMinute = 30;
    record.SchedPM = 0;
    record.SchedDays = {1, 1, 1, 1, 1, 0, 0};
    orvane::SetScheduleDialog schedule(record, orvane::LocalMoment::From(2024, 3, 15), sink);
    schedule.adjustSize();
    const bool scheduleSaved =
        schedule.grab().save(folder.filePath(QStringLiteral("set-schedule.png")));
    return optionsSaved && scheduleSaved ? 0 : 1;
}
