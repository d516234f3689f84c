// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/ClipboardForm.h"

#include "editing/LineRules.h"
#include "script/TagLayout.h"

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

namespace {

std::optional<CommandRecord> ClipboardRecordOf(const ScriptItem& item, CommandCode code) {
    switch (code) {
    case CommandCode::ClipboardStartCopy:
        return ClipboardRecord{1, {}};
    case CommandCode::ClipboardEndCopy:
        return ClipboardRecord{2, {}};
    case CommandCode::ClipboardFileCopy:
        return ClipboardRecord{3, item.Text};
    case CommandCode::ClipboardCopy:
        return ClipboardRecord{4, {}};
    default:
        return ClipboardRecord{5, {}};
    }
}

std::string ClipboardDetails(CommandCode code, const CommandRecord& record) {
    const auto* r = As<ClipboardRecord>(record);
    if (r == nullptr || code != CommandCode::ClipboardFileCopy) {
        return {};
    }
    return ": " + std::string(FileNameOf(r->File));
}

// Only the file copy holds a value: the other tags need no record.
std::string ClipboardTag(CommandCode code, const CommandRecord& record) {
    if (code != CommandCode::ClipboardFileCopy) {
        return WriteCommandTag(code, 0, {});
    }
    const auto* r = As<ClipboardRecord>(record);
    return r != nullptr ? WriteCommandTag(code, 0, {r->File}) : std::string();
}

// Record actions: 1/2 Ctrl down/up, 3/4 Alt, 5/6 Shift, 7/8 Win, as the commands follow each
// other; each command's tags are down, then up.
std::optional<CommandRecord> ModifierRecordOf(const ScriptItem& item, CommandCode code) {
    const int modifier = static_cast<int>(code) - static_cast<int>(CommandCode::ControlKey);
    return ModifierRecord{1 + modifier * 2 + (item.Kind == ItemKind::KeyUp ? 1 : 0)};
}

std::string ModifierDetails(CommandCode, const CommandRecord& record) {
    const auto* r = As<ModifierRecord>(record);
    if (r == nullptr) {
        return {};
    }
    return r->Action % 2 == 1 ? " Down" : " Up";
}

// The action names the modifier, whichever modifier command the line has.
std::string ModifierTag(CommandCode, const CommandRecord& record) {
    const auto* r = As<ModifierRecord>(record);
    if (r == nullptr || r->Action < 1 || r->Action > 8) {
        return {};
    }
    const int action = r->Action - 1;
    return WriteCommandTag(CodeAfter(CommandCode::ControlKey, action / 2),
                           static_cast<std::size_t>(action % 2), {});
}

} // namespace

const LineRules ClipboardLines = {ClipboardRecordOf, ClipboardDetails, ClipboardTag};
const LineRules KeyUpDownLines = {ModifierRecordOf, ModifierDetails, ModifierTag};

} // namespace orvane
