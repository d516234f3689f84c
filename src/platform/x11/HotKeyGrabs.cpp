// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/HotKeyGrabs.h"

#include "core/CodePage.h"
#include "core/HotKeyTable.h"
#include "platform/linux/KeysymText.h"

#include <X11/keysym.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace orvane {
namespace {

constexpr unsigned ShiftMask = 1U << 0;
constexpr unsigned LockMask = 1U << 1;
constexpr unsigned ControlMask = 1U << 2;

using KeyOfCode = std::tuple<std::uint8_t, std::uint8_t, bool, bool, bool, bool>;

// Each combination of key or button and modifiers names one code (the table has no two alike).
const std::map<KeyOfCode, std::uint16_t>& CodesByKey() {
    static const std::map<KeyOfCode, std::uint16_t> codes = [] {
        std::map<KeyOfCode, std::uint16_t> built;
        for (std::uint16_t code = 0; code < HotKeyCount; ++code) {
            const DecipheredKey k = DecipherKey(code);
            built.emplace(KeyOfCode{k.VirtualKey, k.MouseButton, k.Ctrl, k.Alt, k.Shift, k.Win},
                          code);
        }
        return built;
    }();
    return codes;
}

std::optional<std::uint16_t> CodeOf(std::uint8_t virtualKey, std::uint8_t button, unsigned state,
                                    const ModifierMasks& masks) {
    const bool ctrl = (state & ControlMask) != 0;
    const bool alt = masks.Alt != 0 && (state & masks.Alt) != 0;
    const bool shift = (state & ShiftMask) != 0;
    const bool win = masks.Win != 0 && (state & masks.Win) != 0;
    const auto& codes = CodesByKey();
    const auto found = codes.find(KeyOfCode{virtualKey, button, ctrl, alt, shift, win});
    if (found == codes.end()) {
        return std::nullopt;
    }
    return found->second;
}

// X buttons: 1 left, 2 middle, 3 right; the table: 1 left, 2 right, 3 middle.
constexpr unsigned XButtonOf(std::uint8_t tableButton) {
    return tableButton == 2 ? 3U : tableButton == 3 ? 2U : tableButton;
}

} // namespace

HookKeymap HookKeymapOf(KeymapSnapshot snapshot) {
    HookKeymap keymap;
    for (std::size_t kc = 0; kc < snapshot.Keys.size(); ++kc) {
        keymap.ModMap[kc] = snapshot.Keys[kc].ModMap;
    }
    keymap.Snapshot = snapshot;
    keymap.Keys = Keymap(std::move(snapshot));
    const auto maskOf = [&](std::initializer_list<Keysym> keysyms) {
        for (Keysym keysym : keysyms) {
            if (const unsigned mask = keymap.Keys.ModifierOfKeysym(keysym)) {
                return mask;
            }
        }
        return 0U;
    };
    keymap.Masks.Alt = maskOf({XK_Alt_L, XK_Alt_R, XK_Meta_L});
    keymap.Masks.Win = maskOf({XK_Super_L, XK_Super_R, XK_Hyper_L});
    keymap.Masks.NumLock = maskOf({XK_Num_Lock});
    keymap.Masks.ScrollLock = maskOf({XK_Scroll_Lock});
    return keymap;
}

std::vector<unsigned> LockCombinations(const ModifierMasks& masks) {
    std::vector<unsigned> locks{LockMask};
    for (unsigned mask : {masks.NumLock, masks.ScrollLock}) {
        if (mask != 0 && std::find(locks.begin(), locks.end(), mask) == locks.end()) {
            locks.push_back(mask);
        }
    }
    std::vector<unsigned> combinations;
    for (unsigned subset = 0; subset < (1U << locks.size()); ++subset) {
        unsigned combined = 0;
        for (std::size_t k = 0; k < locks.size(); ++k) {
            if ((subset & (1U << k)) != 0) {
                combined |= locks[k];
            }
        }
        combinations.push_back(combined);
    }
    return combinations;
}

unsigned GrabModifiersOf(const DecipheredKey& key, const ModifierMasks& masks) {
    return (key.Ctrl ? ControlMask : 0) | (key.Shift ? ShiftMask : 0) | (key.Alt ? masks.Alt : 0) |
           (key.Win ? masks.Win : 0);
}

