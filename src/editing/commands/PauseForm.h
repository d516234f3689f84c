// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

// "Pause Window": the basic pause in the middle of the screen, or the complex one at a place
// and with a message.
struct PauseForm {
    bool Complex = false; // ComplexPause, else BasicPause
    std::string Top = "0";
    std::string Left = "0";
    std::string Message; // at most 180 characters

    static PauseForm Load(std::string_view tag);
    friend bool operator==(const PauseForm&, const PauseForm&) = default;
};

inline constexpr std::string_view InvalidTopText =
    "Invalid Top Window Coordinate entered.  Please correct.";
inline constexpr std::string_view InvalidLeftText =
    "Invalid Left Window Coordinate entered.  Please correct.";

std::optional<FormRefusal> Check(const PauseForm& form);
std::string Build(const PauseForm& form);

} // namespace orvane
