// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/SortOrder.h"

#include <algorithm>

namespace orvane {
namespace {

std::vector<int> ItemsFrom(std::string_view digits, int count) {
    std::vector<int> items;
    for (const char c : digits) {
        const int item = c - '0';
        if (item >= 1 && item <= count &&
            std::find(items.begin(), items.end(), item) == items.end()) {
            items.push_back(item);
        }
    }
    for (int item = 1; item <= count; ++item) {
        if (std::find(items.begin(), items.end(), item) == items.end()) {
            items.push_back(item);
        }
    }
    return items;
}

std::string DigitsOf(const std::vector<int>& items) {
    std::string digits;
    for (const int item : items) {
        digits += static_cast<char>('0' + item);
    }
    return digits;
}

} // namespace

SortOrderForm SortOrderFormFrom(const ListSortOrder& order, bool sortHeader) {
    return SortOrderForm{ItemsFrom(order.Primary, 3), ItemsFrom(order.Activation, 3),
                         ItemsFrom(order.Scope, 5), sortHeader};
}

bool MoveSortItem(std::vector<int>& list, int index, bool up) {
    const int other = up ? index - 1 : index + 1;
    const int size = static_cast<int>(list.size());
    if (index < 0 || index >= size || other < 0 || other >= size) {
        return false;
    }
    std::swap(list[static_cast<std::size_t>(index)], list[static_cast<std::size_t>(other)]);
    return true;
}

ListSortOrder SortOrderFromForm(const SortOrderForm& form) {
    return ListSortOrder{DigitsOf(form.Primary), DigitsOf(form.Activation), DigitsOf(form.Scope)};
}

std::optional<HeaderSortResult> HeaderSortClick(int column, std::string_view currentPrimary) {
    static constexpr std::string_view Orders[] = {"132", "213", "321"};
    if (column < 1 || column > 3) {
        return std::nullopt;
    }
    const std::string_view wanted = Orders[column - 1];
    const bool firstChanged = currentPrimary.empty() || currentPrimary[0] != wanted[0];
    return HeaderSortResult{std::string(wanted), firstChanged};
}

} // namespace orvane
