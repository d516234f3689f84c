// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

// "Speed": the keystroke delay, the mouse delay, or the playback factor.
struct SpeedForm {
    enum Kinds { Keyboard = 1, Mouse = 2, Macro = 3 };
    int Kind = Keyboard; // KeyboardSpeed, MouseSpeed, MacroSpeed
    std::string Count;   // milliseconds, or the factor

    static SpeedForm Preset(CommandCode code);
    static SpeedForm Load(std::string_view tag);
    friend bool operator==(const SpeedForm&, const SpeedForm&) = default;
};

inline constexpr std::string_view ZeroOrGreaterText = "Value must be zero or greater.";
// The factor's field holds five characters: 99.99 at most.
inline constexpr std::string_view FactorTooLargeText = "Value must be no larger than 99.99.";

std::optional<FormRefusal> Check(const SpeedForm& form);
std::string Build(const SpeedForm& form);

} // namespace orvane
