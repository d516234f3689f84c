// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

struct SettingsBlock;

// The "ShortKey Options" dialog's fields. Texts are Windows-1252.
struct ShortKeyOptionsForm {
    bool UsePrefixKeys = true;  // "Use &Prefix Keys" (the opposite of "Use Suffix")
    std::string PrefixKeys;     // at most 2 characters
    bool CaseSensitive = true;  // "Case &Sensitive"
    bool SolitaryUsage = false; // "Solitary &Usage"
};

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
