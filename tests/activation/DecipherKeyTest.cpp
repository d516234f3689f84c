// SPDX-License-Identifier: GPL-3.0-or-later
// Every hot key code decodes to exactly the key, button and modifiers its name says, read from
// the name with a table of key names written here independently of the hot key table.
#include "core/HotKeyTable.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace orvane {
namespace {

// Key names as the names spell them, with the virtual key or mouse button they stand for.
struct Named {
    std::uint8_t VirtualKey = 0;
    std::uint8_t MouseButton = 0;
};

std::map<std::string, Named> KeyNames() {
    std::map<std::string, Named> names;
    for (char c = 'A'; c <= 'Z'; ++c) {
        names[std::string(1, c)] = {static_cast<std::uint8_t>(c), 0};
    }
    for (char c = '0'; c <= '9'; ++c) {
        names[std::string(1, c)] = {static_cast<std::uint8_t>(c), 0};
        names["KeyPad " + std::string(1, c)] = {static_cast<std::uint8_t>(96 + c - '0'), 0};
        names["Keypad " + std::string(1, c)] = {static_cast<std::uint8_t>(96 + c - '0'), 0};
    }
    for (int f = 1; f <= 12; ++f) {
        names["F" + std::to_string(f)] = {static_cast<std::uint8_t>(0x6F + f), 0};
    }
    const std::pair<const char*, int> others[] = {
        {"Enter", 13},     {"Tab", 9},         {"Backspace", 8},   {"Space", 32},
        {"Insert", 45},    {"Delete", 46},     {"Home", 36},       {"End", 35},
        {"Page Up", 33},   {"Page Down", 34},  {"Left Arrow", 37}, {"Right Arrow", 39},
        {"Up Arrow", 38},  {"Down Arrow", 40}, {".", 190},         {",", 188},
        {"/", 191},        {";", 186},         {"'", 222},         {"\\", 220},
        {"[", 219},        {"]", 221},         {"-", 189},         {"=", 187},
        {"`", 192},        {"KeyPad /", 111},  {"KeyPad *", 106},  {"KeyPad -", 109},
        {"KeyPad +", 107}, {"Keypad /", 111},  {"Keypad *", 106},  {"Keypad -", 109},
        {"Keypad +", 107}, {"ESC", 27},
    };
    for (const auto& [name, vk] : others) {
        names[name] = {static_cast<std::uint8_t>(vk), 0};
    }
    names["LMouse"] = {0, 1};
    names["RMouse"] = {0, 2};
    names["MMouse"] = {0, 3};
    return names;
}

// Reads "Win+Ctrl+Alt+Shift+Key" (prefixes in any order, the key last). Names longer than 24
// characters are cut in the table, so the key part may be the start of a key name.
DecipheredKey FromName(std::string name, const std::map<std::string, Named>& keys) {
    DecipheredKey key;
    for (bool stripped = true; stripped;) {
        stripped = false;
        const std::pair<const char*, bool DecipheredKey::*> prefixes[] = {
            {"Win+", &DecipheredKey::Win},
            {"Ctrl+", &DecipheredKey::Ctrl},
            {"Alt+", &DecipheredKey::Alt},
            {"Shift+", &DecipheredKey::Shift}};
        for (const auto& [prefix, flag] : prefixes) {
            if (name.rfind(prefix, 0) == 0 && name.size() > std::string(prefix).size()) {
                key.*flag = true;
                name.erase(0, std::string(prefix).size());
                stripped = true;
            }
        }
    }
    const Named* found = nullptr;
    if (const auto exact = keys.find(name); exact != keys.end()) {
        found = &exact->second;
    } else {
        for (const auto& [full, named] : keys) {
            if (full.rfind(name, 0) == 0) {
                EXPECT_EQ(found, nullptr) << "cut name " << name << " is ambiguous";
                found = &named;
            }
        }
    }
    EXPECT_NE(found, nullptr) << "no key named " << name;
    if (found != nullptr) {
        key.VirtualKey = found->VirtualKey;
        key.MouseButton = found->MouseButton;
    }
    return key;
}

TEST(DecipherKey, EveryCodeDecodesToTheKeyItsNameSays) {
    const auto keys = KeyNames();
    for (std::uint32_t code = 0; code < HotKeyCount; ++code) {
        const std::string name(*HotKeyName(code));
        EXPECT_EQ(DecipherKey(code), FromName(name, keys)) << code << " " << name;
    }
}

TEST(DecipherKey, EdgeCasesAndCodesWithoutAKey) {
    struct Case {
        std::uint32_t Code;
        DecipheredKey Key;
    };
    const Case cases[] = {
        {472, {33, 0, true, false, false, false}},  // Ctrl+Page Up
        {432, {111, 0, false, true, false, false}}, // Alt+Keypad /
        {515, {96, 0, true, false, false, false}},  // Ctrl+Keypad 0
        {698, {27, 0, false, false, false, false}}, // ESC
        {706, {0, 2, false, false, false, false}},  // RMouse
        {715, {0, 3, true, false, false, false}},   // Ctrl+MMouse
        {10000, {}},
        {20000, {}},
        {720, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecipherKey(c.Code), c.Key) << c.Code;
    }
}

TEST(DecipherKey, NoTwoCodesNameTheSameCombination) {
    // The backend reports a struck combination by its code: it must be one code only.
    std::map<std::tuple<int, int, bool, bool, bool, bool>, std::uint32_t> seen;
    for (std::uint32_t code = 0; code < HotKeyCount; ++code) {
        const DecipheredKey k = DecipherKey(code);
        const auto [it, inserted] = seen.emplace(
            std::tuple{k.VirtualKey, k.MouseButton, k.Ctrl, k.Alt, k.Shift, k.Win}, code);
        EXPECT_TRUE(inserted) << code << " repeats " << it->second;
    }
}

} // namespace
} // namespace orvane
