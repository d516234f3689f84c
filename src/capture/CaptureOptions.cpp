// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/CaptureOptions.h"

#include "core/MacroRecord.h"
#include "core/SettingsBlock.h"

namespace orvane {

CaptureOptions CaptureOptionsFrom(const SettingsBlock& s) {
    CaptureOptions options;
    options.Keys = s.CaptureKeys;
    options.Mouse = s.CaptureMouse;
    options.RelativeToScreen = s.CaptureRelativeToScreen;
    options.WindowSize = s.CaptureWindowSize;
    options.DoubleAlt = s.CaptureDoubleAlt;
    options.Time = s.CaptureTime;
    options.Speed = s.CaptureSpeed >= 1 && s.CaptureSpeed <= 4 ? s.CaptureSpeed : 1;
    options.Global = s.CaptureGlobal;
    options.Prompt = s.CapturePrompt;
    return options;
}

void StoreCaptureOptions(const CaptureOptions& options, SettingsBlock& s) {
    s.CaptureKeys = options.Keys;
    s.CaptureMouse = options.Mouse;
    s.CaptureRelativeToScreen = options.RelativeToScreen;
    s.CaptureWindowSize = options.WindowSize;
    s.CaptureDoubleAlt = options.DoubleAlt;
    s.CaptureTime = options.Time;
    s.CaptureSpeed = options.Speed;
    s.CaptureGlobal = options.Global;
    s.CapturePrompt = options.Prompt;
}

std::string_view SpeedTag(int speed) {
    switch (speed) {
    case 2:
        return "<SPEED:00002>";
    case 3:
        return "<SPEED:00.50>";
    case 4:
        return "<SPEED:00.25>";
    default:
        return "<SPEED:00001>";
    }
}

CaptureSettings CaptureSettingsOf(const CaptureOptions& options) {
    CaptureSettings settings;
    settings.Keys = options.Keys;
    settings.Mouse = options.Mouse;
    settings.ToScreen = options.RelativeToScreen;
    settings.WindowSize = options.Mouse && !options.RelativeToScreen && options.WindowSize;
    settings.DoubleAlt = options.DoubleAlt;
    settings.Timing = options.Time;
    return settings;
}

CaptureEnabling EnablingOf(const CaptureOptions& options) {
    CaptureEnabling enabling;
    enabling.RelativeTo = options.Mouse;
    enabling.WindowSize = options.Mouse && !options.RelativeToScreen;
    enabling.DoubleAlt = options.Keys;
    enabling.Speeds = options.Time;
    return enabling;
}

std::string EndCaptureLabel(std::string_view stopKey, std::string_view ownKey) {
    std::string label = "Press " + std::string(stopKey) + " to end capture";
    if (!ownKey.empty()) {
        label += "\nOr Press " + std::string(ownKey) + " to end capture";
    }
    return label;
}

CaptureMacroForm CaptureMacroFormFrom(const SettingsBlock& settings, bool globalForbidden,
                                      std::string_view nickname) {
    CaptureMacroForm form;
    form.Options = CaptureOptionsFrom(settings);
    form.ProgramScope = globalForbidden || !form.Options.Global;
    form.Nickname = std::string(nickname.substr(0, CaptureNicknameLength));
    return form;
}

CaptureCompleteForm CaptureCompleteFormFrom(const SettingsBlock& settings) {
    CaptureCompleteForm form;
    form.ProgramScope = !settings.CaptureGlobal;
    return form;
}

ChooserCheck CheckCaptureComplete(const CaptureCompleteForm& form, const KeyFlags& globalKeys) {
    ChooserCheck check;
    if (form.ShortKeys) {
        ShortKeyNameCheck name = CheckShortKeyName(form.ShortKeyName, AddNoShortKeyNameText);
        if (name.Refusal) {
            check.Refusal = std::string(*name.Refusal);
            check.Field = ChoiceField::ShortKey;
        }
        check.ShortKeyName = std::move(name.Name);
        return check;
    }
    if (!form.Code || *form.Code >= HotKeyCount) {
        check.Refusal = std::string(NoHotKeySelectedText);
    } else if (!form.ProgramScope && globalKeys[*form.Code]) {
        check.Refusal = std::string(CaptureGlobalKeyInUseText);
    } else {
        check.Question =
            HotKeyQuestion(*form.Code, form.ProgramScope ? ScopeSpecificProgram : ScopeGlobal);
    }
    return check;
}

void ApplyCaptureComplete(const CaptureCompleteForm& form, const ChooserCheck& check,
                          std::string_view program, MacroRecord& record) {
    if (form.ShortKeys) {
        record.HotKey = HotKeyShortKey;
        record.ShortKey.Assign(check.ShortKeyName);
    } else if (form.Code) {
        record.HotKey = *form.Code;
        record.ShortKey.Assign("");
    }
    const std::size_t first = form.Nickname.find_first_not_of(' ');
    const std::size_t last = form.Nickname.find_last_not_of(' ');
    record.Nickname.Assign(first == std::string::npos
                               ? std::string_view{}
                               : std::string_view(form.Nickname).substr(first, last - first + 1));
    if (form.ProgramScope) {
        record.Scope = ScopeSpecificProgram;
        record.ScopeTarget.Assign(program.substr(0, 30));
        record.TopMostOnly = 1;
    } else {
        record.Scope = ScopeGlobal;
        record.ScopeTarget.Assign("");
    }
}

} // namespace orvane
