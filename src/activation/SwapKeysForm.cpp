// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/SwapKeysForm.h"

namespace orvane {

std::string SwapCellText(std::uint8_t replacement) {
    if (replacement == 0) {
        return std::string(SwapNoneText);
    }
    return std::string(1, static_cast<char>(replacement));
}

void ChooseReplacement(SwapKeysForm& form, std::size_t index, std::uint8_t character) {
    if (index >= SwapTableSize) {
        return;
    }
    form.Table.Bytes[index] = character;
    form.Changed = true;
}

std::uint8_t CharacterOfCell(CharacterCell cell) {
    return static_cast<std::uint8_t>(32 + SelectCharacterColumns * cell.Row + cell.Column);
}

CharacterCell CellOfCharacter(std::uint8_t replacement) {
    const int index = replacement < 32 ? 0 : replacement - 32;
    return {index / SelectCharacterColumns, index % SelectCharacterColumns};
}

} // namespace orvane
