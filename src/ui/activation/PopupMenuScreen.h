// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/PopupMenus.h"

#include <filesystem>

namespace orvane {

class WindowFinder;

// The popup menus on screen: "Choose A Macro" shown modally in front, and afterwards the window
// the user worked in brought back with the focus, so the chosen macro types into it. The main
// window stays as it is: the menu is above every window anyway, and a main window mapped again
// afterwards takes the focus whenever the window manager gets round to it, which may be after
// the macro has begun to type.
class PopupMenuScreen final : public PopupMenuView {
public:
    struct Services {
        WindowFinder* Finder = nullptr; // brings windows forward; must outlive this object
        std::filesystem::path IconFolder;
    };

    explicit PopupMenuScreen(Services services) : services_(std::move(services)) {}

    std::optional<int> ChooseAMacro(const ChooseMenu& menu, int trayX) override;
    void AfterMenu(WindowId target) override;

private:
    void BringToFront(WindowId window);

    Services services_;
};

} // namespace orvane
