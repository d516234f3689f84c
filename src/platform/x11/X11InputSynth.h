// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputSynth.h"
#include "platform/x11/ClientPings.h"
#include "platform/x11/EventLoopWait.h"
#include "platform/x11/Keymap.h"
#include "platform/x11/SpareKeyType.h"
#include "platform/x11/SparePlan.h"
#include "platform/x11/X11Display.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

union _XEvent;

namespace orvane {

// Input synthesis through XTest on a connection of its own, with keys found in the current
// XKB keymap (levels and groups, AltGr included).
//
// Characters the keymap lacks are typed through spare keycodes (keycodes that carry nothing)
// bound to them with one XKB request. Every program reads a key through the mapping it holds
// when it looks the key up, and programs take in a mapping change at different moments (Qt and
// GTK as they handle the change notice; plain Xlib programs lazily, at their next lookup after
// reading the notice, which may be while earlier keys still wait in their queue). The server
// delivers the notice to every program before any key event that follows the change, so:
// - Bindings are made before the first key of a playback: PrepareCharacters announces every
//   character the macro may type and binds as many as fit at once. A spare keycode carries a
//   character on each level its key type has (plain, Shift, AltGr, Shift+AltGr: SpareKeyType)
//   in each of the four groups a key may have (the group is locked for the one key typed, and
//   the key event carries it to every program), so 19 empty keycodes hold 304 characters: all
//   that Latin-1 and Windows-1252 add to ASCII, bound at once.
// - A keycode that was typed through is never bound anew, nor restored, before the program with
//   the focus has worked through every event sent so far: an EWMH _NET_WM_PING queued behind
//   them comes back only then. Programs that do not answer pings get a pause instead (waited in
//   the event loop); they meet it only when a single playback needs more characters than the
//   spare keys hold. A program that advertises pings and lets one go unanswered (a second for
//   the first we send it, longer once it has answered) is listed as silent on the root window
//   ("_ORVANE_SILENT_PROGRAMS", pairs of client resource base and pid), and no Orvane process
//   waits for it again.
// - Bindings outlive the playback: they are restored when this object goes (or when their keycode
//   is needed for another character), so back-to-back macros never rebind under a program that is
//   still reading the previous one's keys. Even then only once the program with the focus has
//   answered a ping; otherwise (plain Xlib programs, terminals, which may still be reading) they
//   stay bound on their empty keycodes, which no physical key produces.
// The keycodes bound are recorded in a root-window property of this process
// ("_ORVANE_BOUND_KEYS_<pid>", pairs of keycode and keysym); a later start takes over what an
// ended or killed process left bound, as it stands, and blanks only what it cannot take over.
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
    static constexpr const char* FenceProperty = "_ORVANE_SYNTH_FENCE";
    static constexpr const char* BoundKeysPropertyPrefix = "_ORVANE_BOUND_KEYS_";
    static constexpr const char* SilentProgramsProperty = "_ORVANE_SILENT_PROGRAMS";

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
    void SetEventLoopWait(EventLoopWait wait) { wait_ = std::move(wait); }

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
    unsigned long FocusClientAnsweringPings();
    // Where the wait for a ping's answer may run: in the event loop (when there is one), or
    // on this connection alone, for the way out when the event loop may be gone.
    enum class PingWait { InEventLoop, Here };
    bool WaitForFocusClient(PingWait where);
    unsigned long ServerTime();
    PingProgram ProgramOf(unsigned long window);
    std::vector<PingProgram> SilentPrograms();
    void RememberSilent(const PingProgram& program);
    XkbStateNow State();
    void SendKey(std::uint8_t keycode, bool down);
    // A place for one character on a spare keycode: a level of one of its groups.
    struct SpareSlot {
        std::uint8_t Keycode = 0;
        unsigned Level = 0;
        unsigned Group = 0;
    };
    // Where a slot sits in a spare keycode's row of keysyms (groups one after the other).
    std::size_t RowIndex(const SpareSlot& slot) const;
    // The slots a spare keycode carries: every level of every group.
    std::size_t SlotsPerKey() const;

    void TypePlacement(const KeyPlacement& placed);
    void TapKeycode(std::uint8_t keycode);
    std::optional<SpareSlot> SlotForKeysym(Keysym keysym, bool mayBind);
    bool PhysicallyDown(std::uint8_t keycode);
    bool RowOfOtherType(std::uint8_t keycode) const;
    void PressLevelModifiers(std::uint8_t keycode, unsigned mods);
    void ReleaseLevelModifiers(std::uint8_t keycode);
    std::size_t SpareCapacity() const;
    void Rebind(const std::vector<Keysym>& chunk);
    void WriteKeycode(std::uint8_t keycode, Keysym keysym);
    void WriteSpareRows(const std::vector<std::uint8_t>& keycodes);
    // Only once the program with the focus has answered a ping: every key typed through the
    // bound keycodes has been read.
    void UnbindAll();
    void SettleAfterUse();
    void RecordBindings();
    void AdoptLeftovers();
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
    unsigned long silentAtom_ = 0;
    unsigned long clockAtom_ = 0;
    unsigned long clock_ = 0; // a window of ours whose property changes tell the server time
    SentPing ping_;           // Client 0: no ping outstanding
    bool pingAnswered_ = false;
    std::set<PingProgram> answering_; // programs that have answered a ping of ours
    int keysymsPerKeycode_ = 2;
    Keymap keymap_;
    std::vector<std::uint8_t> spares_;
    SpareKeyType spareType_;
    std::map<Keysym, SpareSlot> bound_;
    std::map<std::uint8_t, std::vector<Keysym>> spareRows_; // keysym per slot of bound keycodes
    std::array<unsigned, 256> slotModsPressed_{}; // modifiers pressed for a held bound key
    std::array<std::uint8_t, 256> pressedVia_{};  // keycode each held virtual key went down on
    std::optional<std::array<bool, 256>> physicallyDown_; // keys down, ours aside, this batch
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
    EventLoopWait wait_;
    bool unfenced_ = false;
    std::uint32_t fenceSerial_ = 0;
};

} // namespace orvane
