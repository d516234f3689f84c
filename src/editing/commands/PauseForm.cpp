// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/PauseForm.h"

#include "editing/LineRules.h"
#include "script/TagLayout.h"

namespace orvane {

PauseForm PauseForm::Load(std::string_view tag) {
    PauseForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* pause = made ? std::get_if<PauseRecord>(&made->Record) : nullptr) {
        form.Complex = pause->Kind == 2;
        if (form.Complex) {
            form.Top = std::to_string(pause->Top);
            form.Left = std::to_string(pause->Left);
            form.Message = pause->Message;
        }
    }
    return form;
}

std::optional<FormRefusal> Check(const PauseForm& form) {
    if (!form.Complex) {
        return std::nullopt;
    }
    // Three digits each: a wider number would move the message into the coordinates.
    const auto coordinate = [](const std::string& text) {
        const std::optional<long long> value = WholeNumber(text);
        return value && *value >= 0 && *value <= 999;
    };
    if (!coordinate(form.Top)) {
        return FormRefusal{std::string(InvalidTopText), "TopCoord"};
    }
    if (!coordinate(form.Left)) {
        return FormRefusal{std::string(InvalidLeftText), "LeftCoord"};
    }
    return RefuseTagEnd(form.Message, "PauseMessage");
}

std::string Build(const PauseForm& form) {
    if (!form.Complex) {
        return WriteTag(Tags::Pause, {});
    }
    const TagLayout& l = Tags::PauseAt;
    return WriteTag(l, {IntegerFieldText(WholeNumber(form.Top).value_or(0), l.Field(0).Width),
                        IntegerFieldText(WholeNumber(form.Left).value_or(0), l.Field(1).Width),
                        Trimmed(form.Message)});
}

namespace {

std::optional<CommandRecord> PauseRecordOf(const ScriptItem& item, CommandCode) {
    if (item.Kind == ItemKind::PauseAt) {
        return PauseRecord{2, item.Number2, item.Number, item.Text};
    }
    return PauseRecord{1, 0, 0, {}};
}

std::string PauseDetails(CommandCode, const CommandRecord& record) {
    const auto* r = As<PauseRecord>(record);
    if (r == nullptr) {
        return {};
    }
    return r->Kind == 2 ? ": Complex" : ": Basic";
}

// Basic, then at a place with a message.
std::string PauseTag(CommandCode code, const CommandRecord& record) {
    const auto* r = As<PauseRecord>(record);
    if (r == nullptr) {
        return {};
    }
    if (r->Kind != 2) {
        return WriteCommandTag(code, 0, {});
    }
    const TagLayout& l = Tags::PauseAt;
    return WriteCommandTag(code, 1,
                           {IntegerFieldText(r->Top, l.Field(0).Width),
                            IntegerFieldText(r->Left, l.Field(1).Width), r->Message});
}

} // namespace

const LineRules PauseLines = {PauseRecordOf, PauseDetails, PauseTag};

} // namespace orvane
