// SPDX-License-Identifier: GPL-3.0-or-later
// Saves pictures of "Import Macros" (an older hot key file listed, two lines chosen), "Export
// Macros" and "Output Macros To File" for the manual.
// Usage: ui_import_export_screenshots <folder>    (QT_QPA_PLATFORM=offscreen works)
#include "core/MacroStore.h"
#include "library/ImportFile.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "support/Readability.h"
#include "ui/library/ExportMacrosDialog.h"
#include "ui/library/ImportMacrosDialog.h"
#include "ui/library/MacroChooserList.h"
#include "ui/library/OutputMacrosDialog.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

namespace {

bool Save(QDialog& dialog, const QDir& folder, const char* name) {
    return orvane::SaveReadable(dialog, folder, QString::fromLatin1(name));
}

// An older hot key record with the fields the list shows.
std::string OldHotKeyRecord(std::string_view nickname, std::string_view target,
                            std::uint16_t hotKey, int scope) {
    std::string b(orvane::OldHotKeyRecordSize, '\0');
    b[0] = static_cast<char>(nickname.size());
    b.replace(1, nickname.size(), nickname);
    b[51] = static_cast<char>(target.size());
    b.replace(52, target.size(), target);
    b[82] = static_cast<char>(hotKey & 0xFF);
    b[83] = static_cast<char>(hotKey >> 8);
    b[84] = static_cast<char>(scope);
    b[86] = 1;
    b.replace(90, nickname.size(), nickname);
    return b;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    using namespace orvane;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir temporary;
    const std::filesystem::path dir(temporary.path().toStdString());
    const auto path = dir / "ORVAN.ORV";
    WriteMacroFile(path,
                   {HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "Dear Sir or Madam,", "", "Greeting"),
                    HotKeyMacro("Ctrl+Alt+D", ScopeGlobal, "<DATE:1,Y,F,000>", "", "Date"),
                    HotKeyMacro("F5", ScopeSpecificProgram, "<LAUNCH:make>", "XTERM", "Build"),
                    ShortKeyMacro("sig", "Jane Doe"), TimedMacro("Back up the notes")});
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store(hook, messages);
    store.LoadMacroFile(path);

    const auto old = dir / "OFFICE.KE2";
    std::ofstream(old, std::ios::binary)
        << OldHotKeyRecord("Letter head", "", *HotKeyCodeOf("Ctrl+Alt+L"), 1) +
               OldHotKeyRecord("Sign off", "", *HotKeyCodeOf("Ctrl+Alt+S"), 1) +
               OldHotKeyRecord("Save all", "Untitled - Word Processor", *HotKeyCodeOf("F12"), 2) +
               OldHotKeyRecord("Calculator", "", *HotKeyCodeOf("Ctrl+Shift+C"), 1) +
               OldHotKeyRecord("Quick menu", "", *HotKeyCodeOf("Ctrl+Alt+M"), 4);
    ImportMacrosDialog import(store, messages, QString());
    import.OpenPath(QString::fromStdString(old.string()));
    import.List()->SetChosen({true, false, true, false, true});

    ExportMacrosDialog exportDialog(store, messages, QString());
    exportDialog.List()->SetChosen({true, true});

    OutputMacrosDialog output(messages);

    const bool saved = Save(import, folder, "import-macros.png") &&
                       Save(exportDialog, folder, "export-macros.png") &&
                       Save(output, folder, "output-macros-to-file.png");
    return saved ? 0 : 1;
}
