// SPDX-License-Identifier: GPL-3.0-or-later
// The macro management dialogs and commands on the offscreen platform, over a real macro file
// and the fake hook backend.
#include "app/CommandGroups.h"
#include "core/MacroStore.h"
#include "core/SettingsBlock.h"
#include "library/ClickPick.h"
#include "library/KeyPickRelay.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "ui/MainCommandTable.h"
#include "ui/capture/CaptureCompleteDialog.h"
#include "ui/library/ActivationChooserDialog.h"
#include "ui/library/AddMacroDialog.h"
#include "ui/library/HotKeyList.h"
#include "ui/library/SystemKeysDialog.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace orvane {
namespace {

std::uint16_t Code(std::string_view name) {
    return *HotKeyCodeOf(name);
}

void Pick(KeyPickRelay& relay, std::string_view key) {
    relay.Receive({HookMessageId::UM_KEYPICK, Code(key), 0, 0});
}

// A loaded macro file with the fake backend behind it.
struct Files {
    QTemporaryDir folder;
    std::filesystem::path path;
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};
    KeyPickRelay relay;

    explicit Files(const std::vector<MacroRecord>& records) {
        path = std::filesystem::path(folder.path().toStdString()) / "Keys.ORV";
        WriteMacroFile(path, records);
        store.LoadMacroFile(path);
        store.SetHotKeys();
        hook.KeepTables = true;
        hook.Clear();
    }
    KeyPicking Picking() { return {&store, &relay}; }
    // Whether the last published second window was on.
    bool SecondWindowOn() const {
        for (std::size_t i = hook.Calls.size(); i-- > 0;) {
            if (hook.Calls[i] == "OrvUpWindow2") {
                return hook.Tables[i].SecondWindowOn();
            }
        }
        return false;
    }
};

// An editor that takes what it is given and makes the macro's text.
class FakeEditor : public MacroEditor {
public:
    bool Edit(MacroRecord& record, const MacroEditRequest& request, QWidget*) override {
        Requests.push_back(request);
        if (Confirm) {
            record.SetText(Text);
            record.Nickname.Assign("edited");
        }
        return Confirm;
    }
    std::vector<MacroEditRequest> Requests;
    bool Confirm = true;
    std::string Text = "typed";
};

// Runs `action` once the next modal dialog is up (the test goes on when it closes); a dialog
// the action left open (a failed check inside it) is cancelled so the test cannot hang.
void WhenModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action = std::move(action)] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(modal);
        action(modal);
        if (modal->isVisible()) {
            modal->reject();
        }
    });
}

// The pick rule of a dialog's key field, by mouse. `elsewhere`: a harmless control of the
// dialog that takes the focus when clicked.
void ClicksPickOnlyOnTheFocusedField(QDialog& dialog, HotKeyField& field, QWidget& elsewhere,
                                     KeyPickRelay& relay) {
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(field.hasFocus());
    Pick(relay, "Ctrl+Alt+J");
    QCOMPARE(field.text(), QStringLiteral("Ctrl+Alt+J"));
    // The backend's report of a click (as a hook that sees every click would give it).
    Pick(relay, "LMouse");
    QCOMPARE(field.text(), QStringLiteral("Ctrl+Alt+J"));
    // Clicking on to another control leaves the struck key.
    QTest::mouseClick(&elsewhere, Qt::LeftButton);
    QVERIFY(elsewhere.hasFocus());
    QCOMPARE(field.text(), QStringLiteral("Ctrl+Alt+J"));
    // The click back into the field brings the focus and picks nothing ...
    QTest::mouseClick(&field, Qt::LeftButton, Qt::ControlModifier);
    QVERIFY(field.hasFocus());
    QCOMPARE(field.text(), QStringLiteral("Ctrl+Alt+J"));
    // ... the next one on it picks its button with the modifiers held.
    QTest::mouseClick(&field, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(field.text(), QStringLiteral("Ctrl+LMouse"));
    QTest::mouseClick(&field, Qt::MiddleButton, Qt::ShiftModifier);
    QCOMPARE(field.text(), QStringLiteral("Shift+MMouse"));
    // Tabbed into, the field picks from the first click.
    elsewhere.setFocus(Qt::OtherFocusReason);
    field.setFocus(Qt::TabFocusReason);
    QTest::mouseClick(&field, Qt::RightButton, Qt::AltModifier);
    QCOMPARE(field.text(), QStringLiteral("Alt+RMouse"));
}

} // namespace

class MacroCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void ChooserPicksAStruckKeyAndRefusesWithFocus();
    void AddMacroListsEveryKeyAndHandsTheChoiceToAnEditor();
    void SystemKeysRefuseKeysInUseAndDuplicates();
    void CopyRenameAndRemoveFromTheMainWindow();
    void SelectedRowDrivesCaptionsAndDoubleClickEdits();
    void EveryKeyDialogPicksAClickOnlyOnItsField();
    void APlainClickFromTheListAsksFirst();
};

void MacroCommandsTest::ChooserPicksAStruckKeyAndRefusesWithFocus() {
    Files files({HotKeyMacro("Ctrl+Alt+Shift+G", ScopeGlobal, "hi"),
                 PopupMenuMacro("Ctrl+Alt+Shift+M", {1})});
    MacroRecord working;
    QVERIFY(files.store.ReadMacro(1, working));
    const MacroTable& table = files.store.Table();
    const int count = files.store.MacroCount();
    ActivationChooserDialog dialog(ChooserMode::Copy, working, CountKeyUses(table, count),
                                   TakenKeys(table, count),
                                   {files.Picking(), &files.messages, LocalMoment::Now()});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Copy Hot Key"));
    QCOMPARE(dialog.Label()->text(), QStringLiteral("COPY Ctrl+Alt+Shift+G TO"));
    QCOMPARE(dialog.KeyList()->count(), 720);
    QCOMPARE(dialog.KeyList()->item(Code("Ctrl+Alt+Shift+G"))->text(),
             QStringLiteral("Ctrl+Alt+Shift+G  (1 macro in use)"));
    QVERIFY(dialog.KeyField()->hasFocus());
    QVERIFY(files.SecondWindowOn());

    // A ShortKey with a space inside: refused, the focus on the name, the dialog open.
    dialog.Choice(ActivationChoice::ShortKey)->setChecked(true);
    dialog.ShortKeyEdit()->setText(QStringLiteral("a b"));
    dialog.OkButton()->click();
    QCOMPARE(files.messages.Shown.back().Text, std::string(InvalidShortKeyNameText));
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.ShortKeyEdit()->hasFocus());
    QVERIFY2(!files.SecondWindowOn(), "the field lost the focus");

    // A Global macro onto the popup menu's key: refused with the COPY wording.
    dialog.KeyField()->setFocus();
    QVERIFY(files.SecondWindowOn());
    Pick(files.relay, "Ctrl+Alt+Shift+M");
    QVERIFY(dialog.Choice(ActivationChoice::HotKey)->isChecked());
    dialog.OkButton()->click();
    QCOMPARE(files.messages.Shown.back().Text, TakenKeyText(ChooserMode::Copy));
    QVERIFY(dialog.isVisible());

    // Struck while the field has the focus: the line is selected and its name shown.
    dialog.Choice(ActivationChoice::Timed)->setChecked(true);
    Pick(files.relay, "Ctrl+Alt+Shift+J");
    QCOMPARE(dialog.KeyField()->text(), QStringLiteral("Ctrl+Alt+Shift+J"));
    QCOMPARE(dialog.KeyList()->currentRow(), Code("Ctrl+Alt+Shift+J"));
    QVERIFY2(!dialog.Choice(ActivationChoice::Timed)->isChecked(), "timed is unticked");
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Record().HotKey, Code("Ctrl+Alt+Shift+J"));
    QCOMPARE(dialog.Record().Text(), std::string("hi"));
    QVERIFY2(!files.SecondWindowOn(), "closing ends the picking");
    QVERIFY(!files.relay.HasTarget());
}

