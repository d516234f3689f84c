// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/QuickInfo.h"

#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "core/Schedule.h"
#include "library/MacroList.h"

namespace orvane {

QuickInfo QuickInfoOf(const MacroRecord& record) {
    QuickInfo info;
    info.LastModified = DaysToLocalDateTime(record.LastModified);
    info.Icon = record.Icon.Str();
    if (record.HotKey == HotKeyTimed) {
        info.ActivationLabel = "Timed Macro:";
        info.Activation = GetSched(record);
    } else if (record.HotKey == HotKeyShortKey) {
        info.ActivationLabel = "ShortKey:";
        info.Activation = record.ShortKey.Str();
    } else {
        info.ActivationLabel = "Hot Key:";
        info.Activation = std::string(HotKeyName(record.HotKey).value_or(UnknownListText));
    }
    info.Nickname = record.Nickname.Str();
    const bool topMost = record.TopMostOnly != 0;
    switch (record.Scope) {
    case ScopeGlobal:
        info.Scope = "GLOBAL";
        break;
    case ScopeSpecificWindow:
        info.Scope = record.ScopeTarget.Str() +
                     (topMost ? " \"Window\" (Top Most Only)" : " \"Window\" (If Running)");
        break;
    case ScopeSpecificProgram:
        info.Scope = record.ScopeTarget.Str() +
                     (topMost ? " \"Program\" (Top Most Only)" : " \"Program\" (If Running)");
        break;
    case ScopePopupMenu:
        info.Scope = "Popup Menu";
        break;
    case ScopeSystem:
        info.Scope = "SYSTEM";
        break;
    default:
        info.Scope = std::string(UnknownListText);
        break;
    }
    info.Active = record.Active != 0 ? "Yes" : "No";
    info.ShowsText = record.Scope == ScopeGlobal || record.Scope == ScopeSpecificWindow ||
                     record.Scope == ScopeSpecificProgram;
    if (info.ShowsText) {
        info.MacroText = record.Text();
    }
    return info;
}

} // namespace orvane
