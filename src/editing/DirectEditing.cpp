// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/DirectEditing.h"

#include "core/CodePage.h"
#include "editing/commands/KeystrokeText.h"

namespace orvane {

// Each button opens its dialog on the command its first choice makes.
const std::array<DirectCommandButton, 19> DirectCommandButtons = {{
    {"DATE", "DateButton", CommandCode::Date},
    {"TIME", "TimeButton", CommandCode::Time},
    {"DELAY", "DelayButton", CommandCode::Delay},
    {"PAUSE", "PauseButton", CommandCode::Pause},
    {"REPEAT", "RepeatButton", CommandCode::RepeatStart},
    {"SPEED", "SpeedButton", CommandCode::KeystrokeSpeed},
    {"ACTIVATE", "ActivateButton", CommandCode::ActivateOrLaunch},
    {"SOUND", "SoundButton", CommandCode::SoundWaveFile},
    {"SWAP FILE", "SwapButton", CommandCode::LoadNewMacroFile},
    {"LOAD TEXT", "LoadTextButton", CommandCode::LoadTextFile},
    {"SIZE / POS", "SizeButton", CommandCode::ResizeWindow},
    {"SYSTEM", "SystemButton", CommandCode::MaximizeWindow},
    {"MOUSE", "MouseButton", CommandCode::LeftMouseButton},
    {"CLIPBOARD", "ClipboardButton", CommandCode::ClipboardStartCopy},
    {"REMARK", "RemarkButton", CommandCode::Remark},
    {"KEY UP / DOWN", "KeyUpDownButton", CommandCode::ControlKey},
    {"WEB SITE", "WebButton", CommandCode::WebSite},
    {"INTERNET FTP", "FtpButton", CommandCode::WebFtp},
    {"FILE COMMANDS", "FilesButton", CommandCode::ChangeDirectory},
}};

ScriptSaveOutcome SaveDirectText(std::string_view text, const ScriptEditorForm& form, double now,
                                 MacroRecord& record) {
    const UpdatedText updated = UpdateKeystrokes(text);
    ScriptSaveOutcome outcome = SaveMacroText(updated.Text, form, now, record);
    outcome.Truncated = !outcome.Refusal && updated.Truncated;
    return outcome;
}

std::string UnstorableCharacters(std::string_view utf8) {
    std::u32string found;
    for (const char32_t c : DecodeUtf8(utf8)) {
        if (!UnicodeToWindows1252(c) && found.find(c) == std::u32string::npos) {
            found += c;
        }
    }
    return EncodeUtf8(found);
}

} // namespace orvane
