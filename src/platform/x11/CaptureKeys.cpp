// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/CaptureKeys.h"

#include "core/CodePage.h"
#include "platform/linux/KeysymText.h"
#include "platform/linux/VirtualKeys.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <optional>

namespace orvane {
namespace {

std::optional<CaptureModifier> ModifierOf(Keysym keysym) {
    switch (keysym) {
    case XK_Shift_L:
    case XK_Shift_R:
        return CaptureModifier::Shift;
    case XK_Control_L:
    case XK_Control_R:
        return CaptureModifier::Ctrl;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return CaptureModifier::Alt;
    case XK_Super_L:
    case XK_Super_R:
    case XK_Hyper_L:
    case XK_Hyper_R:
        return CaptureModifier::Win;
    case XK_ISO_Level3_Shift:
    case XK_ISO_Level5_Shift:
    case XK_Mode_switch:
        return CaptureModifier::Level;
    case XK_Caps_Lock:
    case XK_Shift_Lock:
    case XK_Num_Lock:
    case XK_Scroll_Lock:
        return CaptureModifier::Lock;
    default:
        return std::nullopt;
    }
}

// The keypad's keys with Num Lock off stand for the keys of the same name.
std::optional<std::uint8_t> KeypadVirtualKey(Keysym keysym) {
    switch (keysym) {
    case XK_KP_Enter:
        return 13;
    case XK_KP_Tab:
        return 9;
    case XK_KP_Prior:
        return 33;
    case XK_KP_Next:
        return 34;
    case XK_KP_End:
        return 35;
    case XK_KP_Home:
        return 36;
    case XK_KP_Left:
        return 37;
    case XK_KP_Up:
        return 38;
    case XK_KP_Right:
        return 39;
    case XK_KP_Down:
        return 40;
    case XK_KP_Insert:
        return 45;
    case XK_KP_Delete:
        return 46;
    default:
        return std::nullopt;
    }
}

} // namespace

CaptureKey CaptureKeyOf(const HookKeymap& keymap, std::uint8_t keycode, unsigned state,
                        unsigned group) {
    CaptureKey key;
    const Keysym base = keymap.Keys.BaseKeysym(keycode, group);
    if (const auto modifier = ModifierOf(base)) {
        key.Modifier = *modifier;
        return key;
    }
    const KeyType* type = keymap.Keys.TypeOf(keycode, group);
    if (type == nullptr) {
        return key;
    }
    const unsigned commandMods = ControlMask | keymap.Masks.Alt | keymap.Masks.Win;
    const KeyEntry& entry = keymap.Snapshot.Keys[keycode];
    const std::vector<Keysym>& levels =
        entry.Groups[Keymap::WrapGroup(group, entry.Groups.size())].Levels;
    const unsigned level = LevelOf(*type, state & ~commandMods);
    const Keysym keysym = level < levels.size() ? levels[level] : NoKeysym;
    const char32_t ch = CharacterOfKeysym(keysym);
    if (ch >= 0x20 && ch != 0x7F) {
        key.Character = UnicodeToWindows1252(ch).value_or(0);
        return key;
    }
    for (const Keysym candidate : {keysym, base}) {
        if (const auto keypad = KeypadVirtualKey(candidate)) {
            key.VirtualKey = *keypad;
            return key;
        }
        if (const auto virtualKey = VirtualKeyOfKeysym(candidate)) {
            key.VirtualKey = *virtualKey;
            return key;
        }
    }
    return key;
}

int AutoRepeatsBetween(std::uint32_t press, std::uint32_t release, unsigned delay,
                       unsigned interval) {
    const auto held = static_cast<std::int64_t>(static_cast<std::int32_t>(release - press));
    if (interval == 0 || held <= static_cast<std::int64_t>(delay)) {
        return 0;
    }
    return static_cast<int>((held - static_cast<std::int64_t>(delay) - 1) / interval + 1);
}

} // namespace orvane
