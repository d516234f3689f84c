// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/PopupMenus.h"

#include <filesystem>
#include <functional>

class QWidget;

namespace orvane {

class WindowFinder;

// The popup menus on screen: "Choose A Macro" shown modally in front, the main window out of the
// way meanwhile (unless the program lives in the tray), and afterwards the window the user
// worked in brought back with the focus, so the chosen macro types into it.
class PopupMenuScreen final : public PopupMenuView {
public:
    struct Services {
        QWidget* MainWindow = nullptr;  // not owned
        std::function<bool()> UseTray;  // the setting "Use Tray", read at each menu
        WindowFinder* Finder = nullptr; // brings windows forward; must outlive this object
        std::filesystem::path IconFolder;
    };

    explicit PopupMenuScreen(Services services) : services_(std::move(services)) {}

    void BeforeMenu() override;
    std::optional<int> ChooseAMacro(const ChooseMenu& menu, int trayX) override;
    void AfterMenu(WindowId target) override;

private:
    bool UseTray() const { return services_.UseTray && services_.UseTray(); }
    void BringToFront(WindowId window);

    Services services_;
    bool mainHidden_ = false;
    bool restored_ = false;
};

} // namespace orvane
