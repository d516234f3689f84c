// SPDX-License-Identifier: GPL-3.0-or-later
// Saves pictures of "Macro Scripting Editor", "Scripting Wizard" and "Modify Hot Key" on a
// realistic macro, for the manual.
// Usage: ui_editing_screenshots <folder>    (QT_QPA_PLATFORM=offscreen works)
#include "core/MacroRecord.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/Readability.h"
#include "ui/editing/CommandDialogs.h"
#include "ui/editing/TDoScripting.h"
#include "ui/editing/TDoWizard.h"
#include "ui/editing/TModHotKeys.h"
#include "ui/editing/commands/CommandDialog.h"
#include "ui/editing/commands/KeystrokeBox.h"

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
    editor.show();
    editor.Script()->setCurrentRow(6);
    bool saved = orvane::SaveReadable(editor, folder, QStringLiteral("scripting-editor.png"));

    orvane::TDoWizard wizard(editor, sink, [] {});
    saved = orvane::SaveReadable(wizard, folder, QStringLiteral("scripting-wizard.png")) && saved;
    wizard.close();

    orvane::CommandDialogServices services;
    services.Messages = &sink;
    orvane::MacroRecord letter;
    letter.Nickname.Assign("Letter opening");
    letter.HotKey = 262;
    letter.Scope = orvane::ScopeGlobal;
    letter.Icon.Assign("MAIN");
    letter.SetText("<ACTIVATE:Document - LibreOffice Writer><DELAY:00.50><CTLD><END><CTLU>"
                   "<MM/DD/YYYY{YF000}><ENTER><ENTER>Dear <SHFD>s<SHFU>ir or Madam,<ENTER>"
                   "<ENTER><TAB>Thank you for your letter of ");
    orvane::TModHotKeys direct(
        letter, {.HotKeyName = QStringLiteral("Ctrl+Alt+R"), .ShowHelp = [] {}}, services, nullptr);
    direct.show();
    direct.NewFormat()->setFocus();
    saved = orvane::SaveReadable(direct, folder, QStringLiteral("direct-editor.png")) && saved;
    return saved ? 0 : 1;
}
