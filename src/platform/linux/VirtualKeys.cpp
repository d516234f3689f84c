// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/VirtualKeys.h"

// The 3270 keysyms are only declared on request.
#define XK_3270
#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <array>

namespace orvane {
namespace {

// Indexed by virtual-key code. The 3270 keys (Attn, CrSel, ExSel, ErEOF, Play, PA1) have X
// keysyms of their own; keymaps rarely carry them, so the backend binds them for the moment.
constexpr std::array<Keysym, 256> BuildTable() {
    std::array<Keysym, 256> t{};
    t[8] = XK_BackSpace;
    t[9] = XK_Tab;
    t[12] = XK_Clear;
    t[13] = XK_Return;
    t[16] = XK_Shift_L;
    t[17] = XK_Control_L;
    t[18] = XK_Alt_L;
    t[19] = XK_Pause;
    t[20] = XK_Caps_Lock;
    t[27] = XK_Escape;
    t[32] = XK_space;
    t[33] = XK_Prior;
    t[34] = XK_Next;
    t[35] = XK_End;
    t[36] = XK_Home;
    t[37] = XK_Left;
    t[38] = XK_Up;
    t[39] = XK_Right;
    t[40] = XK_Down;
    t[41] = XK_Select;
    t[42] = XK_Print;
    t[44] = XK_Print;
    t[45] = XK_Insert;
    t[46] = XK_Delete;
    t[47] = XK_Help;
    for (int i = 0; i < 10; ++i) {
        t[0x30 + i] = XK_0 + i;
        t[96 + i] = XK_KP_0 + i;
    }
    for (int i = 0; i < 26; ++i) {
        t[0x41 + i] = XK_a + i;
    }
    t[91] = XK_Super_L;
    t[92] = XK_Super_R;
    t[93] = XK_Menu;
    t[106] = XK_KP_Multiply;
    t[107] = XK_KP_Add;
    t[108] = XK_KP_Separator;
    t[109] = XK_KP_Subtract;
    t[110] = XK_KP_Decimal;
    t[111] = XK_KP_Divide;
    for (int i = 0; i < 24; ++i) {
        t[112 + i] = XK_F1 + i;
    }
    t[144] = XK_Num_Lock;
    t[145] = XK_Scroll_Lock;
    t[160] = XK_Shift_L;
    t[161] = XK_Shift_R;
    t[162] = XK_Control_L;
    t[163] = XK_Control_R;
    t[164] = XK_Alt_L;
    t[165] = XK_Alt_R;
    t[186] = XK_semicolon;
    t[187] = XK_equal;
    t[188] = XK_comma;
    t[189] = XK_minus;
    t[190] = XK_period;
    t[191] = XK_slash;
    t[192] = XK_grave;
    t[219] = XK_bracketleft;
    t[220] = XK_backslash;
    t[221] = XK_bracketright;
    t[222] = XK_apostrophe;
    t[226] = XK_less;
    t[246] = XK_3270_Attn;
    t[247] = XK_3270_CursorSelect;
    t[248] = XK_3270_ExSelect;
    t[249] = XK_3270_EraseEOF;
    t[250] = XK_3270_Play;
    t[251] = XF86XK_ZoomIn;
    t[253] = XK_3270_PA1;
    return t;
}

constexpr std::array<Keysym, 256> KeysymTable = BuildTable();

} // namespace

Keysym KeysymOfVirtualKey(std::uint8_t virtualKey) {
    return KeysymTable[virtualKey];
}

std::optional<std::uint8_t> VirtualKeyOfKeysym(Keysym keysym) {
    if (keysym >= XK_A && keysym <= XK_Z) {
        keysym += XK_a - XK_A;
    }
    // Modifier and a few other keysyms appear under two codes (the generic one and the
    // left/right one); the generic, lower code is the one a layout query reports.
    for (unsigned vk = 1; vk < KeysymTable.size(); ++vk) {
        if (KeysymTable[vk] == keysym) {
            return static_cast<std::uint8_t>(vk);
        }
    }
    return std::nullopt;
}

unsigned MouseButtonOfVirtualKey(std::uint8_t virtualKey) {
    switch (virtualKey) {
    case VirtualKeyCode::LeftButton:
        return 1;
    case VirtualKeyCode::RightButton:
        return 3;
    case VirtualKeyCode::MiddleButton:
        return 2;
    default:
        return 0;
    }
}

bool IsNumLockKeypadKey(std::uint8_t virtualKey) {
    return (virtualKey >= VirtualKeyCode::Numpad0 && virtualKey <= VirtualKeyCode::Numpad9) ||
           virtualKey == VirtualKeyCode::Decimal;
}

} // namespace orvane
