// SPDX-License-Identifier: GPL-3.0-or-later
// The printed macro list (to a PDF file, read back with poppler's pdftotext), "Printer Font",
// "Appearance" and "Quick Info" from the main window, over a real macro file and the fake hook
// backend, on the offscreen platform.
#include "app/CommandGroups.h"
#include "core/MacroStore.h"
#include "core/SettingsBlock.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "support/MainWindowProgram.h"
#include "ui/MacroIcons.h"
#include "ui/MainCommandTable.h"
#include "ui/library/AppearanceDialog.h"
#include "ui/library/PrintListCommands.h"
#include "ui/library/QuickInfoDialog.h"
#include "ui/library/TMainWin.h"
#include "ui/library/ViewCommands.h"
#include "widgets/MacroGrid.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::MacroFields;
using test::MakeMacro;

// A main window over a macro file of its own.
struct Program : MainWindowProgram {
    QTemporaryDir folder;
    fs::path path;

    explicit Program(const std::vector<MacroRecord>& records) {
        settings.MainWindow = {700, 500, 0, 0}; // a size the user chose: widths kept as stored
        path = fs::path(folder.path().toStdString()) / "Listed.ORV";
        test::WriteMacroFile(path, records, {});
        TMainWin::Services services;
        services.IconFolder = fs::path(folder.path().toStdString()) / "Icons";
        Open(path, std::move(services));
    }
    PrintListCommands& Printing() const {
        return *window->findChild<PrintListCommands*>(QStringLiteral("PrintListCommands"));
    }
    ViewCommands& View() const {
        return *window->findChild<ViewCommands*>(QStringLiteral("ViewCommands"));
    }
    // Nicknames in the list's display order.
    std::vector<QString> Shown() {
        std::vector<QString> names;
        const MacroList& list = window->Grid().Model().List();
        for (int row = 1; row <= list.Count(); ++row) {
            MacroRecord record;
            store.ReadMacro(list.RecordAt(row), record);
            names.push_back(QString::fromStdString(record.Nickname.Str()));
        }
        return names;
    }
};

// Runs `action` once the next modal dialog is up; a dialog it left open is cancelled so the test
// cannot hang.
void WhenModal(std::function<void(QDialog*)> action) {
    QTimer::singleShot(0, [action = std::move(action)] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(modal);
        action(modal);
        if (modal->isVisible()) {
            modal->reject();
        }
    });
}

// 116 macros of every activation and scope; with the four system macros, 120 rows.
std::vector<MacroRecord> ManyMacros() {
    std::vector<MacroRecord> records;
    for (int i = 1; i <= 116; ++i) {
        MacroFields fields;
        fields.Nickname = QStringLiteral("Macro %1").arg(i, 3, 10, QLatin1Char('0')).toStdString();
        fields.Text = "text";
        if (i % 5 == 0) {
            fields.Timed = true;
        } else if (i % 5 == 1) {
            fields.ShortKey = "sk" + std::to_string(i);
        } else {
            fields.Key = std::string(*HotKeyName(static_cast<std::uint32_t>(i)));
        }
        fields.Scope = static_cast<std::int16_t>(1 + i % 4);
        if (fields.Scope == ScopeSpecificWindow || fields.Scope == ScopeSpecificProgram) {
            fields.Target = "Target" + std::to_string(i);
            fields.TopMostOnly = i % 3 == 0;
        }
        records.push_back(MakeMacro(fields));
    }
    return records;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The printed pages as pdftotext lays them out, each a list of its non-empty lines.
std::vector<QStringList> PagesOf(const QString& pdf) {
    std::vector<QStringList> pages;
    const QString text =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (const QString& page : text.split(QLatin1Char('\f'))) {
        QStringList lines;
        for (const QString& line : page.split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty()) {
                lines.push_back(line);
            }
        }
        if (!lines.isEmpty()) {
            pages.push_back(lines);
        }
    }
    return pages;
}

