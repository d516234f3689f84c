// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputSynth.h"
#include "platform/wayland/ExtraKeysKeymap.h"
#include "platform/wayland/KeyboardLayout.h"
#include "platform/wayland/VirtualKeyboard.h"
#include "platform/wayland/VirtualPointer.h"
#include "platform/wayland/WaylandConnection.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orvane {

// Input synthesis on a wlroots compositor: one virtual keyboard for the program's lifetime and
// one virtual pointer, on a Wayland connection of their own.
//
// The keyboard carries the full keymap of the user's layout (the names the compositor reads
// from XKB_DEFAULT_*), so that named keys and combinations (Ctrl+A) reach programs as the
// user's own keyboard would send them. Modifiers are not keys here but state: they are tracked
// in an xkb_state as modifier keys go down and up and sent after every key, and a character
// on a shifted or AltGr level is struck with its level's modifiers added to that state for the
// one key.
//
// Characters the layout lacks go on keycodes that carry nothing, in a keymap that adds them to
// the layout (ExtraKeysKeymap): all at once when PrepareCharacters announces them, else as
// TypeCharacter meets them, and the user's keymap is handed back at EndOfPlayback. A program
// receives a keymap in its event stream, in order with the keys, so a key is read with the
// keymap that was current when it was sent: no pause is needed around a change of keymap.
//
// Every event is flushed as it is made; EndOfBatch waits until the compositor has handled all
// of them, so nothing is lost when the program then waits or ends.
class WaylandInputSynth final : public InputSynth {
public:
    // Connects to $WAYLAND_DISPLAY and makes the keyboard and pointer, with the layout `names`
    // give (by default the compositor's own defaults, KeymapNamesFrom the environment; a
    // compositor's configuration may name another, which the caller can pass). Null with a
    // message in `error` when there is no Wayland display, the compositor lacks the virtual
    // keyboard or pointer protocol, or the layout does not compile.
    static std::unique_ptr<WaylandInputSynth> Open(std::string& error,
                                                   std::optional<KeymapNames> names = {});

    // Releases every key and button still held and hands back the user's keymap.
    ~WaylandInputSynth() override;
    WaylandInputSynth(const WaylandInputSynth&) = delete;
    WaylandInputSynth& operator=(const WaylandInputSynth&) = delete;

    void PostKey(std::uint8_t virtualKey, bool up) override;
    std::optional<KeyScan> ScanCharacter(unsigned char ch) override;
    void TypeCharacter(char32_t ch) override;
    void PostAltCode(std::string_view digits) override;
    void PostMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                   std::int32_t data) override;
    // Caps Lock as this keyboard has it, which is what the programs apply to its keys: each
    // keyboard of a Wayland seat keeps its own lock state.
    bool CapsLockOn() override;
    // The bounding box of the outputs.
    ScreenSize GetScreenSize() override;
    void PrepareCharacters(std::u32string_view text) override;
    void EndOfBatch() override;
    void EndOfPlayback() override;

    // The connection, for the event loop to watch: ServeEvents takes in what arrived there
    // (outputs added, moved or removed) without blocking.
    int ConnectionFd() const;
    void ServeEvents();
    // Sends what is still queued (every call already flushes its own events).
    void Flush();

    // The connection, for parts that bind other globals on it.
    WaylandConnection& Connection() { return *connection_; }

private:
    WaylandInputSynth(std::unique_ptr<WaylandConnection> connection, KeyboardLayout layout);

    ModifierState CurrentModifiers() const;
    void SendModifiers();
    void SendKey(xkb_keycode_t keycode, bool down);
    void Strike(xkb_keycode_t keycode, xkb_mod_mask_t mods, xkb_layout_index_t layout);
    std::optional<xkb_keycode_t> KeycodeFor(std::uint8_t virtualKey, Keysym keysym, bool up);
    void ForceNumLockFor(std::uint8_t virtualKey, xkb_keycode_t keycode, Keysym keysym);
    bool KeypadKeyHeld() const;
    std::optional<xkb_keycode_t> ExtraKeyFor(Keysym keysym);
    void UploadKeymap();
    void Sent();

    std::unique_ptr<WaylandConnection> connection_; // first: outlives the keyboard and pointer
    KeyboardLayout layout_;
    std::string layoutText_;
    VirtualKeyboard keyboard_;
    VirtualPointer pointer_;
    XkbStatePtr state_;
    ExtraKeyAssignment extras_;
    std::vector<Keysym> announced_; // the missing keysyms the playback will type, in order
    std::size_t cursor_ = 0;        // the next of them
    std::set<xkb_keycode_t> held_;
    std::array<xkb_keycode_t, 256> pressedVia_{}; // keycode each held virtual key went down on
    xkb_mod_mask_t numLockFlip_ = 0;              // Num Lock turned for a keypad digit
    bool unsynced_ = false;
};

} // namespace orvane
