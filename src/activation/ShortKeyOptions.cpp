// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/ShortKeyOptions.h"

#include "activation/ShortKeyBuffer.h"
#include "core/SettingsBlock.h"
#include "core/Text.h"

#include <algorithm>

namespace orvane {

ShortKeyOptionsForm ShortKeyOptionsFormFrom(const SettingsBlock& settings) {
    return {.UsePrefixKeys = !settings.UseSuffix,
            .PrefixKeys = settings.PrefixKeys.substr(0, kPrefixKeysCapacity),
            .CaseSensitive = settings.CaseSensitive,
            .SolitaryUsage = settings.SolitaryUsage,
            .UndoByBackspace = settings.UndoByBackspace,
            .FollowCase = settings.FollowCase,
            .PasteLongTexts = settings.PasteLongTexts,
            .PasteAbove =
                std::clamp(static_cast<int>(settings.PasteAbove), MinPasteAbove, MaxPasteAbove)};
}

std::optional<std::string_view> CheckPrefixKeys(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    if (std::all_of(trimmed.begin(), trimmed.end(), IsShortKeyWordCharacter)) {
        return std::nullopt;
    }
    return InvalidPrefixKeysText;
}

void ApplyShortKeyOptions(const ShortKeyOptionsForm& form, SettingsBlock& settings) {
    settings.SolitaryUsage = form.SolitaryUsage;
    settings.CaseSensitive = form.CaseSensitive;
    settings.UseSuffix = !form.UsePrefixKeys;
    settings.PrefixKeys = std::string(Trim(form.PrefixKeys).substr(0, kPrefixKeysCapacity));
    settings.UndoByBackspace = form.UndoByBackspace;
    settings.FollowCase = form.FollowCase;
    settings.PasteLongTexts = form.PasteLongTexts;
    settings.PasteAbove = std::clamp(form.PasteAbove, MinPasteAbove, MaxPasteAbove);
}

} // namespace orvane
