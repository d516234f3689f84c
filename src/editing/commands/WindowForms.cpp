// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/WindowForms.h"

#include "editing/LineRules.h"
#include "script/ScriptReader.h"
#include "script/TagLayout.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr CommandCode SystemCodes[7] = {CommandCode::MaximizeWindow, CommandCode::MinimizeWindow,
                                        CommandCode::RestoreWindow,  CommandCode::CloseWindow,
                                        CommandCode::HideWindow,     CommandCode::ShowWindow,
                                        CommandCode::ShutDownProgram};

std::optional<FormRefusal> CheckTitle(bool current, const std::string& title) {
    if (current) {
        return std::nullopt;
    }
    if (Trimmed(title).empty()) {
        return FormRefusal{std::string(NoTitleSpecifiedText), "WinTitle"};
    }
    return RefuseTagEnd(title, "WinTitle");
}

std::string TitleText(bool current, const std::string& title) {
    return current ? std::string(CurrentWindowTitle) : Trimmed(title);
}

} // namespace

SizeForm SizeForm::Preset(CommandCode code) {
    SizeForm form;
    form.Resize = code != CommandCode::RepositionWindow;
    return form;
}

SizeForm SizeForm::Load(std::string_view tag) {
    SizeForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* geometry = made ? std::get_if<GeometryRecord>(&made->Record) : nullptr) {
        form.Current = geometry->Current;
        form.Title = geometry->Title;
        form.Resize = geometry->Kind == 1;
        form.First = std::to_string(geometry->First);
        form.Second = std::to_string(geometry->Second);
    }
    return form;
}

std::optional<FormRefusal> Check(const SizeForm& form) {
    if (auto refusal = CheckTitle(form.Current, form.Title)) {
        return refusal;
    }
    // Four digits each, as the tag keeps them.
    const auto within = [](const std::string& text, long long least) {
        const std::optional<long long> value = WholeNumber(text);
        return value && *value >= least && *value <= 9999;
    };
    if (form.Resize) {
        if (!within(form.First, 10)) {
            return FormRefusal{std::string(InvalidWidthText), "TheWidth"};
        }
        if (!within(form.Second, 30)) {
            return FormRefusal{std::string(InvalidHeightText), "TheHeight"};
        }
        return std::nullopt;
    }
    if (!within(form.First, 0)) {
        return FormRefusal{std::string(InvalidLeftPositionText), "TheWidth"};
    }
    if (!within(form.Second, 0)) {
        return FormRefusal{std::string(InvalidTopPositionText), "TheHeight"};
    }
    return std::nullopt;
}

std::string Build(const SizeForm& form) {
    const TagLayout& l = form.Resize ? Tags::WindowSize : Tags::WindowPos;
    return WriteTag(l, {IntegerFieldText(WholeNumber(form.First).value_or(0), l.Field(0).Width),
                        IntegerFieldText(WholeNumber(form.Second).value_or(0), l.Field(1).Width),
                        TitleText(form.Current, form.Title)});
}

SystemForm SystemForm::Preset(CommandCode code) {
    SystemForm form;
    for (int i = 0; i < 7; ++i) {
        if (SystemCodes[i] == code) {
            form.Action = i + 1;
        }
    }
    return form;
}

SystemForm SystemForm::Load(std::string_view tag) {
    SystemForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* window = made ? std::get_if<WindowRecord>(&made->Record) : nullptr) {
        form.Action = window->Action;
        form.Current = window->Current;
        form.Title = window->Title;
    }
    return form;
}

std::optional<FormRefusal> Check(const SystemForm& form) {
    return CheckTitle(form.Current, form.Title);
}

std::string Build(const SystemForm& form) {
    const CommandCode code = SystemCodes[std::clamp(form.Action, 1, 7) - 1];
    return TagOf(code, WindowRecord{form.Current ? std::string() : Trimmed(form.Title), form.Action,
                                    form.Current});
}

namespace {

std::optional<CommandRecord> GeometryRecordOf(const ScriptItem& item, CommandCode code) {
    const bool size = code == CommandCode::ResizeWindow;
    const bool current = item.Text == CurrentWindowTitle;
    return GeometryRecord{current ? std::string() : item.Text, size ? 1 : 2, current, item.Number,
                          item.Number2};
}

std::string GeometryDetails(CommandCode code, const CommandRecord& record) {
    const auto* r = As<GeometryRecord>(record);
    if (r == nullptr) {
        return {};
    }
    std::string text = r->Current ? " - Current Win" : " - \"" + r->Title + "\"";
    text += code == CommandCode::ResizeWindow
                ? " (Width: " + Number(r->First) + " Height: " + Number(r->Second) + ")"
                : " (Left: " + Number(r->First) + " Top: " + Number(r->Second) + ")";
    return text;
}

std::string GeometryTag(CommandCode code, const CommandRecord& record) {
    const auto* r = As<GeometryRecord>(record);
    if (r == nullptr) {
        return {};
    }
    const TagLayout& l = CommandRowOf(code).Tags.front().Layout;
    return WriteCommandTag(code, 0,
                           {IntegerFieldText(r->First, l.Field(0).Width),
                            IntegerFieldText(r->Second, l.Field(1).Width),
                            TitleOrCurrent(r->Title, r->Current)});
}

// The record's action is the window command's place, from 1.
std::optional<CommandRecord> WindowRecordOf(const ScriptItem& item, CommandCode) {
    const bool current = item.Text == CurrentWindowTitle;
    return WindowRecord{current ? std::string() : item.Text, static_cast<int>(item.Command) + 1,
                        current};
}

std::string WindowDetails(CommandCode, const CommandRecord& record) {
    const auto* r = As<WindowRecord>(record);
    if (r == nullptr) {
        return {};
    }
    return r->Current ? " - Current Win" : " - Window Title: " + r->Title;
}

std::string WindowTag(CommandCode code, const CommandRecord& record) {
    const auto* r = As<WindowRecord>(record);
    return r != nullptr ? WriteCommandTag(code, 0, {TitleOrCurrent(r->Title, r->Current)})
                        : std::string();
}

} // namespace

const LineRules SizeLines = {GeometryRecordOf, GeometryDetails, GeometryTag};
const LineRules SystemLines = {WindowRecordOf, WindowDetails, WindowTag};

} // namespace orvane
