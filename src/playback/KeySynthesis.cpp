// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/KeySynthesis.h"

#include <cmath>
#include <limits>
#include <string>

namespace orvane {
namespace {

// Shift states of the layout query: bit 1 Shift, bit 2 Ctrl, bit 4 Alt. Only these four
// combinations press modifiers; any other state types the bare key.
constexpr std::uint8_t ShiftOnly = 1;
constexpr std::uint8_t CtrlOnly = 2;
constexpr std::uint8_t CtrlAlt = 6;
constexpr std::uint8_t ShiftCtrlAlt = 7;

struct ButtonFlags {
    std::uint32_t Down;
    std::uint32_t Up;
};

ButtonFlags FlagsOf(MouseButtonId button) {
    switch (button) {
    case MouseButtonId::Right:
        return {MouseFlag::RightDown, MouseFlag::RightUp};
    case MouseButtonId::Middle:
        return {MouseFlag::MiddleDown, MouseFlag::MiddleUp};
    case MouseButtonId::Left:
        break;
    }
    return {MouseFlag::LeftDown, MouseFlag::LeftUp};
}

// trunc(value * 65535 / extent), kept inside the 32-bit range of the event.
std::int32_t AbsoluteCoordinate(double value, int extent) {
    if (extent <= 0) {
        return 0;
    }
    const double scaled = std::trunc(value * (65535.0 / extent));
    if (!(scaled > std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (!(scaled < std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(scaled);
}

} // namespace

void KeySynthesis::PostVKey(std::uint8_t key, bool up) {
    input_.PostKey(key, up);
}

void KeySynthesis::KeystrokeDelay() {
    if (state_.KeyDelayOn) {
        waits_.DelayFor(state_.KeyDelay);
    }
}

void KeySynthesis::MouseDelay() {
    if (state_.MouseDelayOn) {
        waits_.DelayFor(state_.MouseDelay);
    }
}

void KeySynthesis::TypeChar(unsigned char ch, OneShotMarks& marks) {
    KeystrokeDelay();
    if (ch >= 128) {
        const char digits[] = {'0', static_cast<char>('0' + ch / 100),
                               static_cast<char>('0' + ch / 10 % 10),
                               static_cast<char>('0' + ch % 10)};
        PostAltCode(std::string_view(digits, sizeof digits));
        return;
    }
    if (ch == '\n') {
        ch = '\r';
    }
    const std::optional<KeyScan> scan = input_.ScanCharacter(ch);
    if (!scan) {
        if (ch >= 32) {
            input_.TypeCharacter(ch);
        }
        ReleaseOneShots(marks);
        return;
    }
    switch (scan->ShiftState) {
    case ShiftOnly:
        PostVKey(VirtualKey::Shift, false);
        marks.Shift = true;
        break;
    case CtrlOnly:
        PostVKey(VirtualKey::Ctrl, false);
        marks.Ctrl = true;
        break;
    case CtrlAlt:
        PostVKey(VirtualKey::Ctrl, false);
        PostVKey(VirtualKey::Alt, false);
        marks.Ctrl = true;
        marks.Alt = true;
        break;
    case ShiftCtrlAlt:
        PostVKey(VirtualKey::Shift, false);
        PostVKey(VirtualKey::Ctrl, false);
        PostVKey(VirtualKey::Alt, false);
        marks.Shift = true;
        marks.Ctrl = true;
        marks.Alt = true;
        break;
    default:
        break;
    }
    PostVKey(scan->VirtualKey, false);
    PostVKey(scan->VirtualKey, true);
    ReleaseOneShots(marks);
}

void KeySynthesis::PostAltCode(std::string_view digits) {
    std::string onlyDigits;
    for (const char ch : digits) {
        if (ch >= '0' && ch <= '9') {
            onlyDigits.push_back(ch);
        }
    }
    if (!onlyDigits.empty()) {
        input_.PostAltCode(onlyDigits);
    }
}

void KeySynthesis::ReleaseOneShots(OneShotMarks& marks) {
    if (marks.Shift) {
        marks.Shift = false;
        PostVKey(VirtualKey::Shift, true);
    }
    if (marks.Ctrl) {
        marks.Ctrl = false;
        PostVKey(VirtualKey::Ctrl, true);
    }
    if (marks.Alt) {
        marks.Alt = false;
        PostVKey(VirtualKey::Alt, true);
    }
}

void KeySynthesis::NamedKey(std::uint8_t key, OneShotMarks& marks) {
    KeystrokeDelay();
    PostVKey(key, false);
    PostVKey(key, true);
    ReleaseOneShots(marks);
}

void KeySynthesis::MouseKey(std::uint8_t key, OneShotMarks& marks) {
    PostVKey(key, false);
    PostVKey(key, true);
    ReleaseOneShots(marks);
}

void KeySynthesis::AltCodeTag(std::string_view digits) {
    KeystrokeDelay();
    PostAltCode(digits);
}

void KeySynthesis::ShiftOneShot(OneShotMarks& marks) {
    PostVKey(VirtualKey::Shift, false);
    marks.Shift = true;
}

void KeySynthesis::CtrlOneShot(OneShotMarks& marks) {
    PostVKey(VirtualKey::Ctrl, false);
    marks.Ctrl = true;
}

void KeySynthesis::AltToggle(OneShotMarks& marks) {
    PostVKey(VirtualKey::Alt, marks.Alt);
    marks.Alt = !marks.Alt;
}

void KeySynthesis::ClipCopy() {
    PostVKey(VirtualKey::Ctrl, false);
    PostVKey(VirtualKey::LetterC, false);
    PostVKey(VirtualKey::LetterC, true);
    PostVKey(VirtualKey::Ctrl, true);
}

void KeySynthesis::ClipPaste() {
    PostVKey(VirtualKey::Ctrl, false);
    PostVKey(VirtualKey::LetterV, false);
    PostVKey(VirtualKey::LetterV, true);
    PostVKey(VirtualKey::Ctrl, true);
}

void KeySynthesis::ToggleCapsLock() {
    PostVKey(VirtualKey::CapsLock, false);
    PostVKey(VirtualKey::CapsLock, true);
}

void KeySynthesis::MouseButton(MouseButtonId button, MouseAction action) {
    MouseDelay();
    const ButtonFlags flags = FlagsOf(button);
    const int clicks = action == MouseAction::DoubleClick ? 2 : 1;
    for (int i = 0; i < clicks; ++i) {
        if (action != MouseAction::Up) {
            input_.PostMouse(flags.Down, 0, 0, 0);
        }
        if (action != MouseAction::Down) {
            input_.PostMouse(flags.Up, 0, 0, 0);
        }
    }
}

void KeySynthesis::Wheel(int notches) {
    MouseDelay();
    input_.PostMouse(MouseFlag::Wheel, 0, 0, notches * 120);
}

void KeySynthesis::MoveTo(double x, double y) {
    MouseDelay();
    input_.PostMouse(MouseFlag::Move | MouseFlag::Absolute,
                     AbsoluteCoordinate(x, state_.Screen.Width),
                     AbsoluteCoordinate(y, state_.Screen.Height), 0);
}

} // namespace orvane
