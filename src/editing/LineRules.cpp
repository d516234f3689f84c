// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/LineRules.h"

#include <array>
#include <cmath>
#include <limits>

namespace orvane {

namespace {

// Indexed by FormKind.
constexpr std::array<const LineRules*, FormKindCount> FormLines = {
    &TextLines,     &DateTimeLines, &DelayLines, &PauseLines,     &RepeatLines,    &SpeedLines,
    &ActivateLines, &SoundLines,    &NameLines,  &NameLines,      &NameLines,      &NameLines,
    &SizeLines,     &SystemLines,   &MouseLines, &ClipboardLines, &KeyUpDownLines, &FilesLines,
};

} // namespace

const LineRules& LineRulesOf(FormKind form) {
    return *FormLines.at(static_cast<std::size_t>(form));
}

std::string WriteCommandTag(CommandCode code, std::size_t index,
                            std::initializer_list<std::string_view> fields) {
    const std::span<const TagForm> tags = CommandRowOf(code).Tags;
    return index < tags.size() ? WriteTag(tags[index].Layout, fields) : std::string();
}

std::optional<int> WholeValue(double value) {
    if (!std::isfinite(value) || value != std::trunc(value) ||
        std::fabs(value) > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string TitleOrCurrent(const std::string& title, bool current) {
    return current ? std::string(CurrentWindowTitle) : title;
}

} // namespace orvane
