// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

struct SettingsBlock;

// "Dates" / "Times": a date or time format, typed at the moment of playing; a date may lie a
// number of days in the future or the past.
struct DateTimeForm {
    bool Time = false;
    int FormatIndex = 1;   // TheFormat: 1-based into the 51 date or 26 time formats
    bool Suppress = false; // "Do not show leading zeros"
    std::string Days = "0";
    bool Future = true; // Future, else Past

    // A new line: the last chosen format and its leading-zero choice, "&future", 0 days.
    static DateTimeForm Preset(bool time, const SettingsBlock& settings);
    static DateTimeForm Load(std::string_view tag);
    friend bool operator==(const DateTimeForm&, const DateTimeForm&) = default;
};

// The day count's field holds three digits.
inline constexpr std::string_view InvalidDaysText =
    "Invalid number of days specified.  Please correct.";

std::optional<FormRefusal> Check(const DateTimeForm& form);
std::string Build(const DateTimeForm& form);
// Keeps the chosen format and leading-zero choice for the next new line.
void RememberFormat(const DateTimeForm& form, SettingsBlock& settings);

// How many formats the list offers.
int FormatCount(bool time);

} // namespace orvane
