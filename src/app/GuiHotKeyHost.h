// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/HotKeyHost.h"
#include "activation/PopupMenus.h"
#include "platform/Prompts.h"

#include <functional>

namespace orvane {

class X11Desktop;
class X11HookLibrary;

// Hot key dispatch's view of the program and the desktop in the running program, and of the
// desktop alone in `orvane play --macro`, which has no hook backend (`hook` null): the window in
// front is then asked of the desktop, and held modifiers are left as they are.
class GuiHotKeyHost final : public HotKeyHost {
public:
    // `showMainWindow` shows the main window in front. None is owned.
    GuiHotKeyHost(X11HookLibrary* hook, X11Desktop& desktop, Prompts& prompts,
                  std::function<void()> showMainWindow)
        : hook_(hook), desktop_(desktop), prompts_(prompts),
          showMainWindow_(std::move(showMainWindow)) {}

    // The popup menus, once they exist; not owned. Without them no menu is shown.
    void SetPopupMenus(PopupMenus* menus) { menus_ = menus; }

    bool PopupMenuShown() override { return menus_ != nullptr && menus_->Shown(); }
    bool PauseActive() override { return prompts_.PauseActive(); }
    void ResumePause() override { prompts_.ResumePause(); }
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
    WindowId ForegroundWindow() override;
    std::string WindowTitle(WindowId window) override;
    std::string ProgramOfWindow(WindowId window) override;
    std::vector<std::string> RunningPrograms() override;
    std::optional<WindowId> ActivateIt(std::string_view title) override;
    bool ActivateProg(std::string_view name) override;
    void SettleHeldKeys() override;

private:
    X11HookLibrary* hook_;
    X11Desktop& desktop_;
    Prompts& prompts_;
    std::function<void()> showMainWindow_;
    std::function<void()> startCapture_;
    PopupMenus* menus_ = nullptr;
};

} // namespace orvane
