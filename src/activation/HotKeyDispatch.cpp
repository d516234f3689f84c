// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/HotKeyDispatch.h"

#include "core/CodePage.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "core/MacroStore.h"
#include "core/TextCase.h"
#include "platform/EventPump.h"
#include "platform/InputSynth.h"
#include "platform/Prompts.h"
#include "playback/Player.h"
#include "playback/TypedCharacters.h"
#include "playback/WindowFinder.h"

#include <algorithm>
#include <chrono>
#include <iterator>

namespace orvane {
namespace {

constexpr std::uint8_t CapsLockKey = 20;
constexpr std::uint8_t ExecuteKey = 43;
constexpr std::uint8_t ShiftKey = 16;
constexpr std::uint8_t ControlKey = 17;
constexpr std::uint8_t AltKey = 18;
constexpr std::uint8_t WinKey = 92;
// The title of the program's own pause window ("Pause (Ctrl+Alt+Shift+Y)"): a hot key struck
// while it is in front skips the window- and program-specific pass.
constexpr std::string_view PauseWindowMark = "PAUSE (";

} // namespace

HotKeyDispatch::HotKeyDispatch(MacroStore& store, Player& player, InputSynth& input,
                               EventPump& pump, Prompts& prompts, HotKeyHost& host,
                               WindowFinder& finder, std::string ownProgram)
    : store_(store), player_(player), input_(input), pump_(pump), prompts_(prompts), host_(host),
      finder_(finder), ownProgram_(UpperCase1252(Utf8ToWindows1252(ownProgram))) {}

void HotKeyDispatch::Receive(const HookMessage& message) {
    switch (message.Id) {
    case HookMessageId::UM_HOTKEY:
        HotKeyStruck(message.WParam, static_cast<WindowId>(message.LParam));
        break;
    case HookMessageId::UM_ABORT:
        player_.RequestAbort();
        break;
    case HookMessageId::UM_PROGCHANGED:
        ProgramChanged(static_cast<WindowId>(message.WParam));
        break;
    case HookMessageId::UM_CAPSLOCK:
        capsLock_ = message.WParam != 0;
        break;
    case HookMessageId::UM_TRACE:
        if (trace_) {
            trace_(static_cast<char>(message.LParam & 0xFF));
        }
        break;
    default:
        break;
    }
    for (HookMessageReceiver* listener : listeners_) {
        listener->Receive(message);
    }
}

bool HotKeyDispatch::Busy() const {
    return starting_ > 0 || player_.IsPlaying();
}

bool HotKeyDispatch::Paused() const {
    return player_.IsPaused();
}

void HotKeyDispatch::Refuse(std::string_view text) {
    prompts_.DoAMessage(WarningCaption, text);
}

std::optional<std::string_view> HotKeyDispatch::RefusalNow() {
    if (host_.PopupMenuShown()) {
        return PopupMenuRefusalText;
    }
    if (store_.Table().CaptureOn()) {
        return CaptureRefusalText;
    }
    if (prompts_.PauseActive()) {
        return PauseRefusalText;
    }
    return std::nullopt;
}

void HotKeyDispatch::Tap(std::uint8_t virtualKey) {
    input_.PostKey(virtualKey, false);
    input_.PostKey(virtualKey, true);
}

void HotKeyDispatch::HotKeyStruck(std::uint64_t value, WindowId foreground) {
    if (host_.PopupMenuShown()) {
        Refuse(PopupMenuRefusalText);
        return;
    }
    if (store_.Table().CaptureOn()) {
        Refuse(CaptureRefusalText);
        return;
    }
    if ((value & HotKeyMacroNumberFlag) != 0) {
        // Started from the macro's own tray icon or chosen from a menu: the value is the macro,
        // no lookup; the window the user worked in is the target.
        if (Busy()) {
            return;
        }
        const StartOnItsWay starting(*this);
        currentMacro_ = static_cast<int>(value & 0xAFFF);
        targetWindow_ = foreground;
        StartFoundMacro();
        return;
    }
    host_.ForgetTrayMacro();

    const bool capsFlag = (value & HotKeyCapsFlag) != 0;
    const auto code = static_cast<std::uint16_t>(value & ~HotKeyCapsFlag & 0xFFFF);
    if (prompts_.PauseActive()) {
        bool resume = false;
        const MacroTable& table = store_.Table();
        for (int i = 1; i <= store_.MacroCount() && !resume; ++i) {
            resume = table.Scope(i) == ScopeSystem && table.ScopeTarget(i) == "3" &&
                     table.HotKey(i) == code;
        }
        if (!resume) {
            const int paused = currentMacro_;
            resume = paused > 0 && GetMacro(code) == paused;
        }
        if (!resume) {
            Refuse(PauseRefusalText);
            return;
        }
        if (capsFlag) {
            Tap(CapsLockKey);
        }
        // The macro types on at once: the keys of the strike must not fall on its keys.
        host_.SettleHeldKeys();
        prompts_.ResumePause();
        return;
    }

    if (Busy()) {
        // One macro at a time: refused before any window is looked for or brought forward, so
        // the playing macro goes on typing where it types.
        return;
    }
    const bool inUse = store_.Table().InUse();
    if (!inUse) {
        capsWasOn_ = capsFlag;
    }
    targetWindow_ = foreground;

    if (host_.ReloadChangedSharedFile()) {
        RestrikeKey(code);
        return;
    }
    // A system key is no start of its own: the menu of the window in front starts the macro
    // chosen from it through here again.
    if (CheckSystemKey(code)) {
        return;
    }
    const StartOnItsWay starting(*this);
    currentMacro_ = GetMacro(code);
    StartFoundMacro();
}

void HotKeyDispatch::RestrikeKey(std::uint16_t code) {
    const DecipheredKey key = DecipherKey(code);
    const std::pair<bool, std::uint8_t> modifiers[] = {
        {key.Win, WinKey}, {key.Alt, AltKey}, {key.Ctrl, ControlKey}, {key.Shift, ShiftKey}};
    for (const auto& [held, virtualKey] : modifiers) {
        if (held) {
            input_.PostKey(virtualKey, false);
        }
    }
    if (key.MouseButton != 0) {
        constexpr std::uint32_t Downs[] = {0, MouseFlag::LeftDown, MouseFlag::RightDown,
                                           MouseFlag::MiddleDown};
        constexpr std::uint32_t Ups[] = {0, MouseFlag::LeftUp, MouseFlag::RightUp,
                                         MouseFlag::MiddleUp};
        const std::size_t b = key.MouseButton <= 3 ? key.MouseButton : 0;
        // The button follows the modifiers after a short pause, as a hand would.
        pump_.WaitUntil(pump_.Now() + std::chrono::milliseconds(50));
        input_.PostMouse(Downs[b], 0, 0, 0);
        input_.PostMouse(Ups[b], 0, 0, 0);
    } else {
        Tap(key.VirtualKey);
    }
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
        if (it->first) {
            input_.PostKey(it->second, true);
        }
    }
    input_.EndOfBatch();
}

