// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/PopupMenuScreen.h"

#include "playback/WindowFinder.h"
#include "ui/MacroIcons.h"
#include "ui/activation/TDoAMenu.h"

namespace orvane {

void PopupMenuScreen::BringToFront(WindowId window) {
    if (services_.Finder != nullptr && window != NoWindow) {
        services_.Finder->BringToFront(window);
    }
}

std::optional<int> PopupMenuScreen::ChooseAMacro(const ChooseMenu& menu, int trayX) {
    std::vector<QIcon> icons;
    if (menu.Options.Shows == MenuShows::Icons) {
        for (const MenuItem& item : menu.Items) {
            icons.push_back(MacroIconFor(item.Icon, item.PopupMenu, services_.IconFolder));
        }
    }
    TDoAMenu dialog(menu, std::move(icons), trayX);
    QObject::connect(&dialog, &TDoAMenu::Shown, &dialog,
                     [this, &dialog] { BringToFront(static_cast<WindowId>(dialog.winId())); });
    dialog.exec();
    return dialog.Chosen();
}

void PopupMenuScreen::AfterMenu(WindowId target) {
    if (services_.Finder != nullptr) {
        BringToFront(services_.Finder->MakeSureItsAParent(target));
    }
}

} // namespace orvane