// The printed words of each page, as rows of words that share their top, top to bottom; the
// positions are in points.
struct Word {
    double X = 0;
    QString Text;
};
struct Row {
    double Top = 0;
    std::vector<Word> Words;
};
std::vector<std::vector<Row>> RowsOf(const QString& pdf) {
    std::vector<std::vector<Row>> pages;
    const QString html =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page |<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)re"));
    for (auto match = tag.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        if (found.captured(0).startsWith(QStringLiteral("<page"))) {
            pages.emplace_back();
            continue;
        }
        const double top = found.captured(2).toDouble();
        std::vector<Row>& rows = pages.back();
        if (rows.empty() || std::abs(top - rows.back().Top) > 0.5) {
            rows.push_back({top, {}});
        }
        rows.back().Words.push_back({found.captured(1).toDouble(), found.captured(3)});
    }
    return pages;
}

QString Joined(const std::vector<Word>& words, std::size_t from, std::size_t to) {
    QStringList texts;
    for (std::size_t i = from; i < to; ++i) {
        texts.push_back(words[i].Text);
    }
    return texts.join(QLatin1Char(' '));
}

// Prints to `pdf` instead of asking which printer.
void PrintToPdf(Program& program, const QString& pdf, int copies) {
    program.Printing().SetPrintDialog([pdf, copies](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setCopyCount(copies);
        return true;
    });
    program.window->Action(MainCommand::PrintMacroList)->trigger();
}

} // namespace

class PrintViewTest : public QObject {
    Q_OBJECT
private slots:
    void PrintedListHasEveryMacroInThreeColumnsAndBreaksPages();
    void PrinterFontAndASecondJob();
    void AppearanceAppliesAtOnceAndSaves();
    void QuickInfoOfTheClickedRow();
};

void PrintViewTest::PrintedListHasEveryMacroInThreeColumnsAndBreaksPages() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QFAIL("pdftotext is missing: install poppler-utils (tools/install-deps test)");
    }
    Program program(ManyMacros());
    QCOMPARE(program.window->Grid().Model().rowCount(), 120);
    const QString pdf = program.folder.filePath(QStringLiteral("list.pdf"));
    PrintToPdf(program, pdf, 1);
    QVERIFY(program.messages.Shown.empty());

    const std::vector<QStringList> pages = PagesOf(pdf);
    QVERIFY2(pages.size() >= 3, "120 macros fill more than two pages");
    QCOMPARE(pages[0].front().trimmed(),
             QStringLiteral("Macro File: ") + QString::fromStdString(program.path.string()));
    for (std::size_t p = 1; p < pages.size(); ++p) {
        QVERIFY(!pages[p].join(QLatin1Char('\n')).contains(QStringLiteral("Macro File:")));
    }

    // Every macro once, in the list's order, in three columns that line up on every page.
    const std::vector<std::vector<Row>> rows = RowsOf(pdf);
    QCOMPARE(rows.size(), pages.size());
    const std::vector<QString> shown = program.Shown();
    std::size_t next = 0;
    std::set<int> columnStarts[3];
    std::map<QString, QStringList> byNickname;
    for (std::size_t p = 0; p < rows.size(); ++p) {
        for (std::size_t r = p == 0 ? 1 : 0; r < rows[p].size(); ++r, ++next) {
            QVERIFY(next < shown.size());
            const std::vector<Word>& words = rows[p][r].Words;
            const qsizetype length = shown[next].split(QLatin1Char(' ')).size();
            std::size_t at = 1;
            while (at + static_cast<std::size_t>(length) <= words.size() &&
                   Joined(words, at, at + static_cast<std::size_t>(length)) != shown[next]) {
                ++at;
            }
            const std::size_t scopeAt = at + static_cast<std::size_t>(length);
            QVERIFY2(scopeAt < words.size(), qPrintable(Joined(words, 0, words.size())));
            byNickname[shown[next]] = {Joined(words, 0, at), Joined(words, scopeAt, words.size())};
            columnStarts[0].insert(static_cast<int>(std::lround(words[0].X * 10)));
            columnStarts[1].insert(static_cast<int>(std::lround(words[at].X * 10)));
            columnStarts[2].insert(static_cast<int>(std::lround(words[scopeAt].X * 10)));
        }
    }
    QCOMPARE(next, shown.size());
    for (const std::set<int>& starts : columnStarts) {
        QCOMPARE(starts.size(), std::size_t{1});
    }
    QCOMPARE(*columnStarts[0].begin(), static_cast<int>(std::lround(rows[0][0].Words[0].X * 10)));
    QCOMPARE(byNickname[QStringLiteral("Macro 005")],
             (QStringList{QStringLiteral("Timed Macro"),
                          QStringLiteral("Window: Target5 (If Running)")}));
    QCOMPARE(byNickname[QStringLiteral("Macro 006")],
             (QStringList{QStringLiteral("ShortKey: sk6"),
                          QStringLiteral("Program: Target6 (Top Most Only)")}));
    QCOMPARE(
        byNickname[QStringLiteral("Macro 007")],
        (QStringList{QString::fromLatin1(HotKeyName(7)->data()), QStringLiteral("Popup Menu")}));
    QCOMPARE(byNickname[QStringLiteral("Macro 008")][1], QStringLiteral("GLOBAL"));
    QCOMPARE(byNickname[QStringLiteral("Activate Orvane")][1], QStringLiteral("SYSTEM"));

    // The file line and the blank line take the first two places of page one; a full page
    // ends on the same line everywhere, and the next page starts at the very top.
    QCOMPARE(rows[1].size(), rows[0].size() + 1); // page one: the file line and 2 fewer macros
    const double pitch = rows[1][1].Top - rows[1][0].Top;
    QVERIFY(std::abs(rows[1][0].Top - rows[0][0].Top) < 0.5);
    QVERIFY(std::abs(rows[0][1].Top - (rows[0][0].Top + 2 * pitch)) < 0.5);
    QVERIFY(std::abs(rows[0].back().Top - rows[1].back().Top) < 0.5);

    // Two copies: each starts on its own page with the file line; no empty page between.
    const QString two = program.folder.filePath(QStringLiteral("two.pdf"));
    PrintToPdf(program, two, 2);
    const std::vector<QStringList> copies = PagesOf(two);
    QCOMPARE(copies.size(), 2 * pages.size());
    QCOMPARE(copies[pages.size()], pages[0]);
    QCOMPARE(copies.back(), pages.back());
}

