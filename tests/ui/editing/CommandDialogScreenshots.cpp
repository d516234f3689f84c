// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a picture of every command dialog, filled as a user would fill it, for the gallery in
// docs/dialogs.md. Usage: ui_command_dialog_screenshots <folder>  (QT_QPA_PLATFORM=offscreen
// works; under a real X server the window manager's frame is left out either way).
#include "core/SettingsBlock.h"
#include "platform/fake/FakeDesktopServices.h"
#include "platform/fake/FakeMessageSink.h"
#include "platform/fake/FakeWindowSystem.h"
#include "support/Readability.h"
#include "ui/editing/commands/CommandDialogRegistry.h"
#include "ui/editing/commands/SymbolDialogs.h"
#include "ui/editing/commands/TDoSound.h"
#include "ui/editing/commands/TDoSpecWind.h"
#include "ui/editing/commands/TModText.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

namespace orvane {
namespace {

bool Save(QDialog& dialog, const QDir& folder, const char* name) {
    return SaveReadable(dialog, folder, QString::fromLatin1(name) + QStringLiteral(".png"));
}

bool SaveCommand(CommandCode code, const char* tag, const CommandDialogServices& services,
                 const QDir& folder, const char* name) {
    const std::optional<MadeCommand> line = CommandOfTag(tag);
    const std::unique_ptr<QDialog> dialog =
        MakeCommandDialog(code, line ? &line->Record : nullptr, services, nullptr);
    return dialog && Save(*dialog, folder, name);
}

} // namespace
} // namespace orvane

int main(int argc, char** argv) {
    using namespace orvane;
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    FakeMessageSink sink;
    SettingsBlock settings;
    FakeSound sound;
    FakeWindowSystem windows;
    windows.Add(1, "Weekly report - gedit", 10);
    windows.Add(2, "Terminal", 11);
    windows.Add(3, "Inbox - Mail", 12);
    FakeProcesses processes;
    processes.List = {
        {10, "gedit"}, {11, "xterm"}, {12, "thunderbird"}, {13, "bash"}, {14, "pulseaudio"}};
    CommandDialogServices services;
    services.Messages = &sink;
    services.Settings = &settings;
    services.Sounds = &sound;
    services.Windows = &windows;
    services.Running = &processes;
    services.ShowHelp = [](std::string_view) {};

    using C = CommandCode;
    bool ok = true;
    ok &= SaveCommand(C::ActivateOrLaunch,
                      "<LAUNCHYES:02Weekly report<LAUNCH:gedit<PARAM>report.txt>", services, folder,
                      "dialog-activate");
    ok &= SaveCommand(C::Date, "<DD Mmm YYYY{YP001}>", services, folder, "dialog-date");
    ok &= SaveCommand(C::Time, "<hh:mm am{N}>", services, folder, "dialog-time");
    ok &= SaveCommand(C::Delay, "<DELAY:01.50>", services, folder, "dialog-delay");
    ok &= SaveCommand(C::Pause, "<PAUSE:100,200Type the totals>", services, folder, "dialog-pause");
    ok &= SaveCommand(C::RepeatStart, "<REPEAT:0003>", services, folder, "dialog-repeat");
    ok &= SaveCommand(C::KeystrokeSpeed, "<SPKEY:0050>", services, folder, "dialog-speed");
    ok &= SaveCommand(C::SoundWaveFile, "<WAV1:/usr/share/sounds/alsa/Front_Center.wav>", services,
                      folder, "dialog-sound");
    ok &= SaveCommand(C::LoadNewMacroFile, "<SWAP:/home/ann/Work.ORV>", services, folder,
                      "dialog-swap");
    ok &= SaveCommand(C::LoadTextFile, "<TFILE:/home/ann/letter.txt>", services, folder,
                      "dialog-text-file");
    ok &= SaveCommand(C::ResizeWindow, "<WSIZE:0800,0600\"CURRENT\">", services, folder,
                      "dialog-size");
    ok &= SaveCommand(C::MaximizeWindow, "<WMAX:Weekly report>", services, folder, "dialog-system");
    ok &= SaveCommand(C::MouseMove, "<MMW:00120,00045>", services, folder, "dialog-mouse");
    ok &= SaveCommand(C::Remark, "<REM:ask for the totals>", services, folder, "dialog-remark");
    ok &= SaveCommand(C::ClipboardFileCopy, "<CLIPF:/home/ann/signature.txt>", services, folder,
                      "dialog-clipboard");
    ok &= SaveCommand(C::ControlKey, "<CTLD>", services, folder, "dialog-keys-up-down");
    ok &= SaveCommand(C::WebSite, "<HTTP:http://www.example.org>", services, folder, "dialog-web");
    ok &= SaveCommand(C::CopyFile, "<COPYFILE:/home/ann/report.txt;/home/ann/backup.txt>", services,
                      folder, "dialog-files");

    TModText keystrokes(services, "Dear Sir,<ENTER><ENTER>Thank you for your letter of ");
    ok &= Save(keystrokes, folder, "dialog-enter-keystrokes");
    TDoSpecWind program(services, ScopeForm{true, "gedit", {}, true});
    ok &= Save(program, folder, "dialog-set-program");
    TDoSpecWind title(services, ScopeForm{false, "report", {}, true});
    ok &= Save(title, folder, "dialog-set-title");
    TDoSpecial symbols(services);
    ok &= Save(symbols, folder, "dialog-insert-symbol");
    TDoSound alarm(services, SoundForm{true, "/usr/share/sounds/alsa/Front_Center.wav", false},
                   TDoSound::Mode::Alarm);
    ok &= Save(alarm, folder, "dialog-alarm");
    return ok ? 0 : 1;
}
