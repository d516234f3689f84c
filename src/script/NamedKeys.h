// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/ScriptReader.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// The tags that press one key, as the reader knows them, the capture writes them and the
// keystroke editor offers them. A row is a named key (Key, with its Windows virtual-key code)
// or one of the one-shot modifier tags, which only the editor's buttons offer.
struct NamedKey {
    std::string_view Caption; // the editor's button or list entry, with its mnemonic
    std::string_view Tag;
    std::string_view Name; // the button's object name
    ItemKind Kind = ItemKind::Key;
    std::uint8_t VirtualKey = 0; // Key only
};

// The key buttons of the keystroke editor (and its "&Keys" and "FKe&ys" menus) first, then its
// "Miscellaneous" list; every named key is in one of the two.
extern const std::array<NamedKey, 68> NamedKeys;
extern const std::span<const NamedKey, 30> KeyButtons;
extern const std::span<const NamedKey, 38> MiscellaneousKeys;

// The tag of a named key by its virtual-key code; empty for a key without one.
std::string_view NamedKeyTag(std::uint8_t virtualKey);
// The tag of a one-shot modifier ("<ALT>" for AltToggle); empty for another kind.
std::string_view OneShotTag(ItemKind kind);

} // namespace orvane
