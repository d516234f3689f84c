// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputSynth.h"
#include "platform/linux/VirtualKeys.h"

#include <xkbcommon/xkbcommon.h>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane {

struct XkbContextFree {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
};
struct XkbKeymapFree {
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};
struct XkbStateFree {
    void operator()(xkb_state* state) const { xkb_state_unref(state); }
};
using XkbContextPtr = std::unique_ptr<xkb_context, XkbContextFree>;
using XkbKeymapPtr = std::unique_ptr<xkb_keymap, XkbKeymapFree>;
using XkbStatePtr = std::unique_ptr<xkb_state, XkbStateFree>;

// The rule names a keyboard layout is compiled from.
struct KeymapNames {
    std::string Rules{};
    std::string Model{};
    std::string Layout{};
    std::string Variant{};
    std::string Options{};
};

// The names the user's compositor compiles its keyboards from when its own configuration names
// none: XKB_DEFAULT_RULES, _MODEL, _LAYOUT, _VARIANT and _OPTIONS, read through `getEnv`;
// "us" when no layout is named.
KeymapNames KeymapNamesFrom(const std::function<const char*(const char*)>& getEnv);

// Where a character or key sits: strike `Keycode` with `Mods` held in addition to what is held
// already, with `Layout` in effect.
struct KeyPlace {
    xkb_keycode_t Keycode = 0;
    xkb_layout_index_t Layout = 0;
    xkb_mod_mask_t Mods = 0;
};

// A compiled keyboard layout and what typing needs from it: which key gives a character or a
// keysym, which keycodes carry nothing, the masks of the modifiers that select levels. The
// modifier masks are those xkbcommon serializes, the ones a virtual keyboard sends.
class KeyboardLayout {
public:
    // The layout the names give (empty names take xkbcommon's defaults). Nothing, with a message
    // in `error`, when it does not compile.
    static std::optional<KeyboardLayout> Compile(const KeymapNames& names, std::string& error);
    // A keymap in the text format, as a compositor would compile it.
    static std::optional<KeyboardLayout> FromText(std::string_view text, std::string& error);

    xkb_keymap* Keymap() const { return keymap_.get(); }
    // The keymap in the text format (what a virtual keyboard uploads).
    std::string Text() const;

    // The modifier masks that select levels (0 when the layout has no such modifier).
    xkb_mod_mask_t ShiftMask() const { return shiftMask_; }
    xkb_mod_mask_t LevelThreeMask() const { return levelThreeMask_; }
    xkb_mod_mask_t NumLockMask() const { return numLockMask_; }
    xkb_mod_mask_t LockMask() const { return lockMask_; }
    // The level masks a synthesizer may add for a key, fewest modifiers first.
    std::span<const xkb_mod_mask_t> Pressable() const { return pressable_; }

    // The key that types `ch` exactly while `held` and `locked` are in effect, adding one of
    // `pressable`: keycodes up to 255 first, then in `layout` before the others, then fewest
    // modifiers, then the lowest keycode. Keypad keys never count (their meaning depends on
    // Num Lock).
    std::optional<KeyPlace> PlaceCharacter(char32_t ch, xkb_layout_index_t layout,
                                           xkb_mod_mask_t held, xkb_mod_mask_t locked,
                                           std::span<const xkb_mod_mask_t> pressable) const;

    // The key to press for a keysym: the one with it at the first level of `layout`, else at
    // the first level of another layout, else at any level.
    std::optional<xkb_keycode_t> KeycodeOfKeysym(Keysym keysym, xkb_layout_index_t layout) const;

    // The keysym at the first level of a key in `layout` (NoKeysym for none).
    Keysym BaseKeysym(xkb_keycode_t keycode, xkb_layout_index_t layout) const;

    // The level `keysym` has on `keycode` in `layout`, if it is there.
    std::optional<xkb_level_index_t> LevelOfKeysym(xkb_keycode_t keycode, xkb_layout_index_t layout,
                                                   Keysym keysym) const;
    // The level a key gives while `mods` are in effect.
    xkb_level_index_t LevelOf(xkb_keycode_t keycode, xkb_layout_index_t layout,
                              xkb_mod_mask_t mods) const;

    // Keycodes that carry no keysym, the ones up to 255 first: X programs (through the
    // compositor's X server) see only those.
    std::vector<xkb_keycode_t> FreeKeycodes() const;

private:
    struct Candidate {
        xkb_keycode_t Keycode;
        xkb_layout_index_t Layout;
        xkb_level_index_t Level;
    };

    KeyboardLayout(XkbContextPtr context, XkbKeymapPtr keymap);
    void Index();
    xkb_mod_mask_t MaskOfKey(Keysym keysym, bool lock) const;

    XkbContextPtr context_;
    XkbKeymapPtr keymap_;
    XkbStatePtr scratch_; // for trying out modifiers; reset before every use
    std::unordered_map<char32_t, std::vector<Candidate>> characters_;
    std::unordered_map<Keysym, std::vector<Candidate>> keysyms_;
    xkb_mod_mask_t shiftMask_ = 0;
    xkb_mod_mask_t levelThreeMask_ = 0;
    xkb_mod_mask_t numLockMask_ = 0;
    xkb_mod_mask_t lockMask_ = 0;
    std::vector<xkb_mod_mask_t> pressable_;
};

// The US-convention answer to "which key and shift state type this ASCII character" on
// `layout`'s group `group`: the key whose plain or shifted level gives `ch`, named by the
// virtual key of its base keysym, provided that virtual key leads back to the same key. Control
// characters are Ctrl with their letter (Tab, Return, Escape and BackSpace are keys of their
// own; a line feed is Return). Nothing when the layout has no such key or no consistent name.
std::optional<KeyScan> ScanAsciiOn(const KeyboardLayout& layout, unsigned char ch,
                                   xkb_layout_index_t group);

} // namespace orvane
