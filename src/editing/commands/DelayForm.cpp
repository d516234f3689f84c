// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/DelayForm.h"

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

} // namespace orvane
