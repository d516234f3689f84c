// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HookLibrary.h"

#include <string>
#include <vector>

namespace orvane {

// Records every call in order as text: the operation's name, and its argument when it has one
// besides the table ("OrvUpItem 3", "OrvUnHook 101"). Hook handles are handed out as 101, 102, ...
// Tests inject backend messages with Post.
class FakeHookLibrary : public HookLibrary {
public:
    std::vector<std::string> Calls;
    // When true, a copy of the table as each call saw it, parallel to Calls (empty entries for
    // calls without a table).
    bool KeepTables = false;
    std::vector<MacroTable> Tables;

    // Delivers a message to the receiver, as the real backend does from the event loop.
    void Post(const HookMessage& message);
    void Clear();

    void SetReceiver(HookMessageReceiver* receiver) override { receiver_ = receiver; }
    HookHandle OrvHookKeyboard() override;
    HookHandle OrvHookMouse() override;
    HookHandle OrvHookCBT() override;
    HookHandle OrvHookSwap() override;
    void OrvUnHook(HookHandle hook) override;
    void OrvUpInit(const MacroTable& table) override;
    void OrvUpWindow(const MacroTable& table) override;
    void OrvUpWindow2(const MacroTable& table) override;
    void OrvUpKeys(const MacroTable& table) override;
    void OrvUpShort(const MacroTable& table) override;
    void OrvUpItem(const MacroTable& table, int index) override;
    void OrvUpNumKeys(const MacroTable& table) override;
    void OrvUpCapture(const MacroTable& table) override;
    void OrvUpCaptureOn(const MacroTable& table) override;
    void OrvUpInUse(const MacroTable& table) override;
    void OrvUpProg(const MacroTable& table) override;
    void OrvUpProgs(const MacroTable& table) override;
    void OrvUpKeyHook(const MacroTable& table) override;
    void OrvUpMouseHook(const MacroTable& table) override;
    void OrvUpSwap(const SwapTable& swaps) override;
    // The table of the last OrvUpSwap.
    SwapTable Swaps = IdentitySwaps();

private:
    HookHandle Hook(const char* name);
    void Record(std::string call, const MacroTable* table);

    HookMessageReceiver* receiver_ = nullptr;
    HookHandle nextHandle_ = 101;
};

} // namespace orvane
