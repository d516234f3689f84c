// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SwapTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// The "Keyboard Remapper" dialog's four grids, left to right: a heading and the part of the
// table whose rows it shows (base character, replacement).
struct SwapGrid {
    std::string_view Heading;
    SwapGroup Group;
};
inline constexpr std::array<SwapGrid, 4> SwapGrids = {{{"Upper Case", SwapUpperCase},
                                                       {"Lower Case", SwapLowerCase},
                                                       {"Punctuation", SwapPunctuation},
                                                       {"Numeric", SwapDigits}}};

// What the remapper edits: the table as it will be stored, and whether anything was chosen.
struct SwapKeysForm {
    SwapTable Table;
    bool Changed = false;
};

// The text of a replacement cell (Windows-1252): the character, or "none" for 0.
std::string SwapCellText(std::uint8_t replacement);
inline constexpr std::string_view SwapNoneText = "none";

// A character chosen in "Select Character" for table entry `index`: it is the replacement from
// now on, and the form has changed (even when it is the same character again).
void ChooseReplacement(SwapKeysForm& form, std::size_t index, std::uint8_t character);

// "Select Character": 28 columns by 8 rows showing the characters 32..255.
inline constexpr int SelectCharacterColumns = 28;
inline constexpr int SelectCharacterRows = 8;
struct CharacterCell {
    int Row = 0;
    int Column = 0;
    friend bool operator==(const CharacterCell&, const CharacterCell&) = default;
};
// The character a cell shows: 32 + 28 x row + column.
std::uint8_t CharacterOfCell(CharacterCell cell);
// The cell selected when the dialog opens on a replacement ("none" and control characters
// select the first cell, the space).
CharacterCell CellOfCharacter(std::uint8_t replacement);

} // namespace orvane
