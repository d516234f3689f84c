// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/SwayBindings.h"

#include "core/HotKeyTable.h"
#include "platform/linux/VirtualKeys.h"

#include <nlohmann/json.hpp>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>

namespace orvane {
namespace {

constexpr unsigned ShiftBit = 1U << 0;
constexpr unsigned ControlBit = 1U << 2;
constexpr unsigned Mod1Bit = 1U << 3;
constexpr unsigned Mod4Bit = 1U << 6;

std::string Lower(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

std::optional<unsigned> ModifierOfName(std::string_view name) {
    // The names sway 1.7 knows: "Super" and "Caps" are not among them.
    static const std::map<std::string, unsigned> names = {
        {"shift", ShiftBit}, {"lock", 1U << 1}, {"ctrl", ControlBit}, {"control", ControlBit},
        {"mod1", Mod1Bit},   {"alt", Mod1Bit},  {"mod2", 1U << 4},    {"mod3", 1U << 5},
        {"mod4", Mod4Bit},   {"mod5", 1U << 7},
    };
    const auto found = names.find(Lower(name));
    return found == names.end() ? std::nullopt : std::optional(found->second);
}

std::optional<unsigned> ButtonOfName(std::string_view name) {
    const std::string lowered = Lower(name);
    static const std::map<std::string, unsigned> events = {
        {"btn_left", 1}, {"btn_middle", 2}, {"btn_right", 3}};
    if (const auto found = events.find(lowered); found != events.end()) {
        return found->second;
    }
    if (lowered.size() == 7 && lowered.starts_with("button") && lowered[6] >= '1' &&
        lowered[6] <= '9') {
        return static_cast<unsigned>(lowered[6] - '0');
    }
    return std::nullopt;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> Words(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

// The combination of a binding's words: the first word that is no flag.
std::optional<SwayKey> KeyOfWords(const std::vector<std::string>& words, std::size_t from) {
    for (std::size_t i = from; i < words.size(); ++i) {
        if (!words[i].starts_with("--")) {
            return ParseSwayKey(words[i]);
        }
    }
    return std::nullopt;
}

std::string ReplaceVariables(std::string line,
                             const std::vector<std::pair<std::string, std::string>>& variables) {
    // Longest names first, so $mod never eats the start of $modkey.
    for (const auto& [name, value] : variables) {
        for (std::size_t at = line.find(name); at != std::string::npos;
             at = line.find(name, at + value.size())) {
            line.replace(at, name.size(), value);
        }
    }
    return line;
}

} // namespace

std::optional<SwayBinding> SwayBindingOf(std::uint32_t code) {
    if (code >= HotKeyCount) {
        return std::nullopt;
    }
    const DecipheredKey key = DecipherKey(code);
    SwayBinding binding;
    std::string& text = binding.Combination;
    const auto add = [&](bool on, const char* name, unsigned bit) {
        if (on) {
            text += name;
            text += '+';
            binding.Key.Modifiers |= bit;
        }
    };
    add(key.Ctrl, "Ctrl", ControlBit);
    add(key.Alt, "Alt", Mod1Bit);
    add(key.Shift, "Shift", ShiftBit);
    add(key.Win, "Mod4", Mod4Bit);
    if (key.MouseButton != 0) {
        // The table numbers right 2 and middle 3; the compositor the other way round.
        const unsigned button = key.MouseButton == 2 ? 3U : key.MouseButton == 3 ? 2U : 1U;
        text += "button" + std::to_string(button);
        binding.Flags = "--whole-window";
        binding.Key.Button = button;
        return binding;
    }
    const Keysym keysym = KeysymOfVirtualKey(key.VirtualKey);
    char name[64] = {};
    if (keysym == NoKeysym || xkb_keysym_get_name(keysym, name, sizeof name) <= 0) {
        return std::nullopt;
    }
    text += name;
    binding.Key.Keysym = xkb_keysym_to_lower(keysym);
    return binding;
}

std::optional<SwayKey> ParseSwayKey(std::string_view combination) {
    SwayKey key;
    std::string_view rest = combination;
    for (;;) {
        const auto plus = rest.find('+');
        if (plus == std::string_view::npos) {
            break;
        }
        const std::optional<unsigned> modifier = ModifierOfName(rest.substr(0, plus));
        if (!modifier) {
            return std::nullopt;
        }
        key.Modifiers |= *modifier;
        rest.remove_prefix(plus + 1);
    }
    if (rest.empty()) {
        return std::nullopt;
    }
    if (const auto button = ButtonOfName(rest)) {
        key.Button = *button;
        return key;
    }
    const std::string name(rest);
    xkb_keysym_t keysym = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
    if (keysym == XKB_KEY_NoSymbol) {
        keysym = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
    }
    if (keysym == XKB_KEY_NoSymbol) {
        return std::nullopt;
    }
    key.Keysym = xkb_keysym_to_lower(keysym);
    return key;
}

std::vector<SwayKey> ConfigBindings(std::string_view config) {
    std::vector<std::pair<std::string, std::string>> variables;
    std::vector<SwayKey> keys;
    int modeDepth = 0;      // inside `mode "name" { ... }`, counted by braces
    bool bindBlock = false; // inside `bindsym { ... }` of the default mode
    std::istringstream in{std::string(config)};
    for (std::string raw; std::getline(in, raw);) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> words = Words(line);
        if (words[0] == "set" && words.size() >= 3 && words[1].starts_with("$")) {
            const auto valueAt = line.find(words[2], line.find(words[1]) + words[1].size());
            variables.emplace_back(words[1], Trim(line.substr(valueAt)));
            std::sort(variables.begin(), variables.end(),
                      [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
            continue;
        }
        words = Words(ReplaceVariables(line, variables));
        if (bindBlock) {
            if (words[0] == "}") {
                bindBlock = false;
            } else if (modeDepth == 0) {
                if (const auto key = KeyOfWords(words, 0)) {
                    keys.push_back(*key);
                }
            }
            continue;
        }
        const bool opens = words.back() == "{";
        if (words[0] == "}") {
            modeDepth = std::max(0, modeDepth - 1);
            continue;
        }
        if (words[0] == "bindsym" && opens) {
            bindBlock = true;
            continue;
        }
        if (opens) {
            // Any other block: modes and the like. Bindings inside are not of the default mode;
            // other blocks (input, bar) hold none.
            ++modeDepth;
            continue;
        }
        if (words[0] == "bindsym" && modeDepth == 0) {
            if (const auto key = KeyOfWords(words, 1)) {
                keys.push_back(*key);
            }
        }
    }
    return keys;
}

std::string ConfigTextOf(std::string_view reply) {
    const nlohmann::json parsed = nlohmann::json::parse(reply, nullptr, false);
    if (!parsed.is_object() || !parsed.contains("config") || !parsed["config"].is_string()) {
        return {};
    }
    return parsed["config"].get<std::string>();
}

std::string BindingCommandOf(std::string_view payload) {
    const nlohmann::json parsed = nlohmann::json::parse(payload, nullptr, false);
    if (!parsed.is_object() || parsed.value("change", "") != "run") {
        return {};
    }
    const auto binding = parsed.find("binding");
    if (binding == parsed.end() || !binding->is_object()) {
        return {};
    }
    return binding->value("command", "");
}

std::string EventChangeOf(std::string_view payload) {
    const nlohmann::json parsed = nlohmann::json::parse(payload, nullptr, false);
    if (!parsed.is_object()) {
        return {};
    }
    const auto change = parsed.find("change");
    return change != parsed.end() && change->is_string() ? change->get<std::string>() : "";
}

std::optional<std::int64_t> FocusedContainerOf(std::string_view payload) {
    const nlohmann::json parsed = nlohmann::json::parse(payload, nullptr, false);
    if (!parsed.is_object() || parsed.value("change", "") != "focus") {
        return std::nullopt;
    }
    const auto container = parsed.find("container");
    if (container == parsed.end() || !container->is_object()) {
        return std::nullopt;
    }
    const auto id = container->find("id");
    if (id == container->end() || !id->is_number_integer()) {
        return std::nullopt;
    }
    return id->get<std::int64_t>();
}

} // namespace orvane
