// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/ActivateForm.h"

#include "editing/LineRules.h"
#include "editing/commands/DelayForm.h"
#include "script/TagLayout.h"

#include <algorithm>

namespace orvane {

ActivateForm ActivateForm::Preset(CommandCode code) {
    ActivateForm form;
    switch (code) {
    case CommandCode::LaunchProgram:
        form.Kind = LaunchOnly;
        break;
    case CommandCode::LaunchAndActivate:
        form.Kind = LaunchAct;
        break;
    case CommandCode::ActivateOrLaunch:
        form.Kind = ActiveLaunch;
        break;
    default:
        break;
    }
    return form;
}

ActivateForm ActivateForm::Load(std::string_view tag) {
    ActivateForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* program = made ? std::get_if<ProgramRecord>(&made->Record) : nullptr) {
        form.Kind = program->Kind;
        form.Title = program->Title;
        form.Path = program->Path;
        form.Parameters = program->Parameters;
        if (form.Kind == LaunchAct || form.Kind == ActiveLaunch) {
            form.Delay = std::to_string(program->Delay);
        }
    }
    return form;
}

std::optional<FormRefusal> Check(const ActivateForm& form, const PathChecks& paths) {
    const std::string title = Trimmed(form.Title);
    if (form.Kind != ActivateForm::LaunchOnly) {
        if (title.empty()) {
            return FormRefusal{std::string(NoWindowTitleText), "WinTitle"};
        }
        if (auto refusal = RefuseTagEnd(title, "WinTitle")) {
            return refusal;
        }
        if (form.Kind != ActivateForm::ActiveOnly && title.find('<') != std::string::npos) {
            return FormRefusal{std::string(TitleTagStartText), "WinTitle"};
        }
    }
    if (form.Kind == ActivateForm::ActiveOnly) {
        return std::nullopt;
    }
    const std::string path = Trimmed(form.Path);
    if (path.find('>') != std::string::npos || !paths.ProgramExists(path)) {
        return FormRefusal{std::string(NoProgramText), "ProgPath"};
    }
    if (auto refusal = RefuseTagEnd(form.Parameters, "Params")) {
        return refusal;
    }
    if (form.Kind != ActivateForm::LaunchOnly && LeadingInteger(form.Delay) < 0) {
        return FormRefusal{std::string(GreaterThanZeroText), "DelaySecs"};
    }
    return std::nullopt;
}

std::string Build(const ActivateForm& form) {
    const std::string title = Trimmed(form.Title);
    if (form.Kind == ActivateForm::ActiveOnly) {
        return WriteTag(Tags::Activate, {title});
    }
    std::string program = Trimmed(form.Path);
    if (const std::string parameters = Trimmed(form.Parameters); !parameters.empty()) {
        program += LaunchParameterMark;
        program += parameters;
    }
    if (form.Kind == ActivateForm::LaunchOnly) {
        return WriteTag(Tags::Launch, {program});
    }
    const TagLayout& l = form.Kind == ActivateForm::LaunchAct ? Tags::LaunchNo : Tags::LaunchYes;
    const long long delay = std::min(LeadingInteger(form.Delay), 99LL);
    return WriteTag(l, {IntegerFieldText(delay, l.Field(0).Width), title, program});
}

namespace {

std::optional<CommandRecord> ProgramRecordOf(const ScriptItem& item, CommandCode code) {
    if (code == CommandCode::ActivateWindow) {
        return ProgramRecord{1, item.Text, {}, {}, 0};
    }
    const LaunchCommand launch = SplitLaunchCommand(item.Text2);
    ProgramRecord program{2, {}, std::string(launch.Program), std::string(launch.Parameters), 0};
    if (code != CommandCode::LaunchProgram) {
        program.Kind = code == CommandCode::LaunchAndActivate ? 3 : 4;
        program.Title = item.Text;
        program.Delay = item.Number;
    }
    return program;
}

std::string ProgramDetails(CommandCode code, const CommandRecord& record) {
    const auto* r = As<ProgramRecord>(record);
    if (r == nullptr) {
        return {};
    }
    return code == CommandCode::ActivateWindow ? ": \"" + r->Title + "\""
                                               : ": " + std::string(FileNameOf(r->Path));
}

std::string ProgramText(const ProgramRecord& program) {
    std::string text = program.Path;
    if (!program.Parameters.empty()) {
        text += LaunchParameterMark;
        text += program.Parameters;
    }
    return text;
}

std::string ProgramTag(CommandCode code, const CommandRecord& record) {
    const auto* r = As<ProgramRecord>(record);
    if (r == nullptr) {
        return {};
    }
    switch (code) {
    case CommandCode::ActivateWindow:
        return WriteCommandTag(code, 0, {r->Title});
    case CommandCode::LaunchProgram:
        return WriteCommandTag(code, 0, {ProgramText(*r)});
    default:
        return WriteCommandTag(
            code, 0,
            {IntegerFieldText(r->Delay, Tags::LaunchNo.Field(0).Width), r->Title, ProgramText(*r)});
    }
}

} // namespace

const LineRules ActivateLines = {ProgramRecordOf, ProgramDetails, ProgramTag};

} // namespace orvane
