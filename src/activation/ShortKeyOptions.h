// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

struct SettingsBlock;

// The "ShortKey Options" dialog's fields. Texts are Windows-1252.
struct ShortKeyOptionsForm {
    bool UsePrefixKeys = true;   // "Use &Prefix Keys" (the opposite of "Use Suffix")
    std::string PrefixKeys;      // at most 2 characters
    bool CaseSensitive = true;   // "Case &Sensitive"
    bool SolitaryUsage = false;  // "Solitary &Usage"
    bool UndoByBackspace = true; // "&Backspace undoes an expansion"
    bool FollowCase = false;     // "&Text follows the abbreviation's case"
    bool PasteLongTexts = false; // "P&aste texts longer than"
    int PasteAbove = 200;        // characters, PasteAboveRange
};

// What the paste threshold may be, in characters.
inline constexpr int MinPasteAbove = 1;
inline constexpr int MaxPasteAbove = 5000;

inline constexpr std::string_view InvalidPrefixKeysText =
    "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and "
    "' ! @ # $ % ^ & _ = < > ? . ; , * - / +";

ShortKeyOptionsForm ShortKeyOptionsFormFrom(const SettingsBlock& settings);

// The check made while the prefix field changes and when it loses the focus: every character of
// the trimmed text must be a ShortKey word character. The message to show (caption "Error",
// focus back to the field), or nothing when the text is fine.
std::optional<std::string_view> CheckPrefixKeys(std::string_view text);

// "&Ok": stores the options; the prefix trimmed and cut to 2 characters. The caller saves the
// settings file.
void ApplyShortKeyOptions(const ShortKeyOptionsForm& form, SettingsBlock& settings);

} // namespace orvane
