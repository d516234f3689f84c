// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"
#include "script/NamedKeys.h"

#include <array>
#include <cstddef>

namespace orvane {

// The keystroke text of "Enter Keystrokes" (and of the direct editor): plain characters and
// key tags, at most 5000 characters, Windows-1252 as stored.

inline constexpr std::size_t KeystrokeTextLimit = 5000;
inline constexpr std::string_view TextTooLongText = "Text exceeds maximum length.  Text not added.";

struct Insertion {
    std::string Text;
    std::size_t Caret = 0; // directly after the inserted text
    friend bool operator==(const Insertion&, const Insertion&) = default;
};
// Inserts at the caret (a selection is not replaced; it stays after the insertion). Nothing
// when the text would reach 5001 characters.
std::optional<Insertion> InsertAtCaret(std::string_view text, std::size_t caret,
                                       std::string_view inserted);

struct UpdatedText {
    std::string Text;
    bool Truncated = false; // MacroTooLongText is shown
};
// "&Update": typed tab characters become "<TAB>"; the text is cut to 5000 characters.
UpdatedText UpdateKeystrokes(std::string_view text);

// Between the stored text, whose line breaks are carriage return and line feed, and a text box
// (UTF-8, line feeds). A lone carriage return or line feed types Enter as the pair does, so
// the box shows each as a line break.
std::string KeystrokesFromBox(std::string_view utf8);
std::string BoxFromKeystrokes(std::string_view stored);

// The key buttons and the "Miscellaneous" list are the named-key table's.
using KeyButton = NamedKey;

// "Insert Symbol": the character in column c and row r (from 0) of the 16 by 8 grid, or nothing
// for the code page's unused positions.
std::optional<char> SymbolAt(int column, int row);

// "Alt Keypad Sequence": the digits typed on the numeric keypad with Alt held.
struct AltKeypadForm {
    std::string Digits; // the "Keypad Numbers" box
    friend bool operator==(const AltKeypadForm&, const AltKeypadForm&) = default;
};
inline constexpr std::string_view NotNumericText = "Value must be numeric.";
// Alt codes have three or four digits.
inline constexpr std::string_view TooManyDigitsText = "Value must have at most 4 digits.";
std::optional<FormRefusal> Check(const AltKeypadForm& form);
// "<ALT:" and three digits (padded with zeros), or "<ALT4:" and four.
std::string Build(const AltKeypadForm& form);

} // namespace orvane
