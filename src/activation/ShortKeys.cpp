// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/ShortKeys.h"

#include "core/MacroStore.h"
#include "core/SettingsBlock.h"
#include "platform/EventPump.h"
#include "platform/InputSynth.h"

#include <algorithm>
#include <chrono>
#include <utility>

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
    // Whatever comes now ends the undo window; only a Backspace uses it.
    const std::optional<Undo> undo = std::move(undo_);
    undo_.reset();
    if (state == ForgetState) {
        buffer_.Clear();
        return;
    }
    if (state == OtherKeyState) {
        return;
    }
    capsWasOn_ = state == CapsLockOnState;
    const auto c = static_cast<char>(static_cast<std::uint8_t>(character & 0xFF));
    if (c == '\b' && undo && settings_.UndoByBackspace) {
        UndoExpansion(*undo);
        return;
    }
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
        ending_ = c;
        TestIt();
        ending_ = 0;
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

    const std::size_t shortKeyLength = store_.Names().ShortKey(macro).size();
    const std::size_t typed = shortKeyLength + (options.UseSuffix ? 1 : options.Prefix().size());
    // The abbreviation as the user typed it ends the buffer (the ending key is not in it).
    const std::string_view word = buffer_.Text();
    const std::size_t wordLength = std::min(word.size(), typed - (options.UseSuffix ? 1 : 0));
    Undo undo{0, std::string(word.substr(word.size() - wordLength)), ending_};
    // The case is the user's choice only where matching ignores it.
    const LetterCase letterCase =
        settings_.FollowCase && !options.CaseSensitive
            ? CaseOfTyped(word.substr(word.size() - std::min(word.size(), shortKeyLength)))
            : LetterCase::AsStored;
    for (std::size_t i = 0; i < typed; ++i) {
        input_.PostKey(BackspaceKey, false);
        input_.PostKey(BackspaceKey, true);
        pump_.ServePending();
    }
    input_.EndOfBatch();
    pump_.WaitUntil(pump_.Now() + std::chrono::milliseconds(ErasePauseMs));

    const std::optional<std::size_t> played =
        starter_.IntoProgramTyping(macro, capsWasOn_, letterCase);

    input_.PostKey(ExecuteKey, false);
    input_.PostKey(ExecuteKey, true);
    input_.EndOfBatch();
    table.SetInUse(false);
    buffer_.Clear();
    // An expansion that typed nothing leaves nothing for Backspace to take: the user's
    // Backspace erases their own text, which an undo could not give back.
    if (played && *played > 0) {
        undo.Typed = *played;
        undo_ = std::move(undo);
    }
}

void ShortKeys::UndoExpansion(const Undo& undo) {
    const StartOnItsWay starting(starter_);
    MacroTable& table = store_.Table();
    table.SetInUse(true);
    store_.Hook().OrvUpInUse(table);
    for (std::size_t i = 1; i < undo.Typed; ++i) {
        input_.PostKey(BackspaceKey, false);
        input_.PostKey(BackspaceKey, true);
        pump_.ServePending();
    }
    // Typed back under Caps Lock, the letters would change case.
    if (capsWasOn_) {
        input_.PostKey(CapsLockKey, false);
        input_.PostKey(CapsLockKey, true);
    }
    for (const char c : undo.Abbreviation) {
        TypeBack(c);
    }
    if (undo.Ending != 0) {
        TypeBack(undo.Ending);
    }
    if (capsWasOn_) {
        input_.PostKey(CapsLockKey, false);
        input_.PostKey(CapsLockKey, true);
    }
    input_.PostKey(ExecuteKey, false);
    input_.PostKey(ExecuteKey, true);
    input_.EndOfBatch();
    table.SetInUse(false);
    // Typing on must not find the abbreviation again and expand it a second time.
    buffer_.Clear();
}

void ShortKeys::TypeBack(char c) {
    if (c == '\r') {
        input_.PostKey(EnterKey, false);
        input_.PostKey(EnterKey, true);
        return;
    }
    const std::optional<KeyScan> scan = input_.ScanCharacter(static_cast<unsigned char>(c));
    if (!scan || (scan->ShiftState & ~1U) != 0) {
        input_.TypeCharacter(static_cast<unsigned char>(c));
        return;
    }
    const bool shift = (scan->ShiftState & 1U) != 0;
    if (shift) {
        input_.PostKey(ShiftKey, false);
    }
    input_.PostKey(scan->VirtualKey, false);
    input_.PostKey(scan->VirtualKey, true);
    if (shift) {
        input_.PostKey(ShiftKey, true);
    }
}

} // namespace orvane
