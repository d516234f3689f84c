// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/VirtualKeys.h"

#define XK_3270
#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(VirtualKeys, NamedKeysOfMacroTextsHaveTheirKeysyms) {
    const struct {
        std::uint8_t Vk;
        Keysym Key;
    } cases[] = {
        {9, XK_Tab},          {13, XK_Return},       {8, XK_BackSpace},   {27, XK_Escape},
        {32, XK_space},       {37, XK_Left},         {38, XK_Up},         {39, XK_Right},
        {40, XK_Down},        {36, XK_Home},         {35, XK_End},        {45, XK_Insert},
        {46, XK_Delete},      {33, XK_Prior},        {34, XK_Next},       {44, XK_Print},
        {91, XK_Super_L},     {92, XK_Super_R},      {93, XK_Menu},       {112, XK_F1},
        {123, XK_F12},        {124, XK_F13},         {135, XK_F24},       {96, XK_KP_0},
        {105, XK_KP_9},       {106, XK_KP_Multiply}, {107, XK_KP_Add},    {109, XK_KP_Subtract},
        {110, XK_KP_Decimal}, {111, XK_KP_Divide},   {16, XK_Shift_L},    {17, XK_Control_L},
        {18, XK_Alt_L},       {20, XK_Caps_Lock},    {246, XK_3270_Attn}, {249, XK_3270_EraseEOF},
        {253, XK_3270_PA1},   {'A', XK_a},           {'Z', XK_z},         {'0', XK_0},
        {186, XK_semicolon},  {222, XK_apostrophe},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeysymOfVirtualKey(c.Vk), c.Key) << "virtual key " << int(c.Vk);
    }
}

TEST(VirtualKeys, SomeCodesNameNoKey) {
    // Execute is playback's end mark; the mouse buttons go to the pointer; 0 and 255 are
    // unassigned.
    for (std::uint8_t vk : {0, 1, 2, 4, 43, 255}) {
        EXPECT_EQ(KeysymOfVirtualKey(vk), NoKeysym) << int(vk);
    }
    EXPECT_EQ(MouseButtonOfVirtualKey(1), 1U);
    EXPECT_EQ(MouseButtonOfVirtualKey(2), 3U);
    EXPECT_EQ(MouseButtonOfVirtualKey(4), 2U);
    EXPECT_EQ(MouseButtonOfVirtualKey(13), 0U);
}

TEST(VirtualKeys, KeysymsLeadBackToTheirCode) {
    EXPECT_EQ(VirtualKeyOfKeysym(XK_a), 'A');
    EXPECT_EQ(VirtualKeyOfKeysym(XK_A), 'A');
    EXPECT_EQ(VirtualKeyOfKeysym(XK_slash), 191);
    EXPECT_EQ(VirtualKeyOfKeysym(XK_Shift_L), 16) << "the generic Shift, not the left one";
    EXPECT_EQ(VirtualKeyOfKeysym(XK_Print), 42);
    EXPECT_FALSE(VirtualKeyOfKeysym(XK_ssharp));
    // Every code that names a key comes back from its keysym to a code naming the same keysym.
    for (unsigned vk = 0; vk < 256; ++vk) {
        const Keysym keysym = KeysymOfVirtualKey(static_cast<std::uint8_t>(vk));
        if (keysym != NoKeysym) {
            const auto back = VirtualKeyOfKeysym(keysym);
            ASSERT_TRUE(back) << vk;
            EXPECT_EQ(KeysymOfVirtualKey(*back), keysym) << vk;
        }
    }
}

} // namespace
} // namespace orvane
