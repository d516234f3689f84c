// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroImport.h"

#include "core/HotKeyTable.h"
#include "core/MacroStore.h"
#include "core/MessageSink.h"
#include "library/MacroCatalog.h"

#include <map>
#include <set>

namespace orvane {
namespace {

constexpr std::string_view ErrorCaption = "Error";
constexpr std::string_view WarningCaption = "Warning";

bool IsKeyCode(std::uint16_t hotKey) {
    return hotKey != HotKeyTimed && hotKey != HotKeyShortKey;
}

} // namespace

std::string HotKeyExistsText(std::uint16_t hotKey) {
    return "A Global Hot Key for " + std::string(HotKeyName(hotKey).value_or(UnknownListText)) +
           " already exists.  This macro will not be imported.";
}

std::string CapacityExceededText(std::size_t excluded) {
    return "The maximum capacity of macros per file will be exceeded. The last " +
           std::to_string(excluded) + " macros selected will not be imported.";
}

ChooserLine ChooserLineOf(const ListMacro& macro) {
    ChooserLine line;
    if (macro.HotKey == HotKeyTimed) {
        line.Activation = "Timed Macro";
    } else if (macro.HotKey == HotKeyShortKey) {
        line.Activation = macro.ShortKey;
    } else {
        line.Activation = std::string(HotKeyName(macro.HotKey).value_or(UnknownListText));
    }
    line.Nickname = macro.Nickname;
    switch (macro.Scope) {
    case ScopeGlobal:
        line.Scope = "GLOBAL";
        break;
    case ScopePopupMenu:
        line.Scope = "POPUP MENU";
        break;
    case ScopeSpecificWindow:
    case ScopeSpecificProgram:
        line.Scope = macro.ScopeTarget;
        break;
    default:
        line.Scope = std::string(UnknownListText);
        break;
    }
    return line;
}

ChooserLine ChooserLineOf(const MacroRecord& record) {
    return ChooserLineOf(ListMacroOf(record));
}

ImportOutcome ImportSelected(MacroStore& store, const ImportFile& file, std::vector<bool>& selected,
                             MessageSink& messages, double now) {
    selected.resize(file.Entries.size(), false);
    const MacroTable& table = store.Table();
    const int count = store.MacroCount();

    // 1. Keys already taken, by the file or by a line before this one.
    std::set<std::uint16_t> taken;
    for (int i = 1; i <= count; ++i) {
        taken.insert(table.HotKey(i));
    }
    bool excluded = false;
    for (std::size_t k = 0; k < file.Entries.size(); ++k) {
        if (!selected[k]) {
            continue;
        }
        const MacroRecord& record = file.Entries[k].Record;
        const bool global = record.Scope == ScopeGlobal || record.Scope == ScopePopupMenu;
        if (global && IsKeyCode(record.HotKey) && taken.contains(record.HotKey)) {
            // Deselected before the message, so a list that follows `selected` shows it so.
            selected[k] = false;
            excluded = true;
            messages.Show(WarningCaption, HotKeyExistsText(record.HotKey));
            continue;
        }
        taken.insert(record.HotKey);
    }

    // 2. How many, and how many fit.
    std::vector<std::size_t> chosen;
    for (std::size_t k = 0; k < file.Entries.size(); ++k) {
        if (selected[k]) {
            chosen.push_back(k);
        }
    }
    if (chosen.empty()) {
        messages.Show(ErrorCaption, NothingFlaggedText);
        return {};
    }
    const std::size_t room = store.FileHasUnloadedRecords()
                                 ? 0
                                 : static_cast<std::size_t>(MaxMacros - std::min(count, MaxMacros));
    if (chosen.size() > room) {
        messages.Show(WarningCaption, CapacityExceededText(chosen.size() - room));
        excluded = true;
        chosen.resize(room);
    }

    // 3.
    if (excluded && !messages.Ask(WarningCaption, ContinueImportText)) {
        return {};
    }

    // 4. One rewrite for them all.
    std::map<std::size_t, std::uint16_t> renumbered; // position in the import file -> new record
    for (std::size_t n = 0; n < chosen.size(); ++n) {
        renumbered[file.Entries[chosen[n]].Position] = static_cast<std::uint16_t>(count + 1 + n);
    }
    std::vector<MacroRecord> records;
    records.reserve(chosen.size());
    ImportOutcome outcome;
    for (const std::size_t k : chosen) {
        MacroRecord record = file.Entries[k].Record;
        if (file.Format != ImportFormat::MacroFile) {
            record.LastModified = now;
        } else if (record.Scope == ScopePopupMenu) {
            std::vector<std::uint16_t> members;
            for (const std::uint16_t member : record.PopupMembers()) {
                if (const auto found = renumbered.find(member); found != renumbered.end()) {
                    members.push_back(found->second);
                }
            }
            record.SetPopupMembers(members);
        }
        outcome.Timed = outcome.Timed || record.HotKey == HotKeyTimed;
        records.push_back(record);
    }
    if (!store.AppendMacros(records)) {
        return {};
    }
    store.SetHotKeys();
    outcome.Step = ImportStep::Done;
    outcome.Imported = static_cast<int>(records.size());
    outcome.FirstRecord = records.empty() ? 0 : count + 1;
    return outcome;
}

} // namespace orvane
