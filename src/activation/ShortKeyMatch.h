// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class MacroTable;
class NameCache;
struct SettingsBlock;

// The "ShortKeys" settings as matching reads them.
struct ShortKeySettings {
    bool SolitaryUsage = false;
    bool CaseSensitive = true;
    bool UseSuffix = false;
    std::string PrefixKeys; // Windows-1252, at most 2 characters

    static ShortKeySettings From(const SettingsBlock& settings);
    // The prefix in force: none while "Use Suffix" is on.
    std::string_view Prefix() const;
};

// The active ShortKey macros whose candidate (prefix + ShortKey) the typed text matches, in
// table order, at most 50, with the scopes that occur among them.
struct ShortKeyMatches {
    static constexpr std::size_t Limit = 50;

    std::vector<int> Macros; // record numbers
    bool HaveGlobal = false;
    bool HaveWindow = false;
    bool HaveProgram = false;

    bool Empty() const { return Macros.empty(); }
};

// Matches the typed word against every active macro of code 20000 (`count` macros of the table).
// Without the prefix in the word nothing matches. With "Solitary Usage" or "Use Suffix" the word
// must equal prefix + ShortKey, otherwise contain it; case-insensitive mode compares both in
// upper case (Windows-1252 letters included). An empty ShortKey with no prefix matches nothing:
// it would fire on every typed character.
ShortKeyMatches CollectShortKeyMatches(std::string_view typed, const ShortKeySettings& settings,
                                       const MacroTable& table, const NameCache& names, int count);

// What the choice asks of the desktop, only when a collected macro needs it: the foreground
// window's title and its program's executable name (Windows-1252, any case).
class ForegroundLookup {
public:
    virtual ~ForegroundLookup() = default;
    virtual std::string ForegroundTitle() = 0;
    virtual std::string ForegroundProgram() = 0;
};

// The macro to play: the first collected window-specific macro whose target the foreground
// title contains, else the first program-specific one whose target the foreground program's
// name contains, else the first global one; 0 when none. Specific macros never bring their
// window forward here.
int ChooseShortKeyMacro(const ShortKeyMatches& matches, const MacroTable& table,
                        ForegroundLookup& foreground);

} // namespace orvane
