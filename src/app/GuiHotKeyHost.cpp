// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GuiHotKeyHost.h"

#include "platform/x11/X11HookLibrary.h"

#include <chrono>

namespace orvane {
namespace {

// How long the user may keep holding the hot key's modifiers before they are let go for them.
constexpr std::chrono::milliseconds HeldKeyLimit{750};

} // namespace

void GuiHotKeyHost::SettleHeldKeys() {
    hook_.SettleHeldKeys(HeldKeyLimit);
}

} // namespace orvane
