// SPDX-License-Identifier: GPL-3.0-or-later
// The hook backend's translations, on keymaps built by hand: grabs for the lock combinations,
// hot key codes of struck keys, typed characters, the abort keys.
#include "platform/x11/HotKeyGrabs.h"
#include "TestKeymaps.h"
#include "core/HotKeyTable.h"
#include "platform/x11/AbortKeyWatch.h"

#include <X11/keysym.h>

#include <algorithm>
#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr unsigned Shift = 1U << 0;
constexpr unsigned Lock = 1U << 1;
constexpr unsigned Control = 1U << 2;
constexpr unsigned Mod1 = 1U << 3;
constexpr unsigned Mod3 = 1U << 5;
constexpr unsigned Mod4 = 1U << 6;
constexpr std::uint8_t KeyF9 = 75;
constexpr std::uint8_t KeyPause = 127;
constexpr std::uint8_t KeyAlt = 64;

// The US test keymap with the keys hot keys need besides: Alt, Super, Scroll Lock (on Mod3
// here, to show the masks are looked up), F9, Pause and the keypad's divide key.
HookKeymap UsHookKeymap() {
    KeymapSnapshot s = test::UsSnapshot();
    const auto put = [&s](std::uint8_t keycode, Keysym keysym, std::uint8_t modMap = 0) {
        s.Keys[keycode].Groups = {KeyGroup{test::OneLevel, {keysym}}};
        s.Keys[keycode].ModMap = modMap;
    };
    put(KeyAlt, XK_Alt_L, Mod1);
    put(133, XK_Super_L, Mod4);
    put(78, XK_Scroll_Lock, Mod3);
    put(KeyF9, XK_F9);
    put(KeyPause, XK_Pause);
    put(106, XK_KP_Divide);
    put(104, XK_KP_Enter);
    s.Keys[91].Groups = {KeyGroup{test::Keypad, {XK_KP_Delete, XK_KP_Decimal}}};
    return HookKeymapOf(std::move(s));
}

std::uint16_t Code(const char* name) {
    return *HotKeyCodeOf(name);
}

TEST(HotKeyGrabs, MasksComeFromTheModifierMap) {
    const HookKeymap keymap = UsHookKeymap();
    EXPECT_EQ(keymap.Masks.Alt, Mod1);
    EXPECT_EQ(keymap.Masks.Win, Mod4);
    EXPECT_EQ(keymap.Masks.NumLock, test::NumLockMask);
    EXPECT_EQ(keymap.Masks.ScrollLock, Mod3);
}

TEST(HotKeyGrabs, EveryLockCombinationIsGrabbed) {
    std::vector<unsigned> all = LockCombinations({Mod1, Mod4, test::NumLockMask, Mod3});
    std::sort(all.begin(), all.end());
    const unsigned n = test::NumLockMask;
    EXPECT_EQ(all, (std::vector<unsigned>{0, Lock, n, Lock | n, Mod3, Lock | Mod3, n | Mod3,
                                          Lock | n | Mod3}));
    // A lock key the keyboard does not have adds nothing.
    EXPECT_EQ(LockCombinations({Mod1, Mod4, n, 0}).size(), 4U);
    EXPECT_EQ(LockCombinations({Mod1, Mod4, 0, 0}), (std::vector<unsigned>{0, Lock}));
}

TEST(HotKeyGrabs, GrabsOfCodes) {
    const HookKeymap keymap = UsHookKeymap();
    struct Case {
        const char* Name;
        std::optional<GrabTarget> Grab;
    };
    const Case cases[] = {
        {"Ctrl+Alt+Shift+W", GrabTarget{false, 25, Control | Mod1 | Shift}},
        {"Win+A", GrabTarget{false, test::KeyA, Mod4}},
        {"Ctrl+/", GrabTarget{false, test::KeySlash, Control}},
        {"Ctrl+Keypad 1", GrabTarget{false, test::KeyKeypad1, Control}},
        {"KeyPad /", GrabTarget{false, 106, 0}},
        {"F9", GrabTarget{false, KeyF9, 0}},
        {"Ctrl+RMouse", GrabTarget{true, 3, Control}},
        {"MMouse", GrabTarget{true, 2, 0}},
        {"Shift+Alt+LMouse", GrabTarget{true, 1, Shift | Mod1}},
        {"Ctrl+F12", std::nullopt}, // no such key on this keyboard
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GrabOf(Code(c.Name), keymap, 0), c.Grab) << c.Name;
    }
    EXPECT_EQ(GrabOf(HotKeyCount, keymap, 0), std::nullopt);
}

