// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class MacroStore;

// What a popup menu shows of its macros: the option character stored for it.
enum class MenuShows : char {
    FirstPartOfMacro = '1',
    Icons = '2',
    NicknameAndScope = '3',
};

inline constexpr std::array<int, 5> MenuIconSizes = {16, 24, 32, 48, 64};
// Keys 0-9 and A-Z label the first 36 items; the menu of the window in front lists no more.
inline constexpr int LabelledMenuItems = 36;
// Two lists once a menu has more items than one list holds.
inline constexpr int ItemsPerList = 18;
// Icon buttons per row.
inline constexpr int IconsPerRow = 9;

inline constexpr std::string_view ChooseAMacroCaption = "Choose A Macro";
inline constexpr std::string_view NoTopWindowMacrosText =
    "There are no macros defined with a specific window title or program name that match the "
    "current top most active window.";

// A popup menu's three option characters, stored in its ShortKey field: "Y"/"N" place in the
// system tray, what the menu shows, and the icon size index "0".."4".
struct PopupMenuOptions {
    bool InTray = false;
    MenuShows Shows = MenuShows::NicknameAndScope;
    int IconSizeIndex = 0; // into MenuIconSizes

    int IconSize() const { return MenuIconSizes[static_cast<std::size_t>(IconSizeIndex)]; }
    // The stored form, "N30" for the defaults.
    std::string Text() const;
    friend bool operator==(const PopupMenuOptions&, const PopupMenuOptions&) = default;
};

// Reads the stored options. Anything but "Y" is out of the tray; a display character other
// than "1".."3" shows nickname and scope; a size other than "0".."4" is 16 pixels.
PopupMenuOptions PopupMenuOptionsFrom(std::string_view stored);

// The label of item k (0-based): "0".."9", then "A".."Z"; empty past the 36th item, which only
// a click chooses.
std::string ItemLabel(int item);

// The item a typed character chooses in a menu of `count` items: digits give 0..9, letters of
// either case 10..35, every other character 0; nothing when that item does not exist.
std::optional<int> ItemForKey(char32_t typed, int count);

// One line or icon of a shown menu. Texts are Windows-1252.
struct MenuItem {
    int Macro = 0;
    std::string Label;
    std::string Name;  // the nickname, else "Timed Macro", the ShortKey or the hot key's name
    std::string Scope; // "GLOBAL", "Popup Menu", or the scope target
    std::string Text;  // the beginning of the script (a menu shows its name instead)
    std::string Icon;  // the stored icon name
    bool PopupMenu = false;
};

// Everything "Choose A Macro" shows.
struct ChooseMenu {
    PopupMenuOptions Options;
    std::vector<MenuItem> Items;
};

// The items of macros `members` in their order. Numbers that name no loaded macro (0, past the
// count, or a record that cannot be read) are left out.
std::vector<MenuItem> MenuItemsOf(const MacroStore& store,
                                  const std::vector<std::uint16_t>& members);

// The menu a popup menu macro shows.
ChooseMenu MenuOf(const MacroStore& store, const MacroRecord& menu);

// The macros for the window in front, in table order, at most 36: the window-specific macros
// whose scope target is part of `title`, the program-specific ones whose target is part of
// `program`, both compared in capitals.
std::vector<std::uint16_t> TopWindowMembers(const MacroStore& store, std::string_view title,
                                            std::string_view program);

// The temporary menu of "Menu of Macros for Top Most Window": shown as `shows` (the setting
// "What To Show On Popup Menu", 1..3; others read as 1) with 32 by 32 icons.
ChooseMenu TopWindowMenu(const MacroStore& store, const std::vector<std::uint16_t>& members,
                         int shows);

// Where the parts of "Choose A Macro" go, in pixels of its client area.
struct ChooseMenuLayout {
    int Width = 0;
    int Height = 0;
    // Icons: the side of each square button, buttons per row and rows.
    int ButtonSide = 0;
    int Rows = 0;
    // Lists: the left list's height and the right one's (0 for one list).
    int LeftListHeight = 0;
    int RightListHeight = 0;
    int ListWidth = 0;
};

inline constexpr int MenuLineHeight = 17;
inline constexpr int OneListWidth = 300;
inline constexpr int TwoListsWidth = 604;

ChooseMenuLayout LayoutFor(const PopupMenuOptions& options, int count);

// The window's top-left corner: opened from a tray icon (`trayX` >= 0) its bottom edge sits on
// the screen's and its left edge at the click, moved left by its width when it would not fit,
// never left of 0; otherwise centred.
struct MenuPlace {
    int X = 0;
    int Y = 0;
    friend bool operator==(const MenuPlace&, const MenuPlace&) = default;
};
MenuPlace MenuPosition(int trayX, int width, int height, int screenWidth, int screenHeight);

// Which picture stands for a macro's stored icon name.
enum class IconSource { Program, Menu, File };
struct IconChoice {
    IconSource Source = IconSource::Program;
    std::string FileName; // the name inside the icons folder, for IconSource::File
    friend bool operator==(const IconChoice&, const IconChoice&) = default;
};
// "MAIN" is the program's icon, "MENU" the menu icon; another name is that file of the icons
// folder when `fileExists`, else the menu icon for a popup menu and the program's for others.
IconChoice ChooseIcon(std::string_view stored, bool popupMenu, bool fileExists);

// One popup menu's tray icon.
struct MenuTrayEntry {
    int Macro = 0;
    std::string Tooltip; // the nickname
    std::string Icon;    // the stored icon name
    friend bool operator==(const MenuTrayEntry&, const MenuTrayEntry&) = default;
};
inline constexpr int MaxMenuTrayIcons = 15;
// The popup menus that ask for a tray icon, in table order, at most 15.
std::vector<MenuTrayEntry> MenuTrayEntries(const MacroStore& store);

} // namespace orvane
