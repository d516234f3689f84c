// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

struct SettingsBlock;

// "Set Sound": the beep or a wave file, waited for or not. The scheduler's alarm uses the same
// form ("None" in place of the beep) and keeps it in the settings.
struct SoundForm {
    bool Wave = false; // WaveFile, else Beep (or None)
    std::string File;  // ProgPath
    bool Wait = true;  // WaitFor

    static SoundForm Preset(CommandCode code);
    static SoundForm Load(std::string_view tag);
    friend bool operator==(const SoundForm&, const SoundForm&) = default;
};

inline constexpr std::string_view NoWaveFileText =
    "Specified WAV File does not exist.  Please correct.";

// "&Ok", and "&Test" before it plays (the wave file must exist; the beep needs nothing).
std::optional<FormRefusal> Check(const SoundForm& form, const PathChecks& paths);
std::string Build(const SoundForm& form);

// The alarm played before timed macros, as the settings keep it.
SoundForm AlarmFormFrom(const SettingsBlock& settings);
void ApplyAlarm(const SoundForm& form, SettingsBlock& settings);

} // namespace orvane
