// SPDX-License-Identifier: GPL-3.0-or-later
// What a struck key means to a capture, read from keymaps built by hand.
#include "platform/x11/CaptureKeys.h"
#include "TestKeymaps.h"

#include <X11/keysym.h>

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr unsigned Shift = 1U << 0;
constexpr unsigned Lock = 1U << 1;
constexpr unsigned Control = 1U << 2;
constexpr unsigned Mod1 = 1U << 3;
constexpr std::uint8_t KeyAlt = 64;
constexpr std::uint8_t KeyF5 = 71;
constexpr std::uint8_t KeyCaps = 66;
constexpr std::uint8_t KeyTab = 23;
constexpr std::uint8_t KeyMedia = 191;

HookKeymap Keyboard(KeymapSnapshot s) {
    const auto put = [&s](std::uint8_t keycode, Keysym keysym, std::uint8_t modMap = 0) {
        s.Keys[keycode].Groups = {KeyGroup{test::OneLevel, {keysym}}};
        s.Keys[keycode].ModMap = modMap;
    };
    put(KeyAlt, XK_Alt_L, Mod1);
    put(KeyF5, XK_F5);
    put(KeyCaps, XK_Caps_Lock, Lock);
    return HookKeymapOf(std::move(s));
}

TEST(CaptureKeys, KeysAsACaptureRecordsThem) {
    const HookKeymap us = Keyboard(test::UsSnapshot());
    const HookKeymap german = Keyboard(test::GermanSnapshot());
    using M = CaptureModifier;
    struct Case {
        const char* Name;
        const HookKeymap& Keymap;
        std::uint8_t Keycode;
        unsigned State;
        CaptureKey Expected;
        unsigned Group = 0;
    };
    const Case cases[] = {
        {"a letter", us, test::KeyA, 0, {.Character = 'a'}},
        {"Shift makes it a capital", us, test::KeyA, Shift, {.Character = 'A'}},
        {"so does Caps Lock", us, test::KeyA, Lock, {.Character = 'A'}},
        {"Ctrl does not change it", us, test::KeyA, Control | Shift, {.Character = 'A'}},
        {"nor does Alt", us, test::KeyOne, Mod1 | Shift, {.Character = '!'}},
        {"AltGr picks its level", german, test::KeyQ, test::Level3Mask, {.Character = '@'}},
        {"the euro sign in Windows-1252",
         german,
         test::KeyE,
         test::Level3Mask,
         {.Character = 0x80}},
        {"a Cyrillic letter (second group)", us, test::KeyE, 0, {}, 1},
        {"Return", us, test::KeyReturn, 0, {.VirtualKey = 13}},
        {"Shift+Tab is Tab", us, KeyTab, Shift, {.VirtualKey = 9}},
        {"a function key", us, KeyF5, Control, {.VirtualKey = 116}},
        {"the keypad without Num Lock", us, test::KeyKeypad1, 0, {.VirtualKey = 35}},
        {"the keypad with Num Lock", us, test::KeyKeypad1, test::NumLockMask, {.VirtualKey = 97}},
        {"Shift", us, test::KeyShift, 0, {.Modifier = M::Shift}},
        {"Ctrl", us, 37, Shift, {.Modifier = M::Ctrl}},
        {"Alt", us, KeyAlt, 0, {.Modifier = M::Alt}},
        {"AltGr", us, test::KeyLevel3, 0, {.Modifier = M::Level}},
        {"Caps Lock", us, KeyCaps, 0, {.Modifier = M::Lock}},
        {"a key with no tag", us, KeyMedia, 0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaptureKeyOf(c.Keymap, c.Keycode, c.State, c.Group), c.Expected) << c.Name;
    }
}

TEST(CaptureKeys, AutoRepeatsOfAHeldKey) {
    struct Case {
        std::uint32_t Press;
        std::uint32_t Release;
        int Repeats;
    };
    const Case cases[] = {
        {1000, 1500, 0}, {1000, 1660, 0}, {1000, 1661, 1},           {1000, 1700, 1},
        {1000, 1701, 2}, {1000, 1741, 3}, {0xFFFFFF00u, 0x300u, 10}, {2000, 1000, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AutoRepeatsBetween(c.Press, c.Release, 660, 40), c.Repeats)
            << c.Press << " to " << c.Release;
    }
    EXPECT_EQ(AutoRepeatsBetween(0, 5000, 660, 0), 0);
}

} // namespace
} // namespace orvane
