// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/ShortKeys.h"

#include "core/MacroStore.h"
#include "core/SettingsBlock.h"
#include "platform/EventPump.h"
#include "platform/InputSynth.h"

#include <chrono>

namespace orvane {

ShortKeys::ShortKeys(MacroStore& store, const SettingsBlock& settings, InputSynth& input,
                     EventPump& pump, MacroStarter& starter, ForegroundLookup& foreground)
    : store_(store), settings_(settings), input_(input), pump_(pump), starter_(starter),
      foreground_(foreground) {}

void ShortKeys::Receive(const HookMessage& message) {
    if (message.Id == HookMessageId::UM_SHORTKEYCHAR) {
        OnShortKeyChar(message.WParam, message.LParam);
    }
}

void ShortKeys::OnShortKeyChar(std::uint64_t state, std::int64_t character) {
    if (store_.MacroCount() <= 0 || !store_.Table().HaveShortKeys()) {
        return;
    }
    if (state == ForgetState) {
        buffer_.Clear();
        return;
    }
    capsWasOn_ = state == CapsLockOnState;
    const auto c = static_cast<char>(static_cast<std::uint8_t>(character & 0xFF));
    const ShortKeySettings options = ShortKeySettings::From(settings_);
    if (IsShortKeyWordCharacter(c)) {
        buffer_.Append(c, options.Prefix().size());
        if (!options.UseSuffix) {
            TestIt();
        }
        return;
    }
    if (c == '\b') {
        buffer_.Backspace();
        return;
    }
    if (options.UseSuffix && (c == ' ' || c == '\r')) {
        TestIt();
    }
    buffer_.Clear();
}

bool ShortKeys::TestIt() {
    const ShortKeySettings options = ShortKeySettings::From(settings_);
    const MacroTable& table = store_.Table();
    const ShortKeyMatches matches =
        CollectShortKeyMatches(buffer_.Text(), options, table, store_.Names(), store_.MacroCount());
    if (matches.Empty()) {
        return false;
    }
    if (const std::optional<std::string_view> refusal = starter_.RefusalNow()) {
        starter_.Refuse(*refusal);
        return false;
    }
    if (starter_.Busy()) {
        return false;
    }
    const int macro = ChooseShortKeyMacro(matches, table, foreground_);
    if (macro <= 0) {
        return false;
    }
    PlayShortKey(macro);
    return true;
}

void ShortKeys::PlayShortKey(int macro) {
    // Erasing waits in the event loop: a hot key struck meanwhile finds this start on its way.
    const StartOnItsWay starting(starter_);
    const ShortKeySettings options = ShortKeySettings::From(settings_);
    MacroTable& table = store_.Table();
    table.SetInUse(true);
    store_.Hook().OrvUpInUse(table);

    const std::size_t typed =
        store_.Names().ShortKey(macro).size() + (options.UseSuffix ? 1 : options.Prefix().size());
    for (std::size_t i = 0; i < typed; ++i) {
        input_.PostKey(BackspaceKey, false);
        input_.PostKey(BackspaceKey, true);
        pump_.ServePending();
    }
    input_.EndOfBatch();
    pump_.WaitUntil(pump_.Now() + std::chrono::milliseconds(ErasePauseMs));

    starter_.IntoProgram(macro, capsWasOn_);

    input_.PostKey(ExecuteKey, false);
    input_.PostKey(ExecuteKey, true);
    input_.EndOfBatch();
    table.SetInUse(false);
    buffer_.Clear();
}

} // namespace orvane
