// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HookLibrary.h"
#include "core/HotKeyTable.h"
#include "platform/WindowId.h"
#include "platform/sway/BindingRecord.h"
#include "platform/sway/SwayBindings.h"
#include "platform/sway/SwayConnection.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

// The hook backend on sway: hot keys are bindings the compositor runs, made over its IPC as
// `bindsym --no-repeat <combination> nop orvane <code>`. The compositor swallows the key and
// announces the binding on the event connection; that announcement becomes UM_HOTKEY, with the
// focused window (its container id, as SwayWindowSystem names windows).
//
// Mouse-button hot keys are bound with --whole-window (button1 left, button2 middle, button3
// right), so the click counts wherever it is made, as on X11; they are bound only while the
// mouse hook is installed, keys only while the keyboard hook is.
//
// The compositor fires bindings for keys of virtual keyboards too, so while a macro plays (InUse
// published set) the hot keys are unbound, and a macro that types its own hot key reaches its
// window instead of starting itself again. Only Pause is bound then, as the abort key; Escape is
// not, as binding it would take every Escape a macro types away from its window. The hot keys
// come back at the end mark.
//
// What the compositor's IPC cannot show (typed characters, raw input) is not offered: ShortKeys,
// capture, remapping and the window-creation watcher install nothing (their hook operations
// return 0). Caps Lock is not visible either, so UM_HOTKEY never carries the 0x8000 bit.
//
// A combination that sway's own config binds (in its default mode) is never bound over it: the
// code is reported by UnavailableHotKeys. The bindings made are recorded in a file while they
// exist and removed when this object goes; a run that could not remove them has them removed
// by the next Open. A config reload drops run-time bindings: they are made again.
//
// Messages are queued and delivered from ProcessEvents, never from inside an Orv* call.
class SwayHotKeys final : public NullHookLibrary {
public:
    // Connects to $SWAYSOCK, removes the bindings a previous run left behind and reads the
    // config's bindings. Null with a message in `error` when sway cannot be reached. `trace`
    // turns the UM_TRACE diagnostics on.
    static std::unique_ptr<SwayHotKeys> Open(bool trace, std::string& error);
    // As Open, with the socket and the record file named (tests; a second session).
    static std::unique_ptr<SwayHotKeys> OpenAt(const std::string& socketPath,
                                               const std::string& recordPath, bool trace,
                                               std::string& error);
    ~SwayHotKeys() override;
    SwayHotKeys(const SwayHotKeys&) = delete;
    SwayHotKeys& operator=(const SwayHotKeys&) = delete;

    // The event connection's descriptor: the event loop calls ProcessEvents when it is readable.
    int EventFd() const { return connection_->EventFd(); }
    // True when events already read or messages wait: the event loop calls ProcessEvents before
    // it sleeps, as the descriptor will not wake it for them.
    bool HasWork() const { return !pending_.empty() || connection_->HasWork(); }
    // Handles every event the compositor sent and delivers the queued messages.
    void ProcessEvents();
    // The end-of-playback mark: InUse is cleared and the hot keys are bound again.
    void EndMark();

    // Hot keys in use that cannot work: sway's config binds their combination, or the key has
    // no keysym.
    const std::vector<std::uint16_t>& UnavailableHotKeys() const { return unavailable_; }
    // The combinations bound now (bindsym text), for diagnostics and tests.
    std::vector<std::string> BoundCombinations() const;

    void SetReceiver(HookMessageReceiver* receiver) override { receiver_ = receiver; }
    HookHandle OrvHookKeyboard() override;
    HookHandle OrvHookMouse() override;
    void OrvUnHook(HookHandle hook) override;
    void OrvUpInit(const MacroTable& table) override;
    void OrvUpWindow(const MacroTable& table) override;
    void OrvUpWindow2(const MacroTable& table) override;
    void OrvUpKeys(const MacroTable& table) override;
    void OrvUpInUse(const MacroTable& table) override;

private:
    SwayHotKeys(std::unique_ptr<SwayConnection> connection, BindingRecord record, bool trace);

    static constexpr HookHandle KeyboardHandle = 1;
    static constexpr HookHandle MouseHandle = 2;

    void RemoveLeftovers();
    void ReadConfig();
    // Binds and unbinds until the compositor holds what the published state asks for.
    void Sync();
    bool Bind(const SwayBinding& binding, const std::string& command);
    void Unbind(const SwayBinding& binding);
    void Record();
    void HandleEvent(const IpcMessage& event);
    void HandleBinding(const std::string& command);
    WindowId FocusedWindow();
    void Post(HookMessageId id, std::uint64_t wParam, std::int64_t lParam,
              std::uint32_t window = 0);
    void Trace(const std::string& line);

    std::unique_ptr<SwayConnection> connection_;
    BindingRecord record_;
    bool trace_ = false;
    HookMessageReceiver* receiver_ = nullptr;
    std::deque<HookMessage> pending_;

    std::vector<SwayKey> configKeys_;
    std::array<bool, HotKeyCount> keysInUse_{};
    bool keyboardHooked_ = false;
    bool mouseHooked_ = false;
    bool inUse_ = false;
    std::uint32_t mainWindow_ = 0;
    std::uint32_t secondWindow_ = 0;
    bool secondWindowOn_ = false;

    std::map<std::uint16_t, SwayBinding> bound_;
    std::optional<SwayBinding> abortBound_;
    std::vector<std::uint16_t> unavailable_;
};

} // namespace orvane
