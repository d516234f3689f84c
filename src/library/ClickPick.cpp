// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/ClickPick.h"

#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"

namespace orvane {
namespace {

std::string NameOf(std::uint16_t code) {
    return std::string(HotKeyName(code).value_or(""));
}

std::string_view ClickKind(std::uint16_t code) {
    return DecipherKey(code).MouseButton == 2 ? "right" : "left";
}

} // namespace

void ClickPickGate::FocusGained(FocusCause cause, bool buttonHeld) {
    armed_ = !buttonHeld && (cause == FocusCause::Keys || cause == FocusCause::Program);
}

std::optional<std::uint16_t> ClickHotKey(int button, bool ctrl, bool alt, bool shift, bool win) {
    if (button < 1 || button > 3) {
        return std::nullopt;
    }
    return HotKeyCodeOfKey({0, static_cast<std::uint8_t>(button), ctrl, alt, shift, win});
}

std::optional<std::string> PlainClickQuestion(std::uint16_t code, std::int16_t scope) {
    if (!IsPlainClickKey(code)) {
        return std::nullopt;
    }
    const std::string name = NameOf(code);
    const std::string_view where = scope == ScopeSpecificWindow    ? "in the chosen window"
                                   : scope == ScopeSpecificProgram ? "in the chosen program"
                                                                   : "in every program";
    return "With " + name + " as its hot key, every " + std::string(ClickKind(code)) + " click " +
           std::string(where) +
           " will play the macro instead of clicking.  Would you still like to use " + name + "?";
}

std::string PlainClickSystemText(std::uint16_t code) {
    return "The hot key \"" + NameOf(code) + "\" would take every " + std::string(ClickKind(code)) +
           " click in every program.  Please choose it with Ctrl, Alt or Shift, or another key.";
}

} // namespace orvane
