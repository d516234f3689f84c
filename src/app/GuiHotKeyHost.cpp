// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GuiHotKeyHost.h"

#include "app/desktop/DesktopBackend.h"
#include "core/CodePage.h"
#include "core/TextCase.h"
#include "playback/WindowFinder.h"

#include <chrono>

namespace orvane {
namespace {

// How long the user may keep holding the hot key's modifiers before they are let go for them.
constexpr std::chrono::milliseconds HeldKeyLimit{750};

} // namespace

void GuiHotKeyHost::MenuTopWindow(WindowId target) {
    if (menus_ != nullptr) {
        menus_->MenuTopWindow(target, finder_.Title(target),
                              UpperCase1252(Utf8ToWindows1252(finder_.ProgramOf(target))));
    }
}

void GuiHotKeyHost::SettleHeldKeys() {
    desktop_.SettleHeldKeys(HeldKeyLimit);
}

} // namespace orvane
