// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/PasteKeys.h"

#include <gtest/gtest.h>
#include <string>

namespace orvane {
namespace {

using namespace std::string_literals;

TEST(PasteKeysTest, TerminalsPasteWithShiftInsertByEitherNameOfTheirClass) {
    const struct {
        std::string WmClass;
        PasteKey Key;
    } rows[] = {
        {"xterm\0XTerm\0"s, PasteKey::ShiftInsert},
        {"urxvt\0URxvt\0"s, PasteKey::ShiftInsert},
        {"gnome-terminal-server\0Gnome-terminal\0"s, PasteKey::ShiftInsert},
        {"konsole\0konsole\0"s, PasteKey::ShiftInsert},
        {"Alacritty\0Alacritty\0"s, PasteKey::ShiftInsert},
        {"kitty\0kitty\0"s, PasteKey::ShiftInsert},
        {"foot\0foot\0"s, PasteKey::ShiftInsert},
        {"xfce4-terminal\0Xfce4-terminal\0"s, PasteKey::ShiftInsert},
        {"main\0Tilix\0"s, PasteKey::ShiftInsert},
        {"gedit\0Gedit\0"s, PasteKey::CtrlV},
        {"zenity\0Zenity\0"s, PasteKey::CtrlV},
        // A name that only contains a terminal's name is another program.
        {"xtermcontrol\0Xtermcontrol\0"s, PasteKey::CtrlV},
        {"xterm"s, PasteKey::ShiftInsert}, // an unended class is read to its end
        {""s, PasteKey::CtrlV},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PasteKeyForClass(row.WmClass), row.Key) << row.WmClass.c_str();
    }
}

} // namespace
} // namespace orvane
