// SPDX-License-Identifier: GPL-3.0-or-later
// Saves pictures for the manual: "Appearance", "Quick Info" and the first page of a printed
// macro list (printed to a PDF file, turned into a picture with pdftoppm when it is installed).
// Usage: ui_print_view_screenshots <folder>    (QT_QPA_PLATFORM=offscreen works)
#include "app/CommandGroups.h"
#include "core/MacroStore.h"
#include "core/SettingsBlock.h"
#include "library/Appearance.h"
#include "library/QuickInfo.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "support/Readability.h"
#include "ui/MacroIcons.h"
#include "ui/library/AppearanceDialog.h"
#include "ui/library/PrintListCommands.h"
#include "ui/library/QuickInfoDialog.h"
#include "ui/library/TMainWin.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using namespace orvane;
using test::MacroFields;
using test::MakeMacro;

bool Save(QWidget& widget, const QDir& folder, const QString& name) {
    return SaveReadable(widget, folder, name);
}

std::vector<MacroRecord> Library() {
    const std::vector<MacroFields> macros = {
        {.Nickname = "Greeting", .Key = "Ctrl+Alt+G", .Text = "Hello,"},
        {.Nickname = "Signature", .Text = "Jane Doe", .ShortKey = "sig"},
        {.Nickname = "Address block", .Key = "Ctrl+Alt+A", .Text = "1 Main Street"},
        {.Nickname = "Back up notes", .Text = "<LAUNCH:backup>", .Timed = true},
        {.Nickname = "Date stamp",
         .Key = "Ctrl+Alt+D",
         .Scope = ScopeSpecificWindow,
         .Text = "<DATE>",
         .Target = "Untitled - Editor"},
        {.Nickname = "Export as PNG",
         .Key = "Ctrl+Shift+E",
         .Scope = ScopeSpecificProgram,
         .Text = "<ALT>fe",
         .Target = "GIMP",
         .TopMostOnly = true},
        {.Nickname = "Text snippets", .Key = "Ctrl+Alt+M", .Scope = ScopePopupMenu},
        {.Nickname = "Meeting reply", .Text = "Thanks, see you then.", .ShortKey = "mtg"},
        {.Nickname = "Close the editor", .Key = "F12", .Text = "<WCLOSE:Editor>"},
        {.Nickname = "Weekly report", .Text = "<LAUNCH:report>", .Timed = true},
    };
    std::vector<MacroRecord> records;
    for (const MacroFields& fields : macros) {
        records.push_back(MakeMacro(fields));
    }
    return records;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    FakeMessageSink messages;
    bool saved = true;

    {
        SettingsBlock settings;
        settings.UseSpeed = true;
        AppearanceDialog dialog(AppearanceFormFrom(settings), messages, SystemFontChooser(), [] {});
        saved = Save(dialog, folder, QStringLiteral("appearance.png")) && saved;
    }
    {
        MacroRecord record = Library()[4];
        record.Active = 1;
        record.SetText("<DATE>\r\n<TAB>Checked by: Jane<ENTER>");
        record.LastModified = LocalDateTimeToDays({2024, 5, 14, 9, 30, 0, 0});
        record.Icon.Assign("MAIN");
        QuickInfoDialog dialog(QuickInfoOf(record), ProgramIcon());
        saved = Save(dialog, folder, QStringLiteral("quick-info.png")) && saved;
    }
    {
        QTemporaryDir work;
        const std::filesystem::path file =
            std::filesystem::path(work.path().toStdString()) / "ORVAN.ORV";
        test::WriteMacroFile(file, Library(), {});
        FakeHookLibrary hook;
        MacroStore store(hook, messages);
        store.LoadMacroFile(file);
        SettingsBlock settings;
        TMainWin::Services services;
        services.Settings = &settings;
        services.SaveSettings = [] {};
        services.Store = &store;
        services.Messages = &messages;
        TMainWin window(services);
        BuildCommandGroups(window);
        window.RefreshFromStore();
        const QString pdf = work.filePath(QStringLiteral("list.pdf"));
        auto* printing = window.findChild<PrintListCommands*>();
        printing->SetPrintDialog([pdf](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageSize(QPageSize(QPageSize::A4));
            return true;
        });
        printing->PrintClick();
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (!pdftoppm.isEmpty()) {
            // The upper part of the first page, where the list begins.
            const int status = QProcess::execute(
                pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                           QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                           QStringLiteral("1"), QStringLiteral("-H"), QStringLiteral("420"),
                           QStringLiteral("-singlefile"), pdf,
                           folder.filePath(QStringLiteral("print-macro-list"))});
            saved = status == 0 && saved;
        }
    }
    return saved && messages.Shown.empty() ? 0 : 1;
}
