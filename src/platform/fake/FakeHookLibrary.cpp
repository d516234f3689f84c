// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fake/FakeHookLibrary.h"

namespace orvane {

void FakeHookLibrary::Post(const HookMessage& message) {
    if (receiver_ != nullptr) {
        receiver_->Receive(message);
    }
}

void FakeHookLibrary::Clear() {
    Calls.clear();
    Tables.clear();
}

void FakeHookLibrary::Record(std::string call, const MacroTable* table) {
    Calls.push_back(std::move(call));
    if (KeepTables) {
        Tables.push_back(table != nullptr ? *table : MacroTable{});
    }
}

HookHandle FakeHookLibrary::Hook(const char* name) {
    const HookHandle handle = nextHandle_++;
    Record(name, nullptr);
    return handle;
}

HookHandle FakeHookLibrary::OrvHookKeyboard() {
    return Hook("OrvHookKeyboard");
}
HookHandle FakeHookLibrary::OrvHookMouse() {
    return Hook("OrvHookMouse");
}
HookHandle FakeHookLibrary::OrvHookCBT() {
    return Hook("OrvHookCBT");
}
HookHandle FakeHookLibrary::OrvHookSwap() {
    return Hook("OrvHookSwap");
}
void FakeHookLibrary::OrvUnHook(HookHandle hook) {
    Record("OrvUnHook " + std::to_string(hook), nullptr);
}
void FakeHookLibrary::OrvUpInit(const MacroTable& table) {
    Record("OrvUpInit", &table);
}
void FakeHookLibrary::OrvUpWindow(const MacroTable& table) {
    Record("OrvUpWindow", &table);
}
void FakeHookLibrary::OrvUpWindow2(const MacroTable& table) {
    Record("OrvUpWindow2", &table);
}
void FakeHookLibrary::OrvUpKeys(const MacroTable& table) {
    Record("OrvUpKeys", &table);
}
void FakeHookLibrary::OrvUpShort(const MacroTable& table) {
    Record("OrvUpShort", &table);
}
void FakeHookLibrary::OrvUpItem(const MacroTable& table, int index) {
    Record("OrvUpItem " + std::to_string(index), &table);
}
void FakeHookLibrary::OrvUpNumKeys(const MacroTable& table) {
    Record("OrvUpNumKeys", &table);
}
void FakeHookLibrary::OrvUpCapture(const MacroTable& table) {
    Record("OrvUpCapture", &table);
}
void FakeHookLibrary::OrvUpCaptureOn(const MacroTable& table) {
    Record("OrvUpCaptureOn", &table);
}
void FakeHookLibrary::OrvUpInUse(const MacroTable& table) {
    Record("OrvUpInUse", &table);
}
void FakeHookLibrary::OrvUpProg(const MacroTable& table) {
    Record("OrvUpProg", &table);
}
void FakeHookLibrary::OrvUpProgs(const MacroTable& table) {
    Record("OrvUpProgs", &table);
}
void FakeHookLibrary::OrvUpKeyHook(const MacroTable& table) {
    Record("OrvUpKeyHook", &table);
}
void FakeHookLibrary::OrvUpMouseHook(const MacroTable& table) {
    Record("OrvUpMouseHook", &table);
}

void FakeHookLibrary::OrvUpSwap(const SwapTable& swaps) {
    Swaps = swaps;
    Record("OrvUpSwap", nullptr);
}

} // namespace orvane
