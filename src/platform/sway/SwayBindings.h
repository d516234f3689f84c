// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A key or button combination as the compositor matches it: the modifiers as X modifier bits
// (Shift 1, Lock 2, Control 4, Mod1 8 .. Mod5 128) and either a keysym (lower case) or a pointer
// button (1 left, 2 middle, 3 right, as the compositor numbers them).
struct SwayKey {
    unsigned Modifiers = 0;
    std::uint32_t Keysym = 0;
    unsigned Button = 0;

    friend bool operator==(const SwayKey&, const SwayKey&) = default;
};

// A hot key as a binding: the combination's text for bindsym ("Ctrl+Shift+F9",
// "Alt+Mod4+a", "Ctrl+button1") and the flags it is bound and unbound with. Mouse buttons are
// bound over the whole window, as a hot key click counts wherever it is made.
struct SwayBinding {
    std::string Combination;
    std::string Flags; // "" or "--whole-window"
    SwayKey Key;
};

// The binding of a hot key code; nothing for codes outside the table or keys without a keysym.
std::optional<SwayBinding> SwayBindingOf(std::uint32_t code);

// Reads a combination as a config writes it ("$mod+Shift+Return", "Control+Mod1+X"), after
// `$name` variables are replaced. Nothing for text that names no key.
std::optional<SwayKey> ParseSwayKey(std::string_view combination);

// The combinations the config's default mode binds with bindsym (single lines and blocks), with
// its `set $name value` variables replaced. Bindings of other modes are active only in them and
// do not count; bindcode lines name key codes of a layout this program does not read and are
// left out.
std::vector<SwayKey> ConfigBindings(std::string_view config);

// The config text of a GET_CONFIG reply; empty when unreadable.
std::string ConfigTextOf(std::string_view reply);

// The command of a "binding" event; empty when the payload is no binding run.
std::string BindingCommandOf(std::string_view payload);

// The change of a "workspace" or "window" event ("reload", "focus", ...); empty when unreadable.
std::string EventChangeOf(std::string_view payload);

// The container a "window" event gave the focus to; nothing for any other event.
std::optional<std::int64_t> FocusedContainerOf(std::string_view payload);

} // namespace orvane
