// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/PopupMenuScreen.h"

#include "playback/WindowFinder.h"
#include "ui/activation/MacroIcons.h"
#include "ui/activation/TDoAMenu.h"

#include <QWidget>

namespace orvane {

void PopupMenuScreen::BringToFront(WindowId window) {
    if (services_.Finder != nullptr && window != NoWindow) {
        services_.Finder->BringToFront(window);
    }
}

void PopupMenuScreen::BeforeMenu() {
    mainHidden_ = false;
    restored_ = false;
    QWidget* main = services_.MainWindow;
    // In the tray the program has no window on screen to move out of the way.
    if (UseTray() || main == nullptr) {
        return;
    }
    if (main->isMinimized()) {
        main->showNormal();
        restored_ = true;
    }
    if (main->isVisible()) {
        main->hide();
        mainHidden_ = true;
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
    QWidget* main = services_.MainWindow;
    if (!UseTray() && main != nullptr && mainHidden_) {
        // Mapped again without taking the focus: the window manager would hand it the focus
        // whenever it gets round to the map, which may be after the user's window has it back
        // and the macro has begun to type.
        const bool quiet = main->testAttribute(Qt::WA_ShowWithoutActivating);
        main->setAttribute(Qt::WA_ShowWithoutActivating, true);
        if (restored_) {
            main->showMinimized();
        } else {
            main->show();
        }
        main->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
    }
    mainHidden_ = false;
    restored_ = false;
    if (services_.Finder != nullptr) {
        BringToFront(services_.Finder->MakeSureItsAParent(target));
    }
}

} // namespace orvane
