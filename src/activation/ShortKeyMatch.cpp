// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/ShortKeyMatch.h"

#include "core/MacroRecord.h"
#include "core/MacroTable.h"
#include "core/NameCache.h"
#include "core/SettingsBlock.h"
#include "core/TextCase.h"

namespace orvane {

ShortKeySettings ShortKeySettings::From(const SettingsBlock& settings) {
    return {settings.SolitaryUsage, settings.CaseSensitive, settings.UseSuffix,
            settings.PrefixKeys.substr(0, kPrefixKeysCapacity)};
}

std::string_view ShortKeySettings::Prefix() const {
    return UseSuffix ? std::string_view() : std::string_view(PrefixKeys);
}

ShortKeyMatches CollectShortKeyMatches(std::string_view typed, const ShortKeySettings& settings,
                                       const MacroTable& table, const NameCache& names, int count) {
    ShortKeyMatches matches;
    const std::string_view prefix = settings.Prefix();
    if (!prefix.empty() && typed.find(prefix) == std::string_view::npos) {
        return matches;
    }
    const auto comparable = [&](std::string_view text) {
        return settings.CaseSensitive ? std::string(text) : UpperCase1252(text);
    };
    const std::string word = comparable(typed);
    const bool whole = settings.SolitaryUsage || settings.UseSuffix;
    for (int i = 1; i <= count && i <= MaxMacros; ++i) {
        if (table.HotKey(i) != HotKeyShortKey || table.Active(i) == 0) {
            continue;
        }
        const std::string candidate =
            comparable(std::string(prefix) + std::string(names.ShortKey(i)));
        if (candidate.empty()) {
            continue;
        }
        const bool match = whole ? word == candidate : word.find(candidate) != std::string::npos;
        if (!match) {
            continue;
        }
        matches.Macros.push_back(i);
        switch (table.Scope(i)) {
        case ScopeGlobal:
            matches.HaveGlobal = true;
            break;
        case ScopeSpecificWindow:
            matches.HaveWindow = true;
            break;
        case ScopeSpecificProgram:
            matches.HaveProgram = true;
            break;
        default:
            break;
        }
        if (matches.Macros.size() == ShortKeyMatches::Limit) {
            break;
        }
    }
    return matches;
}

namespace {

int FirstContained(const ShortKeyMatches& matches, const MacroTable& table, std::int16_t scope,
                   const std::string& upperText) {
    for (const int i : matches.Macros) {
        if (table.Scope(i) == scope &&
            upperText.find(UpperCase1252(table.ScopeTarget(i))) != std::string::npos) {
            return i;
        }
    }
    return 0;
}

} // namespace

int ChooseShortKeyMacro(const ShortKeyMatches& matches, const MacroTable& table,
                        ForegroundLookup& foreground) {
    if (matches.HaveWindow) {
        const std::string title = UpperCase1252(foreground.ForegroundTitle());
        if (const int i = FirstContained(matches, table, ScopeSpecificWindow, title)) {
            return i;
        }
    }
    if (matches.HaveProgram) {
        const std::string program = UpperCase1252(foreground.ForegroundProgram());
        if (const int i = FirstContained(matches, table, ScopeSpecificProgram, program)) {
            return i;
        }
    }
    if (matches.HaveGlobal) {
        for (const int i : matches.Macros) {
            if (table.Scope(i) == ScopeGlobal) {
                return i;
            }
        }
    }
    return 0;
}

} // namespace orvane
