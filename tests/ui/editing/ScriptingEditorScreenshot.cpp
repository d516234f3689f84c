// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a picture of the "Macro Scripting Editor" on a realistic macro, for the manual.
// Usage: ui_editing_screenshots <folder>    (QT_QPA_PLATFORM=offscreen works)
#include "core/MacroRecord.h"
#include "platform/fake/FakeMessageSink.h"
#include "ui/editing/CommandDialogs.h"
#include "ui/editing/TDoScripting.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
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
    orvane::CommandDialogs dialogs;
    orvane::MacroRecord record;
    record.Nickname.Assign("Weekly report");
    record.HotKey = 262;
    record.Scope = orvane::ScopeSpecificProgram;
    record.ScopeTarget.Assign("GEDIT");
    record.Icon.Assign("MAIN");
    record.SetText("<ACTIVATE:Weekly report - gedit><DELAY:00.50><CTLD><HOME><CTLU>"
                   "Week of <MM/DD/YYYY{YF000}><ENTER><REPEAT:0003>Item <I>: <TAB><ENTER>"
                   "<ENDREP><REM:ask for the totals><PAUSE:100,200Type the totals>"
                   "<BEGCLIP>Kind regards,<ENTER>Ann<ENDCLIP><CLIPP><WMAX:\"CURRENT\"><BEEP>");
    orvane::TDoScripting editor(record, {.HotKeyName = QStringLiteral("Ctrl+Alt+R")}, dialogs,
                                sink);
    editor.resize(820, 470);
    editor.show();
    editor.Script()->setCurrentRow(6);
    QApplication::processEvents();
    const bool saved = editor.grab().save(folder.filePath(QStringLiteral("scripting-editor.png")));
    return saved ? 0 : 1;
}
