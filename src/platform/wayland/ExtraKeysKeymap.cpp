// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/ExtraKeysKeymap.h"

#include "platform/wayland/KeyboardLayout.h"

#include <algorithm>
#include <set>

namespace orvane {

std::optional<xkb_keycode_t> ExtraKeyAssignment::KeycodeOf(Keysym sym) const {
    const auto it =
        std::find_if(keys_.begin(), keys_.end(), [&](const ExtraKey& k) { return k.Sym == sym; });
    return it != keys_.end() ? std::optional(it->Keycode) : std::nullopt;
}

bool ExtraKeyAssignment::Bind(const std::vector<Keysym>& wanted) {
    std::vector<Keysym> keep;
    for (const Keysym sym : wanted) {
        if (keep.size() == free_.size()) {
            break;
        }
        if (sym != NoKeysym && std::find(keep.begin(), keep.end(), sym) == keep.end()) {
            keep.push_back(sym);
        }
    }
    std::set<xkb_keycode_t> taken;
    for (const ExtraKey& k : keys_) {
        taken.insert(k.Keycode);
    }
    bool changed = false;
    for (const Keysym sym : keep) {
        if (KeycodeOf(sym)) {
            continue;
        }
        auto freeKey = std::find_if(free_.begin(), free_.end(),
                                    [&](xkb_keycode_t kc) { return !taken.contains(kc); });
        if (freeKey == free_.end()) {
            // Full: the first key whose keysym is not wanted makes room.
            const auto unwanted = std::find_if(keys_.begin(), keys_.end(), [&](const ExtraKey& k) {
                return std::find(keep.begin(), keep.end(), k.Sym) == keep.end();
            });
            if (unwanted == keys_.end()) {
                break;
            }
            unwanted->Sym = sym;
            changed = true;
            continue;
        }
        taken.insert(*freeKey);
        keys_.push_back({*freeKey, sym});
        changed = true;
    }
    return changed;
}

bool ExtraKeyAssignment::Clear() {
    const bool any = !keys_.empty();
    keys_.clear();
    return any;
}

namespace {

// Where the section that starts with `header` ends: the position of its closing "};" line.
std::string::size_type SectionEnd(const std::string& text, std::string_view header) {
    const auto start = text.find(header);
    if (start == std::string::npos) {
        return std::string::npos;
    }
    const auto close = text.find("\n};", start);
    return close == std::string::npos ? close : close + 1;
}

std::string KeysymName(Keysym sym) {
    char name[64] = {};
    if (xkb_keysym_get_name(sym, name, sizeof name) <= 0) {
        return {};
    }
    return name;
}

} // namespace

std::string KeymapWithExtraKeys(const KeyboardLayout& base, const std::vector<ExtraKey>& extras) {
    std::string text = base.Text();
    if (text.empty() || extras.empty()) {
        return text;
    }
    xkb_keymap* km = base.Keymap();
    const bool alphabetic = text.find("type \"ALPHABETIC\"") != std::string::npos;
    std::string names;
    std::string symbols;
    for (const ExtraKey& extra : extras) {
        const std::string sym = KeysymName(extra.Sym);
        if (sym.empty()) {
            continue;
        }
        std::string name;
        if (const char* existing = xkb_keymap_key_get_name(km, extra.Keycode)) {
            name = existing;
        } else {
            // Keycodes the layout does not name get a name of ours.
            name = "O" + std::to_string(extra.Keycode);
            if (xkb_keymap_key_by_name(km, name.c_str()) != XKB_KEYCODE_INVALID) {
                continue;
            }
            names += "\t<" + name + "> = " + std::to_string(extra.Keycode) + ";\n";
        }
        symbols += "\tkey <" + name + "> { " + (alphabetic ? "type= \"ALPHABETIC\", " : "") + "[ " +
                   sym + (alphabetic ? ", " + sym : "") + " ] };\n";
    }
    const auto keycodesEnd = SectionEnd(text, "xkb_keycodes");
    if (keycodesEnd == std::string::npos) {
        return {};
    }
    text.insert(keycodesEnd, names);
    const auto symbolsEnd = SectionEnd(text, "xkb_symbols");
    if (symbolsEnd == std::string::npos) {
        return {};
    }
    text.insert(symbolsEnd, symbols);
    return text;
}

} // namespace orvane
