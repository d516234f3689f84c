// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroManagement.h"

#include "core/HotKeyTable.h"
#include "core/MacroStore.h"
#include "core/MacroTable.h"
#include "core/MessageSink.h"

#include <algorithm>
#include <utility>

namespace orvane {
namespace {

constexpr std::string_view ErrorCaption = "Error";

} // namespace

std::optional<std::string_view> OpeningRefusal(MacroCommandKind kind, int macroCount, int selected,
                                               bool fileFull) {
    const bool creates = kind == MacroCommandKind::Add || kind == MacroCommandKind::Copy;
    if (kind == MacroCommandKind::Add) {
        if (macroCount >= MaxMacroCount || fileFull) {
            return MaxMacrosText;
        }
        return std::nullopt;
    }
    if (macroCount <= 0) {
        return NoMacrosText;
    }
    if (selected <= 0 || selected > macroCount) {
        return NoMacroSelectedText;
    }
    if (creates && (macroCount >= MaxMacroCount || fileFull)) {
        return MaxMacrosText;
    }
    return std::nullopt;
}

bool OpenCommand(MacroCommandKind kind, int macroCount, int selected, bool fileFull,
                 MessageSink& messages, const std::function<bool()>& fileInUse) {
    if (const auto refusal = OpeningRefusal(kind, macroCount, selected, fileFull)) {
        messages.Show("Error", *refusal);
        return false;
    }
    return !fileInUse();
}

std::string ActivationText(std::uint16_t hotKey, std::string_view shortKey) {
    if (hotKey == HotKeyTimed) {
        return "Timed Macro";
    }
    if (hotKey == HotKeyShortKey) {
        return std::string(shortKey);
    }
    return std::string(HotKeyName(hotKey).value_or(""));
}

std::string RemoveQuestion(std::uint16_t hotKey, std::string_view shortKey) {
    return std::string(hotKey == HotKeyShortKey ? "Are you sure you want to remove the ShortKey "
                                                : "Are you sure you want to remove ") +
           "\"" + ActivationText(hotKey, shortKey) + "\"?";
}

std::string RemoveFromMenuQuestion(std::uint16_t hotKey, std::string_view shortKey) {
    return "This macro is contained in a \"Popup Menu\".  It will be removed from the \"Popup "
           "Menu\".  Are you sure you want to remove " +
           ActivationText(hotKey, shortKey) + "\"?";
}

std::vector<std::uint16_t> MembersWithout(std::span<const std::uint16_t> members, int removed) {
    std::vector<std::uint16_t> kept;
    for (const std::uint16_t member : members) {
        if (member == removed) {
            continue;
        }
        kept.push_back(member > removed ? static_cast<std::uint16_t>(member - 1) : member);
    }
    return kept;
}

bool KeyUsedByOtherGlobal(const MacroTable& table, int macroCount, std::uint16_t code, int except) {
    for (int i = 1; i <= macroCount; ++i) {
        const std::int16_t scope = table.Scope(i);
        if (i != except && table.HotKey(i) == code &&
            (scope == ScopeGlobal || scope == ScopePopupMenu || scope == ScopeSystem)) {
            return true;
        }
    }
    return false;
}

bool ReadWorkingMacro(MacroStore& store, int record, MacroRecord& working, MessageSink& messages) {
    if (store.ReadMacro(record, working)) {
        return true;
    }
    messages.Show(ErrorCaption, "The macro file \"" + store.CurrentPath().string() +
                                    "\" could not be read. Nothing was changed.");
    return false;
}

StoredMacro StoreNewMacro(MacroStore& store, const MacroRecord& record, MessageSink& messages) {
    StoredMacro outcome;
    if (store.MacroCount() >= MaxMacroCount || store.FileHasUnloadedRecords()) {
        messages.Show(ErrorCaption, MaxMacrosText);
        return outcome;
    }
    if (!store.AppendMacro(record)) {
        return outcome;
    }
    store.SetHotKeys();
    outcome.Stored = true;
    outcome.Record = store.MacroCount();
    outcome.Timed = record.HotKey == HotKeyTimed;
    outcome.PopupMenu = record.Scope == ScopePopupMenu;
    return outcome;
}

StoredMacro StoreChangedMacro(MacroStore& store, int record, const MacroRecord& before,
                              const MacroRecord& after) {
    StoredMacro outcome;
    outcome.Record = record;
    if (!store.SaveMacro(record, after)) {
        return outcome;
    }
    store.SetHotKeys();
    outcome.Stored = true;
    outcome.Timed = before.HotKey == HotKeyTimed || after.HotKey == HotKeyTimed;
    outcome.PopupMenu = before.Scope == ScopePopupMenu || after.Scope == ScopePopupMenu;
    return outcome;
}

StoredMacro RemoveMacro(MacroStore& store, int record, MessageSink& messages) {
    StoredMacro outcome;
    outcome.Record = record;
    if (record < 1 || record > store.MacroCount()) {
        return outcome;
    }
    const MacroTable& table = store.Table();
    const std::uint16_t hotKey = table.HotKey(record);
    const std::string shortKey(store.Names().ShortKey(record));
    const std::int16_t scope = table.Scope(record);
    if (!messages.Ask(RemoveCaption, RemoveQuestion(hotKey, shortKey))) {
        return outcome;
    }

    // The menus that list it, as they are now, so a failure can put them back.
    std::vector<std::pair<int, MacroRecord>> menus;
    for (int i = 1; i <= store.MacroCount(); ++i) {
        if (i == record || table.Scope(i) != ScopePopupMenu) {
            continue;
        }
        MacroRecord menu;
        if (!store.ReadMacro(i, menu)) {
            messages.Show(ErrorCaption, SaveFailedText);
            return outcome;
        }
        const std::vector<std::uint16_t> members = menu.PopupMembers();
        if (std::find(members.begin(), members.end(), record) != members.end()) {
            menus.emplace_back(i, menu);
        }
    }
    if (!menus.empty() && !messages.Ask(RemoveCaption, RemoveFromMenuQuestion(hotKey, shortKey))) {
        return outcome;
    }

    const auto restore = [&store, &menus](std::size_t count) {
        for (std::size_t k = 0; k < count; ++k) {
            store.SaveMacro(menus[k].first, menus[k].second);
        }
    };
    for (std::size_t k = 0; k < menus.size(); ++k) {
        MacroRecord fixed = menus[k].second;
        const std::vector<std::uint16_t> members = fixed.PopupMembers();
        fixed.SetPopupMembers(MembersWithout(members, record));
        if (!store.SaveMacro(menus[k].first, fixed)) {
            restore(k);
            return outcome;
        }
    }
    if (!store.DeleteMacro(record)) {
        restore(menus.size());
        messages.Show(ErrorCaption, SaveFailedText);
        return outcome;
    }
    store.ReloadMacroFile();
    store.SetHotKeys();
    outcome.Stored = true;
    outcome.Timed = hotKey == HotKeyTimed;
    outcome.PopupMenu = scope == ScopePopupMenu;
    return outcome;
}

} // namespace orvane