void PrintViewTest::PrinterFontAndASecondJob() {
    Program program({MakeMacro({.Nickname = "one", .Key = "F2"})});
    program.settings.PrintListFont.Color = 0x0000FF;
    QFont chosen(QStringLiteral("DejaVu Serif"), 14);
    chosen.setBold(true);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    chosen.setStrikeOut(true);
    bool offeredEffects = false;
    program.Printing().SetFontChooser([&](QWidget*, const QFont&, const QString&, bool effects) {
        offeredEffects = effects;
        return std::optional<QFont>(chosen);
    });
    program.window->Action(MainCommand::PrinterFont)->trigger();
    QVERIFY(offeredEffects);
    QCOMPARE(
        program.settings.PrintListFont,
        (FontSettings{
            .Name = "DejaVu Serif", .Size = 14, .Color = 0x0000FF, .Bold = true, .Italic = true}));
    QCOMPARE(program.saves, 1);
    program.Printing().SetFontChooser(
        [](QWidget*, const QFont&, const QString&, bool) { return std::optional<QFont>(); });
    program.window->Action(MainCommand::PrinterFont)->trigger();
    QCOMPARE(program.saves, 1);

    // A print asked for while one is on its way is refused; the first goes on.
    int asked = 0;
    const QString pdf = program.folder.filePath(QStringLiteral("one.pdf"));
    program.Printing().SetPrintDialog([&](QPrinter& printer, QWidget*) {
        if (++asked == 1) {
            program.Printing().PrintClick();
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    program.Printing().PrintClick();
    QCOMPARE(asked, 1);
    QCOMPARE(program.messages.Shown.size(), std::size_t{1});
    QCOMPARE(program.messages.Shown[0].Caption, std::string("Error"));
    QCOMPARE(program.messages.Shown[0].Text, std::string("Other print job currently in progress."));
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void PrintViewTest::AppearanceAppliesAtOnceAndSaves() {
    Program program({MakeMacro({.Nickname = "one", .Key = "F2"})});
    program.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(program.window.get()));
    QFont bold(QStringLiteral("DejaVu Sans"), 13);
    bold.setBold(true);
    bold.setItalic(true);
    program.View().SetFontChooser(
        [&](QWidget*, const QFont&, const QString&, bool) { return std::optional<QFont>(bold); });
    const SettingsBlock before = program.settings;
    const int rowBefore = program.window->Grid().rowHeight(0);

    // Cancel drops the widths and the fonts chosen, though each choice saved the settings.
    WhenModal([&](QDialog* modal) {
        auto* dialog = qobject_cast<AppearanceDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->property("orvaneHelpSection").toString(), QStringLiteral("appearance"));
        dialog->WidthField(0)->setText(QStringLiteral("300"));
        dialog->GridFontButton()->click();
        dialog->GridTitleFontButton()->click();
        dialog->CancelButton()->click();
    });
    program.window->Action(MainCommand::Appearance)->trigger();
    QCOMPARE(program.settings, before);
    QCOMPARE(program.saves, 2);

    WhenModal([&](QDialog* modal) {
        auto* dialog = qobject_cast<AppearanceDialog*>(modal);
        QCOMPARE(dialog->WidthField(0)->text(), QStringLiteral("112"));
        QCOMPARE(dialog->WidthField(1)->text(), QStringLiteral("168"));
        QCOMPARE(dialog->WidthField(2)->text(), QStringLiteral("132"));
        QVERIFY(dialog->LetteredButtons()->isChecked());
        for (const QString& wrong : {QStringLiteral("0"), QStringLiteral("wide")}) {
            dialog->WidthField(1)->setText(wrong);
            dialog->OkButton()->click();
            QVERIFY(dialog->isVisible());
            QCOMPARE(program.messages.Shown.back().Text, std::string("Invalid width specified."));
            QCOMPARE(dialog->focusWidget(), dialog->WidthField(1));
        }
        dialog->WidthField(1)->setText(QStringLiteral("150"));
        dialog->SpeedButtons()->setChecked(true);
        dialog->GridFontButton()->click();
        dialog->OkButton()->click();
    });
    program.window->Action(MainCommand::Appearance)->trigger();
    QCOMPARE(program.settings.Col1Width, 112);
    QCOMPARE(program.settings.Col2Width, 150);
    QVERIFY(program.settings.UseSpeed);
    // Bold italic is taken as bold.
    QCOMPARE(program.settings.GridFont.Name, std::string("DejaVu Sans"));
    QCOMPARE(program.settings.GridFont.Size, 13);
    QVERIFY(program.settings.GridFont.Bold && !program.settings.GridFont.Italic);
    QCOMPARE(program.settings.GridTitleFont, before.GridTitleFont);
    QCOMPARE(program.saves, 4);
    // Applied at once: the column, the button bar and the list's font and row height.
    MacroGrid& grid = program.window->Grid();
    QCOMPARE(grid.horizontalHeader()->sectionSize(2), 150);
    QVERIFY(program.window->ButtonBar().isVisible());
    QVERIFY(!program.window->LetterPanel().isVisible());
    QVERIFY(grid.font().bold() && !grid.font().italic());
    QCOMPARE(grid.font().family(), QStringLiteral("DejaVu Sans"));
    QVERIFY(grid.rowHeight(0) > rowBefore); // 13 points where there were 10
}

void PrintViewTest::QuickInfoOfTheClickedRow() {
    const LocalDateTime modified{2023, 11, 20, 8, 45, 0, 0};
    MacroRecord windowMacro = MakeMacro({.Nickname = "Date stamp",
                                         .Key = "Ctrl+Alt+D",
                                         .Scope = ScopeSpecificWindow,
                                         .Text = "<DATE>\r\nDone",
                                         .Target = "Editor",
                                         .TopMostOnly = true});
    windowMacro.LastModified = LocalDateTimeToDays(modified);
    windowMacro.Icon.Assign("GONE.ICO"); // no such file in the Icons folder
    MacroRecord menu = PopupMenuMacro("Ctrl+Alt+M", {1});
    menu.Nickname.Assign("Snippets");
    Program program({windowMacro, menu});
    program.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(program.window.get()));
    MacroGrid& grid = program.window->Grid();
    const int windowRow = grid.Model().List().ReverseSort(1);
    grid.SelectRecord(2);
    const std::vector<std::uint8_t> fileBefore = [&] {
        std::ifstream in(program.path, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }();

    // The right button shows the clicked row's macro, not the selected one.
    WhenModal([&](QDialog* modal) {
        auto* dialog = qobject_cast<QuickInfoDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Quick Info"));
        QCOMPARE(dialog->property("orvaneHelpSection").toString(), QStringLiteral("quick-info"));
        const QDateTime at(QDate(2023, 11, 20), QTime(8, 45));
        QCOMPARE(dialog->ModifiedLabel()->text(),
                 QStringLiteral("Last Modified On ") +
                     QLocale::system().toString(at.date(), QLocale::ShortFormat) +
                     QLatin1Char(' ') +
                     QLocale::system().toString(at.time(), QLocale::ShortFormat));
        QCOMPARE(dialog->ActivationLabel()->text(), QStringLiteral("Hot Key:"));
        QCOMPARE(dialog->Activation()->text(), QStringLiteral("Ctrl+Alt+D"));
        QCOMPARE(dialog->Nickname()->text(), QStringLiteral("Date stamp"));
        QCOMPARE(dialog->Scope()->text(), QStringLiteral("Editor \"Window\" (Top Most Only)"));
        QCOMPARE(dialog->Active()->text(), QStringLiteral("Yes"));
        QVERIFY(dialog->MacroText()->isVisible());
        QVERIFY(dialog->MacroText()->isReadOnly());
        QCOMPARE(dialog->MacroText()->toPlainText(), QStringLiteral("<DATE>\nDone"));
        // The icon file is gone: the program's own icon stands in.
        QCOMPARE(dialog->IconLabel()->pixmap().toImage(), ProgramIcon().pixmap(32, 32).toImage());
        QCOMPARE(dialog->focusWidget(), dialog->OkButton());
        QTest::keyClick(dialog, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
    });
    const QRect row = grid.visualRect(grid.Model().index(windowRow - 1, 2));
    QTest::mousePress(grid.viewport(), Qt::RightButton, {}, row.center());
    QTest::mouseRelease(grid.viewport(), Qt::RightButton, {}, row.center());
    QCOMPARE(grid.SelectedRecord(), 2);

    // The command shows the selected one: a popup menu has no text to show.
    WhenModal([&](QDialog* modal) {
        auto* dialog = qobject_cast<QuickInfoDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->Nickname()->text(), QStringLiteral("Snippets"));
        QCOMPARE(dialog->Scope()->text(), QStringLiteral("Popup Menu"));
        QCOMPARE(dialog->TextLabel()->text(), QString());
        QVERIFY(!dialog->MacroText()->isVisible());
        dialog->accept();
    });
    program.window->Action(MainCommand::QuickInfo)->trigger();
    const std::vector<std::uint8_t> fileAfter = [&] {
        std::ifstream in(program.path, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }();
    QVERIFY(fileAfter == fileBefore);

    // Restriction level 1 leaves the right button's Quick Info; only level 2 keeps it away.
    const auto rightClickShows = [&] {
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shown = true;
                modal->reject();
            }
        });
        QTest::mousePress(grid.viewport(), Qt::RightButton, {}, row.center());
        QTest::mouseRelease(grid.viewport(), Qt::RightButton, {}, row.center());
        QCoreApplication::processEvents();
        return shown;
    };
    program.window->ApplyRestriction(1);
    QVERIFY(rightClickShows());
    program.window->ApplyRestriction(2);
    QVERIFY(!rightClickShows());
}

} // namespace orvane

QTEST_MAIN(orvane::PrintViewTest)
#include "PrintViewTest.moc"