bool HotKeyDispatch::CheckSystemKey(std::uint16_t code) {
    const MacroTable& table = store_.Table();
    for (int i = 1; i <= store_.MacroCount(); ++i) {
        if (table.Scope(i) != ScopeSystem || table.HotKey(i) != code) {
            continue;
        }
        const std::string_view target = table.ScopeTarget(i);
        if (target == "1") {
            ActivateMe();
        } else if (target == "2") {
            host_.StartACapture();
        } else if (target == "4") {
            host_.MenuTopWindow(targetWindow_);
        } else if (target != "3") {
            return false;
        }
        return true;
    }
    return false;
}

bool HotKeyDispatch::ScopeTargetIn(int macro, std::string_view upperText) const {
    const std::string target = UpperCase1252(store_.Table().ScopeTarget(macro));
    return upperText.find(target) != std::string_view::npos;
}

int HotKeyDispatch::GetTopWindowMacro(std::uint16_t code) {
    const std::string title = UpperCase1252(finder_.Title(targetWindow_));
    if (title.find(PauseWindowMark) != std::string::npos) {
        return 0;
    }
    const MacroTable& table = store_.Table();
    const std::string_view program = table.ForegroundProgram();
    for (int i = 1; i <= store_.MacroCount(); ++i) {
        if (table.HotKey(i) != code || table.Active(i) == 0) {
            continue;
        }
        const std::int16_t scope = table.Scope(i);
        if ((scope == ScopeSpecificWindow && ScopeTargetIn(i, title)) ||
            (scope == ScopeSpecificProgram && ScopeTargetIn(i, program))) {
            return i;
        }
    }
    return 0;
}

