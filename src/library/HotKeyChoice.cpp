// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/HotKeyChoice.h"

#include "core/HookLibrary.h"
#include "core/MacroStore.h"
#include "core/MacroTable.h"
#include "core/Schedule.h"
#include "core/SettingsBlock.h"
#include "library/ClickPick.h"

#include <algorithm>

namespace orvane {
namespace {

std::string NameOf(std::uint16_t code) {
    return std::string(HotKeyName(code).value_or(""));
}

} // namespace

std::optional<std::string> HotKeyQuestion(std::uint16_t code, std::int16_t scope) {
    if (IsReservedHotKey(code)) {
        return ReservedKeyQuestion(code);
    }
    return PlainClickQuestion(code, scope);
}

void SetSecWind(MacroStore& store, std::uint32_t window, bool on) {
    store.Table().SetSecondWindow(window);
    store.Table().SetSecondWindowOn(on);
    store.Hook().OrvUpWindow2(store.Table());
}

KeyUseCounts CountKeyUses(const MacroTable& table, int macroCount) {
    KeyUseCounts counts{};
    for (int i = 1; i <= macroCount; ++i) {
        const std::uint16_t code = table.HotKey(i);
        if (code < HotKeyCount) {
            ++counts[code];
        }
    }
    return counts;
}

KeyFlags KeysUsedByScopes(const MacroTable& table, int macroCount,
                          std::initializer_list<std::int16_t> scopes) {
    KeyFlags used{};
    for (int i = 1; i <= macroCount; ++i) {
        const std::uint16_t code = table.HotKey(i);
        if (code < HotKeyCount &&
            std::find(scopes.begin(), scopes.end(), table.Scope(i)) != scopes.end()) {
            used[code] = true;
        }
    }
    return used;
}

KeyFlags TakenKeys(const MacroTable& table, int macroCount) {
    return KeysUsedByScopes(table, macroCount, {ScopeGlobal, ScopePopupMenu});
}

KeyFlags GlobalKeys(const MacroTable& table, int macroCount) {
    return KeysUsedByScopes(table, macroCount, {ScopeGlobal, ScopePopupMenu, ScopeSystem});
}

std::string KeyListLine(std::uint16_t code, int uses) {
    std::string line = NameOf(code);
    if (uses <= 0) {
        line += "  (Not in Use)";
    } else if (uses == 1) {
        line += "  (1 macro in use)";
    } else {
        line += "  (" + std::to_string(uses) + " macros in use)";
    }
    return line;
}

bool IsReservedHotKey(std::uint16_t code) {
    return std::find(ReservedHotKeys.begin(), ReservedHotKeys.end(), code) != ReservedHotKeys.end();
}

std::string ReservedKeyQuestion(std::uint16_t code) {
    const std::string name = NameOf(code);
    return name + " may be used internally by Windows 95, 98 or NT. " +
           " This may cause the hot key not to function correctly." +
           " Would you still like to use " + name + "?";
}

std::string ChooserLabel(ChooserMode mode, const MacroRecord& record) {
    std::string activation;
    if (record.HotKey == HotKeyTimed) {
        activation = "Timed Macro";
    } else if (record.HotKey == HotKeyShortKey) {
        activation = std::string(record.ShortKey.View().substr(0, 15));
    } else {
        activation = NameOf(record.HotKey);
    }
    return (mode == ChooserMode::Copy ? "COPY " : "MOVE ") + activation + " TO";
}

KeyFlags ChooserTakenKeys(const MacroTable& table, int macroCount, const MacroRecord& working) {
    return working.Scope == ScopePopupMenu ? GlobalKeys(table, macroCount)
                                           : TakenKeys(table, macroCount);
}

std::string TakenKeyText(ChooserMode mode) {
    return std::string("A \"GLOBAL\" or \"POPUP MENU\" hot key already exists for this "
                       "selection. The \"") +
           (mode == ChooserMode::Copy ? "COPY" : "MOVE") + "\" did not take place.";
}

ChooserCheck CheckChooser(const ChooserForm& form, ChooserMode mode, const MacroRecord& working,
                          const KeyFlags& taken) {
    ChooserCheck check;
    const bool menu = working.Scope == ScopePopupMenu;
    if (menu && form.Choice != ActivationChoice::HotKey) {
        check.Refusal = std::string(MenuNeedsHotKeyText);
        return check;
    }
    switch (form.Choice) {
    case ActivationChoice::Timed:
        break;
    case ActivationChoice::ShortKey: {
        ShortKeyNameCheck name = CheckShortKeyName(form.ShortKeyName, NoShortKeyNameText);
        if (name.Refusal) {
            check.Refusal = std::string(*name.Refusal);
            check.Field = ChoiceField::ShortKey;
        }
        check.ShortKeyName = std::move(name.Name);
        break;
    }
    case ActivationChoice::HotKey:
        if (!form.Code || *form.Code >= HotKeyCount) {
            check.Refusal = std::string(NoHotKeySelectedText);
        } else if ((working.Scope == ScopeGlobal || menu) && taken[*form.Code]) {
            check.Refusal = TakenKeyText(mode);
        } else {
            check.Question = HotKeyQuestion(*form.Code, working.Scope);
        }
        break;
    }
    return check;
}

bool ApplyChooser(const ChooserForm& form, const ChooserCheck& check, MacroRecord& working,
                  LocalMoment today) {
    switch (form.Choice) {
    case ActivationChoice::Timed:
        if (working.HotKey != HotKeyTimed) {
            DefaultTimer(working, today);
        }
        working.HotKey = HotKeyTimed;
        return true;
    case ActivationChoice::ShortKey:
        // A popup menu's options live in the ShortKey field; CheckChooser never lets one here.
        if (working.Scope == ScopePopupMenu) {
            return false;
        }
        working.HotKey = HotKeyShortKey;
        working.ShortKey.Assign(check.ShortKeyName);
        return false;
    case ActivationChoice::HotKey:
        working.HotKey = form.Code.value_or(0);
        return false;
    }
    return false;
}

ChooserCheck CheckAddMacro(const AddMacroForm& form, const KeyFlags& globalKeys, bool userMacros) {
    ChooserCheck check;
    const bool haveKey = form.Code && *form.Code < HotKeyCount;
    switch (form.Type) {
    case NewMacroType::PopupMenu:
        if (!userMacros) {
            check.Refusal = std::string(NoMacrosForMenuText);
        } else if (!haveKey) {
            check.Refusal = std::string(NoHotKeySelectedText);
        } else if (globalKeys[*form.Code]) {
            check.Refusal = std::string(KeyAlreadyGlobalText);
        } else {
            check.Question = HotKeyQuestion(*form.Code, ScopePopupMenu);
        }
        break;
    case NewMacroType::HotKey:
        if (!haveKey) {
            check.Refusal = std::string(NoHotKeySelectedText);
        } else {
            // A new macro is Global until its editor says otherwise.
            check.Question = HotKeyQuestion(*form.Code, ScopeGlobal);
        }
        break;
    case NewMacroType::ShortKey: {
        // The same name rule as the chooser's: a name no typing can match would never play.
        ShortKeyNameCheck name = CheckShortKeyName(form.ShortKeyName, AddNoShortKeyNameText);
        if (name.Refusal) {
            check.Refusal = std::string(*name.Refusal);
            check.Field = ChoiceField::ShortKey;
        }
        check.ShortKeyName = std::move(name.Name);
        break;
    }
    case NewMacroType::Timed:
        break;
    }
    return check;
}

MacroRecord NewMacroRecord(const AddMacroForm& form, const ChooserCheck& check) {
    MacroRecord record;
    record.Active = 1;
    switch (form.Type) {
    case NewMacroType::Timed:
        record.HotKey = HotKeyTimed;
        break;
    case NewMacroType::ShortKey:
        record.HotKey = HotKeyShortKey;
        record.ShortKey.Assign(check.ShortKeyName);
        break;
    case NewMacroType::PopupMenu:
        record.Scope = ScopePopupMenu;
        record.HotKey = form.Code.value_or(0);
        break;
    case NewMacroType::HotKey:
        record.HotKey = form.Code.value_or(0);
        break;
    }
    return record;
}

std::string KeyInUseText(std::uint16_t code) {
    return "The hot key \"" + NameOf(code) +
           "\" is already in use by a macro.  If you wish to use this hot key combination, you "
           "will first need to either remove or move the macro which is assigned to it.";
}

std::optional<std::string> CheckSystemKeyPick(std::uint16_t code, const KeyFlags& globalKeys) {
    if (code < HotKeyCount && globalKeys[code]) {
        return KeyInUseText(code);
    }
    if (IsPlainClickKey(code)) {
        return PlainClickSystemText(code);
    }
    return std::nullopt;
}

std::optional<std::string_view> CheckSystemKeys(const SystemKeysForm& form) {
    for (std::size_t i = 0; i < form.Keys.size(); ++i) {
        for (std::size_t j = i + 1; j < form.Keys.size(); ++j) {
            if (form.Keys[i] == form.Keys[j]) {
                return SameSystemKeyText;
            }
        }
    }
    return std::nullopt;
}

SystemKeysForm SystemKeysFormFrom(const MacroStore& store, const SettingsBlock& settings) {
    SystemKeysForm form;
    const MacroTable& table = store.Table();
    for (int i = 1; i <= store.MacroCount(); ++i) {
        const std::string_view target = table.ScopeTarget(i);
        if (table.Scope(i) == ScopeSystem && target.size() == 1 && target[0] >= '1' &&
            target[0] <= '4') {
            form.Keys[static_cast<std::size_t>(target[0] - '1')] = table.HotKey(i);
        }
    }
    form.PopupShows =
        settings.SystemMenu >= 1 && settings.SystemMenu <= 3 ? settings.SystemMenu : 1;
    return form;
}

bool ApplySystemKeys(const SystemKeysForm& form, MacroStore& store, SettingsBlock& settings) {
    bool written = true;
    for (int i = 1; i <= store.MacroCount() && written; ++i) {
        const MacroTable& table = store.Table();
        const std::string_view target = table.ScopeTarget(i);
        if (table.Scope(i) != ScopeSystem || target.size() != 1 || target[0] < '1' ||
            target[0] > '4') {
            continue;
        }
        const auto kind = static_cast<std::size_t>(target[0] - '1');
        if (table.HotKey(i) == form.Keys[kind]) {
            continue;
        }
        MacroRecord record;
        if (!store.ReadMacro(i, record)) {
            store.Messages().Show(ErrorCaption, SaveFailedText);
            return false;
        }
        record.HotKey = form.Keys[kind];
        written = store.SaveMacro(i, record);
    }
    if (written) {
        settings.SystemMenu = form.PopupShows;
    }
    return written;
}

} // namespace orvane
