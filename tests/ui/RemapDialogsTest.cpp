// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/KeyboardRemapperDialog.h"
#include "ui/activation/SelectCharacterDialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <vector>

namespace orvane {

class RemapDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void RemapperShowsEachGridsBaseCharactersAndReplacements();
    void OnlyReplacementCellsAskForACharacterAndAChoiceTakesEffectAtOnce();
    void SelectCharacterStartsOnTheReplacementAndChoosesTheSelectedCell();

private:
    static void DoubleClick(QTableWidget* grid, int row, int column) {
        // A view takes a double-click on the cell the press before it chose.
        const QPoint at = grid->visualItemRect(grid->item(row, column)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    }
};

namespace {

SwapTable Remapped() {
    SwapTable table = IdentitySwaps();
    table.Bytes[26] = 'b'; // a -> b
    table.Bytes[53] = 0;   // 1 -> none
    table.Bytes[92] = '|'; // ~ -> |
    return table;
}

} // namespace

void RemapDialogsTest::RemapperShowsEachGridsBaseCharactersAndReplacements() {
    KeyboardRemapperDialog dialog(Remapped(), {}, {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Keyboard Remapper"));
    const struct {
        const char* Heading;
        int Rows;
        const char* First;
        const char* Last;
    } grids[] = {{"Upper Case", 26, "A", "Z"},
                 {"Lower Case", 26, "a", "z"},
                 {"Punctuation", 31, " ", "~"},
                 {"Numeric", 10, "0", "9"}};
    for (int g = 0; g < 4; ++g) {
        QTableWidget* grid = dialog.Grid(g);
        QCOMPARE(grid->accessibleName(), QString::fromLatin1(grids[g].Heading));
        QCOMPARE(grid->rowCount(), grids[g].Rows);
        QCOMPARE(grid->columnWidth(0), 20);
        QCOMPARE(grid->rowHeight(0), 20);
        QCOMPARE(grid->item(0, 0)->text(), QString::fromLatin1(grids[g].First));
        QCOMPARE(grid->item(grid->rowCount() - 1, 0)->text(), QString::fromLatin1(grids[g].Last));
        QCOMPARE(grid->item(0, 0)->background().color(), QColor(192, 192, 192));
    }
    // Replacements in bold, "none" in normal type.
    QCOMPARE(dialog.Grid(1)->item(0, 1)->text(), QStringLiteral("b"));
    QVERIFY(dialog.Grid(1)->item(0, 1)->font().bold());
    QCOMPARE(dialog.Grid(1)->item(1, 1)->text(), QStringLiteral("b"));
    QCOMPARE(dialog.Grid(3)->item(1, 1)->text(), QStringLiteral("none"));
    QVERIFY(!dialog.Grid(3)->item(1, 1)->font().bold());
    QCOMPARE(dialog.Grid(2)->item(30, 1)->text(), QStringLiteral("|"));
    QVERIFY2(!dialog.HelpButton()->isEnabled(), "no help given");
    QVERIFY(!dialog.Form().Changed);
}

void RemapDialogsTest::OnlyReplacementCellsAskForACharacterAndAChoiceTakesEffectAtOnce() {
    std::vector<std::uint8_t> asked;
    std::optional<std::uint8_t> answer = 'x';
    int helps = 0;
    KeyboardRemapperDialog dialog(
        Remapped(),
        [&](std::uint8_t current, int) {
            asked.push_back(current);
            return answer;
        },
        [&] { ++helps; });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableWidget* lower = dialog.Grid(1);

    DoubleClick(lower, 2, 0); // the base character "c"
    QVERIFY(asked.empty());
    answer.reset(); // Cancel in "Select Character"
    DoubleClick(lower, 2, 1);
    QCOMPARE(asked, std::vector<std::uint8_t>{'c'});
    QVERIFY(!dialog.Form().Changed);
    QCOMPARE(lower->item(2, 1)->text(), QStringLiteral("c"));

    answer = 'x';
    DoubleClick(lower, 2, 1);
    QVERIFY(dialog.Form().Changed);
    QCOMPARE(dialog.Form().Table.Bytes[28], std::uint8_t{'x'});
    QCOMPARE(lower->item(2, 1)->text(), QStringLiteral("x"));
    QVERIFY(lower->item(2, 1)->font().bold());

    // From the keyboard: Enter on a replacement asks; on a base character it does nothing and
    // never closes the dialog.
    QTableWidget* numeric = dialog.Grid(3);
    numeric->setFocus();
    numeric->setCurrentCell(1, 1);
    answer = '7';
    QTest::keyClick(numeric, Qt::Key_Return);
    QCOMPARE(asked.back(), std::uint8_t{0}); // "none" is asked about as 0
    QCOMPARE(numeric->item(1, 1)->text(), QStringLiteral("7"));
    numeric->setCurrentCell(4, 0);
    const std::size_t before = asked.size();
    QTest::keyClick(numeric, Qt::Key_Return);
    QCOMPARE(asked.size(), before);
    QVERIFY(dialog.isVisible());

    dialog.HelpButton()->click();
    QCOMPARE(helps, 1);
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    SwapTable expected = Remapped();
    expected.Bytes[28] = 'x';
    expected.Bytes[53] = '7';
    QCOMPARE(dialog.Form().Table, expected);
}

void RemapDialogsTest::SelectCharacterStartsOnTheReplacementAndChoosesTheSelectedCell() {
    const struct {
        std::uint8_t Current;
        int Row;
        int Column;
    } starts[] = {{'b', 2, 10}, {0, 0, 0}, {7, 0, 0}, {255, 7, 27}, {' ', 0, 0}};
    for (const auto& start : starts) {
        SelectCharacterDialog dialog(start.Current, -1);
        QCOMPARE(dialog.Grid()->currentRow(), start.Row);
        QCOMPARE(dialog.Grid()->currentColumn(), start.Column);
    }

    SelectCharacterDialog dialog('b', 300);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Character"));
    QCOMPARE(dialog.Grid()->rowCount(), 8);
    QCOMPARE(dialog.Grid()->columnCount(), 28);
    QCOMPARE(dialog.Grid()->item(3, 3)->text(), QStringLiteral("w"));     // 32 + 84 + 3
    QCOMPARE(dialog.Grid()->item(7, 27)->text(), QString(QChar(0xFF)));   // ÿ
    QCOMPARE(dialog.Grid()->item(3, 12)->text(), QString(QChar(0x20AC))); // 128: €
    QCOMPARE(dialog.Grid()->item(3, 11)->text(), QString());              // 127
    QCOMPARE(dialog.Chosen(), std::uint8_t{'b'});
    QVERIFY(dialog.Grid()->hasFocus());
    QTest::keyClick(dialog.Grid(), Qt::Key_Right);
    QTest::keyClick(dialog.Grid(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Chosen(), std::uint8_t{'c'});

    SelectCharacterDialog clicked('b', -1);
    clicked.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clicked));
    DoubleClick(clicked.Grid(), 0, 1);
    QCOMPARE(clicked.result(), int(QDialog::Accepted));
    QCOMPARE(clicked.Chosen(), std::uint8_t{'!'});

    SelectCharacterDialog cancelled('b', -1);
    cancelled.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cancelled));
    QTest::keyClick(cancelled.Grid(), Qt::Key_Escape);
    QCOMPARE(cancelled.result(), int(QDialog::Rejected));
}

} // namespace orvane

QTEST_MAIN(orvane::RemapDialogsTest)
#include "RemapDialogsTest.moc"