bool HotKeyDispatch::IsProgramRunning(std::string_view name) const {
    const MacroTable& table = store_.Table();
    const std::string upper = UpperCase1252(name);
    const int count = std::min<int>(table.ProgramCount(), MaxPrograms);
    for (int k = 1; k <= count; ++k) {
        if (table.Program(k).find(upper) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

int HotKeyDispatch::GetMacro(std::uint16_t code) {
    if (const int found = GetTopWindowMacro(code)) {
        return found;
    }
    const MacroTable& table = store_.Table();
    int fallback = 0;
    for (int i = 1; i <= store_.MacroCount(); ++i) {
        // A deactivated macro is never run, neither in place of an active one nor by bringing
        // its window forward.
        if (table.HotKey(i) != code || table.Active(i) == 0) {
            continue;
        }
        const std::int16_t scope = table.Scope(i);
        if (scope == ScopeGlobal || scope == ScopePopupMenu || scope == ScopeSystem) {
            fallback = i;
        } else if (scope == ScopeSpecificWindow && table.TopMostOnly(i) == 0) {
            if (const auto window = finder_.ActivateIt(table.ScopeTarget(i))) {
                targetWindow_ = *window;
                return i;
            }
        } else if (scope == ScopeSpecificProgram && table.TopMostOnly(i) == 0 &&
                   IsProgramRunning(table.ScopeTarget(i))) {
            if (const auto window = finder_.ActivateProg(table.ScopeTarget(i))) {
                targetWindow_ = *window;
            }
            return i;
        }
    }
    return fallback;
}

void HotKeyDispatch::StartFoundMacro() {
    if (currentMacro_ <= 0) {
        return;
    }
    MacroRecord record;
    if (!store_.ReadMacro(currentMacro_, record)) {
        return;
    }
    if (record.Scope == ScopePopupMenu) {
        const int chosen = host_.ShowPopupMenu(currentMacro_, targetWindow_);
        if (chosen > 0 && chosen != currentMacro_) {
            currentMacro_ = chosen;
            StartFoundMacro();
        }
        return;
    }
    if (player_.IsPlaying()) {
        // One playback at a time: the end mark of this start would end the other's.
        return;
    }
    MacroTable& table = store_.Table();
    table.SetInUse(true);
    store_.Hook().OrvUpInUse(table);
    host_.SettleHeldKeys();
    IntoProgram(currentMacro_, capsWasOn_);
    Tap(ExecuteKey);
    // The backend clears its InUse at the end mark; the table follows it, so that the next
    // strike takes its Caps Lock state afresh.
    table.SetInUse(false);
}

void HotKeyDispatch::StartAsHotKey(int macro, WindowId target) {
    if (macro > 0) {
        HotKeyStruck(static_cast<std::uint64_t>(macro) | HotKeyMacroNumberFlag, target);
    }
}

void HotKeyDispatch::IntoProgram(int macro, bool capsWasOn) {
    IntoProgramTyping(macro, capsWasOn, LetterCase::AsStored);
}

std::optional<std::size_t> HotKeyDispatch::IntoProgramTyping(int macro, bool capsWasOn,
                                                             LetterCase letterCase) {
    // One playback at a time, but a macro waiting in its pause leaves room for another (a timed
    // macro falling due meanwhile).
    const bool nested = player_.IsPlaying();
    if (nested && !player_.IsPaused()) {
        return std::nullopt;
    }
    MacroRecord record;
    if (!store_.ReadMacro(macro, record)) {
        return std::nullopt;
    }
    // The macro is the current one while it plays: the pause rules ask which macro waits. The
    // one it played over is current again afterwards.
    const int outer = currentMacro_;
    currentMacro_ = macro;
    prompts_.SetPlayingMacro(record.Nickname.View(), record.HotKey);
    const std::string text = FollowCase(record.Text(), letterCase);
    input_.PrepareCharacters(TypedCharacters(text));
    const std::optional<std::size_t> typed = player_.Play(text, capsWasOn);
    if (nested) {
        currentMacro_ = outer;
        MacroRecord outerRecord;
        if (outer > 0 && store_.ReadMacro(outer, outerRecord)) {
            prompts_.SetPlayingMacro(outerRecord.Nickname.View(), outerRecord.HotKey);
        }
    } else {
        // Keys bound for this playback go back; a paused macro below still needs its own.
        input_.EndOfPlayback();
    }
    return typed;
}

void HotKeyDispatch::ActivateMe() {
    if (prompts_.PauseActive()) {
        Refuse(ActivateMePauseText);
    } else if (host_.PopupMenuShown()) {
        Refuse(ActivateMePopupText);
    } else if (store_.Table().CaptureOn()) {
        Refuse(ActivateMeCaptureText);
    } else {
        host_.ShowMainWindow();
    }
}

std::string HotKeyDispatch::GetTopProgram() {
    return UpperCase1252(Utf8ToWindows1252(finder_.ProgramOf(finder_.Foreground())));
}

void HotKeyDispatch::ProgramChanged(WindowId window) {
    const std::string program = finder_.ProgramOf(window);
    store_.SetForegroundProgram(program);
    if (!finder_.Title(window).empty()) {
        lastForeground_ = window;
        if (UpperCase1252(Utf8ToWindows1252(program)) != ownProgram_) {
            lastOtherProgram_ = window;
        }
    }
    const std::vector<std::string> programs = finder_.RunningPrograms();
    store_.RefreshProgramList(programs);
}

} // namespace orvane
