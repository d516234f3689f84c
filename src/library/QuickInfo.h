// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DayCount.h"

#include <optional>
#include <string>

namespace orvane {

struct MacroRecord;

// What "Quick Info" shows of one macro. Texts are Windows-1252, as stored.
struct QuickInfo {
    std::optional<LocalDateTime> LastModified; // nothing when the stored value is no date
    std::string Icon;                          // the stored icon name ("MAIN", "MENU", a file)
    std::string ActivationLabel;               // "Timed Macro:", "ShortKey:" or "Hot Key:"
    std::string Activation;                    // the schedule, the ShortKey or the hot key's name
    std::string Nickname;
    // "GLOBAL", "Popup Menu", "SYSTEM", or the target followed by ' "Window" (Top Most Only)',
    // ' "Window" (If Running)', ' "Program" (Top Most Only)' or ' "Program" (If Running)'.
    std::string Scope;
    std::string Active; // "Yes" or "No"
    // Global, window and program macros show their script; popup menus and system macros
    // hold none to show.
    bool ShowsText = false;
    std::string MacroText;
};

QuickInfo QuickInfoOf(const MacroRecord& record);

} // namespace orvane
