// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/HotKeyHost.h"

#include <functional>

namespace orvane {

class X11HookLibrary;

// Hot key dispatch's view of the main window in the running program.
class GuiHotKeyHost final : public HotKeyHost {
public:
    // `showMainWindow` shows the main window in front. Not owned; must outlive the host.
    GuiHotKeyHost(X11HookLibrary& hook, std::function<void()> showMainWindow)
        : hook_(hook), showMainWindow_(std::move(showMainWindow)) {}

    bool PopupMenuShown() override { return false; }
    void ForgetTrayMacro() override {}
    void ShowMainWindow() override { showMainWindow_(); }
    // Capture and the menus of macros come with their own parts of the program.
    void StartACapture() override {}
    void MenuTopWindow() override {}
    int ShowPopupMenu(int) override { return 0; }
    void SettleHeldKeys() override;

private:
    X11HookLibrary& hook_;
    std::function<void()> showMainWindow_;
};

} // namespace orvane
