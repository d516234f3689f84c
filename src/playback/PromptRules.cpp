// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/PromptRules.h"

#include "core/HotKeyTable.h"
#include "core/Text.h"

#include <charconv>

namespace orvane {
namespace {

// Activation codes that name no hot key: timed macros and ShortKey macros.
constexpr std::uint32_t TimedMacroCode = 10000;
constexpr std::uint32_t ShortKeyMacroCode = 20000;

} // namespace

PauseLayout PauseLayoutFor(std::size_t messageLength) {
    PauseLayout layout;
    if (messageLength > 0) {
        layout.MessageHeight = static_cast<int>(messageLength / 30) * 19 + 19;
        layout.FormHeight = layout.MessageHeight + PauseBaseHeight;
    }
    layout.ButtonTop = layout.FormHeight - 52;
    return layout;
}

std::string PauseCaption(std::optional<std::uint32_t> hotKeyCode) {
    if (!hotKeyCode || *hotKeyCode == TimedMacroCode || *hotKeyCode == ShortKeyMacroCode) {
        return "Pause";
    }
    const std::optional<std::string_view> name = HotKeyName(*hotKeyCode);
    if (!name) {
        return "Pause";
    }
    return "Pause (" + std::string(*name) + ")";
}

std::optional<std::uint16_t> ReadRepeatCount(std::string_view entry) {
    entry = Trim(entry);
    if (!entry.empty() && entry.front() == '+') {
        entry.remove_prefix(1);
        if (!entry.empty() && entry.front() == '-') {
            return std::nullopt;
        }
    }
    if (entry.empty()) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    const char* end = entry.data() + entry.size();
    const auto [stop, error] = std::from_chars(entry.data(), end, value, 10);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu);
}

ScreenPoint CenteredOrigin(int screenWidth, int screenHeight, int formWidth, int formHeight) {
    return {(screenWidth - formWidth) / 2, (screenHeight - formHeight) / 2};
}

} // namespace orvane
