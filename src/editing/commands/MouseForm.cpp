// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/MouseForm.h"

#include "editing/LineRules.h"
#include "script/TagLayout.h"

#include <algorithm>

namespace orvane {
namespace {

CommandCode CodeOf(int action) {
    if (action == 1) {
        return CommandCode::MouseMove;
    }
    if (action >= 14) {
        return CommandCode::MouseWheel;
    }
    return action <= 5   ? CommandCode::LeftMouseButton
           : action <= 9 ? CommandCode::RightMouseButton
                         : CommandCode::MiddleMouseButton;
}

} // namespace

MouseForm MouseForm::Preset(CommandCode code) {
    MouseForm form;
    switch (code) {
    case CommandCode::LeftMouseButton:
        form.Action = 2;
        break;
    case CommandCode::RightMouseButton:
        form.Action = 6;
        break;
    case CommandCode::MiddleMouseButton:
        form.Action = 10;
        break;
    case CommandCode::MouseWheel:
        form.Action = 14;
        break;
    default:
        break;
    }
    return form;
}

MouseForm MouseForm::Load(std::string_view tag) {
    MouseForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* mouse = made ? std::get_if<MouseRecord>(&made->Record) : nullptr) {
        form.Action = mouse->Action;
        if (mouse->Action == 1) {
            form.Window = mouse->WindowRelative;
            form.X = std::to_string(mouse->X);
            form.Y = std::to_string(mouse->Y);
        } else if (mouse->Action >= 14) {
            form.Clicks = std::to_string(mouse->Notches);
        }
    }
    return form;
}

std::optional<FormRefusal> Check(const MouseForm& form) {
    if (form.Action >= 14) {
        const std::optional<long long> clicks = WholeNumber(form.Clicks);
        if (!clicks || *clicks <= 0 || *clicks > 999) {
            return FormRefusal{std::string(InvalidWheelClicksText), "NumClicks"};
        }
    } else if (form.Action == 1) {
        const auto position = [](const std::string& text) {
            const std::optional<long long> value = WholeNumber(text);
            return value && *value >= 0 && *value <= 30000;
        };
        if (!position(form.X)) {
            return FormRefusal{std::string(InvalidXText), "XPos"};
        }
        if (!position(form.Y)) {
            return FormRefusal{std::string(InvalidYText), "YPos"};
        }
    }
    return std::nullopt;
}

std::string Build(const MouseForm& form) {
    MouseRecord record;
    record.Action = std::clamp(form.Action, 1, 15);
    record.WindowRelative = form.Window;
    record.X = static_cast<int>(WholeNumber(form.X).value_or(0));
    record.Y = static_cast<int>(WholeNumber(form.Y).value_or(0));
    record.Notches = static_cast<int>(WholeNumber(form.Clicks).value_or(1));
    return TagOf(CodeOf(record.Action), record);
}

namespace {

// Record actions: 1 move; 2..5 left click, double click, down, up; 6..9 right; 10..13 middle;
// 14 wheel forward, 15 backward. The button commands' tags are in that order too.
constexpr int FirstButtonAction = 2;
constexpr int WheelForwardAction = 14;

std::optional<CommandRecord> MouseRecordOf(const ScriptItem& item, CommandCode) {
    MouseRecord mouse;
    switch (item.Kind) {
    case ItemKind::MouseButton: {
        constexpr int actionOffset[4] = {2, 3, 0, 1}; // Down, Up, Click, DoubleClick
        mouse.Action = FirstButtonAction + static_cast<int>(item.Button) * 4 +
                       actionOffset[static_cast<std::size_t>(item.Action) % 4];
        return mouse;
    }
    case ItemKind::WheelForward:
    case ItemKind::WheelBackward:
        mouse.Action = item.Kind == ItemKind::WheelForward ? WheelForwardAction : 15;
        mouse.Notches = item.Number;
        return mouse;
    default: {
        const std::optional<int> x = WholeValue(item.Real);
        const std::optional<int> y = WholeValue(item.Real2);
        if (!item.RealValid || !x || !y) {
            return std::nullopt;
        }
        mouse.X = *x;
        mouse.Y = *y;
        mouse.WindowRelative = item.Kind == ItemKind::MoveWindow;
        return mouse;
    }
    }
}

bool ButtonAction(const MouseRecord& r) {
    return r.Action >= FirstButtonAction && r.Action < FirstButtonAction + 12;
}

std::string MouseDetails(CommandCode code, const CommandRecord& record) {
    constexpr std::string_view endings[4] = {" Click", " Double Click", " Down", " Up"};
    const auto* r = As<MouseRecord>(record);
    if (r == nullptr) {
        return {};
    }
    switch (code) {
    case CommandCode::MouseMove:
        return (r->WindowRelative ? " Window " : " Screen ") + Number(r->X) + "," + Number(r->Y);
    case CommandCode::MouseWheel:
        return " " + Number(r->Notches) +
               (r->Action == WheelForwardAction ? " Clicks Forward" : " Clicks Backward");
    default:
        return ButtonAction(*r) ? std::string(endings[(r->Action - FirstButtonAction) % 4])
                                : std::string();
    }
}

std::string MouseTag(CommandCode code, const CommandRecord& record) {
    const auto* r = As<MouseRecord>(record);
    if (r == nullptr) {
        return {};
    }
    if (code == CommandCode::MouseMove) {
        const TagLayout& l = Tags::MoveScreen;
        return WriteCommandTag(
            code, r->WindowRelative ? 1 : 0,
            {IntegerFieldText(r->X, l.Field(0).Width), IntegerFieldText(r->Y, l.Field(1).Width)});
    }
    if (code == CommandCode::MouseWheel) {
        return WriteCommandTag(code, r->Action == WheelForwardAction ? 0 : 1,
                               {IntegerFieldText(r->Notches, Tags::WheelForward.Field(0).Width)});
    }
    if (!ButtonAction(*r)) {
        return {};
    }
    // The action names the button, whichever button command the line has.
    const int action = r->Action - FirstButtonAction;
    return WriteCommandTag(CodeAfter(CommandCode::LeftMouseButton, action / 4),
                           static_cast<std::size_t>(action % 4), {});
}

} // namespace

const LineRules MouseLines = {MouseRecordOf, MouseDetails, MouseTag};

} // namespace orvane
