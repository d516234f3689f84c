// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HookLibrary.h"
#include "core/MacroTable.h"
#include "platform/EventLoopWait.h"
#include "platform/WindowId.h"
#include "platform/x11/AbortKeyWatch.h"
#include "platform/x11/CaptureRecorder.h"
#include "platform/x11/HotKeyGrabber.h"
#include "platform/x11/HotKeyGrabs.h"
#include "platform/x11/KeyRemapper.h"
#include "platform/x11/RawInputObserver.h"
#include "platform/x11/SynthFence.h"
#include "platform/x11/X11Display.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

union _XEvent;

namespace orvane {

// The hook backend on X11, in the program's own process, on an X connection of its own: a
// facade over the hot key grabs (HotKeyGrabber), the raw input observer (RawInputObserver)
// and the fence that tells our own synthesized input apart (SynthFence).
//
// Hot keys are passive grabs on the root window: for every code whose KeysInUse byte is set,
// the key (or button) with its modifiers, once with each combination of the lock modifiers.
// The grabs are synchronous: a grabbed key freezes the keyboard until we decide. A key the
// user struck is swallowed (the keyboard is ungrabbed at once, so the macro's typing and the
// user's release go to the target) and reported as UM_HOTKEY. A grabbed key that our own
// playback typed is replayed to the window with the focus, as if nothing had grabbed it.
//
// Typing is observed through XInput 2 raw events on the root window; they arrive whatever
// client grabs the keyboard. The program's own synthesized events come from the XTEST devices,
// which every XTest client shares (xdotool, on-screen keyboards), so they are told apart by
// the fence: the input synthesizer announces a batch (OwnInputStarts) and ends it with a change
// of the root-window property "_ORVANE_SYNTH_FENCE" from its connection, after an XSync. Until
// this connection sees that change, XTEST events are ours; all other events are the user's.
//
// The remapping hook is the KeyRemapper: installed, it changes the keyboard map so the keys of
// remapped characters type their replacements everywhere. Typed characters (ShortKeys) are read
// through the map as it is, so they are what the user sees typed; hot keys and grabs go by the
// keys' own characters (the map without the remapping), so Ctrl+A stays on the A key.
//
// Messages are queued and delivered from ProcessEvents, never from inside an Orv* call. A
// receiver may run a macro, which serves the event loop, which calls ProcessEvents again: the
// nested call delivers the next messages (the abort request among them).
class X11HookLibrary final : public HookLibrary {
public:
    // Opens `displayName` (nullptr: $DISPLAY), gives back keys a killed earlier process left
    // remapped, and checks for XInput 2.2 and XKB. Null with a message in `error` on failure.
    // `trace` turns the UM_TRACE diagnostics on.
    static std::unique_ptr<X11HookLibrary> Open(const char* displayName, bool trace,
                                                std::string& error);
    ~X11HookLibrary() override;
    X11HookLibrary(const X11HookLibrary&) = delete;
    X11HookLibrary& operator=(const X11HookLibrary&) = delete;

    // The connection's file descriptor: the event loop calls ProcessEvents when it is readable.
    int ConnectionFd() const;
    // True when events already read or messages wait: the event loop calls ProcessEvents
    // before it sleeps, as the descriptor will not wake it for them.
    bool HasWork() const;
    // Handles every event the server sent and delivers the queued messages.
    void ProcessEvents();
    // Handles every event the server sent; the messages stay queued for ProcessEvents.
    void ReadPending() { ReadEvents(); }

    // The input synthesizer is about to send a batch; `lastFence` is the serial of its last
    // fence (0 before the first): its events count as ours until the next fence is seen. Outside
    // a start marked in use, the word the user is typing ends there, with the typed keys the
    // server took before the batch and we have not handed on yet.
    void OwnInputStarts(std::uint32_t lastFence);
    // The batch has ended; `lastFence` is the serial of the synthesizer's last fence now. When
    // the batch sent nothing (no fence was written), nothing more is awaited beyond the fences
    // already written.
    void OwnInputEnds(std::uint32_t lastFence);
    // The end-of-playback mark (key 43), sent with the synthesizer's last fence `lastFence`:
    // InUse is cleared once that fence has been seen.
    void EndMark(std::uint32_t lastFence);

