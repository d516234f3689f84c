// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventLoopWait.h"
#include "platform/InputSynth.h"
#include "platform/x11/FocusClientSync.h"
#include "platform/x11/Keymap.h"
#include "platform/x11/PointerSynth.h"
#include "platform/x11/SpareKeycodes.h"
#include "platform/x11/X11Display.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

union _XEvent;

namespace orvane {

// Input synthesis through XTest on a connection of its own, with keys found in the current
// XKB keymap (levels and groups, AltGr included): a facade over the spare keycodes
// (SpareKeycodes), the wait for the program with the focus (FocusClientSync), the mouse
// (PointerSynth) and the fence.
//
// Characters the keymap lacks are typed through spare keycodes. Every program reads a key
// through the mapping it holds when it looks the key up, and programs take in a mapping change
// at different moments (Qt and GTK as they handle the change notice; plain Xlib programs
// lazily, at their next lookup after reading the notice, which may be while earlier keys still
// wait in their queue). The server delivers the notice to every program before any key event
// that follows the change, so:
// - Bindings are made before the first key of a playback: PrepareCharacters announces every
//   character the macro may type and binds as many as fit at once. A spare keycode carries a
//   character on each level its key type has (plain, Shift, AltGr, Shift+AltGr: SpareKeyType)
//   in each of the four groups a key may have (the group is locked for the one key typed, and
//   the key event carries it to every program), so 19 empty keycodes hold 304 characters: all
//   that Latin-1 and Windows-1252 add to ASCII, bound at once.
// - A keycode that was typed through is never bound anew, nor restored, before the program with
//   the focus has worked through every event sent so far (FocusClientSync). Programs that do
//   not answer pings get a pause instead (waited in the event loop); they meet it only when a
//   single playback needs more characters than the spare keys hold.
// - Bindings outlive the playback: they are restored when this object goes (or when their keycode
//   is needed for another character), so back-to-back macros never rebind under a program that is
//   still reading the previous one's keys. Even then only once the program with the focus has
//   answered a ping; otherwise (plain Xlib programs, terminals, which may still be reading) they
//   stay bound on their empty keycodes, which no physical key produces.
// The keycodes bound are recorded on the root window (ProcessRecords.h); a later start takes
// over what an ended or killed process left bound, as it stands, and blanks only what it cannot
// take over.
//
// A key the user still holds down (the hot key's own letter, held on past the wait for its
// release) is not pressed again: a character on it is typed through a spare keycode as well.
//
// The fence: EndOfBatch does XSync, then changes the root-window property "_ORVANE_SYNTH_FENCE"
// (INTEGER, one 32-bit serial, increasing) from this connection. The server has then delivered
// every event of the batch before the PropertyNotify, so an observer of raw input that drops
// XTEST events while a fence is outstanding knows when the program's own events have passed.
class X11InputSynth final : public InputSynth {
public:
    // Opens `displayName` (nullptr: $DISPLAY), checks for XTEST and XKB, and repairs keycodes a
    // killed earlier process left bound or remapped. Null with a message in `error` on failure.
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

    // Sends what has been synthesized so far without waiting for the server: called between the
    // steps of a macro (one write for a character's key events rather than one per event).
    void Flush();

    // Where the pause before binding anew a key just typed through waits: in the program's event
    // loop. Without one, the thread sleeps through it.
    void SetEventLoopWait(const EventLoopWait& wait);

    // This object's own connection, for the event loop to watch: ServeEvents takes in what
    // arrives there (keyboard mapping changes, a program's answer to a ping), so a wait in the
    // event loop for that answer wakes as soon as it comes.
    int ConnectionFd() const;
    void ServeEvents();

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
    XkbStateNow State();
    void SendKey(std::uint8_t keycode, bool down);
    // The keycode a virtual key goes down or up on (0: none); `pressGroup` is the group a
    // spare slot's press is made in.
    std::uint8_t KeycodeFor(std::uint8_t virtualKey, Keysym keysym, bool up,
                            std::optional<unsigned>& pressGroup);
    void LockNumLockFor(std::uint8_t virtualKey, std::uint8_t keycode, Keysym keysym);
    void TypePlacement(const KeyPlacement& placed);
    void TapKeycode(std::uint8_t keycode);
    bool PhysicallyDown(std::uint8_t keycode);
    void PressLevelModifiers(std::uint8_t keycode, unsigned mods);
    void ReleaseLevelModifiers(std::uint8_t keycode);
    void RestoreNumLock();
    bool KeypadKeyHeld();
    unsigned HeldModifiers() const;

    DisplayHandle display_;
    unsigned long root_ = 0;
    unsigned long fenceAtom_ = 0;
    int xkbEventBase_ = -1;
    bool keymapDirty_ = false;
    Keymap keymap_;
    std::array<bool, 256> held_{};
    FocusClientSync focus_;
    SpareKeycodes spares_;
    PointerSynth pointer_;
    std::array<unsigned, 256> slotModsPressed_{}; // modifiers pressed for a held bound key
    std::array<std::uint8_t, 256> pressedVia_{};  // keycode each held virtual key went down on
    std::optional<std::array<bool, 256>> physicallyDown_; // keys down, ours aside, this batch
    std::vector<unsigned> pressable_;
    std::uint8_t shiftKeycode_ = 0;
    std::uint8_t level3Keycode_ = 0;
    unsigned level3Mask_ = 0;
    unsigned numLockMask_ = 0;
    bool numLockToggled_ = false;
    std::optional<XkbStateNow> state_;
    bool unfenced_ = false;
    std::uint32_t fenceSerial_ = 0;
};

} // namespace orvane
