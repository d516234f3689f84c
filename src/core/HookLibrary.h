// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroTable.h"
#include "core/SwapTable.h"

#include <cstdint>

namespace orvane {

// Messages the hook backend sends to the program (the main window's, and the hot key picking
// dialog's for UM_KEYPICK). The numbers are the ones macro files and traces have always used.
enum class HookMessageId : std::uint32_t {
    UM_KEYPICK = 0x401,      // wParam: struck hot key code
    UM_HOTKEY = 0x402,       // wParam: code | 0x8000 Caps Lock on | 0x4000 macro number; lParam:
                             // foreground window
    UM_CAPTURECHAR = 0x403,  // wParam: macro number; lParam: one character of captured script
    UM_CAPTUREDONE = 0x404,  // wParam: macro number
    UM_ABORT = 0x405,        // playback abort request
    UM_SHORTKEYCHAR = 0x406, // wParam: state; lParam: typed character
    UM_PROGCHANGED = 0x407,  // wParam: new foreground window
    UM_TRACE = 0x408,        // lParam: character (0 = line end)
    UM_CAPSLOCK = 0x409,     // wParam: non-zero when Caps Lock is on
};

// One message from the backend. `Window` is the window it is addressed to: `MainWindow` of the
// table, or `SecondWindow` for UM_KEYPICK.
struct HookMessage {
    HookMessageId Id = HookMessageId::UM_HOTKEY;
    std::uint64_t WParam = 0;
    std::int64_t LParam = 0;
    std::uint32_t Window = 0;

    friend bool operator==(const HookMessage&, const HookMessage&) = default;
};

// Takes the backend's messages. The backend delivers on the program's one thread, from the event
// loop, never from inside an Orv* call, so a receiver may call the backend again.
class HookMessageReceiver {
public:
    virtual ~HookMessageReceiver() = default;
    virtual void Receive(const HookMessage& message) = 0;
};

using HookHandle = std::uint32_t;

// The system-wide keyboard and mouse watcher. The program publishes its activation data by
// changing a group of fields of its MacroTable and then calling the matching Orv* operation with
// the table; the backend copies what that operation names at the call and uses its copy until
// the next call (later table changes are invisible to it until published). Update operations
// never fail as far as the program is concerned; hook operations return a handle the program
// stores as returned (0 when the hook could not be installed).
class HookLibrary {
public:
    virtual ~HookLibrary() = default;

    // Where messages go from now on (nullptr: dropped). Not owned; must outlive its use.
    virtual void SetReceiver(HookMessageReceiver* receiver) = 0;

    // Installs the keyboard hook (hot keys, typed characters, capture). Handle kept in
    // `KeyboardHook`.
    virtual HookHandle OrvHookKeyboard() = 0;
    // Installs the mouse hook (mouse hot keys, capture). Handle kept in `MouseHook`.
    virtual HookHandle OrvHookMouse() = 0;
    // Installs the window-creation watcher.
    virtual HookHandle OrvHookCBT() = 0;
    // Installs the key remapping hook (only while remapping is in use): from now on, typing a
    // base character gives its replacement in every program, as the table last published with
    // OrvUpSwap says. Removing it (OrvUnHook) gives every key back its own character.
    virtual HookHandle OrvHookSwap() = 0;
    // Removes the hook of that handle; unknown handles are ignored.
    virtual void OrvUnHook(HookHandle hook) = 0;

    // Initialises the backend's state from the whole table.
    virtual void OrvUpInit(const MacroTable& table) = 0;
    // Publishes `MainWindow`.
    virtual void OrvUpWindow(const MacroTable& table) = 0;
    // Publishes `SecondWindow` and `SecondWindowOn`.
    virtual void OrvUpWindow2(const MacroTable& table) = 0;
    // Publishes `KeysInUse`.
    virtual void OrvUpKeys(const MacroTable& table) = 0;
    // Publishes `HaveShortKeys`.
    virtual void OrvUpShort(const MacroTable& table) = 0;
    // Publishes the five activation fields of macro `index` (1..500).
    virtual void OrvUpItem(const MacroTable& table, int index) = 0;
    // Publishes `Count`.
    virtual void OrvUpNumKeys(const MacroTable& table) = 0;
    // Publishes the capture settings (offsets 737..791).
    virtual void OrvUpCapture(const MacroTable& table) = 0;
    // Publishes `CaptureOn`.
    virtual void OrvUpCaptureOn(const MacroTable& table) = 0;
    // Publishes `InUse`.
    virtual void OrvUpInUse(const MacroTable& table) = 0;
    // Publishes `ForegroundProgram`.
    virtual void OrvUpProg(const MacroTable& table) = 0;
    // Publishes `ProgramCount` and `Programs`.
    virtual void OrvUpProgs(const MacroTable& table) = 0;
    // Publishes `KeyboardHook`.
    virtual void OrvUpKeyHook(const MacroTable& table) = 0;
    // Publishes `MouseHook`.
    virtual void OrvUpMouseHook(const MacroTable& table) = 0;
    // Publishes the remapping table; while the remapping hook is installed it takes effect at
    // once.
    virtual void OrvUpSwap(const SwapTable& swaps) = 0;
};

// The backend that watches nothing: it accepts every publication and drops it, installs no hook
// (each hook operation returns 0, "not installed") and posts no message. The program runs on it
// where the real backend cannot start; doubles derive from it and override what they observe.
class NullHookLibrary : public HookLibrary {
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