void MacroCommandsTest::AddMacroListsEveryKeyAndHandsTheChoiceToAnEditor() {
    Files files({HotKeyMacro("Ctrl+A", ScopeGlobal, "a"), HotKeyMacro("Ctrl+A", 2, "w", "Notes")});
    const MacroTable& table = files.store.Table();
    const int count = files.store.MacroCount();
    FakeEditor scripting;
    AddMacroDialog::Services services{files.Picking(), &files.messages, {}, count + 1};
    {
        AddMacroDialog bare(CountKeyUses(table, count), GlobalKeys(table, count), true, services);
        QVERIFY2(!bare.ScriptingButton()->isEnabled() && !bare.DirectButton()->isEnabled() &&
                     !bare.CaptureButton()->isEnabled(),
                 "no editor exists: nothing to open");
    }
    {
        // A desktop without capture: the button stays off and says why.
        AddMacroDialog::Services noCapture = services;
        noCapture.Editors.CaptureMissing = QStringLiteral("no capture here");
        AddMacroDialog dialog(CountKeyUses(table, count), GlobalKeys(table, count), true,
                              noCapture);
        QVERIFY(!dialog.CaptureButton()->isEnabled());
        QCOMPARE(dialog.CaptureButton()->toolTip(), QStringLiteral("no capture here"));
    }
    services.Editors.Scripting = &scripting;
    AddMacroDialog dialog(CountKeyUses(table, count), GlobalKeys(table, count), true, services);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Macro"));
    QCOMPARE(dialog.KeyList()->item(Code("Ctrl+A"))->text(),
             QStringLiteral("Ctrl+A  (2 macros in use)"));
    QCOMPARE(dialog.KeyList()->item(Code("Ctrl+B"))->text(),
             QStringLiteral("Ctrl+B  (Not in Use)"));
    QVERIFY(dialog.TypeButton(NewMacroType::HotKey)->isChecked());
    QVERIFY(dialog.KeyField()->hasFocus());
    QVERIFY(dialog.ScriptingButton()->isEnabled());

    // The type rearranges the dialog.
    dialog.TypeButton(NewMacroType::PopupMenu)->setChecked(true);
    QCOMPARE(dialog.DirectButton()->text(), QStringLiteral("Build &Menu"));
    QVERIFY(!dialog.ScriptingButton()->isEnabled());
    dialog.TypeButton(NewMacroType::ShortKey)->setChecked(true);
    QVERIFY(!dialog.KeyList()->isVisible());
    QVERIFY(dialog.ShortKeyEdit()->isVisible());
    dialog.TypeButton(NewMacroType::HotKey)->setChecked(true);
    QVERIFY(dialog.KeyList()->isVisible());

    // No key chosen: refused, nothing opened.
    dialog.ScriptingButton()->click();
    QCOMPARE(files.messages.Shown.back().Text, std::string(NoHotKeySelectedText));
    QVERIFY(scripting.Requests.empty());
    // A reserved key answered No: nothing opened, still open.
    dialog.KeyField()->setFocus();
    Pick(files.relay, "Win+R");
    QCOMPARE(dialog.KeyField()->text(), QStringLiteral("Win+R"));
    files.messages.Answers = {false};
    dialog.ScriptingButton()->click();
    QCOMPARE(files.messages.Asked.back().Caption, std::string("Warning"));
    QVERIFY(scripting.Requests.empty());
    QVERIFY(dialog.isVisible());

    // A global key: the editor is told Global is forbidden; its result is the new macro.
    dialog.KeyList()->setCurrentRow(Code("Ctrl+A"));
    QCOMPARE(dialog.KeyField()->text(), QStringLiteral("Ctrl+A"));
    dialog.ScriptingButton()->click();
    QCOMPARE(scripting.Requests.size(), std::size_t{1});
    QVERIFY(scripting.Requests[0].NewMacro);
    QVERIFY(scripting.Requests[0].GlobalForbidden);
    QCOMPARE(scripting.Requests[0].RecordNumber, count + 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Record().HotKey, Code("Ctrl+A"));
    QCOMPARE(dialog.Record().Text(), std::string("typed"));
}

void MacroCommandsTest::SystemKeysRefuseKeysInUseAndDuplicates() {
    Files files({HotKeyMacro("Ctrl+A", ScopeGlobal, "a")});
    SettingsBlock settings;
    const SystemKeysForm form = SystemKeysFormFrom(files.store, settings);
    SystemKeysDialog dialog(form, GlobalKeys(files.store.Table(), files.store.MacroCount()), 3,
                            {files.Picking(), &files.messages, {}});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.KeyField(2)->hasFocus());
    const QString before = dialog.KeyField(2)->text();
    Pick(files.relay, "Ctrl+A");
    QCOMPARE(files.messages.Shown.back().Text, KeyInUseText(Code("Ctrl+A")));
    QCOMPARE(dialog.KeyField(2)->text(), before);

    Pick(files.relay, "Ctrl+Alt+Shift+K");
    QCOMPARE(dialog.KeyField(2)->text(), QStringLiteral("Ctrl+Alt+Shift+K"));
    dialog.KeyField(0)->setFocus();
    Pick(files.relay, "Ctrl+Alt+Shift+K"); // not stored yet, so not refused here ...
    dialog.OkButton()->click();            // ... but on "&Ok"
    QCOMPARE(files.messages.Shown.back().Text, std::string(SameSystemKeyText));
    QVERIFY(dialog.isVisible());
    Pick(files.relay, "Ctrl+Alt+Shift+L");
    dialog.PopupChoice(3)->setChecked(true);
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Form().Keys[0], Code("Ctrl+Alt+Shift+L"));
    QCOMPARE(dialog.Form().Keys[2], Code("Ctrl+Alt+Shift+K"));
    QCOMPARE(dialog.Form().PopupShows, 3);
}

