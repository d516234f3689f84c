// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/HotKeyHost.h"
#include "activation/MacroStarter.h"
#include "core/HookLibrary.h"
#include "platform/WindowId.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class EventPump;
class InputSynth;
class MacroStore;
class Player;
class Prompts;
class WindowFinder;

// Flags that travel on top of the code in UM_HOTKEY.
inline constexpr std::uint64_t HotKeyCapsFlag = 0x8000;
inline constexpr std::uint64_t HotKeyMacroNumberFlag = 0x4000;

// The main window's side of the hook messages: a struck hot key becomes a running macro
// (refusals, resuming a pause, the system commands, the two-pass lookup, playback), the
// foreground program is tracked, Caps Lock is remembered and the abort request reaches the
// player. Every message is also handed on, after its own handling, to the listeners (ShortKeys,
// the scheduler), so they see UM_SHORTKEYCHAR and UM_PROGCHANGED in the order they came.
//
// Per struck key: idle -> refused | pause resumed | system command | lookup -> playing (InUse
// published) -> idle (end mark struck; the backend clears its InUse, and so does the table).
class HotKeyDispatch final : public HookMessageReceiver, public MacroStarter {
public:
    // Texts of the refusals and of "Activate Orvane".
    static constexpr std::string_view WarningCaption = "Warning";
    static constexpr std::string_view PopupMenuRefusalText =
        "A current Popup Menu macro is being displayed. Another macro cannot be executed until "
        "either a choice is made from the Popup Menu or it is cancelled.";
    static constexpr std::string_view CaptureRefusalText =
        "A macro is currently being recorded. Another macro cannot be executed until the recording "
        "is completed.";
    static constexpr std::string_view PauseRefusalText =
        "A current playback macro is in the middle of a PAUSE. Another macro cannot be executed "
        "until the PAUSE is either cancelled or resumed.";
    static constexpr std::string_view ActivateMePauseText =
        "A current playback macro is in the middle of a PAUSE. Orvane 98 cannot be invoked until "
        "the PAUSE is either cancelled or resumed.";
    static constexpr std::string_view ActivateMePopupText =
        "A Orvane 98 Popup Menu is currently being displayed. Orvane 98 cannot be invoked until "
        "this menu has been cleared.";
    static constexpr std::string_view ActivateMeCaptureText =
        "A macro is currently being recorded. Orvane 98 cannot be invoked until the recording is "
        "completed.";

    // None is owned; all outlive the dispatcher. `finder` finds and brings forward windows and
    // programs as playback does. `ownProgram` is this program's executable name as the
    // foreground tracking sees it.
    HotKeyDispatch(MacroStore& store, Player& player, InputSynth& input, EventPump& pump,
                   Prompts& prompts, HotKeyHost& host, WindowFinder& finder,
                   std::string ownProgram = "orvane");

    void Receive(const HookMessage& message) override;

    // Further receivers of every message; not owned.
    void AddListener(HookMessageReceiver* listener) { listeners_.push_back(listener); }
    // Where UM_TRACE characters go (0 ends a line); none by default: the trace is off.
    void SetTrace(std::function<void(char)> trace) { trace_ = std::move(trace); }

    // A struck hot key (UM_HOTKEY): `value` is the code with its flags, `foreground` the
    // window in front when it was struck.
    void HotKeyStruck(std::uint64_t value, WindowId foreground);

    // The macro for a hot key code: pass 1 (a window- or program-specific macro whose window
    // or program is in front), else pass 2 (one whose window or program can be brought to the
    // front, which it then is; else the last global, menu or system macro). 0 for none.
    int GetMacro(std::uint16_t code);
    int GetTopWindowMacro(std::uint16_t code);
    bool IsProgramRunning(std::string_view name) const;

    // Carries out the system command of `code`, if a system macro has it. True when it did
    // (also for "Resume Pause", which does nothing here).
    bool CheckSystemKey(std::uint16_t code);

    // Plays the current macro (a popup menu first lets the user choose), marking the table in
    // use and striking the end mark afterwards.
    void StartFoundMacro();

    // The starter of every macro (MacroStarter). A macro played while another waits in its
    // pause hands the current macro back to the paused one when it ends.
    std::optional<std::string_view> RefusalNow() override;
    void Refuse(std::string_view text) override;
    bool Busy() const override;
    bool Paused() const override;
    bool CapsLockReported() const override { return capsLock_; }
    void IntoProgram(int macro, bool capsWasOn) override;
    // Through HotKeyStruck with the macro number flag.
    void StartAsHotKey(int macro, WindowId target) override;
    std::optional<std::size_t> IntoProgramTyping(int macro, bool capsWasOn,
                                                 LetterCase letterCase) override;
    void BeginStart() override { ++starting_; }
    void EndStart() override { --starting_; }

    // "Activate Orvane": its refusals, or the main window shown in front.
    void ActivateMe();

    // The upper-case executable name of the program in front (not stored).
    std::string GetTopProgram();

    // UM_PROGCHANGED: stores the program of `window` as the foreground program and rebuilds
    // the list of running programs.
    void ProgramChanged(WindowId window);

    int CurrentMacro() const { return currentMacro_; }
    bool CapsWasOn() const { return capsWasOn_; }
    WindowId TargetWindow() const { return targetWindow_; }
    WindowId LastForegroundWindow() const { return lastForeground_; }
    WindowId LastOtherProgramWindow() const { return lastOtherProgram_; }

private:
    void RestrikeKey(std::uint16_t code);
    void Tap(std::uint8_t virtualKey);
    bool ScopeTargetIn(int macro, std::string_view upperText) const;

    MacroStore& store_;
    Player& player_;
    InputSynth& input_;
    EventPump& pump_;
    Prompts& prompts_;
    HotKeyHost& host_;
    WindowFinder& finder_;
    std::string ownProgram_;
    std::vector<HookMessageReceiver*> listeners_;
    std::function<void(char)> trace_;
    // Starts on their way; the waits they make serve the event loop, which may deliver more.
    int starting_ = 0;
    int currentMacro_ = 0;
    bool capsWasOn_ = false;
    bool capsLock_ = false;
    WindowId targetWindow_ = NoWindow;
    WindowId lastForeground_ = NoWindow;
    WindowId lastOtherProgram_ = NoWindow;
};

} // namespace orvane
