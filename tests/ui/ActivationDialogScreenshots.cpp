// SPDX-License-Identifier: GPL-3.0-or-later
// Saves pictures of the "ShortKey Options", "Set Schedule", "Keyboard Remapper" and "Select
// Character" dialogs for the manual.
// Usage: ui_activation_screenshots <folder>    (QT_QPA_PLATFORM=offscreen works)
#include "core/SettingsBlock.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/Readability.h"
#include "ui/activation/KeyboardRemapperDialog.h"
#include "ui/activation/SelectCharacterDialog.h"
#include "ui/activation/ShortKeyOptionsDialog.h"
#include "ui/library/SetScheduleDialog.h"
#include "ui/library/SortOrderDialog.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTableWidget>
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
    const bool optionsSaved =
        orvane::SaveReadable(options, folder, QStringLiteral("shortkey-options.png"));

    orvane::MacroRecord record;
    orvane::DefaultTimer(record, orvane::LocalMoment::From(2024, 3, 15));
    record.SchedHour = 9;
    record.SchedMinute = 30;
    record.SchedPM = 0;
    record.SchedDays = {1, 1, 1, 1, 1, 0, 0};
    orvane::SetScheduleDialog schedule(record, orvane::LocalMoment::From(2024, 3, 15), sink);
    const bool scheduleSaved =
        orvane::SaveReadable(schedule, folder, QStringLiteral("set-schedule.png"));

    orvane::SwapTable swaps = orvane::IdentitySwaps();
    swaps.Bytes[26] = 'b'; // a -> b
    swaps.Bytes[41] = 0;   // p -> none
    swaps.Bytes[62] = '_'; // space -> _
    orvane::KeyboardRemapperDialog remapper(swaps, {}, [] {});
    remapper.Grid(1)->setCurrentCell(0, 1);
    remapper.show();
    remapper.Grid(1)->setFocus();
    const bool remapperSaved =
        orvane::SaveReadable(remapper, folder, QStringLiteral("keyboard-remapper.png"));
    orvane::SelectCharacterDialog select('b', -1);
    const bool selectSaved =
        orvane::SaveReadable(select, folder, QStringLiteral("select-character.png"));
    orvane::TimerIntervalDialog interval(10, sink);
    const bool intervalSaved =
        orvane::SaveReadable(interval, folder, QStringLiteral("timer-interval.png"));
    orvane::SortOrderDialog sort(orvane::SortOrderFormFrom({"213", "123", "12345"}, true));
    const bool sortSaved = orvane::SaveReadable(sort, folder, QStringLiteral("sort-order.png"));
    return optionsSaved && scheduleSaved && remapperSaved && selectSaved && intervalSaved &&
                   sortSaved
               ? 0
               : 1;
}
