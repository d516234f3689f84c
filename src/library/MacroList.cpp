// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroList.h"

#include <utility>

namespace orvane {
namespace {

enum class ActivationKind : char { HotKey = '1', ShortKey = '2', Timed = '3' };

ActivationKind KindOf(const ListMacro& macro) {
    if (macro.HotKey == TimedMacroCode) {
        return ActivationKind::Timed;
    }
    if (macro.HotKey == ShortKeyMacroCode) {
        return ActivationKind::ShortKey;
    }
    return ActivationKind::HotKey;
}

std::string_view HotKeyName(std::uint16_t code, std::span<const std::string_view> names) {
    return code < names.size() ? names[code] : UnknownListText;
}

// The place (0-based) of `digit` in an order setting; a digit the setting lacks (a hand-edited
// file) ranks as if it stood last, as the stored order was always read.
std::size_t RankOf(char digit, std::string_view order, std::size_t places) {
    for (std::size_t i = 0; i + 1 < places && i < order.size(); ++i) {
        if (order[i] == digit) {
            return i;
        }
    }
    return places - 1;
}

// Each prefix differs from the next within the shorter one ('A' < 'z'), so the rank always decides
// before any text that follows.
constexpr std::string_view ActivationPrefixes[] = {"AAAA", "AAAz", "AAz"};
constexpr std::string_view ScopePrefixes[] = {"AAAAAA", "AAAAAz", "AAAAz", "AAAz", "AAz"};

std::string ActivationPart(const ListMacro& macro, const ListSortOrder& order,
                           std::span<const std::string_view> names) {
    const ActivationKind kind = KindOf(macro);
    std::string part(ActivationPrefixes[RankOf(static_cast<char>(kind), order.Activation, 3)]);
    if (kind == ActivationKind::HotKey) {
        part += HotKeyName(macro.HotKey, names);
    } else if (kind == ActivationKind::ShortKey) {
        part += macro.ShortKey;
    }
    return part;
}

std::string ScopePart(const ListMacro& macro, const ListSortOrder& order) {
    // A scope outside 1..5 never matches a digit of the setting, so it ranks last.
    const char digit =
        macro.Scope >= 1 && macro.Scope <= 5 ? static_cast<char>('0' + macro.Scope) : '?';
    std::string part(ScopePrefixes[RankOf(digit, order.Scope, 5)]);
    if (macro.Scope == 2 || macro.Scope == 3) {
        part += macro.ScopeTarget;
    }
    return part;
}

void QuickSort(std::vector<std::string>& keys, std::vector<int>& rowMap, int low, int high) {
    int i = low;
    int j = high;
    const std::string pivot = keys[static_cast<std::size_t>((low + high) / 2)];
    do {
        while (keys[static_cast<std::size_t>(i)] < pivot) {
            ++i;
        }
        while (pivot < keys[static_cast<std::size_t>(j)]) {
            --j;
        }
        if (i <= j) {
            std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
            std::swap(rowMap[static_cast<std::size_t>(i)], rowMap[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (low < j) {
        QuickSort(keys, rowMap, low, j);
    }
    if (i < high) {
        QuickSort(keys, rowMap, i, high);
    }
}

} // namespace

std::string ActivationText(const ListMacro& macro, std::span<const std::string_view> hotKeyNames) {
    switch (KindOf(macro)) {
    case ActivationKind::Timed:
        return "Timed Macro";
    case ActivationKind::ShortKey:
        return macro.ShortKey;
    case ActivationKind::HotKey:
        break;
    }
    return std::string(HotKeyName(macro.HotKey, hotKeyNames));
}

std::string ScopeText(const ListMacro& macro) {
    switch (macro.Scope) {
    case 1:
        return "GLOBAL";
    case 2:
        return ("Window: " + macro.ScopeTarget).substr(0, 28);
    case 3:
        return ("Program: " + macro.ScopeTarget).substr(0, 29);
    case 4:
        return "Popup Menu";
    case 5:
        return "SYSTEM";
    default:
        return std::string(UnknownListText);
    }
}

std::string SortKey(const ListMacro& macro, const ListSortOrder& order,
                    std::span<const std::string_view> hotKeyNames) {
    const std::string activation = ActivationPart(macro, order, hotKeyNames);
    const std::string scope = ScopePart(macro, order);
    const std::string& nickname = macro.Nickname;
    const char first = order.Primary.empty() ? '\0' : order.Primary[0];
    const char second = order.Primary.size() > 1 ? order.Primary[1] : '\0';
    if (first == '1') {
        return second == '2' ? activation + nickname + scope : activation + scope + nickname;
    }
    if (first == '2') {
        return second == '1' ? nickname + activation + scope : nickname + scope + activation;
    }
    return second == '2' ? scope + nickname + activation : scope + activation + nickname;
}

void QuickSortRows(std::vector<std::string>& keys, std::vector<int>& rowMap) {
    if (keys.size() > 1 && keys.size() == rowMap.size()) {
        QuickSort(keys, rowMap, 0, static_cast<int>(keys.size()) - 1);
    }
}

void MacroList::Fill(std::span<const ListMacro> macros, const ListSortOrder& order,
                     std::span<const std::string_view> hotKeyNames) {
    rowMap_.resize(macros.size());
    for (std::size_t i = 0; i < macros.size(); ++i) {
        rowMap_[i] = static_cast<int>(i) + 1;
    }
    if (macros.size() <= 1) {
        return;
    }
    std::vector<std::string> keys;
    keys.reserve(macros.size());
    for (const ListMacro& macro : macros) {
        keys.push_back(SortKey(macro, order, hotKeyNames));
    }
    QuickSortRows(keys, rowMap_);
}

int MacroList::RecordAt(int row) const {
    return row >= 1 && row <= Count() ? rowMap_[static_cast<std::size_t>(row - 1)] : 0;
}

int MacroList::ReverseSort(int record) const {
    for (int row = 1; row <= Count(); ++row) {
        if (rowMap_[static_cast<std::size_t>(row - 1)] == record) {
            return row;
        }
    }
    return -1;
}

} // namespace orvane
