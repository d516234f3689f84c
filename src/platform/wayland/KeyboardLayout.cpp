// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/KeyboardLayout.h"

#include "platform/linux/KeysymText.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <algorithm>
#include <cstdarg>
#include <cstdlib>

namespace orvane {

KeymapNames KeymapNamesFrom(const std::function<const char*(const char*)>& getEnv) {
    auto read = [&](const char* name) {
        const char* value = getEnv(name);
        return std::string(value != nullptr ? value : "");
    };
    KeymapNames names{read("XKB_DEFAULT_RULES"), read("XKB_DEFAULT_MODEL"),
                      read("XKB_DEFAULT_LAYOUT"), read("XKB_DEFAULT_VARIANT"),
                      read("XKB_DEFAULT_OPTIONS")};
    if (names.Layout.empty()) {
        // A variant belongs to a layout; without one it names nothing.
        names.Layout = "us";
        names.Variant.clear();
    }
    return names;
}

namespace {

XkbContextPtr NewContext(std::string& error) {
    // The names are passed explicitly: the environment was read by KeymapNamesFrom.
    XkbContextPtr context(xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
    if (!context) {
        error = "the keyboard library could not start (xkb_context_new failed)";
        return context;
    }
    // A library never prints: what does not compile is reported through `error`.
    xkb_context_set_log_fn(context.get(), [](xkb_context*, xkb_log_level, const char*, va_list) {});
    return context;
}

const char* OrNull(const std::string& s) {
    return s.empty() ? nullptr : s.c_str();
}

} // namespace

std::optional<KeyboardLayout> KeyboardLayout::Compile(const KeymapNames& names,
                                                      std::string& error) {
    XkbContextPtr context = NewContext(error);
    if (!context) {
        return std::nullopt;
    }
    const xkb_rule_names rules{OrNull(names.Rules), OrNull(names.Model), OrNull(names.Layout),
                               OrNull(names.Variant), OrNull(names.Options)};
    XkbKeymapPtr keymap(
        xkb_keymap_new_from_names(context.get(), &rules, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap) {
        error = "the keyboard layout \"" + names.Layout +
                (names.Variant.empty() ? "" : "(" + names.Variant + ")") + "\" does not compile";
        return std::nullopt;
    }
    return KeyboardLayout(std::move(context), std::move(keymap));
}

std::optional<KeyboardLayout> KeyboardLayout::FromText(std::string_view text, std::string& error) {
    XkbContextPtr context = NewContext(error);
    if (!context) {
        return std::nullopt;
    }
    XkbKeymapPtr keymap(xkb_keymap_new_from_buffer(context.get(), text.data(), text.size(),
                                                   XKB_KEYMAP_FORMAT_TEXT_V1,
                                                   XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap) {
        error = "the keymap text does not compile";
        return std::nullopt;
    }
    return KeyboardLayout(std::move(context), std::move(keymap));
}

KeyboardLayout::KeyboardLayout(XkbContextPtr context, XkbKeymapPtr keymap)
    : context_(std::move(context)), keymap_(std::move(keymap)),
      scratch_(xkb_state_new(keymap_.get())) {
    Index();
}

std::string KeyboardLayout::Text() const {
    char* text = xkb_keymap_get_as_string(keymap_.get(), XKB_KEYMAP_FORMAT_TEXT_V1);
    if (text == nullptr) {
        return {};
    }
    std::string result(text);
    std::free(text);
    return result;
}

void KeyboardLayout::Index() {
    xkb_keymap* km = keymap_.get();
    for (xkb_keycode_t kc = xkb_keymap_min_keycode(km); kc <= xkb_keymap_max_keycode(km); ++kc) {
        const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(km, kc);
        for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
            const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(km, kc, layout);
            for (xkb_level_index_t level = 0; level < levels; ++level) {
                const xkb_keysym_t* syms = nullptr;
                const int count = xkb_keymap_key_get_syms_by_level(km, kc, layout, level, &syms);
                // A level of several keysyms types them all: no single character.
                if (count != 1) {
                    continue;
                }
                keysyms_[syms[0]].push_back({kc, layout, level});
                if (const char32_t ch = CharacterOfKeysym(syms[0])) {
                    characters_[ch].push_back({kc, layout, level});
                }
            }
        }
    }
    shiftMask_ = MaskOfKey(XKB_KEY_Shift_L, false);
    levelThreeMask_ = MaskOfKey(XKB_KEY_ISO_Level3_Shift, false);
    numLockMask_ = MaskOfKey(XKB_KEY_Num_Lock, true);
    lockMask_ = MaskOfKey(XKB_KEY_Caps_Lock, true);
    pressable_ = {0};
    for (const xkb_mod_mask_t mask : {shiftMask_, levelThreeMask_, shiftMask_ | levelThreeMask_}) {
        if (mask != 0 &&
            std::find(pressable_.begin(), pressable_.end(), mask) == pressable_.end()) {
            pressable_.push_back(mask);
        }
    }
}

xkb_mod_mask_t KeyboardLayout::MaskOfKey(Keysym keysym, bool lock) const {
    // What the key really sets, read off a state rather than assumed (AltGr is Mod5 on most
    // layouts, but a layout may put it elsewhere).
    const auto keycode = KeycodeOfKeysym(keysym, 0);
    if (!keycode) {
        return 0;
    }
    XkbStatePtr state(xkb_state_new(keymap_.get()));
    xkb_state_update_key(state.get(), *keycode, XKB_KEY_DOWN);
    if (lock) {
        xkb_state_update_key(state.get(), *keycode, XKB_KEY_UP);
    }
    return xkb_state_serialize_mods(state.get(),
                                    lock ? XKB_STATE_MODS_LOCKED : XKB_STATE_MODS_DEPRESSED);
}

std::optional<KeyPlace>
KeyboardLayout::PlaceCharacter(char32_t ch, xkb_layout_index_t layout, xkb_mod_mask_t held,
                               xkb_mod_mask_t locked,
                               std::span<const xkb_mod_mask_t> pressable) const {
    const auto found = characters_.find(ch);
    if (found == characters_.end()) {
        return std::nullopt;
    }
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts(keymap_.get());
    std::vector<xkb_layout_index_t> order{layout};
    for (xkb_layout_index_t other = 0; other < layouts; ++other) {
        if (other != layout) {
            order.push_back(other);
        }
    }
    xkb_state* state = scratch_.get();
    // Keycodes above 255 come last: programs of the compositor's X server never see them.
    for (const xkb_keycode_t highest : {xkb_keycode_t{255}, XKB_KEYCODE_MAX}) {
        for (const xkb_layout_index_t tryLayout : order) {
            for (const xkb_mod_mask_t mods : pressable) {
                std::optional<xkb_keycode_t> best;
                for (const Candidate& c : found->second) {
                    if (c.Layout != tryLayout || c.Keycode > highest ||
                        (best && *best <= c.Keycode)) {
                        continue;
                    }
                    // Tried on a state, so that Caps Lock and the key's type decide, as they will
                    // in the program that reads the key.
                    xkb_state_update_mask(state, held | mods, 0, locked, 0, 0, tryLayout);
                    if (xkb_state_key_get_layout(state, c.Keycode) == tryLayout &&
                        CharacterOfKeysym(xkb_state_key_get_one_sym(state, c.Keycode)) == ch) {
                        best = c.Keycode;
                    }
                }
                if (best) {
                    return KeyPlace{*best, tryLayout, mods};
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<xkb_keycode_t> KeyboardLayout::KeycodeOfKeysym(Keysym keysym,
                                                             xkb_layout_index_t layout) const {
    const auto found = keysyms_.find(keysym);
    if (found == keysyms_.end() || found->second.empty()) {
        return std::nullopt;
    }
    const auto& candidates = found->second;
    auto first = [&](auto&& accept) -> std::optional<xkb_keycode_t> {
        const auto it = std::find_if(candidates.begin(), candidates.end(), accept);
        return it != candidates.end() ? std::optional(it->Keycode) : std::nullopt;
    };
    if (auto kc = first([&](const Candidate& c) { return c.Layout == layout && c.Level == 0; })) {
        return kc;
    }
    if (auto kc = first([](const Candidate& c) { return c.Level == 0; })) {
        return kc;
    }
    return candidates.front().Keycode;
}

Keysym KeyboardLayout::BaseKeysym(xkb_keycode_t keycode, xkb_layout_index_t layout) const {
    const xkb_keysym_t* syms = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap_.get(), keycode, layout, 0, &syms) != 1) {
        return NoKeysym;
    }
    return syms[0];
}

std::optional<xkb_level_index_t> KeyboardLayout::LevelOfKeysym(xkb_keycode_t keycode,
                                                               xkb_layout_index_t layout,
                                                               Keysym keysym) const {
    const auto found = keysyms_.find(keysym);
    if (found == keysyms_.end()) {
        return std::nullopt;
    }
    for (const Candidate& c : found->second) {
        if (c.Keycode == keycode && c.Layout == layout) {
            return c.Level;
        }
    }
    return std::nullopt;
}

xkb_level_index_t KeyboardLayout::LevelOf(xkb_keycode_t keycode, xkb_layout_index_t layout,
                                          xkb_mod_mask_t mods) const {
    xkb_state* state = scratch_.get();
    xkb_state_update_mask(state, mods, 0, 0, 0, 0, layout);
    return xkb_state_key_get_level(state, keycode, layout);
}

std::vector<xkb_keycode_t> KeyboardLayout::FreeKeycodes() const {
    xkb_keymap* km = keymap_.get();
    std::vector<xkb_keycode_t> low;
    std::vector<xkb_keycode_t> high;
    for (xkb_keycode_t kc = xkb_keymap_min_keycode(km); kc <= xkb_keymap_max_keycode(km); ++kc) {
        if (xkb_keymap_num_layouts_for_key(km, kc) == 0) {
            (kc <= 255 ? low : high).push_back(kc);
        }
    }
    low.insert(low.end(), high.begin(), high.end());
    return low;
}

namespace {

// The character whose key a control character is typed with, Ctrl held (0x01 is Ctrl+A).
std::optional<unsigned char> ControlLetter(unsigned char ch) {
    if (ch >= 0x01 && ch <= 0x1A) {
        return static_cast<unsigned char>('a' + ch - 1);
    }
    switch (ch) {
    case 0x1C:
        return '\\';
    case 0x1D:
        return ']';
    case 0x7F:
        return '\b';
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<KeyScan> ScanAsciiOn(const KeyboardLayout& layout, unsigned char ch,
                                   xkb_layout_index_t group) {
    if (ch >= 0x80 || ch == 0) {
        return std::nullopt;
    }
    unsigned char typed = ch == '\n' ? '\r' : ch;
    std::uint8_t ctrl = 0;
    const bool keyOfItsOwn = typed == '\b' || typed == '\t' || typed == '\r' || typed == 0x1B;
    if (!keyOfItsOwn) {
        if (const auto letter = ControlLetter(typed)) {
            typed = *letter;
            ctrl = 2;
        }
    }
    // A Ctrl combination names the key by its base level: Shift would change the combination.
    const xkb_mod_mask_t plainOrShift[] = {0, layout.ShiftMask()};
    const std::span<const xkb_mod_mask_t> pressable =
        ctrl != 0 ? std::span<const xkb_mod_mask_t>(plainOrShift, 1)
                  : std::span<const xkb_mod_mask_t>(plainOrShift, layout.ShiftMask() ? 2 : 1);
    const auto placed = layout.PlaceCharacter(typed, group, 0, 0, pressable);
    if (!placed || placed->Layout != group) {
        return std::nullopt;
    }
    const auto vk = VirtualKeyOfKeysym(layout.BaseKeysym(placed->Keycode, group));
    if (!vk || layout.KeycodeOfKeysym(KeysymOfVirtualKey(*vk), group) != placed->Keycode) {
        return std::nullopt;
    }
    const std::uint8_t shift = placed->Mods != 0 ? 1 : 0;
    return KeyScan{*vk, static_cast<std::uint8_t>(shift | ctrl)};
}

} // namespace orvane
