// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/DateTimeForm.h"

#include "core/SettingsBlock.h"
#include "editing/LineRules.h"
#include "script/TagLayout.h"

#include <algorithm>
#include <cstdlib>

namespace orvane {

int FormatCount(bool time) {
    return time ? 26 : 51;
}

DateTimeForm DateTimeForm::Preset(bool time, const SettingsBlock& settings) {
    DateTimeForm form;
    form.Time = time;
    // The settings keep the list position, counted from 0.
    const int last = time ? settings.LastTimeFormat : settings.LastDateFormat;
    form.FormatIndex = std::clamp(last, 0, FormatCount(time) - 1) + 1;
    form.Suppress = time ? settings.SuppressZerosInTime : settings.SuppressZerosInDate;
    return form;
}

DateTimeForm DateTimeForm::Load(std::string_view tag) {
    DateTimeForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* date = made ? std::get_if<DateTimeRecord>(&made->Record) : nullptr) {
        form.Time = made->Code == CommandCode::Time;
        form.FormatIndex = date->FormatIndex;
        form.Suppress = !date->LeadingZeros;
        if (!form.Time) {
            form.Days = std::to_string(date->Days);
            form.Future = date->Future;
        }
    }
    return form;
}

std::optional<FormRefusal> Check(const DateTimeForm& form) {
    if (!form.Time) {
        const std::optional<long long> days = WholeNumber(form.Days);
        if (!days || *days < 0 || *days > 999) {
            return FormRefusal{std::string(InvalidDaysText), "Days"};
        }
    }
    return std::nullopt;
}

std::string Build(const DateTimeForm& form) {
    DateTimeRecord record;
    record.FormatIndex = std::clamp(form.FormatIndex, 1, FormatCount(form.Time));
    record.LeadingZeros = !form.Suppress;
    record.Future = form.Time || form.Future;
    record.Days = form.Time ? 0 : static_cast<int>(WholeNumber(form.Days).value_or(0));
    return TagOf(form.Time ? CommandCode::Time : CommandCode::Date, record);
}

void RememberFormat(const DateTimeForm& form, SettingsBlock& settings) {
    const int index = std::clamp(form.FormatIndex, 1, FormatCount(form.Time)) - 1;
    if (form.Time) {
        settings.LastTimeFormat = index;
        settings.SuppressZerosInTime = form.Suppress;
    } else {
        settings.LastDateFormat = index;
        settings.SuppressZerosInDate = form.Suppress;
    }
}

namespace {

std::optional<CommandRecord> DateTimeRecordOf(const ScriptItem& item, CommandCode code) {
    if (code == CommandCode::Time) {
        return DateTimeRecord{item.FormatIndex + 1, item.LeadingZeros, true, 0};
    }
    return DateTimeRecord{item.FormatIndex + 1, item.LeadingZeros, item.DayOffset >= 0,
                          std::abs(item.DayOffset)};
}

std::string DateTimeDetails(CommandCode code, const CommandRecord& record) {
    const auto* r = As<DateTimeRecord>(record);
    if (r == nullptr) {
        return {};
    }
    std::string text;
    const auto index = static_cast<std::size_t>(r->FormatIndex - 1);
    if (code == CommandCode::Time) {
        if (r->FormatIndex >= 1 && index < TimeFormatNames.size()) {
            text += ": " + std::string(TimeFormatNames[index]) + "  (" +
                    std::string(TimeExamples[index]) + ")";
        }
        return text;
    }
    if (r->Days >= 1) {
        text += " (" + Number(r->Days) + (r->Days == 1 ? " day" : " days") +
                (r->Future ? " in future)" : " in past)");
    }
    if (r->FormatIndex >= 1 && index < DateFormatNames.size()) {
        text += ": " + std::string(DateFormatNames[index]) + "  (" +
                std::string(DateExamples[index]) + ")";
    }
    return text;
}

std::string DateTimeTag(CommandCode code, const CommandRecord& record) {
    const auto* r = As<DateTimeRecord>(record);
    if (r == nullptr || r->FormatIndex < 1) {
        return {};
    }
    const auto index = static_cast<std::size_t>(r->FormatIndex - 1);
    if (code == CommandCode::Time) {
        return index < TimeFormatNames.size()
                   ? "<" + std::string(TimeFormatNames[index]) + (r->LeadingZeros ? "{Y}>" : "{N}>")
                   : std::string();
    }
    if (index >= DateFormatNames.size()) {
        return {};
    }
    return "<" + std::string(DateFormatNames[index]) + "{" + (r->LeadingZeros ? "Y" : "N") +
           (r->Future ? "F" : "P") + IntegerFieldText(r->Days, DateDayCountWidth) + "}>";
}

} // namespace

const LineRules DateTimeLines = {DateTimeRecordOf, DateTimeDetails, DateTimeTag};

} // namespace orvane
