// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct MacroRecord;

// The printed macro list: three columns per macro (activation, nickname, scope) under one line
// naming the file, laid out on pages whose size the printer gives. Everything here is in the
// printer's own units; texts are carried as given (the caller picks their encoding and measures
// them in the same one).

inline constexpr std::string_view PrintJobTitle = "Orvane 98";
inline constexpr std::string_view PrintJobBusyText = "Other print job currently in progress.";
// The printer (or the PDF file) could not be written.
inline constexpr std::string_view PrintFailedText = "The macro list could not be printed.";

// The columns of one macro: "Timed Macro", "ShortKey: <ShortKey>" or the hot key's name; the
// nickname; "GLOBAL", "Window: <target>" or "Program: <target>" followed by " (Top Most Only)"
// or " (If Running)", "Popup Menu" or "SYSTEM". Codes and scopes no table knows read as
// "(Unknown)". Windows-1252, as stored.
struct PrintedMacroLine {
    std::string Activation;
    std::string Nickname;
    std::string Scope;

    bool operator==(const PrintedMacroLine&) const = default;
};
PrintedMacroLine PrintedLineOf(const MacroRecord& record);

// "Macro File: " + the file's path.
std::string PrintHeaderText(std::string_view path);

// Margins from the page: left = width / 17, top = height / 22; a line whose top lies below
// LastLine (height - 2 * top) is the last of its page.
struct PrintPageGeometry {
    int Left = 0;
    int Top = 0;
    int LastLine = 0;
};
PrintPageGeometry PageGeometryFor(int pageWidth, int pageHeight);

struct PrintTextSize {
    int Width = 0;
    int Height = 0;
};
using PrintTextMeasure = std::function<PrintTextSize(std::string_view text)>;

// Line height and the widths of the first two columns: 1.1 times the tallest activation or
// nickname text and the widest of each column, rounded to whole units. A line is at least one
// unit high, so a list whose texts measure nothing still moves down the page.
struct PrintColumns {
    int LineHeight = 1;
    int Column1Width = 0;
    int Column2Width = 0;
};
PrintColumns MeasurePrintColumns(std::span<const PrintedMacroLine> lines,
                                 const PrintTextMeasure& measure);

// One text on a page: its top-left corner.
struct PrintedText {
    int X = 0;
    int Y = 0;
    std::string Text;

    bool operator==(const PrintedText&) const = default;
};
using PrintedPage = std::vector<PrintedText>;

// The pages of `copies` copies of the list. Each copy starts on a new page with the header at
// the top margin and the macros from the third line on; a page that is full continues at the
// very top of the next one, without the header. A page is started only for a line that goes on
// it, so a copy that fills its last page exactly is not followed by an empty page. Fewer than
// one copy prints one.
std::vector<PrintedPage> LayOutMacroList(std::string_view header,
                                         std::span<const PrintedMacroLine> lines,
                                         const PrintPageGeometry& page, const PrintColumns& columns,
                                         int copies);

} // namespace orvane
