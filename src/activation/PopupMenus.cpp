// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/PopupMenus.h"

#include "activation/MacroStarter.h"

#include "core/MacroStore.h"
#include "core/SettingsBlock.h"
#include "platform/Prompts.h"

namespace orvane {

std::optional<int> PopupMenus::Show(const ChooseMenu& menu, WindowId target) {
    shown_ = true;
    const std::optional<int> chosen = view_.ChooseAMacro(menu, trayX_);
    shown_ = false;
    view_.AfterMenu(target);
    return chosen;
}

int PopupMenus::ShowPopupMenu(int macro, WindowId target) {
    MacroRecord record;
    if (shown_ || !store_.ReadMacro(macro, record) || record.Scope != ScopePopupMenu) {
        return 0;
    }
    return Show(MenuOf(store_, record), target).value_or(0);
}

void PopupMenus::MenuTopWindow(WindowId target, std::string_view title, std::string_view program) {
    if (shown_) {
        return;
    }
    const std::vector<std::uint16_t> members = TopWindowMembers(store_, title, program);
    if (members.empty()) {
        prompts_.DoAMessage("Warning", NoTopWindowMacrosText);
        return;
    }
    const std::optional<int> chosen =
        Show(TopWindowMenu(store_, members, settings_.SystemMenu), target);
    if (chosen && *chosen > 0 && starter_ != nullptr) {
        starter_->StartAsHotKey(*chosen, target);
    }
}

void PopupMenus::TrayIconClicked(int macro, int x, WindowId lastForeground) {
    if (starter_ == nullptr) {
        return;
    }
    trayX_ = x;
    starter_->StartAsHotKey(macro, lastForeground);
}

} // namespace orvane
