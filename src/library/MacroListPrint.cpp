// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroListPrint.h"

#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "library/MacroList.h"

#include <algorithm>
#include <cmath>

namespace orvane {
namespace {

int Widened(int units) {
    return static_cast<int>(std::lround(1.1 * units));
}

std::string TargetWithPlace(std::string_view kind, const MacroRecord& record) {
    std::string text(kind);
    text += record.ScopeTarget.View();
    text += record.TopMostOnly != 0 ? " (Top Most Only)" : " (If Running)";
    return text;
}

} // namespace

PrintedMacroLine PrintedLineOf(const MacroRecord& record) {
    PrintedMacroLine line;
    if (record.HotKey == HotKeyTimed) {
        line.Activation = "Timed Macro";
    } else if (record.HotKey == HotKeyShortKey) {
        line.Activation = "ShortKey: " + std::string(record.ShortKey.View());
    } else {
        line.Activation = std::string(HotKeyName(record.HotKey).value_or(UnknownListText));
    }
    line.Nickname = std::string(record.Nickname.View());
    switch (record.Scope) {
    case ScopeGlobal:
        line.Scope = "GLOBAL";
        break;
    case ScopeSpecificWindow:
        line.Scope = TargetWithPlace("Window: ", record);
        break;
    case ScopeSpecificProgram:
        line.Scope = TargetWithPlace("Program: ", record);
        break;
    case ScopePopupMenu:
        line.Scope = "Popup Menu";
        break;
    case ScopeSystem:
        line.Scope = "SYSTEM";
        break;
    default:
        line.Scope = std::string(UnknownListText);
        break;
    }
    return line;
}

std::string PrintHeaderText(std::string_view path) {
    return "Macro File: " + std::string(path);
}

PrintPageGeometry PageGeometryFor(int pageWidth, int pageHeight) {
    PrintPageGeometry page;
    page.Left = pageWidth / 17;
    page.Top = pageHeight / 22;
    page.LastLine = pageHeight - 2 * page.Top;
    return page;
}

PrintColumns MeasurePrintColumns(std::span<const PrintedMacroLine> lines,
                                 const PrintTextMeasure& measure) {
    int tallest = 0;
    int widest1 = 0;
    int widest2 = 0;
    for (const PrintedMacroLine& line : lines) {
        const PrintTextSize activation = measure(line.Activation);
        const PrintTextSize nickname = measure(line.Nickname);
        tallest = std::max({tallest, activation.Height, nickname.Height});
        widest1 = std::max(widest1, activation.Width);
        widest2 = std::max(widest2, nickname.Width);
    }
    return PrintColumns{std::max(1, Widened(tallest)), Widened(widest1), Widened(widest2)};
}

std::vector<PrintedPage> LayOutMacroList(std::string_view header,
                                         std::span<const PrintedMacroLine> lines,
                                         const PrintPageGeometry& page, const PrintColumns& columns,
                                         int copies) {
    const int lineHeight = std::max(1, columns.LineHeight);
    const int x1 = page.Left;
    const int x2 = x1 + columns.Column1Width;
    const int x3 = x2 + columns.Column2Width;
    std::vector<PrintedPage> pages;
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        pages.emplace_back();
        pages.back().push_back({x1, page.Top, std::string(header)});
        int index = 2;
        bool full = false;
        for (const PrintedMacroLine& line : lines) {
            if (full) {
                pages.emplace_back();
                index = 0;
                full = false;
            }
            const int y = page.Top + index * lineHeight;
            PrintedPage& current = pages.back();
            current.push_back({x1, y, line.Activation});
            current.push_back({x2, y, line.Nickname});
            current.push_back({x3, y, line.Scope});
            if (y > page.LastLine) {
                full = true;
            } else {
                ++index;
            }
        }
    }
    return pages;
}

} // namespace orvane
