// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandGroups.h"

#include "editing/commands/SoundForm.h"
#include "ui/MainCommandTable.h"
#include "ui/Prompter.h"
#include "ui/activation/OptionsCommands.h"
#include "ui/activation/SchedulerCommands.h"
#include "ui/editing/commands/CommandDialog.h"
#include "ui/editing/commands/TDoSound.h"
#include "ui/library/FileCommands.h"
#include "ui/library/HelpCommands.h"
#include "ui/library/ImportExportCommands.h"
#include "ui/library/MacroCommands.h"
#include "ui/library/NetworkCommands.h"
#include "ui/library/PrintListCommands.h"
#include "ui/library/StartAtLogin.h"
#include "ui/library/TMainWin.h"
#include "ui/library/ViewCommands.h"

namespace orvane {
namespace {

// "&Alarm": the sound played before timed macros, kept in the settings.
void ChooseAlarm(TMainWin& window) {
    Prompter messages(&window);
    CommandDialogServices services;
    services.Messages = &messages;
    services.Settings = &window.Settings();
    services.SaveSettings = [&window] { window.SaveSettings(); };
    services.Sounds = window.Context().Sounds;
    TDoSound dialog(services, AlarmFormFrom(window.Settings()), TDoSound::Mode::Alarm, &window);
    messages.SetParent(&dialog);
    dialog.exec();
}

} // namespace

void BuildCommandGroups(TMainWin& window) {
    TMainWin::CommandGroups groups;
    groups.Files = new FileCommands(window);
    new PrintListCommands(window);
    groups.Macros = new MacroCommands(window);
    new ViewCommands(window);
    if (window.Context().Store != nullptr) {
        groups.Network = new NetworkCommands(window);
    }
    new OptionsCommands(window);
    AddStartAtLogin(window.Commands().Menu(MainMenu::Options), &window);
    new SchedulerCommands(window);
    window.Commands().Bind(MainCommand::Alarm, [&window] { ChooseAlarm(window); });
    new HelpCommands(window);
    new ImportExportCommands(window);
    window.AttachCommandGroups(groups);
}

} // namespace orvane
