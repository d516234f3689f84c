// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/KeystrokeText.h"

#include "core/CodePage.h"
#include "script/TagLayout.h"

#include <algorithm>

namespace orvane {

const std::array<KeyButton, 30> KeyButtons = {{
    {"S&hift", "<SHIFT>", "Shift"},
    {"C&trl", "<CTRL>", "Ctrl"},
    {"Alt", "<ALT>", "Alt"},
    {"Space", "<SPACE>", "Space"},
    {"Ta&b", "<TAB>", "Tab"},
    {"Backspace", "<BACKSPACE>", "Backspace"},
    {"E&nter", "<ENTER>", "Enter"},
    {"E&sc", "<ESC>", "Esc"},
    {"Page Do&wn", "<PAGE DOWN>", "PageDown"},
    {"Pa&ge Up", "<PAGE UP>", "PageUp"},
    {"&Insert", "<INSERT>", "Insert"},
    {"&Delete", "<DELETE>", "Delete"},
    {"Ho&me", "<HOME>", "Home"},
    {"End", "<END>", "End"},
    {"U&p Arrow", "<UP ARROW>", "UpArrow"},
    {"D&own Arrow", "<DOWN ARROW>", "DownArrow"},
    {"&Left Arrow", "<LEFT ARROW>", "LeftArrow"},
    {"&Right Arrow", "<RIGHT ARROW>", "RightArrow"},
    {"F1", "<F1>", "F1"},
    {"F2", "<F2>", "F2"},
    {"F3", "<F3>", "F3"},
    {"F4", "<F4>", "F4"},
    {"F5", "<F5>", "F5"},
    {"F6", "<F6>", "F6"},
    {"F7", "<F7>", "F7"},
    {"F8", "<F8>", "F8"},
    {"F9", "<F9>", "F9"},
    {"F10", "<F10>", "F10"},
    {"F11", "<F11>", "F11"},
    {"F12", "<F12>", "F12"},
}};

const std::array<KeyButton, 38> MiscellaneousKeys = {{
    {"Left Window", "<LEFTWIN>", "LeftWindow"},
    {"Right Window", "<RIGHTWIN>", "RightWindow"},
    {"Application", "<APP>", "Application"},
    {"F13", "<F13>", "F13"},
    {"F14", "<F14>", "F14"},
    {"F15", "<F15>", "F15"},
    {"F16", "<F16>", "F16"},
    {"F17", "<F17>", "F17"},
    {"F18", "<F18>", "F18"},
    {"F19", "<F19>", "F19"},
    {"F20", "<F20>", "F20"},
    {"F21", "<F21>", "F21"},
    {"F22", "<F22>", "F22"},
    {"F23", "<F23>", "F23"},
    {"F24", "<F24>", "F24"},
    {"Attn", "<ATTN>", "Attn"},
    {"CrSel", "<CRSEL>", "CrSel"},
    {"ExSel", "<EXSEL>", "ExSel"},
    {"Erase EOF", "<EREOF>", "EraseEof"},
    {"Play", "<PLAY>", "Play"},
    {"Zoom", "<ZOOM>", "Zoom"},
    {"PA1", "<PA1>", "Pa1"},
    {"Keypad 0", "<KEYP0>", "Keypad0"},
    {"Keypad 1", "<KEYP1>", "Keypad1"},
    {"Keypad 2", "<KEYP2>", "Keypad2"},
    {"Keypad 3", "<KEYP3>", "Keypad3"},
    {"Keypad 4", "<KEYP4>", "Keypad4"},
    {"Keypad 5", "<KEYP5>", "Keypad5"},
    {"Keypad 6", "<KEYP6>", "Keypad6"},
    {"Keypad 7", "<KEYP7>", "Keypad7"},
    {"Keypad 8", "<KEYP8>", "Keypad8"},
    {"Keypad 9", "<KEYP9>", "Keypad9"},
    {"Keypad .", "<KEYP.>", "KeypadPoint"},
    {"Keypad /", "<KEYP/>", "KeypadSlash"},
    {"Keypad *", "<KEYP*>", "KeypadStar"},
    {"Keypad -", "<KEYP->", "KeypadMinus"},
    {"Keypad +", "<KEYP+>", "KeypadPlus"},
    {"Print Screen", "<PRTSCR>", "PrintScreen"},
}};

std::optional<Insertion> InsertAtCaret(std::string_view text, std::size_t caret,
                                       std::string_view inserted) {
    if (text.size() + inserted.size() > KeystrokeTextLimit) {
        return std::nullopt;
    }
    caret = std::min(caret, text.size());
    Insertion result;
    result.Text.reserve(text.size() + inserted.size());
    result.Text.append(text.substr(0, caret)).append(inserted).append(text.substr(caret));
    result.Caret = caret + inserted.size();
    return result;
}

UpdatedText UpdateKeystrokes(std::string_view text) {
    UpdatedText result;
    for (const char c : text) {
        if (c == '\t') {
            result.Text += "<TAB>";
        } else {
            result.Text += c;
        }
    }
    if (result.Text.size() > KeystrokeTextLimit) {
        result.Text.resize(KeystrokeTextLimit);
        result.Truncated = true;
    }
    return result;
}

std::string KeystrokesFromBox(std::string_view utf8) {
    std::string stored = Utf8ToWindows1252(utf8);
    std::string out;
    out.reserve(stored.size() + 16);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const char c = stored[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::string BoxFromKeystrokes(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const char c = stored[i];
        if (c == '\r' || c == '\n') {
            out += '\n';
            if (c == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += c;
        }
    }
    return Windows1252ToUtf8(out);
}

std::optional<char> SymbolAt(int column, int row) {
    if (column < 0 || column >= 16 || row < 0 || row >= 8) {
        return std::nullopt;
    }
    const int code = 128 + 8 * column + row;
    // The five unused positions stand for control characters, which type nothing.
    if (Windows1252ToUnicode(static_cast<unsigned char>(code)) < 0xA0 && code < 0xA0 &&
        Windows1252ToUnicode(static_cast<unsigned char>(code)) == static_cast<char32_t>(code)) {
        return std::nullopt;
    }
    return static_cast<char>(code);
}

std::optional<FormRefusal> Check(const AltKeypadForm& form) {
    const std::string digits = Trimmed(form.Digits);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return FormRefusal{std::string(NotNumericText), "Seconds"};
    }
    if (digits.size() > 4) {
        return FormRefusal{std::string(TooManyDigitsText), "Seconds"};
    }
    return std::nullopt;
}

std::string Build(const AltKeypadForm& form) {
    std::string digits = Trimmed(form.Digits);
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    return WriteTag(digits.size() == 4 ? Tags::AltCode4 : Tags::AltCode3, {digits});
}

} // namespace orvane
