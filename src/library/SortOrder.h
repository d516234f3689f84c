// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/MacroList.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The "Sort Order" dialog's three lists. Each list holds item numbers (1-based positions in the
// fixed caption lists below), top to bottom in the order the user wants.
struct SortOrderForm {
    std::vector<int> Primary;    // of PrimaryCaptions
    std::vector<int> Activation; // of ActivationCaptions
    std::vector<int> Scope;      // of ScopeCaptions
    bool SortHeader = true;      // "Enable right clicking on column headers"
};

inline constexpr std::array<std::string_view, 3> PrimarySortCaptions = {"Activation", "Nickname",
                                                                        "Scope"};
inline constexpr std::array<std::string_view, 3> ActivationSortCaptions = {"Hot Key", "ShortKey",
                                                                           "Timed Macro"};
inline constexpr std::array<std::string_view, 5> ScopeSortCaptions = {
    "Global", "Specific Window", "Specific Program", "PopUp Menu", "System"};

// The lists as the stored settings say. A damaged setting (a digit missing, repeated or out of
// range) still gives every item once: valid digits first, in their order, then the missing ones.
SortOrderForm SortOrderFormFrom(const ListSortOrder& order, bool sortHeader);

// Moves the item at `index` one place up or down; false (and nothing changed) at the edge.
bool MoveSortItem(std::vector<int>& list, int index, bool up);

// The settings the confirmed dialog stores: each list written back as its items' digits.
ListSortOrder SortOrderFromForm(const SortOrderForm& form);

// Right-clicking header column 1, 2 or 3 (when "Sort Header" is on) sets "Primary Sort" to
// "132", "213" or "321". `Rebuild` says whether the first digit changed, which is when the list
// is rebuilt and the settings saved.
struct HeaderSortResult {
    std::string Primary;
    bool Rebuild = false;
};
std::optional<HeaderSortResult> HeaderSortClick(int column, std::string_view currentPrimary);

} // namespace orvane
