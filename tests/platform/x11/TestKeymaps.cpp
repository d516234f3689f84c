// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestKeymaps.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace orvane::test {
namespace {

void Put(KeymapSnapshot& s, std::uint8_t keycode, unsigned type, std::vector<Keysym> levels,
         std::uint8_t modMap = 0) {
    s.Keys[keycode].Groups = {KeyGroup{type, std::move(levels)}};
    s.Keys[keycode].ModMap = modMap;
}

KeymapSnapshot Base() {
    KeymapSnapshot s;
    s.Types = {
        KeyType{0, {}},
        KeyType{ModifierMask::Shift, {{ModifierMask::Shift, 1}}},
        KeyType{ModifierMask::Shift | ModifierMask::Lock,
                {{ModifierMask::Shift, 1}, {ModifierMask::Lock, 1}}},
        KeyType{ModifierMask::Shift | NumLockMask, {{NumLockMask, 1}, {ModifierMask::Shift, 1}}},
        KeyType{ModifierMask::Shift | Level3Mask,
                {{ModifierMask::Shift, 1}, {Level3Mask, 2}, {ModifierMask::Shift | Level3Mask, 3}}},
    };
    Put(s, 9, OneLevel, {XK_Escape});
    Put(s, KeyOne, TwoLevel, {XK_1, XK_exclam});
    for (std::uint8_t i = 1; i < 9; ++i) {
        const Keysym shifted[] = {XK_at,          XK_numbersign, XK_dollar,   XK_percent,
                                  XK_asciicircum, XK_ampersand,  XK_asterisk, XK_parenleft};
        Put(s, static_cast<std::uint8_t>(KeyOne + i), TwoLevel,
            {static_cast<Keysym>(XK_1 + i), shifted[i - 1]});
    }
    Put(s, 19, TwoLevel, {XK_0, XK_parenright});
    Put(s, KeyMinus, TwoLevel, {XK_minus, XK_underscore});
    Put(s, 22, TwoLevel, {XK_BackSpace, XK_BackSpace});
    Put(s, 23, TwoLevel, {XK_Tab, XK_ISO_Left_Tab});
    const char* rows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    const std::uint8_t starts[] = {KeyQ, KeyA, KeyZ};
    for (int r = 0; r < 3; ++r) {
        for (int i = 0; rows[r][i] != 0; ++i) {
            const Keysym lower = static_cast<Keysym>(rows[r][i]);
            Put(s, static_cast<std::uint8_t>(starts[r] + i), Alphabetic,
                {lower, lower - (XK_a - XK_A)});
        }
    }
    Put(s, KeyReturn, OneLevel, {XK_Return});
    Put(s, 37, OneLevel, {XK_Control_L}, ModifierMask::Control);
    Put(s, KeyShift, TwoLevel, {XK_Shift_L}, ModifierMask::Shift);
    Put(s, 51, TwoLevel, {XK_backslash, XK_bar});
    Put(s, KeySlash, TwoLevel, {XK_slash, XK_question});
    Put(s, 65, OneLevel, {XK_space});
    Put(s, 77, OneLevel, {XK_Num_Lock}, NumLockMask);
    Put(s, KeyKeypad1, Keypad, {XK_KP_End, XK_KP_1});
    Put(s, KeyLevel3, OneLevel, {XK_ISO_Level3_Shift}, Level3Mask);
    Put(s, 94, TwoLevel, {XK_less, XK_greater});
    Put(s, 191, OneLevel, {XF86XK_Tools});
    return s;
}

} // namespace

KeymapSnapshot UsSnapshot() {
    KeymapSnapshot s = Base();
    s.Keys[KeyE].Groups.push_back(KeyGroup{Alphabetic, {XK_Cyrillic_u, XK_Cyrillic_U}});
    return s;
}

KeymapSnapshot GermanSnapshot() {
    KeymapSnapshot s = Base();
    Put(s, KeyY, Alphabetic, {XK_z, XK_Z});
    Put(s, KeyZ, Alphabetic, {XK_y, XK_Y});
    Put(s, KeyOne + 1, TwoLevel, {XK_2, XK_quotedbl});
    Put(s, KeySeven, TwoLevel, {XK_7, XK_slash});
    Put(s, KeySlash, TwoLevel, {XK_minus, XK_underscore});
    Put(s, KeyMinus, TwoLevel, {XK_ssharp, XK_question});
    Put(s, KeyQ, FourLevel, {XK_q, XK_Q, XK_at, XK_Greek_OMEGA});
    Put(s, KeyE, FourLevel, {XK_e, XK_E, XK_EuroSign, XK_EuroSign});
    return s;
}

} // namespace orvane::test
