// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/CommandDialogRegistry.h"

#include "ui/editing/CommandDialogs.h"
#include "ui/editing/commands/ClipboardDialogs.h"
#include "ui/editing/commands/NameDialogs.h"
#include "ui/editing/commands/TDateOrTime.h"
#include "ui/editing/commands/TDoActive.h"
#include "ui/editing/commands/TDoMouse.h"
#include "ui/editing/commands/TDoSound.h"
#include "ui/editing/commands/TDoSpecWind.h"
#include "ui/editing/commands/TModText.h"
#include "ui/editing/commands/TimingDialogs.h"
#include "ui/editing/commands/WindowDialogs.h"

#include "core/SettingsBlock.h"

namespace orvane {

std::unique_ptr<QDialog> MakeCommandDialog(CommandCode code, const CommandRecord* current,
                                           const CommandDialogServices& services, QWidget* parent) {
    using C = CommandCode;
    using F = FormKind;
    // Editing shows the line's own values: its record read back from its tag.
    const std::string tag = current != nullptr ? TagOf(code, *current) : std::string();
    const bool edit = current != nullptr;
    const auto& s = services;
    switch (CommandRowOf(code).Form) {
    case F::Text: {
        const auto* text = current != nullptr ? std::get_if<TextRecord>(current) : nullptr;
        return std::make_unique<TModText>(s, text != nullptr ? text->Keys : "", parent);
    }
    case F::DateTime: {
        const SettingsBlock fallback;
        const DateTimeForm form =
            edit ? DateTimeForm::Load(tag)
                 : DateTimeForm::Preset(code == C::Time, s.Settings ? *s.Settings : fallback);
        return std::make_unique<TDateOrTime>(s, form, parent);
    }
    case F::Delay:
        return std::make_unique<TDoDelay2>(s, DelayForm::Load(tag), parent);
    case F::Pause:
        return std::make_unique<TDoPausePos>(s, PauseForm::Load(tag), parent);
    case F::Repeat:
        return std::make_unique<TDoRepeat>(
            s, edit ? RepeatForm::Load(tag) : RepeatForm::Preset(code), parent);
    case F::Speed:
        return std::make_unique<TDoSpeed>(s, edit ? SpeedForm::Load(tag) : SpeedForm::Preset(code),
                                          parent);
    case F::Activate:
        return std::make_unique<TDoActive>(
            s, edit ? ActivateForm::Load(tag) : ActivateForm::Preset(code), parent);
    case F::Sound:
        return std::make_unique<TDoSound>(s, edit ? SoundForm::Load(tag) : SoundForm::Preset(code),
                                          TDoSound::Mode::Command, parent);
    case F::Swap:
        return std::make_unique<TDoSwap>(s, SwapForm::Load(tag), parent);
    case F::TextFile:
        return std::make_unique<TDoTextInsert>(s, TextFileForm::Load(tag), parent);
    case F::Remark:
        return std::make_unique<TDoRemark>(s, RemarkForm::Load(tag), parent);
    case F::Web:
        return std::make_unique<TDoWebStuff>(s, edit ? WebForm::Load(tag) : WebForm::Preset(code),
                                             parent);
    case F::Size:
        return std::make_unique<TDoSizeIt>(s, edit ? SizeForm::Load(tag) : SizeForm::Preset(code),
                                           parent);
    case F::System:
        return std::make_unique<TDoSystemCommand>(
            s, edit ? SystemForm::Load(tag) : SystemForm::Preset(code), parent);
    case F::Mouse:
        return std::make_unique<TDoMouse>(s, edit ? MouseForm::Load(tag) : MouseForm::Preset(code),
                                          parent);
    case F::Clipboard:
        return std::make_unique<TDoClipboard>(
            s, edit ? ClipboardForm::Load(tag) : ClipboardForm::Preset(code), parent);
    case F::KeyUpDown:
        return std::make_unique<TDoKeyUpDown>(
            s, edit ? KeyUpDownForm::Load(tag) : KeyUpDownForm::Preset(code), parent);
    case F::Files:
        return std::make_unique<TDoDOSFiles>(
            s, edit ? FilesForm::Load(tag) : FilesForm::Preset(code), parent);
    }
    return nullptr;
}

std::optional<MadeCommand> OpenCommandDialog(CommandCode code, const CommandRecord* current,
                                             const CommandDialogServices& services,
                                             QWidget* parent) {
    const std::unique_ptr<QDialog> dialog = MakeCommandDialog(code, current, services, parent);
    if (!dialog || dialog->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    if (const auto* text = dynamic_cast<const TModText*>(dialog.get())) {
        return MadeCommand{CommandCode::Text, TextRecord{text->Keys()}};
    }
    if (const auto* command = dynamic_cast<const CommandDialog*>(dialog.get())) {
        return command->Result();
    }
    return std::nullopt;
}

void RegisterCommandDialogs(CommandDialogs& dialogs, const CommandDialogServices& services) {
    for (const CommandRow& command : Commands) {
        const CommandCode code = command.Code;
        dialogs.Register(code, [code, &services](const CommandRecord* current, QWidget* parent) {
            return OpenCommandDialog(code, current, services, parent);
        });
    }
    dialogs.SetScopeChooser(
        [&services](bool program, const std::string& current, bool topMost,
                    QWidget* parent) -> std::optional<CommandDialogs::ScopeChoice> {
            TDoSpecWind dialog(services, ScopeForm{program, current, {}, topMost}, parent);
            if (dialog.exec() != QDialog::Accepted) {
                return std::nullopt;
            }
            return CommandDialogs::ScopeChoice{dialog.Name(), dialog.TopMost()};
        });
}

} // namespace orvane
