// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputSynth.h"
#include "platform/x11/Keymap.h"
#include "platform/x11/SparePlan.h"
#include "platform/x11/X11Display.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

union _XEvent;

namespace orvane {

// Input synthesis through XTest on a connection of its own, with keys found in the current
// XKB keymap (levels and groups, AltGr included).
//
// Characters the keymap lacks are typed through spare keycodes (keycodes that carry nothing)
// bound to them with XChangeKeyboardMapping. Clients such as Qt 6 fetch the new keymap only
// after they see the mapping change, so a key pressed and unbound again at once reaches them
// as nothing. Worse, a client fetches the keymap as it is when it gets round to the change
// notice, so a client that lags behind the typing (a busy editor) reads keys typed through a
// keycode with the meaning the keycode was given later. So before a keycode that was typed
// through is bound anew or restored, we wait until the client with the focus has worked
// through every event sent so far: an EWMH _NET_WM_PING queued behind them comes back only
// then. Clients that do not answer pings (plain Xlib programs) get pauses instead: XSync and
// 50 ms after binding and before rebinding (measured with Qt 6: no pause loses characters,
// 20 ms and 50 ms type exactly). That is only as good as the client is quick: one that lags
// further behind still reads late keys with a later binding. To keep that
// cost from being paid per character, bindings live for the whole playback and are made many
// at a time: PrepareCharacters announces the macro text, and whenever a character is not bound
// every spare keycode is bound at once to the missing characters that come next in that text
// (SparePlan); characters the announcement did not cover (dates, Alt codes, text files) are
// bound the same way as they come. EndOfPlayback restores the keycodes to empty. The keycodes bound
// are recorded in a root-window property of this process
// ("_ORVANE_BOUND_KEYS_<pid>", pairs of keycode and keysym) so that a later start repairs what
// a killed process left bound; the destructor restores them too.
//
// The fence: EndOfBatch does XSync, then changes the root-window property "_ORVANE_SYNTH_FENCE"
// (INTEGER, one 32-bit serial, increasing) from this connection. The server has then delivered
// every event of the batch before the PropertyNotify, so an observer of raw input that drops
// XTEST events while a fence is outstanding knows when the program's own events have passed.
class X11InputSynth final : public InputSynth {
public:
    static constexpr const char* FenceProperty = "_ORVANE_SYNTH_FENCE";
    static constexpr const char* BoundKeysPropertyPrefix = "_ORVANE_BOUND_KEYS_";

    // Opens `displayName` (nullptr: $DISPLAY), checks for XTEST and XKB, and repairs keycodes a
    // killed earlier process left bound. Null with a message in `error` on failure.
    static std::unique_ptr<X11InputSynth> Open(const char* displayName, std::string& error);

    // Releases every key and button still held by this object and restores bound keycodes.
    ~X11InputSynth() override;
    X11InputSynth(const X11InputSynth&) = delete;
    X11InputSynth& operator=(const X11InputSynth&) = delete;

    void PostKey(std::uint8_t virtualKey, bool up) override;
    std::optional<KeyScan> ScanCharacter(unsigned char ch) override;
    void TypeCharacter(char32_t ch) override;
    void PostAltCode(std::string_view digits) override;
    void PostMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                   std::int32_t data) override;
    bool CapsLockOn() override;
    ScreenSize GetScreenSize() override;
    void PrepareCharacters(std::u32string_view text) override;
    void EndOfBatch() override;
    void EndOfPlayback() override;

    // Releases held keys and buttons, restores bound keycodes and Num Lock: the keyboard as it
    // was before this object touched it. For the way out (also after a signal). Idempotent.
    void RestoreKeyboard();

    // The serial the last fence carried; 0 before the first.
    std::uint32_t LastFence() const { return fenceSerial_; }

private:
    explicit X11InputSynth(DisplayHandle display);

    struct XkbStateNow {
        unsigned Group = 0;
        unsigned Locked = 0;
    };

    void LoadKeymap();
    void HandleEvent(const ::_XEvent& event);
    void RefreshIfKeymapChanged();
    unsigned long FocusClientAnsweringPings();
    bool WaitForFocusClient();
    void SettleAfterBinding();
    XkbStateNow State();
    void SendKey(std::uint8_t keycode, bool down);
    void TypePlacement(const KeyPlacement& placed);
    void TapKeycode(std::uint8_t keycode);
    std::optional<std::uint8_t> KeycodeForKeysym(Keysym keysym, bool mayBind);
    std::size_t SpareCapacity() const;
    void Rebind(const std::vector<Keysym>& chunk);
    void WriteKeycode(std::uint8_t keycode, Keysym keysym);
    void WriteKeycodes(const std::vector<std::pair<std::uint8_t, Keysym>>& writes);
    void UnbindAll();
    void SettleAfterUse();
    void RecordBindings();
    void RepairLeftovers();
    void RestoreNumLock();
    bool KeypadKeyHeld();
    unsigned HeldModifiers() const;

    DisplayHandle display_;
    unsigned long root_ = 0;
    unsigned long fenceAtom_ = 0;
    unsigned long boundKeysAtom_ = 0;
    unsigned long wmProtocolsAtom_ = 0;
    unsigned long netWmPingAtom_ = 0;
    int xkbEventBase_ = -1;
    bool keymapDirty_ = false;
    unsigned long pingSerial_ = 0;
    bool pingAnswered_ = false;
    unsigned long unresponsive_ = 0;
    int keysymsPerKeycode_ = 2;
    Keymap keymap_;
    std::vector<std::uint8_t> spares_;
    std::map<Keysym, std::uint8_t> bound_;
    SparePlan plan_;
    std::vector<unsigned> pressable_;
    std::uint8_t shiftKeycode_ = 0;
    std::uint8_t level3Keycode_ = 0;
    unsigned level3Mask_ = 0;
    unsigned numLockMask_ = 0;
    bool numLockToggled_ = false;
    std::array<bool, 256> held_{};
    std::array<bool, 8> buttonsHeld_{};
    std::optional<XkbStateNow> state_;
    std::chrono::steady_clock::time_point lastSpareUse_{};
    bool unfenced_ = false;
    std::uint32_t fenceSerial_ = 0;
};

} // namespace orvane
