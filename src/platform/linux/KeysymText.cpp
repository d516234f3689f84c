// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/KeysymText.h"

#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

namespace orvane {
namespace {

bool IsKeypadKeysym(Keysym keysym) {
    return keysym >= XK_KP_Space && keysym <= XK_KP_Equal;
}

bool IsTypedControl(char32_t ch) {
    return ch == U'\b' || ch == U'\t' || ch == U'\r' || ch == 0x1B || ch == 0x7F;
}

} // namespace

char32_t CharacterOfKeysym(Keysym keysym) {
    if (keysym == NoKeysym || keysym == XK_Linefeed || IsKeypadKeysym(keysym)) {
        return 0;
    }
    const char32_t ch = xkb_keysym_to_utf32(keysym);
    if ((ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) && !IsTypedControl(ch)) {
        return 0;
    }
    return ch;
}

Keysym KeysymOfCharacter(char32_t ch) {
    if (ch == U'\n') {
        return XK_Return;
    }
    if ((ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) && !IsTypedControl(ch)) {
        return NoKeysym;
    }
    const Keysym keysym = xkb_utf32_to_keysym(ch);
    // The lowest keysym of a character can be a keypad one (never for the characters above,
    // but guard it: a keypad keysym would depend on Num Lock).
    if (IsKeypadKeysym(keysym)) {
        return 0x1000000 + ch;
    }
    return keysym;
}

Keysym BindingKeysymOfCharacter(char32_t ch) {
    const Keysym legacy = KeysymOfCharacter(ch);
    // Past Latin-1 the legacy keysyms are read differently by different toolkits (GTK types
    // nothing for "permille"); the Unicode keysym means the character to every one of them.
    if (legacy == NoKeysym || ch <= 0xFF || legacy >= 0x1000000 || legacy == XK_Return) {
        return legacy;
    }
    return 0x1000000 + ch;
}

} // namespace orvane
