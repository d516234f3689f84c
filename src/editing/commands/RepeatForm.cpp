// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/RepeatForm.h"

#include "editing/LineRules.h"
#include "editing/commands/DelayForm.h"
#include "script/TagLayout.h"

#include <algorithm>

namespace orvane {

RepeatForm RepeatForm::Preset(CommandCode code) {
    RepeatForm form;
    switch (code) {
    case CommandCode::RepeatPromptStart:
        form.Kind = Prompt;
        break;
    case CommandCode::RepeatEnd:
        form.Kind = End;
        break;
    case CommandCode::RepeatCounter:
        form.Kind = Counter;
        form.Count.assign(1, '1');
        break;
    default:
        break;
    }
    return form;
}

RepeatForm RepeatForm::Load(std::string_view tag) {
    RepeatForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* repeat = made ? std::get_if<RepeatRecord>(&made->Record) : nullptr) {
        form.Kind = repeat->Kind;
        if (repeat->Kind == Start || repeat->Kind == Counter) {
            form.Count = std::to_string(repeat->Value);
        }
    }
    return form;
}

std::optional<FormRefusal> Check(const RepeatForm& form) {
    const std::optional<long long> count = WholeNumber(form.Count);
    if (form.Kind == RepeatForm::Start && (!count || *count <= 0 || *count > 9999)) {
        return FormRefusal{std::string(GreaterThanZeroText), "Count"};
    }
    if (form.Kind == RepeatForm::Counter && (!count || *count < 1 || *count > 4)) {
        return FormRefusal{std::string(CounterWidthText), "Count"};
    }
    return std::nullopt;
}

std::string Build(const RepeatForm& form) {
    const long long count = WholeNumber(form.Count).value_or(1);
    switch (form.Kind) {
    case RepeatForm::Prompt:
        return WriteTag(Tags::PromptRepeat, {});
    case RepeatForm::End:
        return WriteTag(Tags::EndRepeat, {});
    case RepeatForm::Counter: {
        const TagLayout* counters[4] = {&Tags::Counter1, &Tags::Counter2, &Tags::Counter3,
                                        &Tags::Counter4};
        return WriteTag(*counters[std::clamp(count, 1LL, 4LL) - 1], {});
    }
    default:
        return WriteTag(Tags::Repeat, {IntegerFieldText(count, Tags::Repeat.Field(0).Width)});
    }
}

namespace {

std::optional<CommandRecord> RepeatRecordOf(const ScriptItem& item, CommandCode code) {
    switch (code) {
    case CommandCode::RepeatStart:
        return RepeatRecord{1, item.Number};
    case CommandCode::RepeatPromptStart:
        return RepeatRecord{2, 0};
    case CommandCode::RepeatCounter:
        return RepeatRecord{4, item.Number};
    default:
        return RepeatRecord{3, 0};
    }
}

std::string RepeatDetails(CommandCode code, const CommandRecord& record) {
    if (code == CommandCode::RepeatPromptStart) {
        return ": (prompt for repeat count at macro play time)";
    }
    const auto* r = As<RepeatRecord>(record);
    if (r == nullptr || code == CommandCode::RepeatEnd) {
        return {};
    }
    return (code == CommandCode::RepeatCounter ? ": Width " : ": ") + Number(r->Value);
}

// A block's end and the prompt hold no values: their tag needs no record.
std::string RepeatTag(CommandCode code, const CommandRecord& record) {
    if (code == CommandCode::RepeatEnd || code == CommandCode::RepeatPromptStart) {
        return WriteCommandTag(code, 0, {});
    }
    const auto* r = As<RepeatRecord>(record);
    if (r == nullptr) {
        return {};
    }
    if (code == CommandCode::RepeatCounter) {
        return r->Value >= 1 ? WriteCommandTag(code, static_cast<std::size_t>(r->Value - 1), {})
                             : std::string();
    }
    return WriteCommandTag(code, 0, {IntegerFieldText(r->Value, Tags::Repeat.Field(0).Width)});
}

} // namespace

const LineRules RepeatLines = {RepeatRecordOf, RepeatDetails, RepeatTag};

} // namespace orvane
