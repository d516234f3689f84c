// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/PopupMenu.h"
#include "platform/WindowId.h"

#include <optional>
#include <string_view>

namespace orvane {

class MacroStarter;
class MacroStore;
class Prompts;
struct SettingsBlock;

// What the popup menus ask of the screen.
class PopupMenuView {
public:
    virtual ~PopupMenuView() = default;
    // Shows "Choose A Macro" modally, always on top and in front, placed for `trayX` (the
    // screen x of the tray click, -1 for none). The chosen macro, or nothing when cancelled.
    virtual std::optional<int> ChooseAMacro(const ChooseMenu& menu, int trayX) = 0;
    // After a menu: the top-level window of `target` is brought to the front with the focus.
    virtual void AfterMenu(WindowId target) = 0;
};

// The popup menus of macros while the program runs: showing a popup menu macro's menu, the
// menu of the window in front and the tray icons' clicks, and the state that refuses other
// macros while a menu is up.
//
// States: idle -> shown (ChooseAMacro running) -> idle (AfterMenu; the chosen macro is then
// started). While shown, Shown() is true: hot keys, ShortKeys and "Activate Orvane"
// are refused by their dispatchers.
class PopupMenus {
public:
    // None is owned; all outlive the menus.
    PopupMenus(const MacroStore& store, const SettingsBlock& settings, PopupMenuView& view,
               Prompts& prompts)
        : store_(store), settings_(settings), view_(view), prompts_(prompts) {}

    // Where chosen macros of the top-window menu and tray clicks go; not owned.
    void SetStarter(MacroStarter* starter) { starter_ = starter; }

    bool Shown() const { return shown_; }
    // A hot key was struck: the next menu is not placed at a tray click.
    void ForgetTrayMacro() { trayX_ = -1; }
    int TrayX() const { return trayX_; }

    // Shows the menu of popup menu macro `macro` with `target` as the window the user works
    // in, and returns the chosen macro, or 0 when the menu was cancelled or cannot be read.
    // The caller starts the chosen macro.
    int ShowPopupMenu(int macro, WindowId target);

    // "Menu of Macros for Top Most Window": the window- and program-specific macros for
    // `target`, whose title and program (Windows-1252) are given. Without one: the warning
    // alone. A chosen macro is started.
    void MenuTopWindow(WindowId target, std::string_view title, std::string_view program);

    // The tray icon of popup menu `macro` was clicked at screen x `x`; `lastForeground` is the
    // window the user worked in last. Its menu is shown there and the choice started.
    void TrayIconClicked(int macro, int x, WindowId lastForeground);

private:
    std::optional<int> Show(const ChooseMenu& menu, WindowId target);

    const MacroStore& store_;
    const SettingsBlock& settings_;
    PopupMenuView& view_;
    Prompts& prompts_;
    MacroStarter* starter_ = nullptr;
    bool shown_ = false;
    int trayX_ = -1;
};

} // namespace orvane
