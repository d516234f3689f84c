// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/SoundForm.h"

#include "core/SettingsBlock.h"
#include "editing/LineRules.h"
#include "script/TagLayout.h"

namespace orvane {

SoundForm SoundForm::Preset(CommandCode code) {
    SoundForm form;
    form.Wave = code == CommandCode::SoundWaveFile;
    return form;
}

SoundForm SoundForm::Load(std::string_view tag) {
    SoundForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* sound = made ? std::get_if<SoundRecord>(&made->Record) : nullptr) {
        form.Wave = sound->Kind == 2;
        if (form.Wave) {
            form.File = sound->File;
            form.Wait = sound->Wait;
        }
    }
    return form;
}

std::optional<FormRefusal> Check(const SoundForm& form, const PathChecks& paths) {
    if (form.Wave) {
        const std::string file = Trimmed(form.File);
        if (file.find('>') != std::string::npos || !paths.FileExists(file)) {
            return FormRefusal{std::string(NoWaveFileText), "ProgPath"};
        }
    }
    return std::nullopt;
}

std::string Build(const SoundForm& form) {
    if (!form.Wave) {
        return WriteTag(Tags::Beep, {});
    }
    return WriteTag(form.Wait ? Tags::WaveWait : Tags::WaveNoWait, {Trimmed(form.File)});
}

SoundForm AlarmFormFrom(const SettingsBlock& settings) {
    return SoundForm{settings.UseWaveFile, settings.WaveFile, settings.WaveFileWait};
}

void ApplyAlarm(const SoundForm& form, SettingsBlock& settings) {
    settings.UseWaveFile = form.Wave;
    settings.WaveFileWait = form.Wait;
    // "None" keeps the file, so choosing the wave again finds it in the box.
    settings.WaveFile = Trimmed(form.File).substr(0, kPathCapacity);
}

namespace {

std::optional<CommandRecord> SoundRecordOf(const ScriptItem& item, CommandCode code) {
    if (code == CommandCode::SoundBeep) {
        return SoundRecord{1, {}, true};
    }
    return SoundRecord{2, item.Text, item.Kind == ItemKind::WaveWait};
}

std::string SoundDetails(CommandCode code, const CommandRecord& record) {
    const auto* r = As<SoundRecord>(record);
    if (r == nullptr || code == CommandCode::SoundBeep) {
        return {};
    }
    return ": " + std::string(FileNameOf(r->File));
}

// A beep holds no values: its tag needs no record.
std::string SoundTag(CommandCode code, const CommandRecord& record) {
    if (code == CommandCode::SoundBeep) {
        return WriteCommandTag(code, 0, {});
    }
    const auto* r = As<SoundRecord>(record);
    return r != nullptr ? WriteCommandTag(code, r->Wait ? 0 : 1, {r->File}) : std::string();
}

} // namespace

const LineRules SoundLines = {SoundRecordOf, SoundDetails, SoundTag};

} // namespace orvane