    // Waits until the user has let go of every key (the hot key's modifiers and the struck key),
    // for at most `limit`; past it releases the modifier keys (Shift, Ctrl, Alt, Win, AltGr)
    // still down synthetically (and never presses them again: a modifier pressed back by XTest
    // stays down for good once the user lets go). Other keys are left held: synthesis types a
    // character on a held key through a spare keycode.
    void SettleHeldKeys(std::chrono::milliseconds limit);
    // SettleHeldKeys then waits in the program's event loop, which watches ConnectionFd; without
    // it the wait blocks on the connection alone.
    void SetEventLoopWait(EventLoopWait wait) { wait_ = std::move(wait); }

    // The window in front (_NET_ACTIVE_WINDOW, else the input focus).
    WindowId ActiveWindow() const { return activeWindow_; }
    // Hot keys whose combination another program holds: they cannot work.
    const std::vector<std::uint16_t>& UnavailableHotKeys() const { return grabber_.Unavailable(); }
    // The macro recorder, which the backend feeds the user's raw input while a capture runs.
    CaptureRecorder& Recorder() { return recorder_; }

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
    void OrvUpItem(const MacroTable&, int) override {}
    void OrvUpNumKeys(const MacroTable&) override {}
    void OrvUpCapture(const MacroTable& table) override;
    void OrvUpCaptureOn(const MacroTable& table) override;
    void OrvUpInUse(const MacroTable& table) override;
    void OrvUpProg(const MacroTable&) override {}
    void OrvUpProgs(const MacroTable&) override {}
    void OrvUpKeyHook(const MacroTable&) override {}
    void OrvUpMouseHook(const MacroTable&) override {}
    void OrvUpSwap(const SwapTable& swaps) override;

private:
    explicit X11HookLibrary(DisplayHandle display);

    // Handle handles: one per installed hook kind.
    static constexpr HookHandle KeyboardHandle = 1;
    static constexpr HookHandle MouseHandle = 2;
    static constexpr HookHandle CbtHandle = 3;
    static constexpr HookHandle SwapHandle = 4;

    void Select();
    void LoadKeymap();
    void Regrab();
    GrabRequest Request() const;
    void ReadEvents();
    void Handle(::_XEvent& event);
    void HandleRaw(const RawInput& raw);
    void HandleGrabbedKey(unsigned keycode, unsigned state, unsigned long time);
    void HandleGrabbedButton(unsigned button, unsigned state, unsigned long time);
    // The grab swallows a strike of hot key `code` and reports it.
    bool TakesHotKey(const std::optional<std::uint16_t>& code) const;
    // A key or button press of our own playback was observed.
    void OwnPressSeen();
    void ActiveWindowChanged();
    WindowId ReadActiveWindow() const;
    // The grabs the keys in use need now, with the lock combinations each is taken with.
    void Post(HookMessageId id, std::uint64_t wParam, std::int64_t lParam,
              std::uint32_t window = 0);
    void Trace(const std::string& line);

    DisplayHandle display_;
    unsigned long root_ = 0;
    HotKeyGrabber grabber_;
    std::optional<RawInputObserver> raw_;
    int xkbEventBase_ = 0;
    unsigned long fenceAtom_ = 0;
    unsigned long activeAtom_ = 0;
    bool trace_ = false;
    HookMessageReceiver* receiver_ = nullptr;
    EventLoopWait wait_;
    std::deque<HookMessage> pending_;

    HookKeymap keymap_; // the keys' own characters: hot keys, grabs
    HookKeymap typed_;  // what the keys type now, remapping included: ShortKeys
    unsigned group_ = 0;
    unsigned locked_ = 0;
    std::array<std::uint8_t, HotKeyCount> keysInUse_{};
    bool keyboardHooked_ = false;
    bool mouseHooked_ = false;

    std::uint32_t mainWindow_ = 0;
    std::uint32_t secondWindow_ = 0;
    bool secondWindowOn_ = false;
    bool haveShortKeys_ = false;
    bool captureOn_ = false;
    bool inUse_ = false;
    std::uint32_t endFence_ = 0; // InUse ends when this fence is seen (0: no end awaited)

    SynthFence fence_;
    std::array<bool, 256> userHeld_{};
    std::array<bool, 256> lastPressOwn_{};
    std::array<bool, 256> releasedForUser_{};
    AbortKeyWatch abort_;
    WindowId activeWindow_ = 0;
    CaptureRecorder recorder_;

    // Declared last: it restores the keyboard while the connection is still open.
    KeyRemapper remapper_;
    SwapTable swaps_ = IdentitySwaps();
    bool swapHooked_ = false;
};

} // namespace orvane
