// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/PasteKeys.h"

#include <algorithm>
#include <array>
#include <string>

namespace orvane {
namespace {

constexpr std::array<std::string_view, 31> Terminals = {
    "xterm",
    "uxterm",
    "lxterm",
    "rxvt",
    "urxvt",
    "rxvt-unicode",
    "gnome-terminal",
    "gnome-terminal-server",
    "konsole",
    "xfce4-terminal",
    "alacritty",
    "kitty",
    "foot",
    "footclient",
    "terminator",
    "tilix",
    "lxterminal",
    "mate-terminal",
    "qterminal",
    "sakura",
    "terminology",
    "st",
    "st-256color",
    "wezterm",
    "org.wezfurlong.wezterm",
    "eterm",
    "aterm",
    "guake",
    "tilda",
    "cool-retro-term",
    "x-terminal-emulator",
};

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return out;
}

} // namespace

PasteKey PasteKeyForClass(std::string_view wmClass) {
    while (!wmClass.empty()) {
        const std::size_t end = std::min(wmClass.find('\0'), wmClass.size());
        const std::string name = Lower(wmClass.substr(0, end));
        if (std::find(Terminals.begin(), Terminals.end(), name) != Terminals.end()) {
            return PasteKey::ShiftInsert;
        }
        wmClass.remove_prefix(std::min(end + 1, wmClass.size()));
    }
    return PasteKey::CtrlV;
}

} // namespace orvane
