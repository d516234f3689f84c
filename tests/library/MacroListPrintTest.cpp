// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroListPrint.h"

#include "support/MacroFiles.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvane {
namespace {

using test::MacroFields;
using test::MakeMacro;

TEST(MacroListPrint, ColumnsOfEveryActivationAndScope) {
    struct Case {
        MacroFields Macro;
        PrintedMacroLine Line;
    };
    const Case cases[] = {
        {{.Nickname = "Greeting", .Key = "Ctrl+Alt+A"}, {"Ctrl+Alt+A", "Greeting", "GLOBAL"}},
        {{.Nickname = "Sig", .ShortKey = "sig"}, {"ShortKey: sig", "Sig", "GLOBAL"}},
        {{.Nickname = "Nightly", .Timed = true}, {"Timed Macro", "Nightly", "GLOBAL"}},
        {{.Nickname = "w", .Key = "F5", .Scope = ScopeSpecificWindow, .Target = "Editor"},
         {"F5", "w", "Window: Editor (If Running)"}},
        {{.Nickname = "w",
          .Key = "F5",
          .Scope = ScopeSpecificWindow,
          .Target = "Editor",
          .TopMostOnly = true},
         {"F5", "w", "Window: Editor (Top Most Only)"}},
        {{.Nickname = "p", .Key = "F6", .Scope = ScopeSpecificProgram, .Target = "GIMP"},
         {"F6", "p", "Program: GIMP (If Running)"}},
        {{.Nickname = "p",
          .Key = "F6",
          .Scope = ScopeSpecificProgram,
          .Target = "GIMP",
          .TopMostOnly = true},
         {"F6", "p", "Program: GIMP (Top Most Only)"}},
        {{.Nickname = "menu", .Key = "F7", .Scope = ScopePopupMenu}, {"F7", "menu", "Popup Menu"}},
        {{.Nickname = "sys", .Key = "F8", .Scope = ScopeSystem, .Target = "1"},
         {"F8", "sys", "SYSTEM"}},
        {{.Nickname = "damaged", .Key = "F9", .Scope = 9}, {"F9", "damaged", "(Unknown)"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrintedLineOf(MakeMacro(c.Macro)), c.Line) << c.Line.Scope;
    }
    MacroRecord damaged = MakeMacro({.Nickname = "x", .Key = "F1"});
    damaged.HotKey = 900;
    EXPECT_EQ(PrintedLineOf(damaged).Activation, "(Unknown)");
    EXPECT_EQ(PrintHeaderText("/home/me/ORVAN.ORV"), "Macro File: /home/me/ORVAN.ORV");
}

TEST(MacroListPrint, MarginsAndColumnsFromThePageAndTheTexts) {
    const PrintPageGeometry page = PageGeometryFor(1700, 2200);
    EXPECT_EQ(page.Left, 100);
    EXPECT_EQ(page.Top, 100);
    EXPECT_EQ(page.LastLine, 2000);

    // Ten units a character; the nickname column is 25 high, the activation column 20.
    const PrintTextMeasure measure = [](std::string_view text) {
        return PrintTextSize{static_cast<int>(text.size()) * 10, text.starts_with("N") ? 25 : 20};
    };
    const std::vector<PrintedMacroLine> lines = {
        {"Ctrl+A", "Nick", "GLOBAL"},
        {"Timed Macro", "N", "a scope far wider than the rest, never measured"},
    };
    const PrintColumns columns = MeasurePrintColumns(lines, measure);
    EXPECT_EQ(columns.LineHeight, 28);    // 1.1 x 25, rounded
    EXPECT_EQ(columns.Column1Width, 121); // 1.1 x 110
    EXPECT_EQ(columns.Column2Width, 44);  // 1.1 x 40
    EXPECT_EQ(MeasurePrintColumns({}, measure).LineHeight, 1);
}

// Rows on each page, and whether the page starts with the file line.
struct PageShape {
    int Rows;
    bool Header;
    bool operator==(const PageShape&) const = default;
};

std::vector<PageShape> ShapeOf(const std::vector<PrintedPage>& pages) {
    std::vector<PageShape> shape;
    for (const PrintedPage& page : pages) {
        const bool header = !page.empty() && page.front().Text.starts_with("Macro File: ");
        shape.push_back({static_cast<int>((page.size() - (header ? 1 : 0)) / 3), header});
    }
    return shape;
}

std::vector<PrintedMacroLine> Lines(int count) {
    std::vector<PrintedMacroLine> lines;
    for (int i = 1; i <= count; ++i) {
        lines.push_back({"Ctrl+A", "macro " + std::to_string(i), "GLOBAL"});
    }
    return lines;
}

// A 1700 x 2200 page with lines 100 high: the file line at 100, macros from 300; a line below
// 2000 ends its page, so the first page holds 19 macros (300..2100) and the others 21 (100..2100).
TEST(MacroListPrint, PageBreaksAndCopies) {
    const PrintPageGeometry page = PageGeometryFor(1700, 2200);
    const PrintColumns columns{.LineHeight = 100, .Column1Width = 300, .Column2Width = 400};
    struct Case {
        int Macros;
        int Copies;
        std::vector<PageShape> Pages;
    };
    const Case cases[] = {
        {0, 1, {{0, true}}},
        {19, 1, {{19, true}}}, // a full page is not followed by an empty one
        {20, 1, {{19, true}, {1, false}}},
        {40, 1, {{19, true}, {21, false}}},
        {41, 1, {{19, true}, {21, false}, {1, false}}},
        {3, 2, {{3, true}, {3, true}}},
        {19, 2, {{19, true}, {19, true}}}, // one break between the copies, not two
        {20, 2, {{19, true}, {1, false}, {19, true}, {1, false}}},
        {3, 0, {{3, true}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            ShapeOf(LayOutMacroList("Macro File: a.ORV", Lines(c.Macros), page, columns, c.Copies)),
            c.Pages)
            << c.Macros << " macros, " << c.Copies << " copies";
    }

    const std::vector<PrintedPage> pages =
        LayOutMacroList("Macro File: a.ORV", Lines(20), page, columns, 1);
    EXPECT_EQ(pages[0][0], (PrintedText{100, 100, "Macro File: a.ORV"}));
    EXPECT_EQ(pages[0][1], (PrintedText{100, 300, "Ctrl+A"}));
    EXPECT_EQ(pages[0][2], (PrintedText{400, 300, "macro 1"}));
    EXPECT_EQ(pages[0][3], (PrintedText{800, 300, "GLOBAL"}));
    EXPECT_EQ(pages[0].back(), (PrintedText{800, 2100, "GLOBAL"}));
    // The next page continues at the very top.
    EXPECT_EQ(pages[1][1], (PrintedText{400, 100, "macro 20"}));
}

} // namespace
} // namespace orvane
