// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/ScriptEditing.h"

#include "core/MacroRecord.h"
#include "editing/LineRules.h"

#include <algorithm>
#include <span>
#include <utility>

namespace orvane {

std::size_t InsertIndex(Placement placement, std::size_t remembered, std::size_t count) {
    switch (placement) {
    case Placement::Append:
        return count;
    case Placement::InsertBefore:
        return std::min(remembered, count);
    case Placement::InsertAfter:
        return count == 0 ? 0 : std::min(remembered + 1, count);
    }
    return count;
}

std::size_t SelectionAfterAdd(Placement placement, std::size_t remembered, std::size_t count) {
    if (count == 0) {
        return 0;
    }
    switch (placement) {
    case Placement::Append:
        return count - 1;
    case Placement::InsertBefore:
        return std::min(remembered, count - 1);
    case Placement::InsertAfter:
        return count == 1 ? 0 : std::min(remembered + 1, count - 1);
    }
    return count - 1;
}

LineButtons EnableDisable(std::size_t count, std::optional<std::size_t> selected) {
    if (!selected || *selected >= count) {
        return {};
    }
    return {*selected > 0, *selected + 1 < count, true, true, true};
}

std::optional<std::size_t> DeleteLine(std::vector<ScriptLine>& lines, std::size_t index) {
    if (index >= lines.size()) {
        return std::nullopt;
    }
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
    if (lines.empty()) {
        return std::nullopt;
    }
    return std::min(index, lines.size() - 1);
}

std::optional<std::size_t> CopyLine(std::vector<ScriptLine>& lines, std::size_t index) {
    if (index >= lines.size()) {
        return std::nullopt;
    }
    ScriptLine copy = lines[index];
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(index), std::move(copy));
    return index + 1;
}

std::optional<std::size_t> MoveLine(std::vector<ScriptLine>& lines, std::size_t index, bool up) {
    if (index >= lines.size()) {
        return std::nullopt;
    }
    if (up ? index == 0 : index + 1 >= lines.size()) {
        return index;
    }
    const std::size_t other = up ? index - 1 : index + 1;
    std::swap(lines[index], lines[other]);
    return other;
}

std::string DialogDisplayText(CommandCode code, const CommandRecord& record) {
    using C = CommandCode;
    switch (code) {
    case C::MaximizeWindow:
    case C::MinimizeWindow:
    case C::RestoreWindow:
    case C::CloseWindow:
    case C::HideWindow:
    case C::ShowWindow:
    case C::ShutDownProgram:
        if (const auto* window = std::get_if<WindowRecord>(&record); window && window->Current) {
            return std::string(CommandName(code)) + " - Current Window";
        }
        break;
    case C::ActivateOrLaunch:
        if (const auto* program = std::get_if<ProgramRecord>(&record)) {
            return std::string(CommandName(code)) + ": \"" + program->Title + "\" OR " +
                   std::string(FileNameOf(program->Path));
        }
        break;
    default:
        break;
    }
    return DisplayText(code, record);
}

// A command whose one tag is its literal alone.
bool CommandNeedsNoValues(CommandCode code) {
    const std::span<const TagForm> tags = CommandRowOf(code).Tags;
    return tags.size() == 1 && tags[0].Layout.FieldCount == 0 && !tags[0].Layout.Literal.empty();
}

CommandRecord RecordWithoutValues(CommandCode code) {
    if (!CommandNeedsNoValues(code)) {
        return TextRecord{};
    }
    const std::string tag = WriteTag(CommandRowOf(code).Tags[0].Layout, {});
    const std::optional<CommandRecord> record =
        LineRulesOf(CommandRowOf(code).Form).RecordOf(ReadScriptItem(tag, 0), code);
    return record.value_or(TextRecord{});
}

// The ShortKey rules are the activation chooser's, so a name the editor takes always matches.
std::optional<std::string_view> CheckShortKeyName(std::string_view name) {
    return CheckShortKeyName(name, NoShortKeyNameText).Refusal;
}

ScriptSaveOutcome SaveMacroText(std::string_view text, const ScriptEditorForm& form, double now,
                                MacroRecord& record) {
    ScriptSaveOutcome outcome;
    ShortKeyNameCheck shortKey;
    if (form.Kind == ActivationKind::ShortKey) {
        shortKey = CheckShortKeyName(form.ShortKeyName, NoShortKeyNameText);
        if (shortKey.Refusal) {
            outcome.Refusal = shortKey.Refusal;
            return outcome;
        }
    }
    if (form.IsNew) {
        record.Active = 1;
    }
    record.LastModified = now;
    record.Nickname.Assign(std::string_view(form.Nickname).substr(0, 50));
    record.Icon.Assign(form.Icon);
    record.Scope = form.Scope == 1   ? ScopeGlobal
                   : form.Scope == 2 ? ScopeSpecificWindow
                                     : ScopeSpecificProgram;
    record.ShortKey.Assign(shortKey.Name);
    outcome.Truncated = text.size() > MacroTextMaxLength;
    record.SetText(text);
    return outcome;
}

ScriptSaveOutcome SaveScript(const std::vector<ScriptLine>& lines, const ScriptEditorForm& form,
                             double now, MacroRecord& record) {
    return SaveMacroText(ScriptText(lines), form, now, record);
}

} // namespace orvane
