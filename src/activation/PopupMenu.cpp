// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/PopupMenu.h"

#include "core/MacroStore.h"
#include "core/TextCase.h"
#include "library/MacroManagement.h"

#include <algorithm>

namespace orvane {
namespace {

// How much of a script a list line can show at most; the window cuts it to fit.
constexpr std::size_t ShownTextLength = 120;
constexpr std::string_view MenuIconName = "MENU";
constexpr std::string_view MainIconName = "MAIN";

std::string ScriptBeginning(std::string_view text) {
    std::string shown(text.substr(0, ShownTextLength));
    // Line ends and tabs would break the line; they read as spaces.
    std::replace_if(
        shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }, ' ');
    return shown;
}

} // namespace

std::string PopupMenuOptions::Text() const {
    std::string text;
    text += InTray ? 'Y' : 'N';
    text += static_cast<char>(Shows);
    text += static_cast<char>('0' + std::clamp(IconSizeIndex, 0, 4));
    return text;
}

PopupMenuOptions PopupMenuOptionsFrom(std::string_view stored) {
    PopupMenuOptions options;
    options.InTray = !stored.empty() && stored[0] == 'Y';
    if (stored.size() > 1 && stored[1] >= '1' && stored[1] <= '3') {
        options.Shows = static_cast<MenuShows>(stored[1]);
    }
    if (stored.size() > 2 && stored[2] >= '0' && stored[2] <= '4') {
        options.IconSizeIndex = stored[2] - '0';
    }
    return options;
}

std::string ItemLabel(int item) {
    if (item < 0 || item >= LabelledMenuItems) {
        return {};
    }
    return std::string(1, item <= 9 ? static_cast<char>('0' + item) : static_cast<char>(item + 55));
}

std::optional<int> ItemForKey(char32_t typed, int count) {
    int item = 0;
    if (typed >= U'0' && typed <= U'9') {
        item = static_cast<int>(typed - U'0');
    } else if (typed >= U'A' && typed <= U'Z') {
        item = static_cast<int>(typed - U'A') + 10;
    } else if (typed >= U'a' && typed <= U'z') {
        item = static_cast<int>(typed - U'a') + 10;
    }
    if (item >= count) {
        return std::nullopt;
    }
    return item;
}

std::vector<MenuItem> MenuItemsOf(const MacroStore& store,
                                  const std::vector<std::uint16_t>& members) {
    std::vector<MenuItem> items;
    for (const std::uint16_t macro : members) {
        MacroRecord record;
        if (macro == 0 || macro > store.MacroCount() || !store.ReadMacro(macro, record)) {
            continue;
        }
        MenuItem item;
        item.Macro = macro;
        item.Label = ItemLabel(static_cast<int>(items.size()));
        item.Name = record.Nickname.Str();
        if (item.Name.empty()) {
            item.Name = ActivationText(record.HotKey, record.ShortKey.View());
        }
        item.PopupMenu = record.Scope == ScopePopupMenu;
        item.Scope = record.Scope == ScopeGlobal ? std::string("GLOBAL")
                     : item.PopupMenu            ? std::string("Popup Menu")
                                                 : record.ScopeTarget.Str();
        // A menu's text field holds its members, not a script.
        item.Text = item.PopupMenu ? item.Name : ScriptBeginning(record.Text());
        item.Icon = record.Icon.Str();
        items.push_back(std::move(item));
    }
    return items;
}

ChooseMenu MenuOf(const MacroStore& store, const MacroRecord& menu) {
    return {PopupMenuOptionsFrom(menu.ShortKey.View()), MenuItemsOf(store, menu.PopupMembers())};
}

std::vector<std::uint16_t> TopWindowMembers(const MacroStore& store, std::string_view title,
                                            std::string_view program) {
    const std::string upperTitle = UpperCase1252(title);
    const std::string upperProgram = UpperCase1252(program);
    const MacroTable& table = store.Table();
    std::vector<std::uint16_t> members;
    for (int i = 1; i <= store.MacroCount() && members.size() < LabelledMenuItems; ++i) {
        const std::int16_t scope = table.Scope(i);
        const std::string target = UpperCase1252(table.ScopeTarget(i));
        if ((scope == ScopeSpecificWindow && upperTitle.find(target) != std::string::npos) ||
            (scope == ScopeSpecificProgram && upperProgram.find(target) != std::string::npos)) {
            members.push_back(static_cast<std::uint16_t>(i));
        }
    }
    return members;
}

ChooseMenu TopWindowMenu(const MacroStore& store, const std::vector<std::uint16_t>& members,
                         int shows) {
    ChooseMenu menu;
    menu.Options.Shows = shows == 2   ? MenuShows::Icons
                         : shows == 3 ? MenuShows::NicknameAndScope
                                      : MenuShows::FirstPartOfMacro;
    menu.Options.IconSizeIndex = 2;
    menu.Items = MenuItemsOf(store, members);
    return menu;
}

ChooseMenuLayout LayoutFor(const PopupMenuOptions& options, int count) {
    ChooseMenuLayout layout;
    count = std::max(count, 0);
    if (options.Shows == MenuShows::Icons) {
        const int size = options.IconSize();
        layout.ButtonSide = size + 4;
        layout.Rows = std::max(1, (count + IconsPerRow - 1) / IconsPerRow);
        layout.Height = layout.Rows * layout.ButtonSide + 22;
        layout.Width = count > 8   ? size * IconsPerRow + 36
                       : count > 3 ? count * layout.ButtonSide
                                   : 4 * layout.ButtonSide;
        return layout;
    }
    if (count <= ItemsPerList) {
        layout.LeftListHeight = count * MenuLineHeight + 8;
        layout.Width = OneListWidth;
    } else {
        layout.LeftListHeight = ItemsPerList * MenuLineHeight + 8;
        layout.RightListHeight = count * MenuLineHeight - 298;
        layout.Width = TwoListsWidth;
    }
    layout.ListWidth = OneListWidth - 4;
    layout.Height = layout.LeftListHeight + 42;
    return layout;
}

MenuPlace MenuPosition(int trayX, int width, int height, int screenWidth, int screenHeight) {
    if (trayX < 0) {
        return {(screenWidth - width) / 2, (screenHeight - height) / 2};
    }
    int x = trayX;
    if (x + width > screenWidth) {
        x -= width;
    }
    return {std::max(0, x), screenHeight - height};
}

IconChoice ChooseIcon(std::string_view stored, bool popupMenu, bool fileExists) {
    if (stored == MainIconName) {
        return {IconSource::Program, {}};
    }
    if (stored == MenuIconName) {
        return {IconSource::Menu, {}};
    }
    if (!stored.empty() && fileExists) {
        return {IconSource::File, std::string(stored)};
    }
    return {popupMenu ? IconSource::Menu : IconSource::Program, {}};
}

std::vector<MenuTrayEntry> MenuTrayEntries(const MacroStore& store) {
    std::vector<MenuTrayEntry> entries;
    const MacroTable& table = store.Table();
    for (int i = 1; i <= store.MacroCount() && entries.size() < MaxMenuTrayIcons; ++i) {
        MacroRecord record;
        if (table.Scope(i) != ScopePopupMenu || !store.ReadMacro(i, record) ||
            !PopupMenuOptionsFrom(record.ShortKey.View()).InTray) {
            continue;
        }
        entries.push_back({i, record.Nickname.Str(), record.Icon.Str()});
    }
    return entries;
}

} // namespace orvane
