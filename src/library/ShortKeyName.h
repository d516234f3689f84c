// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The characters a ShortKey word may hold, and a prefix too: A-Z, a-z, 0-9 and
// ! # $ % & * + , - . / ; < = > ? @ ^ _
bool IsShortKeyWordCharacter(char c);

inline constexpr std::string_view NoShortKeyNameText = "No ShortKey name was entered.";
inline constexpr std::string_view AddNoShortKeyNameText = "No ShortKey name entered.";
inline constexpr std::string_view InvalidShortKeyNameText =
    "The ShortKey name has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 "
    "and ' ! @ # $ % ^ & _ = < > ? . ; , * - / +";

// A ShortKey name as entered: blanks at both ends are dropped, then every character must be a
// ShortKey word character (A-Z, a-z, 0-9 and ! # $ % & * + , - . / ; < = > ? @ ^ _). The name
// (at most 10 characters) or the refusal to show.
struct ShortKeyNameCheck {
    std::string Name;
    std::optional<std::string_view> Refusal;
};
ShortKeyNameCheck CheckShortKeyName(std::string_view entered, std::string_view emptyText);

} // namespace orvane
