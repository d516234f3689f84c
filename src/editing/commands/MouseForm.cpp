// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/MouseForm.h"

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

} // namespace orvane
