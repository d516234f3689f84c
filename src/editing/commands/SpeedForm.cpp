// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/SpeedForm.h"

#include "editing/LineRules.h"
#include "script/TagLayout.h"

namespace orvane {

SpeedForm SpeedForm::Preset(CommandCode code) {
    SpeedForm form;
    if (code == CommandCode::MouseSpeed) {
        form.Kind = Mouse;
    } else if (code == CommandCode::MacroPlaybackSpeed) {
        form.Kind = Macro;
        form.Count.assign(1, '1');
    }
    return form;
}

SpeedForm SpeedForm::Load(std::string_view tag) {
    SpeedForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* speed = made ? std::get_if<SpeedRecord>(&made->Record) : nullptr) {
        form.Kind = speed->Kind;
        form.Count =
            speed->Kind == Macro ? TwoDecimals(speed->Factor) : std::to_string(speed->Milliseconds);
    }
    return form;
}

std::optional<FormRefusal> Check(const SpeedForm& form) {
    if (form.Kind == SpeedForm::Macro) {
        const std::optional<double> factor = RealNumber(form.Count);
        if (!factor || *factor < 0) {
            return FormRefusal{std::string(ZeroOrGreaterText), "Count"};
        }
        if (Hundredths(*factor) > 99.99) {
            return FormRefusal{std::string(FactorTooLargeText), "Count"};
        }
        return std::nullopt;
    }
    const std::optional<long long> milliseconds = WholeNumber(form.Count);
    if (!milliseconds || *milliseconds < 0 || *milliseconds > 9999) {
        return FormRefusal{std::string(ZeroOrGreaterText), "Count"};
    }
    return std::nullopt;
}

std::string Build(const SpeedForm& form) {
    if (form.Kind == SpeedForm::Macro) {
        return WriteTag(Tags::Speed, {RealFieldText(Hundredths(RealNumber(form.Count).value_or(1)),
                                                    Tags::Speed.Field(0).Width)});
    }
    const TagLayout& l = form.Kind == SpeedForm::Mouse ? Tags::MouseDelay : Tags::KeyDelay;
    return WriteTag(l, {IntegerFieldText(WholeNumber(form.Count).value_or(0), l.Field(0).Width)});
}

namespace {

std::optional<CommandRecord> SpeedRecordOf(const ScriptItem& item, CommandCode code) {
    switch (code) {
    case CommandCode::KeystrokeSpeed:
        return SpeedRecord{1, item.Number, 1.0};
    case CommandCode::MouseSpeed:
        return SpeedRecord{2, item.Number, 1.0};
    default:
        if (!item.RealValid) {
            return std::nullopt;
        }
        return SpeedRecord{3, 0, item.Real};
    }
}

std::string FactorText(double factor) {
    if (factor == 0) {
        return ": No Speed";
    }
    if (factor == 1) {
        return ": Normal Speed";
    }
    if (factor > 1) {
        return ": " + SpeedFactorText(factor) + " Times Slower Than Normal";
    }
    return ": " + SpeedFactorText(1 / factor) + " Times Faster Than Normal";
}

std::string SpeedDetails(CommandCode code, const CommandRecord& record) {
    const auto* r = As<SpeedRecord>(record);
    if (r == nullptr) {
        return {};
    }
    return code == CommandCode::MacroPlaybackSpeed
               ? FactorText(r->Factor)
               : ": " + Number(r->Milliseconds) + " Milliseconds";
}

std::string SpeedTag(CommandCode code, const CommandRecord& record) {
    const auto* r = As<SpeedRecord>(record);
    if (r == nullptr) {
        return {};
    }
    if (code == CommandCode::MacroPlaybackSpeed) {
        return WriteCommandTag(code, 0, {RealFieldText(r->Factor, Tags::Speed.Field(0).Width)});
    }
    return WriteCommandTag(code, 0,
                           {IntegerFieldText(r->Milliseconds, Tags::KeyDelay.Field(0).Width)});
}

} // namespace

const LineRules SpeedLines = {SpeedRecordOf, SpeedDetails, SpeedTag};

} // namespace orvane
