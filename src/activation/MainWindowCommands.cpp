// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/MainWindowCommands.h"

#include "core/HookLibrary.h"
#include "core/MacroRecord.h"
#include "core/MacroStore.h"
#include "library/MacroManagement.h"

namespace orvane {

ActivateOutcome DoActivate(MacroStore& store, int selected) {
    ActivateOutcome outcome;
    if (store.MacroCount() == 0) {
        outcome.Error = NoMacrosText;
        return outcome;
    }
    if (selected < 1 || selected > store.MacroCount()) {
        outcome.Error = NoMacroSelectedText;
        return outcome;
    }
    const MacroTable& table = store.Table();
    if (table.Scope(selected) == ScopeSystem) {
        return outcome;
    }
    outcome.NowActive = table.Active(selected) == 0;
    outcome.Timed = table.HotKey(selected) == HotKeyTimed;
    outcome.Changed = true;
    store.ActivateMacro(selected, outcome.NowActive);
    store.SetHotKeys();
    return outcome;
}

bool ScreenSaverRefused(const MacroTable& table, int macroCount, bool disableSetting) {
    if (!disableSetting) {
        return false;
    }
    for (int i = 1; i <= macroCount; ++i) {
        if (table.HotKey(i) == HotKeyTimed && table.Active(i) != 0) {
            return true;
        }
    }
    return false;
}

void RestoreKeyboardHooks(MacroStore& store) {
    HookLibrary& hook = store.Hook();
    MacroTable& table = store.Table();
    hook.OrvUnHook(table.KeyboardHook());
    table.SetKeyboardHook(hook.OrvHookKeyboard());
    hook.OrvUpKeyHook(table);
}

void UnHookTheKeyboard(MacroStore& store) {
    MacroTable& table = store.Table();
    store.Hook().OrvUnHook(table.KeyboardHook());
    table.SetKeyboardHook(0);
    store.Hook().OrvUpKeyHook(table);
}

void HookTheKeyboard(MacroStore& store) {
    MacroTable& table = store.Table();
    if (table.KeyboardHook() == 0) {
        table.SetKeyboardHook(store.Hook().OrvHookKeyboard());
        store.Hook().OrvUpKeyHook(table);
    }
}

void RestoreMouseHooks(MacroStore& store) {
    HookLibrary& hook = store.Hook();
    MacroTable& table = store.Table();
    hook.OrvUnHook(table.MouseHook());
    table.SetMouseHook(hook.OrvHookMouse());
    hook.OrvUpMouseHook(table);
}

} // namespace orvane
