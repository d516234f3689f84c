// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/Keymap.h"

#include "platform/linux/KeysymText.h"

#include <algorithm>
#include <tuple>

namespace orvane {

unsigned LevelOf(const KeyType& type, unsigned mods) {
    const unsigned relevant = mods & type.Mask;
    for (const KeyTypeEntry& entry : type.Entries) {
        if (entry.Mods == relevant) {
            return entry.Level;
        }
    }
    return 0;
}

std::optional<unsigned> ModifiersForLevel(const KeyType& type, unsigned level, unsigned locked,
                                          std::span<const unsigned> pressable) {
    for (unsigned mods : pressable) {
        if (LevelOf(type, mods | locked) == level) {
            return mods;
        }
    }
    return std::nullopt;
}

Keymap::Keymap(KeymapSnapshot snapshot) : snapshot_(std::move(snapshot)) {
    for (int kc = snapshot_.MinKeycode; kc <= snapshot_.MaxKeycode; ++kc) {
        const KeyEntry& key = snapshot_.Keys[static_cast<std::size_t>(kc)];
        for (unsigned g = 0; g < key.Groups.size(); ++g) {
            const std::vector<Keysym>& levels = key.Groups[g].Levels;
            for (unsigned level = 0; level < levels.size(); ++level) {
                const char32_t ch = CharacterOfKeysym(levels[level]);
                if (ch != 0) {
                    characters_[ch].push_back({static_cast<std::uint8_t>(kc), g, level});
                }
            }
        }
    }
    for (auto& [ch, candidates] : characters_) {
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) {
                             return std::tie(a.Level, a.Keycode) < std::tie(b.Level, b.Keycode);
                         });
    }
}

unsigned Keymap::WrapGroup(unsigned group, std::size_t count) {
    return count == 0 ? 0 : static_cast<unsigned>(group % count);
}

const KeyType* Keymap::TypeOf(std::uint8_t keycode, unsigned group) const {
    const KeyEntry& key = snapshot_.Keys[keycode];
    if (key.Groups.empty()) {
        return nullptr;
    }
    const unsigned type = key.Groups[WrapGroup(group, key.Groups.size())].Type;
    return type < snapshot_.Types.size() ? &snapshot_.Types[type] : nullptr;
}

std::optional<KeyPlacement> Keymap::PlaceCharacter(char32_t ch, unsigned group, unsigned locked,
                                                   std::span<const unsigned> pressable) const {
    const auto found = characters_.find(ch);
    if (found == characters_.end()) {
        return std::nullopt;
    }
    // Two passes: the group in effect (no group switch needed), then any other group.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Candidate& c : found->second) {
            const std::size_t groups = snapshot_.Keys[c.Keycode].Groups.size();
            const bool inEffect = WrapGroup(group, groups) == c.Group;
            if (inEffect != (pass == 0)) {
                continue;
            }
            const KeyType* type = TypeOf(c.Keycode, c.Group);
            if (type == nullptr) {
                continue;
            }
            if (auto mods = ModifiersForLevel(*type, c.Level, locked, pressable)) {
                return KeyPlacement{c.Keycode, inEffect ? group : c.Group, c.Level, *mods};
            }
        }
    }
    return std::nullopt;
}

std::optional<std::uint8_t> Keymap::KeycodeOfKeysym(Keysym keysym, unsigned group) const {
    if (keysym == NoKeysym) {
        return std::nullopt;
    }
    std::optional<std::uint8_t> otherGroup;
    std::optional<std::uint8_t> anyLevel;
    for (int kc = snapshot_.MinKeycode; kc <= snapshot_.MaxKeycode; ++kc) {
        const KeyEntry& key = snapshot_.Keys[static_cast<std::size_t>(kc)];
        const unsigned inEffect = WrapGroup(group, key.Groups.size());
        for (unsigned g = 0; g < key.Groups.size(); ++g) {
            const std::vector<Keysym>& levels = key.Groups[g].Levels;
            for (unsigned level = 0; level < levels.size(); ++level) {
                if (levels[level] != keysym) {
                    continue;
                }
                const auto code = static_cast<std::uint8_t>(kc);
                if (level == 0 && g == inEffect) {
                    return code;
                }
                if (level == 0 && !otherGroup) {
                    otherGroup = code;
                } else if (!anyLevel) {
                    anyLevel = code;
                }
            }
        }
    }
    return otherGroup ? otherGroup : anyLevel;
}

