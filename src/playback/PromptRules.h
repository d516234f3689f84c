// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The rules of the run-time prompts that do not depend on how they are drawn.

inline constexpr std::string_view PauseTitle = "Orvane Pause";
inline constexpr std::string_view RepeatCaption = "Macro Repeat";
inline constexpr std::string_view RepeatLabel = "Times To Repeat";
inline constexpr std::string_view RepeatErrorText =
    "Invalid numeric value entered.  Please Correct";
inline constexpr std::string_view RepeatErrorCaption = "Error";
inline constexpr std::size_t RepeatEntryLength = 4;

// Outer sizes of the prompts, frame included.
inline constexpr int PauseWidth = 224;
inline constexpr int PauseBaseHeight = 94;
// Client sizes.
inline constexpr int RepeatClientWidth = 167;
inline constexpr int RepeatClientHeight = 56;
inline constexpr int MessageClientWidth = 235;
inline constexpr int MessageClientHeight = 130;

// The pause dialog's height and where its message and buttons go: the message area is
// (length div 30) x 19 + 19 pixels high (none without a message), the form 94 pixels more, and
// the buttons sit 52 pixels above the form's bottom edge.
struct PauseLayout {
    int FormHeight = PauseBaseHeight;
    int MessageHeight = 0;
    int ButtonTop = PauseBaseHeight - 52;
};
PauseLayout PauseLayoutFor(std::size_t messageLength);

// "Pause" for a macro not started by a hot key (a timed macro, a ShortKey, none known), else
// "Pause (" + the hot key's name + ")".
std::string PauseCaption(std::optional<std::uint32_t> hotKeyCode);

// The repeat count typed in the prompt: blanks around it are ignored; it must be a decimal
// integer (optional sign) that fits 32 bits; the count is its low 16 bits. Nothing for an
// invalid or empty entry.
std::optional<std::uint16_t> ReadRepeatCount(std::string_view entry);

struct ScreenPoint {
    int Left = 0;
    int Top = 0;
};

// The top-left corner that centres a form on the screen, each division dropping the remainder.
ScreenPoint CenteredOrigin(int screenWidth, int screenHeight, int formWidth, int formHeight);

} // namespace orvane