void MacroCommandsTest::CopyRenameAndRemoveFromTheMainWindow() {
    Files files({HotKeyMacro("Ctrl+Alt+Shift+G", ScopeGlobal, "hi")});
    SettingsBlock settings;
    TMainWin::Services services;
    services.Settings = &settings;
    services.SaveSettings = [] {};
    services.Store = &files.store;
    services.Messages = &files.messages;
    services.KeyPicks = &files.relay;
    TMainWin window(services);
    BuildCommandGroups(window);
    window.RefreshFromStore();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.Action(MainCommand::CopyMacro)->isEnabled());
    QVERIFY(window.Grid().SelectRecord(1));

    WhenModal([&files](QWidget* modal) {
        auto* chooser = qobject_cast<ActivationChooserDialog*>(modal);
        QVERIFY(chooser);
        Pick(files.relay, "Ctrl+Alt+Shift+J");
        chooser->OkButton()->click();
    });
    window.Action(MainCommand::CopyMacro)->trigger();
    QCOMPARE(files.store.MacroCount(), 6);
    QCOMPARE(window.Grid().SelectedRecord(), 6);
    QVERIFY(files.store.Table().KeyInUse(Code("Ctrl+Alt+Shift+J")));
    QCOMPARE(ReadMacroFileBack(files.path).back().HotKey, Code("Ctrl+Alt+Shift+J"));

    WhenModal([&files](QWidget* modal) {
        auto* chooser = qobject_cast<ActivationChooserDialog*>(modal);
        QVERIFY(chooser);
        QCOMPARE(chooser->windowTitle(), QStringLiteral("Move Hot Key"));
        Pick(files.relay, "Ctrl+Alt+Shift+L");
        chooser->OkButton()->click();
    });
    window.Action(MainCommand::RenameMacro)->trigger();
    QVERIFY(!files.store.Table().KeyInUse(Code("Ctrl+Alt+Shift+J")));
    QVERIFY(files.store.Table().KeyInUse(Code("Ctrl+Alt+Shift+L")));
    QCOMPARE(window.Grid().SelectedRecord(), 6);

    // Removing asks; Yes removes it, keeps the row number selected.
    const int row = window.Grid().currentIndex().row();
    files.messages.Answers = {true};
    window.Action(MainCommand::RemoveMacro)->trigger();
    QCOMPARE(files.messages.Asked.back().Text,
             std::string("Are you sure you want to remove \"Ctrl+Alt+Shift+L\"?"));
    QCOMPARE(files.store.MacroCount(), 5);
    QVERIFY(!files.store.Table().KeyInUse(Code("Ctrl+Alt+Shift+L")));
    QCOMPARE(ReadMacroFileBack(files.path).size(), std::size_t{5});
    QCOMPARE(window.Grid().currentIndex().row(), std::min(row, 4));

    // The system macro's re-binding is the System Hot Keys dialog, on that command's field.
    QVERIFY(window.Grid().SelectRecord(2));
    QWidget* systemFocus = nullptr;
    QDialog* system = nullptr;
    WhenModal([&](QWidget* modal) {
        system = qobject_cast<SystemKeysDialog*>(modal);
        systemFocus = modal->focusWidget();
        static_cast<QDialog*>(modal)->reject();
    });
    window.Action(MainCommand::RenameMacro)->trigger();
    QVERIFY(system);
    QVERIFY(systemFocus);
    QCOMPARE(systemFocus->objectName(), QStringLiteral("systemKey1"));

    // With no macro in the list the commands on a macro are disabled (a reloaded file always
    // has its system macros, so an empty list is one that loaded nothing).
    window.SetMacroFile(QStringLiteral("/x/Empty.ORV"), {});
    QVERIFY(!window.Action(MainCommand::RemoveMacro)->isEnabled());
    QVERIFY(!window.Commands().LetterButton(MainCommand::CopyMacro)->isEnabled());
    QVERIFY(window.Action(MainCommand::AddMacro)->isEnabled());
}

