// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/PrintListCommands.h"

#include "core/CodePage.h"
#include "core/MacroStore.h"
#include "core/MessageSink.h"
#include "library/Appearance.h"
#include "library/MacroListPrint.h"
#include "ui/MainCommandTable.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace orvane {
namespace {

// The wait cursor from the moment the job starts until it ends, however it ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

PrintListCommands::PrintListCommands(TMainWin& window)
    : QObject(&window), window_(window), fontChooser_(SystemFontChooser()) {
    setObjectName(QStringLiteral("PrintListCommands"));
    printDialog_ = [](QPrinter& printer, QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        dialog.setProperty("orvaneHelpSection", QStringLiteral("print-macro-list"));
        return dialog.exec() == QDialog::Accepted;
    };
    MainCommandTable& commands = window.Commands();
    if (window.Context().Store != nullptr) {
        commands.Bind(MainCommand::PrintMacroList, [this] { PrintClick(); });
    }
    commands.Bind(MainCommand::PrinterSetup, [this] { PrinterSetupClick(); });
    commands.Bind(MainCommand::PrinterFont, [this] { PrinterFontClick(); });
}

PrintListCommands::~PrintListCommands() = default;

QPrinter& PrintListCommands::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setDocName(QString::fromLatin1(PrintJobTitle.data(),
                                                 static_cast<qsizetype>(PrintJobTitle.size())));
    }
    return *printer_;
}

void PrintListCommands::PrintClick() {
    if (printing_) {
        window_.Messages().Show("Error", PrintJobBusyText);
        return;
    }
    printing_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{printing_};
    QPrinter& printer = Printer();
    if (!printDialog_(printer, &window_)) {
        return;
    }
    const WaitCursor wait;
    if (const std::optional<std::string> error = PrintList(printer)) {
        window_.Messages().Show("Error", *error);
    }
}

std::optional<std::string> PrintListCommands::PrintList(QPrinter& printer) {
    MacroStore& store = *window_.Context().Store;
    const MacroList& list = window_.Grid().Model().List();
    std::vector<PrintedMacroLine> lines;
    for (int row = 1; row <= list.Count(); ++row) {
        MacroRecord record;
        if (!store.ReadMacro(list.RecordAt(row), record)) {
            // Nothing is printed from a file that changed under the list.
            return MacroFileCannotOpenText(store.CurrentPath());
        }
        PrintedMacroLine line = PrintedLineOf(record);
        line.Activation = Windows1252ToUtf8(line.Activation);
        line.Nickname = Windows1252ToUtf8(line.Nickname);
        line.Scope = Windows1252ToUtf8(line.Scope);
        lines.push_back(std::move(line));
    }

    printer.setDocName(
        QString::fromLatin1(PrintJobTitle.data(), static_cast<qsizetype>(PrintJobTitle.size())));
    QPainter painter;
    if (!painter.begin(&printer)) {
        return std::string(PrintFailedText);
    }
    const FontSettings& font = window_.Settings().PrintListFont;
    painter.setFont(QFontFrom(font));
    painter.setPen(QColorFrom(font.Color));
    const QFontMetrics metrics = painter.fontMetrics();
    const PrintColumns columns = MeasurePrintColumns(lines, [&metrics](std::string_view text) {
        const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        return PrintTextSize{metrics.horizontalAdvance(shown), metrics.height()};
    });
    // A printer that makes the copies itself gets one; a PDF file gets each copy as pages.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    const std::vector<PrintedPage> pages =
        LayOutMacroList(PrintHeaderText(store.CurrentPath().string()), lines,
                        PageGeometryFor(printer.width(), printer.height()), columns, copies);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            printer.newPage();
        }
        for (const PrintedText& text : pages[i]) {
            painter.drawText(QPoint(text.X, text.Y + metrics.ascent()),
                             QString::fromStdString(text.Text));
        }
    }
    if (!painter.end()) {
        return std::string(PrintFailedText);
    }
    return std::nullopt;
}

void PrintListCommands::PrinterSetupClick() {
    QPageSetupDialog dialog(&Printer(), &window_);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setProperty("orvaneHelpSection", QStringLiteral("printer-setup"));
    dialog.exec();
}

void PrintListCommands::PrinterFontClick() {
    SettingsBlock& settings = window_.Settings();
    const std::optional<QFont> chosen = fontChooser_(&window_, QFontFrom(settings.PrintListFont),
                                                     QStringLiteral("Printer Font"), true);
    if (!chosen) {
        return;
    }
    settings.PrintListFont =
        PrintListFontChosen(FontSettingsFrom(*chosen, settings.PrintListFont.Color));
    window_.SaveSettings();
}

} // namespace orvane
