// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/NamedKeys.h"

namespace orvane {

using K = ItemKind;

const std::array<NamedKey, 68> NamedKeys = {{
    {"S&hift", "<SHIFT>", "Shift", K::ShiftOneShot},
    {"C&trl", "<CTRL>", "Ctrl", K::CtrlOneShot},
    {"Alt", "<ALT>", "Alt", K::AltToggle},
    {"Space", "<SPACE>", "Space", K::Key, 32},
    {"Ta&b", "<TAB>", "Tab", K::Key, 9},
    {"Backspace", "<BACKSPACE>", "Backspace", K::Key, 8},
    {"E&nter", "<ENTER>", "Enter", K::Key, 13},
    {"E&sc", "<ESC>", "Esc", K::Key, 27},
    {"Page Do&wn", "<PAGE DOWN>", "PageDown", K::Key, 34},
    {"Pa&ge Up", "<PAGE UP>", "PageUp", K::Key, 33},
    {"&Insert", "<INSERT>", "Insert", K::Key, 45},
    {"&Delete", "<DELETE>", "Delete", K::Key, 46},
    {"Ho&me", "<HOME>", "Home", K::Key, 36},
    {"End", "<END>", "End", K::Key, 35},
    {"U&p Arrow", "<UP ARROW>", "UpArrow", K::Key, 38},
    {"D&own Arrow", "<DOWN ARROW>", "DownArrow", K::Key, 40},
    {"&Left Arrow", "<LEFT ARROW>", "LeftArrow", K::Key, 37},
    {"&Right Arrow", "<RIGHT ARROW>", "RightArrow", K::Key, 39},
    {"F1", "<F1>", "F1", K::Key, 112},
    {"F2", "<F2>", "F2", K::Key, 113},
    {"F3", "<F3>", "F3", K::Key, 114},
    {"F4", "<F4>", "F4", K::Key, 115},
    {"F5", "<F5>", "F5", K::Key, 116},
    {"F6", "<F6>", "F6", K::Key, 117},
    {"F7", "<F7>", "F7", K::Key, 118},
    {"F8", "<F8>", "F8", K::Key, 119},
    {"F9", "<F9>", "F9", K::Key, 120},
    {"F10", "<F10>", "F10", K::Key, 121},
    {"F11", "<F11>", "F11", K::Key, 122},
    {"F12", "<F12>", "F12", K::Key, 123},
    // The "Miscellaneous" list.
    {"Left Window", "<LEFTWIN>", "LeftWindow", K::Key, 91},
    {"Right Window", "<RIGHTWIN>", "RightWindow", K::Key, 92},
    {"Application", "<APP>", "Application", K::Key, 93},
    {"F13", "<F13>", "F13", K::Key, 124},
    {"F14", "<F14>", "F14", K::Key, 125},
    {"F15", "<F15>", "F15", K::Key, 126},
    {"F16", "<F16>", "F16", K::Key, 127},
    {"F17", "<F17>", "F17", K::Key, 128},
    {"F18", "<F18>", "F18", K::Key, 129},
    {"F19", "<F19>", "F19", K::Key, 130},
    {"F20", "<F20>", "F20", K::Key, 131},
    {"F21", "<F21>", "F21", K::Key, 132},
    {"F22", "<F22>", "F22", K::Key, 133},
    {"F23", "<F23>", "F23", K::Key, 134},
    {"F24", "<F24>", "F24", K::Key, 135},
    {"Attn", "<ATTN>", "Attn", K::Key, 246},
    {"CrSel", "<CRSEL>", "CrSel", K::Key, 247},
    {"ExSel", "<EXSEL>", "ExSel", K::Key, 248},
    {"Erase EOF", "<EREOF>", "EraseEof", K::Key, 249},
    {"Play", "<PLAY>", "Play", K::Key, 250},
    {"Zoom", "<ZOOM>", "Zoom", K::Key, 251},
    {"PA1", "<PA1>", "Pa1", K::Key, 253},
    {"Keypad 0", "<KEYP0>", "Keypad0", K::Key, 96},
    {"Keypad 1", "<KEYP1>", "Keypad1", K::Key, 97},
    {"Keypad 2", "<KEYP2>", "Keypad2", K::Key, 98},
    {"Keypad 3", "<KEYP3>", "Keypad3", K::Key, 99},
    {"Keypad 4", "<KEYP4>", "Keypad4", K::Key, 100},
    {"Keypad 5", "<KEYP5>", "Keypad5", K::Key, 101},
    {"Keypad 6", "<KEYP6>", "Keypad6", K::Key, 102},
    {"Keypad 7", "<KEYP7>", "Keypad7", K::Key, 103},
    {"Keypad 8", "<KEYP8>", "Keypad8", K::Key, 104},
    {"Keypad 9", "<KEYP9>", "Keypad9", K::Key, 105},
    {"Keypad .", "<KEYP.>", "KeypadPoint", K::Key, 110},
    {"Keypad /", "<KEYP/>", "KeypadSlash", K::Key, 111},
    {"Keypad *", "<KEYP*>", "KeypadStar", K::Key, 106},
    {"Keypad -", "<KEYP->", "KeypadMinus", K::Key, 109},
    {"Keypad +", "<KEYP+>", "KeypadPlus", K::Key, 107},
    {"Print Screen", "<PRTSCR>", "PrintScreen", K::Key, 44},
}};

const std::span<const NamedKey, 30> KeyButtons(NamedKeys.data(), 30);
const std::span<const NamedKey, 38> MiscellaneousKeys(NamedKeys.data() + 30, 38);

std::string_view NamedKeyTag(std::uint8_t virtualKey) {
    for (const NamedKey& key : NamedKeys) {
        if (key.Kind == ItemKind::Key && key.VirtualKey == virtualKey) {
            return key.Tag;
        }
    }
    return {};
}

std::string_view OneShotTag(ItemKind kind) {
    for (const NamedKey& key : NamedKeys) {
        if (key.Kind == kind && kind != ItemKind::Key) {
            return key.Tag;
        }
    }
    return {};
}

} // namespace orvane