void MacroCommandsTest::SelectedRowDrivesCaptionsAndDoubleClickEdits() {
    MacroRecord inactive = HotKeyMacro("Ctrl+B", ScopeGlobal, "b");
    inactive.Active = 0;
    Files files({HotKeyMacro("Ctrl+A", ScopeGlobal, "a"), inactive});
    SettingsBlock settings;
    settings.UseSpeed = false;
    TMainWin::Services services;
    services.Settings = &settings;
    services.SaveSettings = [] {};
    services.Store = &files.store;
    services.Messages = &files.messages;
    TMainWin window(services);
    BuildCommandGroups(window);
    window.RefreshFromStore();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    MainCommandTable& table = window.Commands();

    window.Grid().SelectRecord(2);
    QCOMPARE(table.LetterButton(MainCommand::ActivateMacro)->text(),
             QStringLiteral("Acti&vate Macro"));
    QCOMPARE(table.Button(MainCommand::ActivateMacro)->toolTip(), QStringLiteral("Activate Macro"));
    window.Grid().SelectRecord(1);
    QCOMPARE(table.LetterButton(MainCommand::ActivateMacro)->text(),
             QStringLiteral("Deacti&vate Macro"));
    QCOMPARE(table.Action(MainCommand::ActivateMacro)->text(), QStringLiteral("Deacti&vate Macro"));

    // The editors arrive: their commands are built; a double click opens the scripting editor
    // and what it confirms is stored.
    QVERIFY(!table.IsBuilt(MainCommand::ScriptingEditor));
    FakeEditor scripting;
    scripting.Text = "<ENTER>";
    window.SetMacroEditors({&scripting, nullptr, nullptr, nullptr, {}});
    QVERIFY(window.Action(MainCommand::ScriptingEditor)->isEnabled());
    QVERIFY(!window.Action(MainCommand::ModifyDirectly)->isEnabled());
    emit window.Grid().RowDoubleClicked(1);
    QCOMPARE(scripting.Requests.size(), std::size_t{1});
    QVERIFY(!scripting.Requests[0].NewMacro);
    QCOMPARE(scripting.Requests[0].RecordNumber, 1);
    QCOMPARE(ReadMacroFileBack(files.path)[0].Text(), std::string("<ENTER>"));
    QCOMPARE(window.Grid().Model().index(window.Grid().currentIndex().row(), 2).data().toString(),
             QStringLiteral("edited"));
    // A system macro has no script: the editor's command chooses its key instead.
    QVERIFY(window.Grid().SelectRecord(3));
    bool systemKeys = false;
    WhenModal([&systemKeys](QWidget* modal) {
        systemKeys = qobject_cast<SystemKeysDialog*>(modal) != nullptr;
    });
    emit window.Grid().RowDoubleClicked(window.Grid().currentIndex().row() + 1);
    QVERIFY(systemKeys);
    QCOMPARE(scripting.Requests.size(), std::size_t{1});
    QVERIFY(window.Grid().SelectRecord(1));
    // A cancelled editor stores nothing.
    scripting.Confirm = false;
    scripting.Text = "lost";
    window.Action(MainCommand::ScriptingEditor)->trigger();
    QCOMPARE(ReadMacroFileBack(files.path)[0].Text(), std::string("<ENTER>"));
}