TEST(HotKeyGrabs, StruckKeysNameTheirCodeWhateverTheLocks) {
    const HookKeymap keymap = UsHookKeymap();
    const unsigned n = test::NumLockMask;
    EXPECT_EQ(HotKeyOfKey(keymap, 25, Control | Mod1 | Shift, 0), Code("Ctrl+Alt+Shift+W"));
    EXPECT_EQ(HotKeyOfKey(keymap, 25, Control | Mod1 | Shift | Lock | n | Mod3, 0),
              Code("Ctrl+Alt+Shift+W"));
    EXPECT_EQ(HotKeyOfKey(keymap, test::KeyKeypad1, Control, 0), Code("Ctrl+Keypad 1"));
    EXPECT_EQ(HotKeyOfKey(keymap, test::KeyKeypad1, Control | n, 0), Code("Ctrl+Keypad 1"));
    EXPECT_EQ(HotKeyOfKey(keymap, KeyF9, n, 0), Code("F9"));
    EXPECT_EQ(HotKeyOfKey(keymap, test::KeyA, Mod4, 0), Code("Win+A"));
    EXPECT_EQ(HotKeyOfKey(keymap, test::KeyA, 0, 0), std::nullopt) << "plain A is no hot key";
    EXPECT_EQ(HotKeyOfButton(keymap, 3, Control), Code("Ctrl+RMouse"));
    EXPECT_EQ(HotKeyOfButton(keymap, 1, Shift | Mod1 | Lock), Code("Shift+Alt+LMouse"));
    EXPECT_EQ(HotKeyOfButton(keymap, 4, 0), std::nullopt) << "the wheel";
    // Every code this keyboard can grab is reported back as itself.
    for (std::uint16_t code = 0; code < HotKeyCount; ++code) {
        const auto grab = GrabOf(code, keymap, 0);
        if (!grab) {
            continue;
        }
        const auto back = grab->Button
                              ? HotKeyOfButton(keymap, grab->Detail, grab->Modifiers)
                              : HotKeyOfKey(keymap, static_cast<std::uint8_t>(grab->Detail),
                                            grab->Modifiers | Lock, 0);
        EXPECT_EQ(back, code) << *HotKeyName(code);
    }
}

TEST(HotKeyGrabs, TypedCharacters) {
    const HookKeymap keymap = UsHookKeymap();
    struct Case {
        std::uint8_t Keycode;
        unsigned State;
        std::optional<unsigned char> Typed;
    };
    const Case cases[] = {
        {test::KeyA, 0, 'a'},
        {test::KeyA, Shift, 'A'},
        {test::KeyA, Lock, 'A'},
        {test::KeyA, Lock | Shift, 'a'},
        {test::KeyOne, Shift, '!'},
        {test::KeyOne, Lock, '1'},
        {test::KeyReturn, 0, 13},
        {22, 0, 8}, // Backspace
        {test::KeyA, Control, std::nullopt},
        {test::KeyA, Mod1, std::nullopt},
        {test::KeyA, Mod4, std::nullopt},
        {KeyF9, 0, std::nullopt},
        {test::KeyShift, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TypedCharacterOf(keymap, c.Keycode, c.State, 0), c.Typed)
            << int(c.Keycode) << " " << c.State;
    }
    EXPECT_EQ(TypedCharacterOf(keymap, test::KeyE, 0, 1), std::nullopt)
        << "a Cyrillic letter has no Windows-1252 byte";
}

TEST(HotKeyGrabs, KeypadKeysTypeDigitsAndEnterAndOtherwiseEndTheWord) {
    const HookKeymap keymap = UsHookKeymap();
    const unsigned numLock = test::NumLockMask;
    struct Case {
        const char* Key;
        std::uint8_t Keycode;
        unsigned State;
        std::optional<unsigned char> Typed;
    };
    const Case cases[] = {
        {"keypad 1, Num Lock on", test::KeyKeypad1, numLock, '1'},
        {"keypad 1, Num Lock and Caps Lock on", test::KeyKeypad1, numLock | Lock, '1'},
        {"keypad 1, Num Lock off: End", test::KeyKeypad1, 0, std::nullopt},
        {"keypad 1 with Ctrl", test::KeyKeypad1, numLock | Control, std::nullopt},
        {"keypad Enter", 104, 0, 13},
        {"keypad decimal point, Num Lock on", 91, numLock, std::nullopt},
        {"keypad /", 106, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TypedCharacterOf(keymap, c.Keycode, c.State, 0), c.Typed) << c.Key;
        EXPECT_TRUE(IsKeypadKey(keymap, c.Keycode, 0)) << c.Key;
    }
    EXPECT_FALSE(IsKeypadKey(keymap, test::KeyOne, 0));
    EXPECT_FALSE(IsKeypadKey(keymap, test::KeyReturn, 0));
}

TEST(HotKeyGrabs, HeldModifiers) {
    const HookKeymap keymap = UsHookKeymap();
    std::array<bool, 256> held{};
    held[test::KeyA] = true;
    EXPECT_EQ(HeldModifiersOf(keymap, held), 0U);
    held[test::KeyShift] = true;
    held[KeyAlt] = true;
    EXPECT_EQ(HeldModifiersOf(keymap, held), Shift | Mod1);

    // What a macro waits to see let go: a held lock key never counts (it would wait for good).
    held[78] = true; // Scroll Lock
    using Keys = std::vector<std::uint8_t>;
    EXPECT_EQ(KeysHeldDown(keymap, held, false), (Keys{test::KeyA, test::KeyShift, KeyAlt}));
    EXPECT_EQ(KeysHeldDown(keymap, held, true), (Keys{test::KeyShift, KeyAlt}));
}

TEST(AbortKeyWatch, PauseOrEscapeTwiceWithinHalfASecond) {
    AbortKeyWatch watch;
    EXPECT_TRUE(watch.Pressed(XK_Pause, 100));
    EXPECT_FALSE(watch.Pressed(XK_Escape, 1000));
    EXPECT_TRUE(watch.Pressed(XK_Escape, 1500));
    EXPECT_FALSE(watch.Pressed(XK_Escape, 3000));
    EXPECT_FALSE(watch.Pressed(XK_Escape, 3501)) << "too slow";
    EXPECT_FALSE(watch.Pressed(XK_a, 3600));
    EXPECT_FALSE(watch.Pressed(XK_Escape, 3700)) << "another key came between";
    EXPECT_FALSE(watch.Pressed(XK_Escape, 0xFFFFFF00U));
    EXPECT_TRUE(watch.Pressed(XK_Escape, 0x10)) << "across the wrap of server time";
}

} // namespace
} // namespace orvane
