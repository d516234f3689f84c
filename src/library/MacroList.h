// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// What the macro list needs of one loaded macro: the activation and scope fields of the shared
// macro table and the names of the name cache. Texts are Windows-1252 bytes as stored.
struct ListMacro {
    std::uint16_t HotKey = 0;
    std::int16_t Scope = 1;
    std::string ScopeTarget; // the table's 20-character copy of the scope target
    std::string Nickname;
    std::string ShortKey;
    bool Active = true;
};

// The three sort settings as stored ("Primary Sort", "Activation Sort", "Scope Sort").
struct ListSortOrder {
    std::string Primary = "123";
    std::string Activation = "123";
    std::string Scope = "12345";
};

inline constexpr std::uint16_t TimedMacroCode = 10000;
inline constexpr std::uint16_t ShortKeyMacroCode = 20000;

// Shown for a hot key code or scope that no table knows (a damaged or foreign file).
inline constexpr std::string_view UnknownListText = "(Unknown)";

// Column 1: "Timed Macro", the ShortKey, or the hot key's name from `hotKeyNames`; a code past
// the end of the table reads as unknown.
std::string ActivationText(const ListMacro& macro, std::span<const std::string_view> hotKeyNames);

// Column 3: "GLOBAL", "Popup Menu", "SYSTEM", "Program: <target>" (cut to 29 characters) or
// "Window: <target>" (cut to 28); any scope outside 1..5 reads as unknown.
std::string ScopeText(const ListMacro& macro);

// The composite sort key of one macro: the primary part, then the other two in the order the
// second digit of "Primary Sort" asks for. Rank prefixes make the rank decide before any text.
std::string SortKey(const ListMacro& macro, const ListSortOrder& order,
                    std::span<const std::string_view> hotKeyNames);

// Sorts `keys` ascending (byte order) with the list's quicksort, swapping `rowMap` alongside.
// Both have the same size; equal keys end in no defined order.
void QuickSortRows(std::vector<std::string>& keys, std::vector<int>& rowMap);

// The grid's row-to-record map. Rows and record numbers are 1-based; row 0 is the header.
class MacroList {
public:
    // Rebuilds the map for `macros` (record i is macros[i - 1]) in the given order. One macro or
    // none is not sorted: the map stays the identity.
    void Fill(std::span<const ListMacro> macros, const ListSortOrder& order,
              std::span<const std::string_view> hotKeyNames);

    int Count() const { return static_cast<int>(rowMap_.size()); }

    // The record shown in `row`, or 0 when there is no such row.
    int RecordAt(int row) const;

    // The row showing `record`, or -1 when no row shows it.
    int ReverseSort(int record) const;

private:
    std::vector<int> rowMap_;
};

} // namespace orvane
