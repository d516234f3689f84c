// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fake/FakeInputSynth.h"

#include <cstdio>
#include <string_view>

namespace orvane {
namespace {

constexpr std::uint8_t Shift = 1;
constexpr std::uint8_t Ctrl = 2;

struct PunctuationKey {
    char Plain;
    char Shifted;
    std::uint8_t Key;
};

// The US keys beside the letters, as the Windows layout query names them (VK_OEM_*).
constexpr PunctuationKey UsPunctuation[] = {
    {';', ':', 186},  {'=', '+', 187}, {',', '<', 188},  {'-', '_', 189},
    {'.', '>', 190},  {'/', '?', 191}, {'`', '~', 192},  {'[', '{', 219},
    {'\\', '|', 220}, {']', '}', 221}, {'\'', '"', 222},
};
constexpr std::string_view ShiftedDigits = ")!@#$%^&*(";

struct KeyName {
    std::uint8_t Key;
    std::string_view Name;
};

constexpr KeyName KeyNames[] = {
    {2, "RBUTTON"},    {4, "MBUTTON"},     {8, "BS"},       {9, "TAB"},        {13, "ENTER"},
    {16, "SHIFT"},     {17, "CTRL"},       {18, "ALT"},     {20, "CAPS"},      {27, "ESC"},
    {32, "SPACE"},     {33, "PGUP"},       {34, "PGDN"},    {35, "END"},       {36, "HOME"},
    {37, "LEFT"},      {38, "UP"},         {39, "RIGHT"},   {40, "DOWN"},      {43, "EXECUTE"},
    {44, "PRTSCR"},    {45, "INS"},        {46, "DEL"},     {91, "LWIN"},      {92, "RWIN"},
    {93, "APP"},       {106, "KP*"},       {107, "KP+"},    {109, "KP-"},      {110, "KP."},
    {111, "KP/"},      {186, "SEMICOLON"}, {187, "EQUALS"}, {188, "COMMA"},    {189, "MINUS"},
    {190, "PERIOD"},   {191, "SLASH"},     {192, "GRAVE"},  {219, "LBRACKET"}, {220, "BACKSLASH"},
    {221, "RBRACKET"}, {222, "QUOTE"},     {246, "ATTN"},   {247, "CRSEL"},    {248, "EXSEL"},
    {249, "EREOF"},    {250, "PLAY"},      {251, "ZOOM"},   {253, "PA1"},
};

std::string MouseName(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data) {
    switch (flags) {
    case MouseFlag::LeftDown:
        return "LDOWN";
    case MouseFlag::LeftUp:
        return "LUP";
    case MouseFlag::RightDown:
        return "RDOWN";
    case MouseFlag::RightUp:
        return "RUP";
    case MouseFlag::MiddleDown:
        return "MDOWN";
    case MouseFlag::MiddleUp:
        return "MUP";
    case MouseFlag::Wheel:
        return "WHEEL:" + std::to_string(data);
    case MouseFlag::Move | MouseFlag::Absolute:
        return "MOVE:" + std::to_string(dx) + "," + std::to_string(dy);
    default:
        break;
    }
    char flagText[16];
    std::snprintf(flagText, sizeof flagText, "0x%04X", static_cast<unsigned>(flags));
    return std::string("MOUSE:") + flagText + "," + std::to_string(dx) + "," + std::to_string(dy) +
           "," + std::to_string(data);
}

} // namespace

std::string VirtualKeyName(std::uint8_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        return std::string(1, static_cast<char>(key));
    }
    if (key >= 96 && key <= 105) {
        return "KP" + std::to_string(key - 96);
    }
    if (key >= 112 && key <= 135) {
        return "F" + std::to_string(key - 111);
    }
    for (const KeyName& name : KeyNames) {
        if (name.Key == key) {
            return std::string(name.Name);
        }
    }
    return "VK" + std::to_string(key);
}

