// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/TypedCharacters.h"

#include "core/CodePage.h"
#include "script/AltCode.h"
#include "script/ScriptReader.h"

namespace orvane {

std::u32string TypedCharacters(std::string_view macroText) {
    std::u32string characters;
    characters.reserve(macroText.size());
    for (std::size_t pos = 0; pos < macroText.size();) {
        const ScriptItem item = ReadScriptItem(macroText, pos);
        if (item.Kind == ItemKind::Character) {
            characters.push_back(Windows1252ToUnicode(static_cast<unsigned char>(macroText[pos])));
        } else if (item.Kind == ItemKind::AltCode) {
            if (const auto ch = AltCodeCharacter(item.Text)) {
                characters.push_back(*ch);
            }
        }
        pos += item.Length > 0 ? item.Length : 1;
    }
    return characters;
}

} // namespace orvane
