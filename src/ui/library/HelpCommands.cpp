// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/HelpCommands.h"

#include "ui/HelpCenter.h"
#include "ui/MainCommandTable.h"
#include "ui/Prompter.h"
#include "ui/library/TMainWin.h"

#include <QAction>
#include <QApplication>
#include <array>

namespace orvane {
namespace {

using enum MainCommand;

constexpr std::array<std::pair<MainCommand, std::string_view>, 37> Sections = {{
    {NewFile, "new-file"},
    {OpenFile, "open-file"},
    {RecentFiles, "recent-files"},
    {ImportMacros, "import-macros"},
    {ExportMacros, "export-macros"},
    {PrintMacroList, "print-macro-list"},
    {PrinterSetup, "printer-setup"},
    {PrinterFont, "printer-font"},
    {OutputMacroInformation, "output-macro-information"},
    {Network, "network"},
    {Hide, "hide"},
    {Terminate, "terminate"},
    {AddMacro, "add-macro"},
    {ScriptingEditor, "scripting-editor"},
    {ModifyDirectly, "direct-editor"},
    {RecaptureMacro, "recapture-macro"},
    {RenameMacro, "rename-macro"},
    {CopyMacro, "copy-macro"},
    {ActivateMacro, "activate-macro"},
    {RemoveMacro, "remove-macro"},
    {QuickInfo, "quick-info"},
    {Sort, "sort-order"},
    {Appearance, "appearance"},
    {ShortKeys, "shortkey-options"},
    {Capture, "capture-defaults"},
    {EndCapture, "end-capture"},
    {Remap, "keyboard-remapper"},
    {PlaceInSystemTray, "tray"},
    {ScreenSaver, "screen-saver"},
    {RestoreKeyboardHooks, "restore-hooks"},
    {RestoreMouseHooks, "restore-hooks"},
    {Scheduler, "scheduler-menu"},
    {ShowDate, "show-date"},
    {Alarm, "scheduler-alarm"},
    {TimerInterval, "timer-interval"},
    {Help, "help-window"},
    {About, "about"},
}};

} // namespace

std::span<const std::pair<MainCommand, std::string_view>> MainCommandHelpSections() {
    return Sections;
}

HelpCommands::HelpCommands(TMainWin& window)
    : QObject(&window), window_(window),
      help_(new HelpCenter(window.Context().ManualPath, window.Messages(), this)) {
    window.Commands().Bind(MainCommand::Help, [this] { ShowHelp(); });
    window.Commands().Bind(MainCommand::About, [this] { ShowAbout(); });
    for (const auto& [command, section] : Sections) {
        const QString name = QString::fromLatin1(section.data(), qsizetype(section.size()));
        if (QAction* action = window.Action(command)) {
            action->setProperty(HelpSectionProperty, name);
        }
        if (command == RecentFiles) {
            for (QAction* entry : window.Commands().RecentFileEntries()) {
                entry->setProperty(HelpSectionProperty, name);
            }
        }
    }
}

void HelpCommands::ShowHelp() {
    help_->ShowSection(QString());
}

void HelpCommands::ShowAbout() {
    // The About box is not a message: it carries the program's icon and rich text.
    Prompter::About(&window_, QStringLiteral("About Orvane 98"),
                    QStringLiteral("<b>Orvane 98</b> %1<br>Keyboard and mouse macros for the "
                                   "Linux desktop.<br>Licensed under the GNU GPL, version 3 "
                                   "or later.")
                        .arg(QApplication::applicationVersion()));
}

} // namespace orvane
