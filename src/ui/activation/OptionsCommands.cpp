// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/OptionsCommands.h"

#include "activation/MainWindowCommands.h"
#include "core/MessageSink.h"
#include "core/SwapBlock.h"
#include "ui/HelpCenter.h"
#include "ui/MainCommandTable.h"
#include "ui/activation/RemapCommand.h"
#include "ui/activation/ShortKeyOptionsDialog.h"
#include "ui/library/TMainWin.h"

#include <QAction>

namespace orvane {

OptionsCommands::OptionsCommands(TMainWin& window) : QObject(&window), window_(window) {
    using enum MainCommand;
    MainCommandTable& commands = window.Commands();
    commands.Bind(ShortKeys, [this] { ShortKeysClick(); });
    commands.Bind(PlaceInSystemTray, [this] { window_.PlaceInTrayClick(); });
    commands.Action(ScreenSaver)->setChecked(window.Settings().DisableScreenSaver);
    commands.BindToggle(ScreenSaver, [this](bool on) {
        window_.Settings().DisableScreenSaver = on;
        window_.SaveSettings();
        emit window_.SchedulerSettingsChanged();
    });
    if (SwapBlock* swaps = window.Context().Swaps) {
        // The remapping file lies beside the shared macro file: changing it takes the lock, and
        // the others reload it with the file.
        commands.Bind(Remap, [this, swaps] {
            SyncLease lease(window_);
            if (!lease.Refused() && RemapClick(*swaps, &window_, ShowHelpForActiveWindow)) {
                lease.Changed();
            }
        });
    }
    if (MacroStore* store = window.Context().Store) {
        commands.Bind(RestoreKeyboardHooks, [this, store] {
            if (window_.Messages().Ask(KeyboardHooksCaption, KeyboardHooksQuestion)) {
                orvane::RestoreKeyboardHooks(*store);
                if (SwapBlock* swaps = window_.Context().Swaps) {
                    swaps->Reinstall();
                }
            }
        });
        commands.Bind(RestoreMouseHooks, [this, store] {
            if (window_.Messages().Ask(MouseHooksCaption, MouseHooksQuestion)) {
                orvane::RestoreMouseHooks(*store);
            }
        });
    }
}

void OptionsCommands::ShortKeysClick() {
    ShortKeyOptionsDialog dialog(ShortKeyOptionsFormFrom(window_.Settings()), window_.Messages(),
                                 &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    ApplyShortKeyOptions(dialog.Form(), window_.Settings());
    window_.SaveSettings();
}

} // namespace orvane
