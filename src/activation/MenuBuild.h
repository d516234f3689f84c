// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/PopupMenu.h"
#include "core/MacroRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class MacroStore;

inline constexpr std::string_view BuildMacroMenuCaption = "Build Macro Menu";
inline constexpr std::string_view NoMenuMacroSelectedText =
    "No macro selected.  Please select one.";

// One line of the builder's two lists. Texts are Windows-1252.
struct BuilderLine {
    int Macro = 0;
    std::string Activation; // "Timed Macro", the ShortKey or the hot key's name
    std::string Nickname;
    std::string Scope; // as the main list shows it
};

// The two lists of "Build Macro Menu": the macros that can be added (every macro but the system
// macros, the menu itself and its members, in table order) and the menu's members in menu
// order. Moves keep both lists consistent: a macro is always in exactly one of them.
// Positions are 0-based; a position outside its list is "nothing selected".
class MenuBuild {
public:
    // `self` is the menu's own record number (MacroCount + 1 for a new menu). Members that name
    // no loaded macro, or a system macro or the menu itself, are left out, each macro once.
    MenuBuild(const MacroStore& store, int self, const std::vector<std::uint16_t>& members);

    const std::vector<int>& Available() const { return available_; }
    const std::vector<int>& Members() const { return members_; }
    BuilderLine LineOf(int macro) const;

    // Moves available macro `from` into the menu: at its end ("&Add"), after member `at`
    // ("&Insert") or before it ("I&nsert"). Returns the new member's position, or nothing when
    // `from` selects no available macro. Inserting without a selected member appends.
    std::optional<int> Add(int from);
    std::optional<int> InsertAfter(int from, int at);
    std::optional<int> InsertBefore(int from, int at);
    // Moves member `at` one place; returns its new position (nothing when it cannot move).
    std::optional<int> Up(int at);
    std::optional<int> Down(int at);
    // Moves member `at` back into the available list at its place in table order; returns that
    // position there.
    std::optional<int> Remove(int at);

    std::vector<std::uint16_t> MemberNumbers() const;

private:
    std::optional<int> Insert(int from, int position);

    const MacroStore& store_;
    std::vector<int> available_;
    std::vector<int> members_;
};

// The builder's fields besides its lists.
struct BuildMenuForm {
    std::string Nickname; // at most 50 characters
    PopupMenuOptions Options;
    std::string Icon; // at most 12 characters
};

// The fields for a menu: a new one gets an empty nickname, nickname and scope, 32 by 32 icons,
// out of the tray and the menu icon. A stored icon file that no longer exists reads as "MENU".
BuildMenuForm BuildMenuFormFrom(const MacroRecord& record, bool newMenu, bool iconFileExists);

// Writes the builder's result into `record`: nickname, icon, scope PopUp Menu, the options and
// the members; a new menu is active. `now` is the modification time (days since 1899-12-30).
void ApplyBuildMenu(const BuildMenuForm& form, const std::vector<std::uint16_t>& members,
                    bool newMenu, double now, MacroRecord& record);

} // namespace orvane
