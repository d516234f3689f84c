// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/MacroGrid.h"
#include "UiTests.h"
#include "widgets/CellText.h"
#include "widgets/MacroGridDelegate.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

namespace orvane {
namespace {

QString Cell(MacroGrid& grid, int row, int column) {
    return grid.Model().index(row - 1, column).data().toString();
}

// The row (1-based) showing a nickname.
int RowOf(MacroGrid& grid, const QString& nickname) {
    for (int row = 1; row <= grid.Model().rowCount(); ++row) {
        if (Cell(grid, row, 2) == nickname) {
            return row;
        }
    }
    return 0;
}

QStyleOptionViewItem OptionFor(MacroGrid& grid, const QModelIndex& index, bool selected) {
    QStyleOptionViewItem option;
    option.initFrom(&grid);
    option.font = grid.font();
    option.rect = grid.visualRect(index);
    option.state =
        selected ? (QStyle::State_Selected | QStyle::State_Enabled) : QStyle::State_Enabled;
    return option;
}

} // namespace

void MacroGridTest::CellTexts() {
    MacroGrid grid;
    grid.Model().SetMacros(SampleMacros(), {"213", "123", "12345"}); // by nickname
    QCOMPARE(grid.Model().rowCount(), 9);
    QCOMPARE(grid.Model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Activation"));
    QCOMPARE(grid.Model().headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Nickname"));
    QCOMPARE(grid.Model().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Scope"));
    QCOMPARE(Cell(grid, 1, 2), QStringLiteral("Activate Orvane")); // ordinal: "Ac" < "Ad"
    QCOMPARE(Cell(grid, 1, 0), QStringLiteral("1"));
    QCOMPARE(Cell(grid, 9, 0), QStringLiteral("9"));

    struct Expected {
        const char* nickname;
        const char* activation;
        const char* scope;
    };
    const Expected expected[] = {
        {"Greeting", "Ctrl+A", "GLOBAL"},
        {"Address block", "Ctrl+Alt+A", "GLOBAL"},
        {"Signature", "sig", "GLOBAL"},
        {"Back up notes", "Timed Macro", "GLOBAL"},
        {"Date stamp", "Ctrl+B", "Window: Untitled - Editor"},
        {"Export as PNG with the usual settings", "Ctrl+C", "Program: GIMP"},
        {"Text snippets", "Ctrl+D", "Popup Menu"},
        {"Activate Orvane", "Ctrl+Alt+Shift+W", "SYSTEM"},
        {"Damaged", "(Unknown)", "(Unknown)"},
    };
    for (const Expected& e : expected) {
        const int row = RowOf(grid, QString::fromLatin1(e.nickname));
        QVERIFY2(row > 0, e.nickname);
        QCOMPARE(Cell(grid, row, 1), QString::fromLatin1(e.activation));
        QCOMPARE(Cell(grid, row, 3), QString::fromLatin1(e.scope));
    }
}

void MacroGridTest::DrawingStates() {
    MacroGrid grid;
    grid.resize(600, 400);
    grid.Model().SetMacros(SampleMacros(), {"213", "123", "12345"});
    grid.show();
    const int inactive = RowOf(grid, QStringLiteral("Date stamp"));
    const int active = RowOf(grid, QStringLiteral("Greeting"));
    const QPalette palette = grid.palette();
    for (int column = 0; column < 4; ++column) {
        const QModelIndex index = grid.Model().index(inactive - 1, column);
        for (const bool selected : {false, true}) {
            const auto look = MacroGridDelegate::LookOf(OptionFor(grid, index, selected), index);
            if (column == 0) {
                QVERIFY2(!look.Italic, "the row number of an inactive macro is regular");
                QCOMPARE(look.Color,
                         palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
            } else {
                QVERIFY(look.Italic);
                QCOMPARE(look.Color, selected ? palette.color(QPalette::HighlightedText)
                                              : MacroGridDelegate::GreyText(palette));
            }
        }
        const QModelIndex activeIndex = grid.Model().index(active - 1, column);
        const auto look =
            MacroGridDelegate::LookOf(OptionFor(grid, activeIndex, true), activeIndex);
        QVERIFY(!look.Italic);
        QCOMPARE(look.Color, palette.color(QPalette::HighlightedText));
    }
    // Rows are 1.1 times the text height; the header is at least the header font's height.
    const int textHeight =
        QFontMetrics(grid.font()).boundingRect(QStringLiteral("ZZYyjkla")).height();
    QCOMPARE(grid.rowHeight(0), qRound(1.1 * textHeight));
    QVERIFY(grid.horizontalHeader()->height() >= grid.HeaderRowHeight());
    QCOMPARE(grid.columnWidth(0),
             QFontMetrics(grid.font()).horizontalAdvance(QStringLiteral("9999")) + 4);
    QVERIFY(MacroGridDelegate::GreyText(palette) != palette.color(QPalette::Text));
    // The grid draws without trouble in every state.
    grid.SelectRow(inactive);
    QVERIFY(!grid.grab().isNull());
}

void MacroGridTest::LongTextIsCutAtAWholeCharacter() {
    const QFontMetrics metrics(QFont(QStringLiteral("Sans"), 10));
    const QString text = QStringLiteral("Export as PNG with the usual settings");
    const int width = metrics.horizontalAdvance(QStringLiteral("Export as P")) + 1;
    const QString cut = FitCellText(text, metrics, width);
    QVERIFY(text.startsWith(cut));
    QVERIFY(metrics.horizontalAdvance(cut) <= width);
    QVERIFY(metrics.horizontalAdvance(text.left(cut.size() + 1)) > width);
    QVERIFY(!cut.endsWith(QStringLiteral("…")));
    QCOMPARE(FitCellText(text, metrics, 10000), text);
    QCOMPARE(FitCellText(text, metrics, 0), QString());
    const QString astral = QStringLiteral("ab") + QString::fromUcs4(U"\U0001F600");
    const QString astralCut = FitCellText(astral, metrics, metrics.horizontalAdvance(astral) - 1);
    QCOMPARE(astralCut, QStringLiteral("ab"));

    // In the grid: the drawn text of a narrow nickname column is the cut one.
    MacroGrid grid;
    grid.Model().SetMacros(SampleMacros(), {"213", "123", "12345"});
    grid.SetColumnWidths({112, 60, 132});
    const QModelIndex index = grid.Model().index(RowOf(grid, text) - 1, 2);
    const auto look = MacroGridDelegate::LookOf(OptionFor(grid, index, false), index);
    QVERIFY(look.Text.size() < text.size());
    QVERIFY(QFontMetrics(grid.font()).horizontalAdvance(look.Text) <= 60 - CellTextMargin);
}

void MacroGridTest::IncrementalSearchSelectsByActivation() {
    MacroGrid grid;
    // Activation primary: "Ctrl+A" (record 1) before "Ctrl+Alt+A" (record 2).
    grid.Model().SetMacros(SampleMacros(), {"123", "123", "12345"});
    grid.show();
    grid.setFocus();
    QTest::keyClicks(&grid, QStringLiteral("ctrl+a"));
    QCOMPARE(grid.SelectedRecord(), 1);
    QTest::keyClicks(&grid, QStringLiteral("lt"));
    QCOMPARE(grid.SelectedRecord(), 2);
    QTest::keyClick(&grid, Qt::Key_Escape);
    QCOMPARE(grid.Search().Buffer(), std::string());
    QCOMPARE(grid.SelectedRecord(), 2); // "Escape only clears"
    QTest::keyClicks(&grid, QStringLiteral("TIM"));
    QCOMPARE(grid.SelectedRecord(), 4);
    QTest::keyClick(&grid, Qt::Key_Backspace);
    QCOMPARE(grid.Search().Buffer(), std::string("TI"));
    QTest::keyClicks(&grid, QStringLiteral("S"));
    QCOMPARE(grid.SelectedRecord(), 4); // nothing starts with "TIS": the selection stays
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClicks(&grid, QStringLiteral("S"));
    QCOMPARE(grid.SelectedRecord(), 3);
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.Search().Buffer(), std::string()); // "navigation clears the buffer"
}

void MacroGridTest::HeaderRightClickAndColumnWidths() {
    MacroGrid grid;
    grid.resize(600, 300);
    grid.Model().SetMacros(SampleMacros(), {"123", "123", "12345"});
    grid.show();
    QSignalSpy header(&grid, &MacroGrid::HeaderRightClicked);
    QSignalSpy rowRight(&grid, &MacroGrid::RowRightClicked);
    QSignalSpy widths(&grid, &MacroGrid::ColumnWidthChanged);
    QHeaderView* view = grid.horizontalHeader();
    for (const int column : {2, 0, 3}) {
        const QPoint at(view->sectionViewportPosition(column) + 5, view->height() / 2);
        QTest::mousePress(view->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, at);
    }
    QCOMPARE(header.count(), 2); // "column 0 does not sort"
    QCOMPARE(header.at(0).at(0).toInt(), 2);
    QCOMPARE(header.at(1).at(0).toInt(), 3);
    // Press on one header cell and release on another is no click.
    QTest::mousePress(view->viewport(), Qt::RightButton, {},
                      QPoint(view->sectionViewportPosition(1) + 5, 5));
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {},
                        QPoint(view->sectionViewportPosition(3) + 5, 5));
    QCOMPARE(header.count(), 2);

    const QPoint row2 = grid.visualRect(grid.Model().index(1, 2)).center();
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, row2);
    QCOMPARE(rowRight.count(), 1);
    QCOMPARE(rowRight.at(0).at(0).toInt(), 2);

    grid.SetColumnWidths({100, 100, 100});
    QCOMPARE(widths.count(), 0); // "widths set by the program are not reported back"
    grid.horizontalHeader()->resizeSection(2, 240);
    QCOMPARE(widths.count(), 1);
    QCOMPARE(widths.at(0).at(0).toInt(), 2);
    QCOMPARE(widths.at(0).at(1).toInt(), 240);
}

} // namespace orvane
