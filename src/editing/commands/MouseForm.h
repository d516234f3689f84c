// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

// "Mouse Commands": a button action, a move to a place on the screen or in the foreground
// window, or the wheel.
struct MouseForm {
    // 1 move; 2..5 left click, double click, down, up; 6..9 right; 10..13 middle; 14 wheel
    // forward, 15 wheel backward (as the mouse records number them).
    int Action = 1;
    bool Window = true; // ToWindows, else ToScreen
    std::string X = "0";
    std::string Y = "0";
    std::string Clicks = "1"; // NumClicks

    static MouseForm Preset(CommandCode code);
    static MouseForm Load(std::string_view tag);
    friend bool operator==(const MouseForm&, const MouseForm&) = default;
};

inline constexpr std::string_view InvalidWheelClicksText =
    "Invalid number of wheel clicks specified.  Please correct.";
inline constexpr std::string_view InvalidXText = "Invalid X Position specified.  Please correct.";
inline constexpr std::string_view InvalidYText = "Invalid Y Position specified.  Please correct.";

std::optional<FormRefusal> Check(const MouseForm& form);
std::string Build(const MouseForm& form);

} // namespace orvane
