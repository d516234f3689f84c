// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/ClipboardForm.h"

#include <algorithm>

namespace orvane {

ClipboardForm ClipboardForm::Preset(CommandCode code) {
    ClipboardForm form;
    switch (code) {
    case CommandCode::ClipboardEndCopy:
        form.Kind = EndCopy;
        break;
    case CommandCode::ClipboardFileCopy:
        form.Kind = FileCopy;
        break;
    case CommandCode::ClipboardCopy:
        form.Kind = Copy;
        break;
    case CommandCode::ClipboardPaste:
        form.Kind = Paste;
        break;
    default:
        break;
    }
    return form;
}

ClipboardForm ClipboardForm::Load(std::string_view tag) {
    ClipboardForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* clip = made ? std::get_if<ClipboardRecord>(&made->Record) : nullptr) {
        form.Kind = clip->Kind;
        form.File = clip->File;
    }
    return form;
}

std::optional<FormRefusal> Check(const ClipboardForm& form, const PathChecks& paths) {
    if (form.Kind == ClipboardForm::FileCopy) {
        const std::string file = Trimmed(form.File);
        if (file.find('>') != std::string::npos || !paths.FileExists(file)) {
            return FormRefusal{std::string(NoTextFileText), "ProgPath"};
        }
    }
    return std::nullopt;
}

std::string Build(const ClipboardForm& form) {
    constexpr CommandCode codes[5] = {CommandCode::ClipboardStartCopy,
                                      CommandCode::ClipboardEndCopy, CommandCode::ClipboardFileCopy,
                                      CommandCode::ClipboardCopy, CommandCode::ClipboardPaste};
    const int kind = std::clamp(form.Kind, 1, 5);
    return TagOf(codes[kind - 1],
                 ClipboardRecord{kind, kind == ClipboardForm::FileCopy ? Trimmed(form.File) : ""});
}

KeyUpDownForm KeyUpDownForm::Preset(CommandCode code) {
    switch (code) {
    case CommandCode::AltKey:
        return KeyUpDownForm{3};
    case CommandCode::ShiftKey:
        return KeyUpDownForm{5};
    case CommandCode::WinKey:
        return KeyUpDownForm{7};
    default:
        return KeyUpDownForm{1};
    }
}

KeyUpDownForm KeyUpDownForm::Load(std::string_view tag) {
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    const auto* modifier = made ? std::get_if<ModifierRecord>(&made->Record) : nullptr;
    return KeyUpDownForm{modifier != nullptr ? modifier->Action : 1};
}

std::string Build(const KeyUpDownForm& form) {
    constexpr CommandCode codes[4] = {CommandCode::ControlKey, CommandCode::AltKey,
                                      CommandCode::ShiftKey, CommandCode::WinKey};
    const int action = std::clamp(form.Action, 1, 8);
    return TagOf(codes[(action - 1) / 2], ModifierRecord{action});
}

} // namespace orvane