std::optional<GrabTarget> GrabOf(std::uint32_t code, const HookKeymap& keymap, unsigned group) {
    if (code >= HotKeyCount) {
        return std::nullopt;
    }
    const DecipheredKey key = DecipherKey(code);
    if ((key.Alt && keymap.Masks.Alt == 0) || (key.Win && keymap.Masks.Win == 0)) {
        return std::nullopt;
    }
    const unsigned modifiers = GrabModifiersOf(key, keymap.Masks);
    if (key.MouseButton != 0) {
        return GrabTarget{true, XButtonOf(key.MouseButton), modifiers};
    }
    const Keysym keysym = KeysymOfVirtualKey(key.VirtualKey);
    const auto keycode = keymap.Keys.KeycodeOfKeysym(keysym, group);
    if (!keycode || HotKeyVirtualKeyOf(keymap, *keycode, group) != key.VirtualKey) {
        return std::nullopt;
    }
    return GrabTarget{false, *keycode, modifiers};
}

std::optional<std::uint8_t> HotKeyVirtualKeyOf(const HookKeymap& keymap, std::uint8_t keycode,
                                               unsigned group) {
    for (unsigned digit = 0; digit < 10; ++digit) {
        if (keymap.Keys.LevelOfKeysym(keycode, group, XK_KP_0 + digit)) {
            return static_cast<std::uint8_t>(96 + digit);
        }
    }
    return VirtualKeyOfKeysym(keymap.Keys.BaseKeysym(keycode, group));
}

std::optional<std::uint16_t> HotKeyOfKey(const HookKeymap& keymap, std::uint8_t keycode,
                                         unsigned state, unsigned group) {
    const auto virtualKey = HotKeyVirtualKeyOf(keymap, keycode, group);
    if (!virtualKey) {
        return std::nullopt;
    }
    return CodeOf(*virtualKey, 0, state, keymap.Masks);
}

std::optional<std::uint16_t> HotKeyOfButton(const HookKeymap& keymap, unsigned button,
                                            unsigned state) {
    if (button < 1 || button > 3) {
        return std::nullopt;
    }
    return CodeOf(0, static_cast<std::uint8_t>(XButtonOf(static_cast<std::uint8_t>(button))), state,
                  keymap.Masks);
}

std::optional<unsigned char> TypedCharacterOf(const HookKeymap& keymap, std::uint8_t keycode,
                                              unsigned state, unsigned group) {
    if ((state & ControlMask) != 0 || (keymap.Masks.Alt != 0 && (state & keymap.Masks.Alt)) ||
        (keymap.Masks.Win != 0 && (state & keymap.Masks.Win))) {
        return std::nullopt;
    }
    const KeyType* type = keymap.Keys.TypeOf(keycode, group);
    if (type == nullptr) {
        return std::nullopt;
    }
    const KeyEntry& key = keymap.Snapshot.Keys[keycode];
    const std::vector<Keysym>& levels =
        key.Groups[Keymap::WrapGroup(group, key.Groups.size())].Levels;
    const unsigned level = LevelOf(*type, state);
    const Keysym keysym = level < levels.size() ? levels[level] : NoKeysym;
    // The keypad's digits count as digits and its Enter as Enter; its other keys type no word
    // character (IsKeypadKey tells them apart from keys that type nothing at all).
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
        return static_cast<unsigned char>('0' + (keysym - XK_KP_0));
    }
    if (keysym == XK_KP_Enter) {
        return '\r';
    }
    const char32_t ch = CharacterOfKeysym(keysym);
    if (ch == 0 || ch == 127) {
        return std::nullopt;
    }
    return UnicodeToWindows1252(ch);
}

bool IsKeypadKey(const HookKeymap& keymap, std::uint8_t keycode, unsigned group) {
    const Keysym base = keymap.Keys.BaseKeysym(keycode, group);
    return base >= XK_KP_Space && base <= XK_KP_9;
}

unsigned HeldModifiersOf(const HookKeymap& keymap, const std::array<bool, 256>& held) {
    unsigned mods = 0;
    for (std::size_t kc = 0; kc < held.size(); ++kc) {
        if (held[kc]) {
            mods |= keymap.ModMap[kc];
        }
    }
    return mods;
}

std::vector<std::uint8_t> KeysHeldDown(const HookKeymap& keymap, const std::array<bool, 256>& held,
                                       bool modifiersOnly) {
    constexpr unsigned HeldModifierMask = 0xFFU & ~LockMask;
    std::vector<std::uint8_t> keys;
    for (std::size_t kc = 0; kc < held.size(); ++kc) {
        const bool modifier = (keymap.ModMap[kc] & HeldModifierMask) != 0;
        const bool lock =
            (keymap.ModMap[kc] & (keymap.Masks.NumLock | keymap.Masks.ScrollLock)) != 0;
        if (held[kc] && !lock && (modifier || !modifiersOnly)) {
            keys.push_back(static_cast<std::uint8_t>(kc));
        }
    }
    return keys;
}

} // namespace orvane
