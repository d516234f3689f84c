// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroListSource.h"

namespace orvane {

std::vector<ListMacro> ListMacrosFrom(const MacroStore& store) {
    std::vector<ListMacro> macros;
    const MacroTable& table = store.Table();
    const NameCache& names = store.Names();
    for (int i = 1; i <= store.MacroCount(); ++i) {
        ListMacro macro;
        macro.HotKey = table.HotKey(i);
        macro.Scope = table.Scope(i);
        macro.ScopeTarget = std::string(table.ScopeTarget(i));
        macro.Nickname = std::string(names.Nickname(i));
        macro.ShortKey = std::string(names.ShortKey(i));
        macro.Active = table.Active(i) != 0;
        macros.push_back(std::move(macro));
    }
    return macros;
}

} // namespace orvane
