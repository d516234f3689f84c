// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/Commands.h"

#include <string_view>

namespace orvane {

// The tasks of "Scripting Wizard", as the command table places them.
using WizardTask = PlacedCommand;
inline constexpr auto WizardTasks = PlacedCommands<16, &CommandRow::Wizard>();

inline constexpr std::string_view WizardAddedCaption = "Added";
inline constexpr std::string_view WizardAddedText =
    "Macro object successfully added.  Continue with wizard?";

} // namespace orvane
