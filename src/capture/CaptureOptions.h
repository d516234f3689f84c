// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/CaptureScriptWriter.h"
#include "library/HotKeyChoice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

struct MacroRecord;
struct SettingsBlock;

// The capture options of the settings ("Capture" section) as the dialogs show them.
struct CaptureOptions {
    bool Keys = true;
    bool Mouse = true;
    bool RelativeToScreen = true;
    bool WindowSize = true;
    bool DoubleAlt = true;
    bool Time = true;
    int Speed = 1; // 1 actual, 2 half, 3 double, 4 quadruple
    bool Global = true;
    bool Prompt = true;
    friend bool operator==(const CaptureOptions&, const CaptureOptions&) = default;
};

CaptureOptions CaptureOptionsFrom(const SettingsBlock& settings);
// "&Ok" of "Capture Defaults": all nine stored; the caller saves the settings.
void StoreCaptureOptions(const CaptureOptions& options, SettingsBlock& settings);

// The speed command that opens a timed capture: "<SPEED:00001>", "<SPEED:00002>",
// "<SPEED:00.50>", "<SPEED:00.25>" for speeds 1..4 (others read as 1).
std::string_view SpeedTag(int speed);

// What the recorder is asked to do: the window size only with mouse positions relative to the
// window.
CaptureSettings CaptureSettingsOf(const CaptureOptions& options);

// Which controls can be used with these options.
struct CaptureEnabling {
    bool RelativeTo = true; // "&Screen" / "&Window"
    bool WindowSize = true;
    bool DoubleAlt = true;
    bool Speeds = true;
    friend bool operator==(const CaptureEnabling&, const CaptureEnabling&) = default;
};
CaptureEnabling EnablingOf(const CaptureOptions& options);

// ---- "Capture Macro" ----

inline constexpr std::size_t CaptureNicknameLength = 50;

// "Press <stop key> to end capture", and a second line "Or Press <own key> to end capture" when
// the macro has a hot key of its own (`ownKey` empty: none, as for a ShortKey macro). Names
// are Windows-1252.
std::string EndCaptureLabel(std::string_view stopKey, std::string_view ownKey);

struct CaptureMacroForm {
    CaptureOptions Options;
    bool ProgramScope = false;
    std::string Nickname = {}; // Windows-1252, at most 50 characters
};

// The dialog's opening state: the options from the settings; the scope from "Global", or
// "&Program" when `globalForbidden` (the macro's key is a global macro's); the nickname.
CaptureMacroForm CaptureMacroFormFrom(const SettingsBlock& settings, bool globalForbidden,
                                      std::string_view nickname);

// ---- "Capture Complete" ----

inline constexpr std::string_view CaptureGlobalKeyInUseText =
    "A Global Hot Key is already in use for the selected hot key.  Please select a different "
    "one or choose the Program specific option.";

struct CaptureCompleteForm {
    bool ShortKeys = false;
    bool ProgramScope = false;
    std::string Nickname = {};
    std::optional<std::uint16_t> Code = {}; // the selected line of the key list
    std::string ShortKeyName = {};          // as entered, Windows-1252
};

CaptureCompleteForm CaptureCompleteFormFrom(const SettingsBlock& settings);

// "&Ok": the first refusal (caption "Error", focus on `Field`), or the reserved-key question.
// `globalKeys`: keys of Global, PopUp Menu and System macros.
ChooserCheck CheckCaptureComplete(const CaptureCompleteForm& form, const KeyFlags& globalKeys);

// Stores the checked form into the captured macro: its activation, nickname and, for
// "&Program", the program in front when the capture ended (`program`, upper case, cut to 30).
void ApplyCaptureComplete(const CaptureCompleteForm& form, const ChooserCheck& check,
                          std::string_view program, MacroRecord& record);

} // namespace orvane
