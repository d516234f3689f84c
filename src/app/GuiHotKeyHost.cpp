// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GuiHotKeyHost.h"

#include "core/CodePage.h"
#include "core/TextCase.h"
#include "platform/x11/X11Desktop.h"
#include "platform/x11/X11HookLibrary.h"

#include <chrono>

namespace orvane {
namespace {

// How long the user may keep holding the hot key's modifiers before they are let go for them.
constexpr std::chrono::milliseconds HeldKeyLimit{750};

} // namespace

WindowId GuiHotKeyHost::ForegroundWindow() {
    return hook_ != nullptr ? hook_->ActiveWindow() : desktop_.ActiveWindow();
}

std::string GuiHotKeyHost::WindowTitle(WindowId window) {
    return Utf8ToWindows1252(desktop_.Title(window));
}

std::string GuiHotKeyHost::ProgramOfWindow(WindowId window) {
    return desktop_.ProgramOf(window);
}

std::vector<std::string> GuiHotKeyHost::RunningPrograms() {
    return X11Desktop::RunningPrograms();
}

std::optional<WindowId> GuiHotKeyHost::ActivateIt(std::string_view title) {
    const std::vector<WindowId> windows = desktop_.ClientWindows();
    const std::string wanted = UpperCase1252(title);
    std::optional<WindowId> found;
    for (const WindowId window : windows) {
        if (UpperCase1252(WindowTitle(window)) == wanted) {
            found = window;
            break;
        }
    }
    for (auto it = windows.begin(); !found && it != windows.end(); ++it) {
        if (UpperCase1252(WindowTitle(*it)).find(wanted) != std::string::npos) {
            found = *it;
        }
    }
    if (found) {
        desktop_.Activate(*found);
    }
    return found;
}

bool GuiHotKeyHost::ActivateProg(std::string_view name) {
    const std::string wanted = UpperCase1252(name);
    for (const WindowId window : desktop_.ClientWindows()) {
        const std::string program = UpperCase1252(Utf8ToWindows1252(desktop_.ProgramOf(window)));
        if (!program.empty() && program.find(wanted) != std::string::npos) {
            return desktop_.Activate(window);
        }
    }
    return false;
}

void GuiHotKeyHost::MenuTopWindow(WindowId target) {
    if (menus_ != nullptr) {
        menus_->MenuTopWindow(target, WindowTitle(target),
                              UpperCase1252(Utf8ToWindows1252(ProgramOfWindow(target))));
    }
}

void GuiHotKeyHost::SettleHeldKeys() {
    if (hook_ != nullptr) {
        hook_->SettleHeldKeys(HeldKeyLimit);
    }
}

} // namespace orvane
