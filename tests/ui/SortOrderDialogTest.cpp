// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/SortOrderDialog.h"
#include "UiTests.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTest>

namespace orvane {

void SortOrderDialogTest::ShowsTheOrdersAndReturnsTheMovedLists() {
    SortOrderDialog dialog(SortOrderFormFrom({"213", "312", "12345"}, true));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Sort Order"));
    QCOMPARE(dialog.PrimaryList()->item(0)->text(), QStringLiteral("Nickname"));
    QCOMPARE(dialog.ActivationList()->item(0)->text(), QStringLiteral("Timed Macro"));
    QCOMPARE(dialog.ScopeList()->count(), 5);
    QCOMPARE(dialog.ScopeList()->item(3)->text(), QStringLiteral("PopUp Menu"));
    QCOMPARE(dialog.SortHeaderBox()->text(),
             QStringLiteral("Enable right clicking on column headers"));
    QVERIFY(dialog.SortHeaderBox()->isChecked());

    dialog.ScopeList()->setCurrentRow(4); // "System" to the top
    for (int i = 0; i < 5; ++i) {
        dialog.MoveSelected(2, true);
    }
    QCOMPARE(dialog.ScopeList()->item(0)->text(), QStringLiteral("System"));
    QCOMPARE(dialog.ScopeList()->currentRow(), 0); // "the moved item stays selected"
    dialog.PrimaryList()->setCurrentRow(0);
    dialog.MoveSelected(0, false);
    dialog.SortHeaderBox()->setChecked(false);

    const ListSortOrder order = SortOrderFromForm(dialog.Form());
    QCOMPARE(order.Primary, std::string("123"));
    QCOMPARE(order.Activation, std::string("312"));
    QCOMPARE(order.Scope, std::string("51234"));
    QVERIFY(!dialog.Form().SortHeader);
}

} // namespace orvane