void MacroCommandsTest::EveryKeyDialogPicksAClickOnlyOnItsField() {
    Files files({HotKeyMacro("Ctrl+A", ScopeGlobal, "a")});
    const MacroTable& table = files.store.Table();
    const int count = files.store.MacroCount();
    const KeyUseCounts uses = CountKeyUses(table, count);
    {
        FakeEditor scripting;
        AddMacroDialog::Services services{files.Picking(), &files.messages, {}, count + 1};
        services.Editors.Scripting = &scripting;
        AddMacroDialog dialog(uses, GlobalKeys(table, count), true, services);
        ClicksPickOnlyOnTheFocusedField(dialog, *dialog.KeyField(),
                                        *dialog.TypeButton(NewMacroType::HotKey), files.relay);
        QVERIFY(scripting.Requests.empty());
    }
    {
        MacroRecord working;
        QVERIFY(files.store.ReadMacro(1, working));
        ActivationChooserDialog dialog(ChooserMode::Copy, working, uses, TakenKeys(table, count),
                                       {files.Picking(), &files.messages, LocalMoment::Now()});
        ClicksPickOnlyOnTheFocusedField(dialog, *dialog.KeyField(),
                                        *dialog.Choice(ActivationChoice::HotKey), files.relay);
    }
    {
        CaptureCompleteDialog dialog(MacroRecord{}, {}, "GEDIT", uses, GlobalKeys(table, count),
                                     {files.Picking(), &files.messages, {}});
        ClicksPickOnlyOnTheFocusedField(dialog, *dialog.KeyField(), *dialog.GlobalButton(),
                                        files.relay);
    }
    {
        SettingsBlock settings;
        SystemKeysDialog dialog(SystemKeysFormFrom(files.store, settings), GlobalKeys(table, count),
                                1, {files.Picking(), &files.messages, {}});
        ClicksPickOnlyOnTheFocusedField(dialog, *dialog.KeyField(0), *dialog.PopupChoice(3),
                                        files.relay);
        // A plain click, picked on purpose, is refused for a system command.
        QTest::mouseClick(dialog.KeyField(0), Qt::LeftButton);
        QCOMPARE(files.messages.Shown.back().Text, PlainClickSystemText(Code("LMouse")));
        QCOMPARE(dialog.KeyField(0)->text(), QStringLiteral("Alt+RMouse"));
        dialog.OkButton()->click();
        QCOMPARE(dialog.Form().Keys[0], Code("Alt+RMouse"));
    }
}

void MacroCommandsTest::APlainClickFromTheListAsksFirst() {
    Files files({HotKeyMacro("Ctrl+A", 2, "w", "Notes")});
    const MacroTable& table = files.store.Table();
    const int count = files.store.MacroCount();
    const KeyUseCounts uses = CountKeyUses(table, count);
    const std::uint16_t left = Code("LMouse");

    // "Add Macro": No opens nothing, Yes opens the editor on the click.
    FakeEditor scripting;
    AddMacroDialog::Services services{files.Picking(), &files.messages, {}, count + 1};
    services.Editors.Scripting = &scripting;
    AddMacroDialog add(uses, GlobalKeys(table, count), true, services);
    add.show();
    add.KeyList()->setCurrentRow(left);
    QCOMPARE(add.KeyField()->text(), QStringLiteral("LMouse"));
    files.messages.Answers = {false};
    add.ScriptingButton()->click();
    QCOMPARE(files.messages.Asked.back().Caption, std::string("Warning"));
    QCOMPARE(files.messages.Asked.back().Text, *PlainClickQuestion(left, ScopeGlobal));
    QVERIFY(files.messages.Asked.back().Text.find("every left click in every program") !=
            std::string::npos);
    QVERIFY(scripting.Requests.empty());
    files.messages.Answers = {true};
    add.ScriptingButton()->click();
    QCOMPARE(add.result(), int(QDialog::Accepted));
    QCOMPARE(add.Record().HotKey, left);

    // Moving a window's macro: the question names the window.
    MacroRecord working;
    QVERIFY(files.store.ReadMacro(1, working));
    ActivationChooserDialog move(ChooserMode::Move, working, uses, TakenKeys(table, count),
                                 {files.Picking(), &files.messages, LocalMoment::Now()});
    move.show();
    move.KeyList()->setCurrentRow(Code("RMouse"));
    files.messages.Answers = {false};
    move.OkButton()->click();
    QVERIFY(files.messages.Asked.back().Text.find("every right click in the chosen window") !=
            std::string::npos);
    QVERIFY(move.isVisible());
    // With a modifier there is nothing to ask.
    const std::size_t asked = files.messages.Asked.size();
    move.KeyList()->setCurrentRow(Code("Ctrl+RMouse"));
    move.OkButton()->click();
    QCOMPARE(files.messages.Asked.size(), asked);
    QCOMPARE(move.result(), int(QDialog::Accepted));
    QCOMPARE(move.Record().HotKey, Code("Ctrl+RMouse"));

    // "Capture Complete" for a program: the question names the program.
    CaptureCompleteForm form;
    form.ProgramScope = true;
    CaptureCompleteDialog capture(MacroRecord{}, form, "GEDIT", uses, GlobalKeys(table, count),
                                  {files.Picking(), &files.messages, {}});
    capture.show();
    capture.KeyList()->setCurrentRow(left);
    files.messages.Answers = {false};
    capture.OkButton()->click();
    QVERIFY(files.messages.Asked.back().Text.find("every left click in the chosen program") !=
            std::string::npos);
    QVERIFY(capture.isVisible());
}

} // namespace orvane

QTEST_MAIN(orvane::MacroCommandsTest)
#include "MacroCommandsTest.moc"