Keysym Keymap::BaseKeysym(std::uint8_t keycode, unsigned group) const {
    const KeyEntry& key = snapshot_.Keys[keycode];
    if (key.Groups.empty()) {
        return NoKeysym;
    }
    const std::vector<Keysym>& levels = key.Groups[WrapGroup(group, key.Groups.size())].Levels;
    return levels.empty() ? NoKeysym : levels[0];
}

std::optional<unsigned> Keymap::LevelOfKeysym(std::uint8_t keycode, unsigned group,
                                              Keysym keysym) const {
    const KeyEntry& key = snapshot_.Keys[keycode];
    if (key.Groups.empty()) {
        return std::nullopt;
    }
    const std::vector<Keysym>& levels = key.Groups[WrapGroup(group, key.Groups.size())].Levels;
    for (unsigned level = 0; level < levels.size(); ++level) {
        if (levels[level] == keysym) {
            return level;
        }
    }
    return std::nullopt;
}

unsigned Keymap::ModifierOfKeysym(Keysym keysym) const {
    for (int kc = snapshot_.MinKeycode; kc <= snapshot_.MaxKeycode; ++kc) {
        const KeyEntry& key = snapshot_.Keys[static_cast<std::size_t>(kc)];
        if (key.ModMap != 0 && !key.Groups.empty() && !key.Groups[0].Levels.empty() &&
            key.Groups[0].Levels[0] == keysym) {
            return key.ModMap;
        }
    }
    return 0;
}

std::vector<std::uint8_t> Keymap::EmptyKeycodes() const {
    std::vector<std::uint8_t> empty;
    for (int kc = snapshot_.MinKeycode; kc <= snapshot_.MaxKeycode; ++kc) {
        const KeyEntry& key = snapshot_.Keys[static_cast<std::size_t>(kc)];
        const bool noSymbol = std::all_of(key.Groups.begin(), key.Groups.end(), [](const auto& g) {
            return std::all_of(g.Levels.begin(), g.Levels.end(),
                               [](Keysym k) { return k == NoKeysym; });
        });
        if (noSymbol && key.ModMap == 0) {
            empty.push_back(static_cast<std::uint8_t>(kc));
        }
    }
    return empty;
}

namespace {

// The character whose key a control character is typed with, Ctrl held (0x01 is Ctrl+A).
std::optional<unsigned char> ControlBase(unsigned char ch) {
    if (ch >= 0x01 && ch <= 0x1A) {
        return static_cast<unsigned char>('a' + ch - 1);
    }
    if (ch == 0x1C) {
        return '\\';
    }
    if (ch == 0x1D) {
        return ']';
    }
    if (ch == 0x7F) {
        return '\b';
    }
    return std::nullopt;
}

} // namespace

std::optional<KeyScan> ScanAscii(const Keymap& keymap, unsigned char ch, unsigned group) {
    if (ch >= 0x80 || ch == 0) {
        return std::nullopt;
    }
    unsigned char typed = ch == '\n' ? '\r' : ch;
    std::uint8_t extraState = 0;
    const bool keyOfItsOwn = typed == '\b' || typed == '\t' || typed == '\r' || typed == 0x1B;
    if (!keyOfItsOwn) {
        if (auto base = ControlBase(typed)) {
            typed = *base;
            extraState = 2;
        }
    }
    static constexpr unsigned PlainOrShift[] = {0, ModifierMask::Shift};
    static constexpr unsigned PlainOnly[] = {0};
    // A Ctrl combination names the key by its base level; Shift would change the combination.
    const std::span<const unsigned> pressable =
        extraState != 0 ? std::span<const unsigned>(PlainOnly) : std::span(PlainOrShift);
    const auto placed = keymap.PlaceCharacter(typed, group, 0, pressable);
    if (!placed || placed->Group != group) {
        return std::nullopt;
    }
    const auto vk = VirtualKeyOfKeysym(keymap.BaseKeysym(placed->Keycode, group));
    if (!vk || keymap.KeycodeOfKeysym(KeysymOfVirtualKey(*vk), group) != placed->Keycode) {
        return std::nullopt;
    }
    const std::uint8_t shift = (placed->Mods & ModifierMask::Shift) != 0 ? 1 : 0;
    return KeyScan{*vk, static_cast<std::uint8_t>(shift | extraState)};
}

} // namespace orvane
