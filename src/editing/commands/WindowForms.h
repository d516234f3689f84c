// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

// "Size or Position a Window": the size or the place of the current window or of one found by
// its title.
struct SizeForm {
    bool Current = true; // CurrentWin, else SpecificWin
    std::string Title;   // WinTitle
    bool Resize = true;  // ResizeWin, else PositionWin
    std::string First;   // TheWidth: the width or the left
    std::string Second;  // TheHeight: the height or the top

    static SizeForm Preset(CommandCode code);
    static SizeForm Load(std::string_view tag);
    friend bool operator==(const SizeForm&, const SizeForm&) = default;
};

inline constexpr std::string_view NoTitleSpecifiedText =
    "No Window title specified.  Please correct";
inline constexpr std::string_view InvalidWidthText =
    "Invalid width specified.  Width must be 10 or greater.  Please correct.";
inline constexpr std::string_view InvalidHeightText =
    "Invalid height specified.  Height must be 30 or greater.  Please correct.";
inline constexpr std::string_view InvalidLeftPositionText =
    "Invalid left position specified.  Please correct.";
inline constexpr std::string_view InvalidTopPositionText =
    "Invalid top position specified.  Please correct.";

std::optional<FormRefusal> Check(const SizeForm& form);
std::string Build(const SizeForm& form);

// "System Commands": maximise, minimise, restore, close, hide, show a window or end its
// program.
struct SystemForm {
    int Action = 1; // 1 DoMaximize .. 7 DoShutDown, in the order of the window records
    bool Current = true;
    std::string Title;

    static SystemForm Preset(CommandCode code);
    static SystemForm Load(std::string_view tag);
    friend bool operator==(const SystemForm&, const SystemForm&) = default;
};

std::optional<FormRefusal> Check(const SystemForm& form);
std::string Build(const SystemForm& form);

} // namespace orvane
