// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/ScriptLines.h"

#include <array>
#include <string_view>

namespace orvane {

// The tasks of "Scripting Wizard": each button appends one line to the script through the dialog
// of `Code` (the code only presets the dialog; the user may pick any command it offers). The
// letter after "&" is the task's Alt key.
struct WizardTask {
    std::string_view Caption;
    std::string_view Name; // the button's object name
    CommandCode Code;
};

inline constexpr std::array<WizardTask, 16> WizardTasks = {{
    {"&Enter Text, Symbols, Keystrokes", "TextTask", CommandCode::Text},
    {"Mouse Clic&ks, Movements, Wheel", "MouseTask", CommandCode::MouseMove},
    {"&Activate / Launch Programs", "ActivateTask", CommandCode::ActivateOrLaunch},
    {"Launch a &Web Site", "WebTask", CommandCode::WebSite},
    {"Insert &Date (current, past or future)", "DateTask", CommandCode::Date},
    {"Insert &Time", "TimeTask", CommandCode::Time},
    {"Macro &Pause", "PauseTask", CommandCode::Pause},
    {"E&nter a Comment or Remark", "RemarkTask", CommandCode::Remark},
    {"&Set Keyboard or Mouse Speed", "SpeedTask", CommandCode::KeystrokeSpeed},
    {"&Insert a Delay", "DelayTask", CommandCode::Delay},
    {"Set a Window Si&ze or Position", "SizeTask", CommandCode::ResizeWindow},
    {"&Maximize, Minimize, etc Windows", "WindowTask", CommandCode::MinimizeWindow},
    {"&Clipboard Functions (copy, paste)", "ClipboardTask", CommandCode::ClipboardFileCopy},
    {"Pla&y a Sound", "SoundTask", CommandCode::SoundWaveFile},
    {"Delete, Copy, Rename &Files, etc", "FilesTask", CommandCode::ChangeDirectory},
    {"Repeat &Loop", "RepeatTask", CommandCode::RepeatStart},
}};

inline constexpr std::string_view WizardAddedCaption = "Added";
inline constexpr std::string_view WizardAddedText =
    "Macro object successfully added.  Continue with wizard?";

} // namespace orvane
