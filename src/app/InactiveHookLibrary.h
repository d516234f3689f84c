// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HookLibrary.h"

namespace orvane {

// The hook backend of a program that does not watch the keyboard and mouse yet: it accepts every
// publication and installs no hook (each hook operation returns 0, "not installed"), so hot keys
// and ShortKeys do not fire. It posts no messages.
class InactiveHookLibrary final : public HookLibrary {
public:
    void SetReceiver(HookMessageReceiver*) override {}
    HookHandle OrvHookKeyboard() override { return 0; }
    HookHandle OrvHookMouse() override { return 0; }
    HookHandle OrvHookCBT() override { return 0; }
    HookHandle OrvHookSwap() override { return 0; }
    void OrvUnHook(HookHandle) override {}
    void OrvUpInit(const MacroTable&) override {}
    void OrvUpWindow(const MacroTable&) override {}
    void OrvUpWindow2(const MacroTable&) override {}
    void OrvUpKeys(const MacroTable&) override {}
    void OrvUpShort(const MacroTable&) override {}
    void OrvUpItem(const MacroTable&, int) override {}
    void OrvUpNumKeys(const MacroTable&) override {}
    void OrvUpCapture(const MacroTable&) override {}
    void OrvUpCaptureOn(const MacroTable&) override {}
    void OrvUpInUse(const MacroTable&) override {}
    void OrvUpProg(const MacroTable&) override {}
    void OrvUpProgs(const MacroTable&) override {}
    void OrvUpKeyHook(const MacroTable&) override {}
    void OrvUpMouseHook(const MacroTable&) override {}
    void OrvUpSwap(const SwapTable&) override {}
};

} // namespace orvane
