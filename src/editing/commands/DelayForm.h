// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

// "Set Delay": a wait in seconds ("<DELAY:") or milliseconds ("<MSD:").
struct DelayForm {
    bool Milliseconds = false; // DelMilli, else DelSecs
    std::string Seconds;       // the "Delay Time" box

    // The form of a delay tag; an empty or other tag gives the new line's form.
    static DelayForm Load(std::string_view tag);
    friend bool operator==(const DelayForm&, const DelayForm&) = default;
};

inline constexpr std::string_view DelaySecondsText =
    "Value must be greater than zero and no larger than 60.";
inline constexpr std::string_view GreaterThanZeroText = "Value must be greater than zero.";
inline constexpr std::string_view LessThan10000Text = "Value must be less than 9999.";

std::optional<FormRefusal> Check(const DelayForm& form);
// The tag of a checked form.
std::string Build(const DelayForm& form);

} // namespace orvane
