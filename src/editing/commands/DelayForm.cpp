// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/DelayForm.h"

#include "editing/LineRules.h"
#include "script/TagLayout.h"

namespace orvane {

DelayForm DelayForm::Load(std::string_view tag) {
    DelayForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* delay = made ? std::get_if<DelayRecord>(&made->Record) : nullptr) {
        form.Milliseconds = delay->Unit != 1.0;
        form.Seconds = form.Milliseconds ? std::to_string(static_cast<long long>(delay->Amount))
                                         : TwoDecimals(delay->Amount);
    }
    return form;
}

std::optional<FormRefusal> Check(const DelayForm& form) {
    if (!form.Milliseconds) {
        // A value that rounds to 0.00 would be written as no wait at all.
        const std::optional<double> seconds = RealNumber(form.Seconds);
        if (!seconds || Hundredths(*seconds) <= 0 || *seconds > 60) {
            return FormRefusal{std::string(DelaySecondsText), "Seconds"};
        }
        return std::nullopt;
    }
    const std::optional<long long> milliseconds = WholeNumber(form.Seconds);
    if (!milliseconds || *milliseconds <= 0) {
        return FormRefusal{std::string(GreaterThanZeroText), "Seconds"};
    }
    if (*milliseconds >= 10000) {
        return FormRefusal{std::string(LessThan10000Text), "Seconds"};
    }
    return std::nullopt;
}

std::string Build(const DelayForm& form) {
    if (!form.Milliseconds) {
        const double seconds = Hundredths(RealNumber(form.Seconds).value_or(0));
        return WriteTag(Tags::Delay, {RealFieldText(seconds, Tags::Delay.Field(0).Width)});
    }
    return WriteTag(Tags::Msd, {IntegerFieldText(WholeNumber(form.Seconds).value_or(0),
                                                 Tags::Msd.Field(0).Width)});
}

namespace {

std::optional<CommandRecord> DelayRecordOf(const ScriptItem& item, CommandCode) {
    if (item.Kind == ItemKind::Msd) {
        return DelayRecord{2.0, static_cast<double>(item.Number)};
    }
    if (!item.RealValid) {
        return std::nullopt;
    }
    return DelayRecord{1.0, item.Real};
}

std::string DelayDetails(CommandCode, const CommandRecord& record) {
    const auto* r = As<DelayRecord>(record);
    if (r == nullptr) {
        return {};
    }
    return r->Unit == 1.0 ? " " + TwoDecimals(r->Amount) + " Seconds"
                          : " " + Number(static_cast<long long>(r->Amount)) + " Milliseconds";
}

// Seconds, then milliseconds.
std::string DelayTag(CommandCode code, const CommandRecord& record) {
    const auto* r = As<DelayRecord>(record);
    if (r == nullptr) {
        return {};
    }
    if (r->Unit == 1.0) {
        return WriteCommandTag(code, 0, {RealFieldText(r->Amount, Tags::Delay.Field(0).Width)});
    }
    return WriteCommandTag(
        code, 1, {IntegerFieldText(static_cast<long long>(r->Amount), Tags::Msd.Field(0).Width)});
}

} // namespace

const LineRules DelayLines = {DelayRecordOf, DelayDetails, DelayTag};

} // namespace orvane
