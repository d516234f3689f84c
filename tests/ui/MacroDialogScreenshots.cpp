// SPDX-License-Identifier: GPL-3.0-or-later
// Saves pictures of "Add Macro", "Copy Hot Key" and "System Hot Keys" for the manual, each with a
// struck key picked, over a small macro file.
// Usage: ui_macro_dialog_screenshots <folder>    (QT_QPA_PLATFORM=offscreen works)
#include "core/MacroStore.h"
#include "core/SettingsBlock.h"
#include "library/KeyPickRelay.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "support/Readability.h"
#include "ui/library/ActivationChooserDialog.h"
#include "ui/library/AddMacroDialog.h"
#include "ui/library/SystemKeysDialog.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

namespace {

bool Save(QDialog& dialog, const QDir& folder, const char* name) {
    return orvane::SaveReadable(dialog, folder, QString::fromLatin1(name));
}

void Pick(orvane::KeyPickRelay& relay, const char* key) {
    relay.Receive({orvane::HookMessageId::UM_KEYPICK, *orvane::HotKeyCodeOf(key), 0, 0});
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
    const auto path = std::filesystem::path(temporary.path().toStdString()) / "ORVAN.ORV";
    WriteMacroFile(path, {HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "Dear Sir or Madam,"),
                          HotKeyMacro("Ctrl+Alt+B", ScopeGlobal, "Best regards"),
                          HotKeyMacro("Ctrl+Alt+B", ScopeSpecificWindow, "b", "Mail"),
                          HotKeyMacro("Ctrl+Alt+D", ScopeGlobal, "<DATE:1,Y,F,000>"),
                          ShortKeyMacro("sig", "Jane Doe")});
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store(hook, messages);
    store.LoadMacroFile(path);
    KeyPickRelay relay;
    const MacroTable& table = store.Table();
    const int count = store.MacroCount();

    static class : public MacroEditor {
        bool Edit(MacroRecord&, const MacroEditRequest&, QWidget*) override { return false; }
    } editor;
    AddMacroDialog add(
        CountKeyUses(table, count), GlobalKeys(table, count), true,
        {{&store, &relay}, &messages, {&editor, &editor, nullptr, &editor, {}}, count + 1});
    add.show();
    add.KeyField()->setFocus();
    Pick(relay, "Ctrl+Alt+C");
    const bool addSaved = Save(add, folder, "add-macro.png");

    MacroRecord working;
    store.ReadMacro(1, working);
    ActivationChooserDialog copy(ChooserMode::Copy, working, CountKeyUses(table, count),
                                 TakenKeys(table, count),
                                 {{&store, &relay}, &messages, LocalMoment::Now()});
    copy.show();
    copy.KeyField()->setFocus();
    Pick(relay, "Ctrl+Alt+B");
    const bool copySaved = Save(copy, folder, "copy-hot-key.png");

    SettingsBlock settings;
    SystemKeysDialog system(SystemKeysFormFrom(store, settings), GlobalKeys(table, count), 1,
                            {{&store, &relay}, &messages, [] {}});
    const bool systemSaved = Save(system, folder, "system-hot-keys.png");
    return addSaved && copySaved && systemSaved ? 0 : 1;
}
