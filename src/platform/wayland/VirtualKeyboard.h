// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <string_view>

struct zwp_virtual_keyboard_v1;

namespace orvane {

class WaylandConnection;

// Modifier state as a keyboard reports it to the programs it types into.
struct ModifierState {
    xkb_mod_mask_t Depressed = 0;
    xkb_mod_mask_t Latched = 0;
    xkb_mod_mask_t Locked = 0;
    xkb_layout_index_t Layout = 0;
    bool operator==(const ModifierState&) const = default;
};

// One virtual keyboard of the seat, for the lifetime of the object. It lives as long as the
// program: a keyboard made anew loses its first key in programs that re-attach to it. Requests
// are queued on the connection; the caller flushes.
class VirtualKeyboard {
public:
    explicit VirtualKeyboard(WaylandConnection& connection);
    ~VirtualKeyboard();
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    // Hands the compositor a keymap (text format). The compositor compiles it and passes it to
    // the programs with the next key; modifiers start afresh, so the caller sends them again.
    // False when the keymap cannot be handed over (no memory file).
    bool SetKeymap(std::string_view text);
    // `keycode` is an XKB keycode (the evdev code + 8).
    void Key(xkb_keycode_t keycode, bool down);
    void Modifiers(const ModifierState& state);

private:
    WaylandConnection& connection_;
    zwp_virtual_keyboard_v1* keyboard_ = nullptr;
};

// Milliseconds of a monotonic clock: the time stamp of synthesized input.
std::uint32_t InputTime();

} // namespace orvane