std::string FormatSynthEvent(const SynthEvent& event) {
    switch (event.Kind) {
    case SynthEvent::Type::KeyDown:
        return "+" + VirtualKeyName(event.Key);
    case SynthEvent::Type::KeyUp:
        return "-" + VirtualKeyName(event.Key);
    case SynthEvent::Type::Mouse:
        return MouseName(event.Flags, event.Dx, event.Dy, event.Data);
    case SynthEvent::Type::Character:
        break;
    }
    char text[16];
    std::snprintf(text, sizeof text, "TYPE:U+%04X", static_cast<unsigned>(event.Character));
    return text;
}

std::array<std::optional<KeyScan>, 128> FakeInputSynth::UsLayout() {
    std::array<std::optional<KeyScan>, 128> layout{};
    for (char ch = 'a'; ch <= 'z'; ++ch) {
        const auto key = static_cast<std::uint8_t>(ch - 'a' + 'A');
        layout[static_cast<unsigned char>(ch)] = KeyScan{key, 0};
        layout[key] = KeyScan{key, Shift};
        // Control characters 1..26 are Ctrl with their letter.
        layout[static_cast<std::size_t>(ch - 'a' + 1)] = KeyScan{key, Ctrl};
    }
    for (int digit = 0; digit <= 9; ++digit) {
        const auto key = static_cast<std::uint8_t>('0' + digit);
        layout[key] = KeyScan{key, 0};
        layout[static_cast<unsigned char>(ShiftedDigits[static_cast<std::size_t>(digit)])] =
            KeyScan{key, Shift};
    }
    for (const PunctuationKey& p : UsPunctuation) {
        layout[static_cast<unsigned char>(p.Plain)] = KeyScan{p.Key, 0};
        layout[static_cast<unsigned char>(p.Shifted)] = KeyScan{p.Key, Shift};
    }
    layout[' '] = KeyScan{32, 0};
    layout['\b'] = KeyScan{8, 0};
    layout['\t'] = KeyScan{9, 0};
    layout['\r'] = KeyScan{13, 0};
    layout['\n'] = KeyScan{13, Ctrl};
    layout[27] = KeyScan{27, 0};
    return layout;
}

FakeInputSynth::FakeInputSynth(EventTrace* trace) : Layout(UsLayout()), trace_(trace) {}

void FakeInputSynth::Record(const SynthEvent& event) {
    Events.push_back(event);
    if (trace_ != nullptr) {
        trace_->Add(FormatSynthEvent(event));
    }
}

void FakeInputSynth::EndOfBatch() {
    if (TraceBatchEnds && trace_ != nullptr) {
        trace_->Add("sync");
    }
}

void FakeInputSynth::PostKey(std::uint8_t virtualKey, bool up) {
    SynthEvent event;
    event.Kind = up ? SynthEvent::Type::KeyUp : SynthEvent::Type::KeyDown;
    event.Key = virtualKey;
    Record(event);
}

std::optional<KeyScan> FakeInputSynth::ScanCharacter(unsigned char ch) {
    return ch < Layout.size() ? Layout[ch] : std::nullopt;
}

void FakeInputSynth::TypeCharacter(char32_t ch) {
    SynthEvent event;
    event.Kind = SynthEvent::Type::Character;
    event.Character = ch;
    Record(event);
}

void FakeInputSynth::PostAltCode(std::string_view digits) {
    PostKey(18, false);
    for (const char digit : digits) {
        if (digit >= '0' && digit <= '9') {
            const auto key = static_cast<std::uint8_t>(96 + (digit - '0'));
            PostKey(key, false);
            PostKey(key, true);
        }
    }
    PostKey(18, true);
}

void FakeInputSynth::PostMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                               std::int32_t data) {
    SynthEvent event;
    event.Kind = SynthEvent::Type::Mouse;
    event.Flags = flags;
    event.Dx = dx;
    event.Dy = dy;
    event.Data = data;
    Record(event);
}

} // namespace orvane
