// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/HotKeyHost.h"
#include "activation/PopupMenus.h"

#include <functional>

namespace orvane {

class WindowFinder;
class DesktopBackend;

// Hot key dispatch's view of the main window and the popup menus in the running program.
class GuiHotKeyHost final : public HotKeyHost {
public:
    // `showMainWindow` shows the main window in front; `finder` names the window a menu of
    // macros is for. Not owned; must outlive the host.
    GuiHotKeyHost(DesktopBackend& desktop, WindowFinder& finder,
                  std::function<void()> showMainWindow)
        : desktop_(desktop), finder_(finder), showMainWindow_(std::move(showMainWindow)) {}

    // The popup menus, once they exist; not owned. Without them no menu is shown.
    void SetPopupMenus(PopupMenus* menus) { menus_ = menus; }

    bool PopupMenuShown() override { return menus_ != nullptr && menus_->Shown(); }
    void ForgetTrayMacro() override {
        if (menus_ != nullptr) {
            menus_->ForgetTrayMacro();
        }
    }
    void ShowMainWindow() override { showMainWindow_(); }
    // What "Start / Stop Capture" does; nothing until set.
    void SetStartCapture(std::function<void()> start) { startCapture_ = std::move(start); }
    void StartACapture() override {
        if (startCapture_) {
            startCapture_();
        }
    }
    void MenuTopWindow(WindowId target) override;
    int ShowPopupMenu(int macro, WindowId target) override {
        return menus_ != nullptr ? menus_->ShowPopupMenu(macro, target) : 0;
    }
    void SettleHeldKeys() override;

private:
    DesktopBackend& desktop_;
    WindowFinder& finder_;
    std::function<void()> showMainWindow_;
    std::function<void()> startCapture_;
    PopupMenus* menus_ = nullptr;
};

} // namespace orvane
