// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

// "Activate/Launch Program": activate a window, launch a program, or both.
struct ActivateForm {
    enum Kinds { ActiveOnly = 1, LaunchOnly = 2, LaunchAct = 3, ActiveLaunch = 4 };
    int Kind = ActiveOnly;
    std::string Title;      // WinTitle, at most 100 characters
    std::string Path;       // ProgPath
    std::string Parameters; // Params
    std::string Delay;      // DelaySecs, at most 2 characters

    static ActivateForm Preset(CommandCode code);
    static ActivateForm Load(std::string_view tag);
    friend bool operator==(const ActivateForm&, const ActivateForm&) = default;
};

inline constexpr std::string_view NoWindowTitleText =
    "No entry made for Window Title.  Please correct.";
inline constexpr std::string_view NoProgramText =
    "Specified Path and Program does not exist.  Please correct.";
// The launch tags end their title at the next "<".
inline constexpr std::string_view TitleTagStartText =
    "The character \"<\" cannot be used in a window title here.  Please correct.";

std::optional<FormRefusal> Check(const ActivateForm& form, const PathChecks& paths);
std::string Build(const ActivateForm& form);

} // namespace orvane
