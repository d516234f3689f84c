// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/SortOrder.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(SortOrderDialog, ListsFollowTheSettingsAndWriteBackAsDigits) {
    SortOrderForm form = SortOrderFormFrom({"213", "312", "54321"}, false);
    EXPECT_EQ(form.Primary, (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(form.Activation, (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(form.Scope, (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_FALSE(form.SortHeader);

    EXPECT_TRUE(MoveSortItem(form.Scope, 4, true)); // "Global" one place up
    EXPECT_TRUE(MoveSortItem(form.Primary, 0, false));
    const ListSortOrder order = SortOrderFromForm(form);
    EXPECT_EQ(order.Primary, "123");
    EXPECT_EQ(order.Activation, "312");
    EXPECT_EQ(order.Scope, "54312");
}

TEST(SortOrderDialog, MovingPastAnEdgeChangesNothing) {
    std::vector<int> list = {1, 2, 3};
    EXPECT_FALSE(MoveSortItem(list, 0, true));
    EXPECT_FALSE(MoveSortItem(list, 2, false));
    EXPECT_FALSE(MoveSortItem(list, 7, true));
    EXPECT_FALSE(MoveSortItem(list, -1, false));
    EXPECT_EQ(list, (std::vector<int>{1, 2, 3}));
}

TEST(SortOrderDialog, DamagedSettingsGiveEveryItemOnce) {
    const SortOrderForm form = SortOrderFormFrom({"33", "", "9a2x2"}, true);
    EXPECT_EQ(form.Primary, (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(form.Activation, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(form.Scope, (std::vector<int>{2, 1, 3, 4, 5}));
}

TEST(HeaderSort, RightClickSetsThePrimaryOrderAndRebuildsOnlyWhenTheFirstKeyChanges) {
    struct Case {
        int column;
        std::string current;
        std::string primary;
        bool rebuild;
    };
    const Case cases[] = {{1, "213", "132", true},  {2, "123", "213", true},
                          {3, "123", "321", true},  {1, "123", "132", false},
                          {3, "312", "321", false}, {2, "", "213", true}};
    for (const Case& c : cases) {
        const auto result = HeaderSortClick(c.column, c.current);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->Primary, c.primary);
        EXPECT_EQ(result->Rebuild, c.rebuild) << c.column << " on " << c.current;
    }
    EXPECT_FALSE(HeaderSortClick(0, "123")) << "the row-number column does not sort";
    EXPECT_FALSE(HeaderSortClick(4, "123"));
}

} // namespace
} // namespace orvane
