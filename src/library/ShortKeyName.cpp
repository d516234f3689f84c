// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/ShortKeyName.h"

#include "core/Text.h"

#include <algorithm>

namespace orvane {

bool IsShortKeyWordCharacter(char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
        return true;
    }
    constexpr std::string_view punctuation = "!#$%&*+,-./;<=>?@^_";
    return c != '\0' && punctuation.find(c) != std::string_view::npos;
}

ShortKeyNameCheck CheckShortKeyName(std::string_view entered, std::string_view emptyText) {
    const std::string_view name = Trim(entered, " ");
    if (name.empty()) {
        return {{}, emptyText};
    }
    if (!std::all_of(name.begin(), name.end(), IsShortKeyWordCharacter)) {
        return {{}, InvalidShortKeyNameText};
    }
    return {std::string(name.substr(0, 10)), std::nullopt};
}

} // namespace orvane
