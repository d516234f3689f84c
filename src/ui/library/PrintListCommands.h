// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/library/SettingsFonts.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QPrinter;

namespace orvane {

class TMainWin;

// "Print Macro List", "Printer Setup" and "Printer Font" of the File menu. One printer lives as
// long as the window, so what "Printer Setup" and the print dialog chose holds for the next
// print. The list is printed with Qt's printing: a printer of the system (CUPS) or a PDF file.
class PrintListCommands final : public QObject {
    Q_OBJECT
public:
    // Asks which printer, which pages and how many copies; false when cancelled.
    using PrintDialog = std::function<bool(QPrinter& printer, QWidget* parent)>;

    explicit PrintListCommands(TMainWin& window);
    ~PrintListCommands() override;

    // The list in its display order, each macro read from the file. While a print job of this
    // window runs: "Other print job currently in progress." ("Error").
    void PrintClick();
    void PrinterSetupClick();
    // The print list font: underline and strike-out are dropped; the settings are saved.
    void PrinterFontClick();

    // Tests answer the dialogs themselves.
    void SetPrintDialog(PrintDialog dialog) { printDialog_ = std::move(dialog); }
    void SetFontChooser(FontChooser chooser) { fontChooser_ = std::move(chooser); }
    QPrinter& Printer();

private:
    // Paints the pages; what to tell the user when nothing could be printed.
    std::optional<std::string> PrintList(QPrinter& printer);

    TMainWin& window_;
    std::unique_ptr<QPrinter> printer_;
    PrintDialog printDialog_;
    FontChooser fontChooser_;
    bool printing_ = false;
};

} // namespace orvane
