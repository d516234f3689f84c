// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/MenuBuild.h"

#include "core/MacroStore.h"
#include "library/MacroList.h"
#include "library/MacroManagement.h"

#include <algorithm>

namespace orvane {

MenuBuild::MenuBuild(const MacroStore& store, int self, const std::vector<std::uint16_t>& members)
    : store_(store) {
    const MacroTable& table = store.Table();
    const int count = store.MacroCount();
    const auto usable = [&](int macro) {
        return macro >= 1 && macro <= count && macro != self && table.Scope(macro) != ScopeSystem;
    };
    for (const std::uint16_t macro : members) {
        if (usable(macro) && std::find(members_.begin(), members_.end(), macro) == members_.end()) {
            members_.push_back(macro);
        }
    }
    for (int macro = 1; macro <= count; ++macro) {
        if (usable(macro) && std::find(members_.begin(), members_.end(), macro) == members_.end()) {
            available_.push_back(macro);
        }
    }
}

BuilderLine MenuBuild::LineOf(int macro) const {
    const MacroTable& table = store_.Table();
    BuilderLine line;
    line.Macro = macro;
    line.Activation = ActivationText(table.HotKey(macro), store_.Names().ShortKey(macro));
    line.Nickname = std::string(store_.Names().Nickname(macro));
    ListMacro listed;
    listed.Scope = table.Scope(macro);
    listed.ScopeTarget = std::string(table.ScopeTarget(macro));
    line.Scope = ScopeText(listed);
    return line;
}

std::optional<int> MenuBuild::Insert(int from, int position) {
    if (from < 0 || from >= static_cast<int>(available_.size())) {
        return std::nullopt;
    }
    const int macro = available_[static_cast<std::size_t>(from)];
    available_.erase(available_.begin() + from);
    position = std::clamp(position, 0, static_cast<int>(members_.size()));
    members_.insert(members_.begin() + position, macro);
    return position;
}

std::optional<int> MenuBuild::Add(int from) {
    return Insert(from, static_cast<int>(members_.size()));
}

std::optional<int> MenuBuild::InsertAfter(int from, int at) {
    const bool selected = at >= 0 && at < static_cast<int>(members_.size());
    return Insert(from, selected ? at + 1 : static_cast<int>(members_.size()));
}

std::optional<int> MenuBuild::InsertBefore(int from, int at) {
    const bool selected = at >= 0 && at < static_cast<int>(members_.size());
    return Insert(from, selected ? at : static_cast<int>(members_.size()));
}

std::optional<int> MenuBuild::Up(int at) {
    if (at <= 0 || at >= static_cast<int>(members_.size())) {
        return std::nullopt;
    }
    std::swap(members_[static_cast<std::size_t>(at)], members_[static_cast<std::size_t>(at - 1)]);
    return at - 1;
}

std::optional<int> MenuBuild::Down(int at) {
    if (at < 0 || at + 1 >= static_cast<int>(members_.size())) {
        return std::nullopt;
    }
    std::swap(members_[static_cast<std::size_t>(at)], members_[static_cast<std::size_t>(at + 1)]);
    return at + 1;
}

std::optional<int> MenuBuild::Remove(int at) {
    if (at < 0 || at >= static_cast<int>(members_.size())) {
        return std::nullopt;
    }
    const int macro = members_[static_cast<std::size_t>(at)];
    members_.erase(members_.begin() + at);
    const auto place = std::lower_bound(available_.begin(), available_.end(), macro);
    const int position = static_cast<int>(place - available_.begin());
    available_.insert(place, macro);
    return position;
}

std::vector<std::uint16_t> MenuBuild::MemberNumbers() const {
    return {members_.begin(), members_.end()};
}

BuildMenuForm BuildMenuFormFrom(const MacroRecord& record, bool newMenu, bool iconFileExists) {
    BuildMenuForm form;
    if (newMenu) {
        form.Options.IconSizeIndex = 2;
        form.Icon = "MENU";
        return form;
    }
    form.Nickname = record.Nickname.Str();
    form.Options = PopupMenuOptionsFrom(record.ShortKey.View());
    form.Icon = record.Icon.Str();
    const bool builtIn = form.Icon == "MENU" || form.Icon == "MAIN";
    if (!builtIn && !iconFileExists) {
        form.Icon = "MENU";
    }
    return form;
}

void ApplyBuildMenu(const BuildMenuForm& form, const std::vector<std::uint16_t>& members,
                    bool newMenu, double now, MacroRecord& record) {
    record.Nickname.Assign(form.Nickname.substr(0, 50));
    record.Icon.Assign(form.Icon.substr(0, 12));
    record.Scope = ScopePopupMenu;
    record.ShortKey.Assign(form.Options.Text());
    record.SetPopupMembers(members);
    record.LastModified = now;
    if (newMenu) {
        record.Active = 1;
    }
}

} // namespace orvane
