// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MacroRecord.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "ui/editing/CommandDialogs.h"
#include "ui/editing/TDoScripting.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace orvane {

class ScriptingEditorTest : public QObject {
    Q_OBJECT
private slots:
    void LoadMoveCopyDeleteAndOkWriteTheRecord();
    void TheKeyboardAloneEditsTheScript();
    void LineButtonsFollowAClickedLine();
    void CancelChangesNothing();
    void RefusalsAndCommandsWithoutADialog();
    void CommandDialogsPlugIn();
    void ActivationPanelScopeAndCaption();

private:
    static MacroRecord HotKeyMacro(std::string_view text) { return EditorMacro(text, "Greeting"); }
    static QStringList Shown(const QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) {
            texts << list->item(i)->text();
        }
        return texts;
    }
    static void SelectCommand(TDoScripting& editor, const QString& name) {
        const auto found = editor.OptionBox()->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        editor.OptionBox()->setCurrentItem(found.front());
    }
    static QString Last(const FakeMessageSink& sink) {
        return sink.Shown.empty() ? QString()
                                  : QString::fromStdString(sink.Shown.back().Caption + ": " +
                                                           sink.Shown.back().Text);
    }
};

void ScriptingEditorTest::LoadMoveCopyDeleteAndOkWriteTheRecord() {
    FakeMessageSink sink;
    CommandDialogs dialogs;
    const MacroRecord record = HotKeyMacro("Hello<ENTER><REPEAT:0003>x<I><ENDREP><DELAY:00.20>!");
    TDoScripting editor(record, {.Now = [] { return 45678.5; }}, dialogs, sink);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QCOMPARE(editor.windowTitle(), QStringLiteral("Macro Scripting Editor  (GLOBAL)"));
    QCOMPARE(
        Shown(editor.Script()),
        (QStringList{QStringLiteral("Text: Hello<ENTER>"), QStringLiteral("Repeat Start: 3"),
                     QStringLiteral("   Text: x"), QStringLiteral("   Repeat Counter: Width 1"),
                     QStringLiteral("Repeat End"), QStringLiteral("Delay 0.20 Seconds"),
                     QStringLiteral("Text: !")}));
    QCOMPARE(editor.OptionBox()->count(), 50);
    QCOMPARE(editor.OptionBox()->item(0)->text(), QStringLiteral("Activate Window"));
    QVERIFY(!editor.Button("DoUp")->isEnabled());

    for (int row = 1; row <= 4; ++row) {
        editor.Script()->setCurrentRow(row);
        QVERIFY(editor.Button("DoUp")->isEnabled());
        QTest::mouseClick(editor.Button("DoUp"), Qt::LeftButton);
        QCOMPARE(editor.Script()->currentRow(), row - 1);
    }
    editor.Script()->setCurrentRow(6);
    QVERIFY(!editor.Button("DoDown")->isEnabled());
    QTest::mouseClick(editor.Button("DoCopy"), Qt::LeftButton);
    QCOMPARE(editor.Script()->currentRow(), 7);
    editor.Script()->setCurrentRow(5);
    QCOMPARE(editor.Script()->currentItem()->text(), QStringLiteral("Delay 0.20 Seconds"));
    QVERIFY(!editor.Button("DoEdit")->isEnabled()); // no delay dialog yet
    QTest::mouseClick(editor.Button("DoDelete"), Qt::LeftButton);
    QCOMPARE(editor.Script()->currentRow(), 5);
    QCOMPARE(editor.Script()->item(1)->text(), QStringLiteral("   Text: x"));

    QTest::mouseClick(editor.Button("OkButton"), Qt::LeftButton);
    QVERIFY(editor.Saved());
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(editor.Record().Text(), std::string("<REPEAT:0003>x<I><ENDREP>Hello<ENTER>!!"));
    QCOMPARE(editor.Record().Nickname.View(), std::string_view("Greeting"));
    QCOMPARE(editor.Record().LastModified, 45678.5);
    QCOMPARE(editor.Record().HotKey, std::uint16_t{262});
    QVERIFY(sink.Shown.empty());
}

void ScriptingEditorTest::TheKeyboardAloneEditsTheScript() {
    FakeMessageSink sink;
    CommandDialogs dialogs;
    TDoScripting editor(HotKeyMacro("a<DELAY:01.00>b"), {}, dialogs, sink);
    editor.show();
    QApplication::setActiveWindow(&editor);
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QCOMPARE(QApplication::focusWidget(), editor.NickName());

    QTest::keyClick(&editor, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), editor.Script());
    QTest::keyClick(editor.Script(), Qt::Key_End);
    QCOMPARE(editor.Script()->currentRow(), 2);
    QVERIFY(editor.Button("DoUp")->isEnabled());
    // A mnemonic clicks at once and the focus stays in the list.
    QTest::keyClick(editor.Script(), Qt::Key_U, Qt::AltModifier);
    QCOMPARE(editor.Script()->currentRow(), 1);
    QCOMPARE(QApplication::focusWidget(), editor.Script());
    QTest::keyClick(editor.Script(), Qt::Key_Down);
    QCOMPARE(editor.Script()->currentRow(), 2);
    QTest::keyClick(editor.Script(), Qt::Key_U, Qt::AltModifier);
    QCOMPARE(editor.Script()->currentRow(), 1);

    // A command without values goes straight in from the command list.
    QTest::keyClick(&editor, Qt::Key_M, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), editor.OptionBox());
    SelectCommand(editor, QStringLiteral("Sound Beep"));
    QTest::keyClick(&editor, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(editor.Script()->count(), 4);
    QCOMPARE(editor.Script()->currentItem()->text(), QStringLiteral("Sound Beep"));

    QTest::keyClick(&editor, Qt::Key_O, Qt::AltModifier);
    QVERIFY(editor.Saved());
    QCOMPARE(editor.Record().Text(), std::string("a<DELAY:01.00>b<BEEP>"));
}

// The mouse makes a line current before it selects it; the buttons follow what the list shows
// selected, as the user sees it: a clicked line, and a line clicked off again with Ctrl.
void ScriptingEditorTest::LineButtonsFollowAClickedLine() {
    FakeMessageSink sink;
    CommandDialogs dialogs;
    TDoScripting editor(HotKeyMacro("a<DELAY:00.20>b"), {}, dialogs, sink);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QListWidget* script = editor.Script();
    const auto click = [script](int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(script->viewport(), Qt::LeftButton, modifiers,
                          script->visualItemRect(script->item(row)).center());
    };
    const auto enabled = [&editor] {
        QString shown;
        for (const char* name : {"DoUp", "DoDown", "DoCopy", "DoDelete"}) {
            shown += editor.Button(name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        }
        return shown;
    };
    QCOMPARE(enabled(), QStringLiteral("0000"));
    const struct {
        int Row;
        const char* Enabled; // Up, Down, Copy, Delete
    } clicks[] = {{1, "1111"}, {0, "0111"}, {2, "1011"}, {1, "1111"}};
    for (const auto& c : clicks) {
        click(c.Row);
        QCOMPARE(script->currentRow(), c.Row);
        QCOMPARE(enabled(), QString::fromLatin1(c.Enabled));
    }
    click(1, Qt::ControlModifier);
    QVERIFY(!script->item(1)->isSelected());
    QCOMPARE(enabled(), QStringLiteral("0000"));
    // What a click enabled works: "&Up" after a click moves the clicked line.
    click(2);
    QTest::mouseClick(editor.Button("DoUp"), Qt::LeftButton);
    QCOMPARE(Shown(script), (QStringList{QStringLiteral("Text: a"), QStringLiteral("Text: b"),
                                         QStringLiteral("Delay 0.20 Seconds")}));
    QVERIFY(sink.Shown.empty());
}

void ScriptingEditorTest::CancelChangesNothing() {
    FakeMessageSink sink;
    CommandDialogs dialogs;
    const MacroRecord record = HotKeyMacro("one<TAB>two<MSD:0100>");
    TDoScripting editor(record, {}, dialogs, sink);
    editor.show();
    editor.NickName()->setText(QStringLiteral("changed"));
    editor.Script()->setCurrentRow(0);
    QTest::mouseClick(editor.Button("DoDelete"), Qt::LeftButton);
    editor.Specific()->click();
    QTest::mouseClick(editor.Button("CancelButton"), Qt::LeftButton);
    QVERIFY(!editor.Saved());
    QCOMPARE(editor.Record().ToBytes(), record.ToBytes());
}

void ScriptingEditorTest::RefusalsAndCommandsWithoutADialog() {
    FakeMessageSink sink;
    CommandDialogs dialogs;
    TDoScripting editor(HotKeyMacro("x"), {}, dialogs, sink);
    editor.show();
    editor.OptionBox()->setCurrentRow(-1);
    editor.OptionBox()->clearSelection();
    QTest::mouseClick(editor.Button("AddButton"), Qt::LeftButton);
    QCOMPARE(Last(sink), QStringLiteral("Error: No command selected.  Please select one."));
    editor.Script()->setCurrentRow(-1);
    QVERIFY(!editor.Button("DoCopy")->isEnabled());
    editor.DoCopyClick();
    QCOMPARE(Last(sink), QStringLiteral("Error: No script line selected.  Please select one."));
    editor.DoEditClick();
    QCOMPARE(Last(sink), QStringLiteral("Error: No Item Selected."));
    editor.DoDeleteClick();
    QCOMPARE(Last(sink), QStringLiteral("Error: No script line selected.  Please select one."));

    // A command whose dialog this editor was not given adds nothing (the program registers a
    // dialog for every command).
    SelectCommand(editor, QStringLiteral("Delay"));
    const std::size_t shown = sink.Shown.size();
    QTest::mouseClick(editor.Button("InsertAfter"), Qt::LeftButton);
    QCOMPARE(sink.Shown.size(), shown);
    QCOMPARE(editor.Script()->count(), 1);

    // "&Insert" with nothing selected puts the line after the first one, "I&nsert" above.
    SelectCommand(editor, QStringLiteral("Repeat End"));
    QTest::mouseClick(editor.Button("InsertAfter"), Qt::LeftButton);
    SelectCommand(editor, QStringLiteral("Clipboard Paste"));
    QTest::mouseClick(editor.Button("InsertBefore"), Qt::LeftButton);
    QCOMPARE(Shown(editor.Script()),
             (QStringList{QStringLiteral("Text: x"), QStringLiteral("Clipboard Paste"),
                          QStringLiteral("Repeat End")}));
    QCOMPARE(editor.Script()->currentRow(), 1);

    // Over 5000 characters: said, and cut.
    TDoScripting full(HotKeyMacro(std::string(4996, 'y') + "<II>"), {}, dialogs, sink);
    full.show();
    full.Script()->setCurrentRow(1);
    full.DoCopyClick();
    full.OkButtonClick();
    QVERIFY(Last(sink).startsWith(QStringLiteral("Error: The size of the macro exceeds")));
    QVERIFY(full.Saved());
    QCOMPARE(full.Record().Text(), std::string(4996, 'y') + "<II>");
}

void ScriptingEditorTest::CommandDialogsPlugIn() {
    FakeMessageSink sink;
    CommandDialogs dialogs;
    int opened = 0;
    dialogs.Register(
        CommandCode::Remark,
        [&opened](const CommandRecord* current, QWidget*) -> std::optional<MadeCommand> {
            ++opened;
            if (current == nullptr) {
                return MadeCommand{CommandCode::Remark, NameRecord{"new note"}};
            }
            return MadeCommand{CommandCode::Remark,
                               NameRecord{std::get<NameRecord>(*current).Name + " edited"}};
        });
    TDoScripting editor(HotKeyMacro("<REM:old>"), {}, dialogs, sink);
    editor.show();
    editor.Script()->setCurrentRow(0);
    QVERIFY(editor.Button("DoEdit")->isEnabled());
    emit editor.Script()->itemActivated(editor.Script()->item(0)); // a double click
    QCOMPARE(editor.Script()->item(0)->text(), QStringLiteral("Remark: old edited"));
    QCOMPARE(editor.Script()->currentRow(), 0);
    SelectCommand(editor, QStringLiteral("Remark"));
    QTest::mouseClick(editor.Button("InsertBefore"), Qt::LeftButton);
    QCOMPARE(opened, 2);
    editor.OkButtonClick();
    QCOMPARE(editor.Record().Text(), std::string("<REM:new note><REM:old edited>"));
}

void ScriptingEditorTest::ActivationPanelScopeAndCaption() {
    FakeMessageSink sink;
    CommandDialogs dialogs;
    MacroRecord record = HotKeyMacro("s");
    record.HotKey = HotKeyShortKey;
    record.ShortKey.Assign("sig");
    record.ScopeTarget.Assign("GEDIT");
    record.Scope = ScopeSpecificProgram;
    TDoScripting editor(record, {.Kind = ActivationKind::ShortKey}, dialogs, sink);
    editor.show();
    QApplication::setActiveWindow(&editor);
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QCOMPARE(editor.windowTitle(), QStringLiteral("Macro Scripting Editor  (Program: GEDIT)"));
    QVERIFY(editor.ProgExe()->isChecked());
    QVERIFY(editor.ShortKeyName()->isVisible());
    QCOMPARE(editor.ShortKeyName()->text(), QStringLiteral("sig"));
    QVERIFY(!editor.Button("SetSchedule")->isVisible());
    editor.ShortKeyName()->setText(QStringLiteral("ab cd"));
    editor.OkButtonClick();
    QVERIFY(!editor.Saved());
    QVERIFY(Last(sink).startsWith(QStringLiteral("Error: The ShortKey name has invalid")));
    QCOMPARE(QApplication::focusWidget(), editor.ShortKeyName());
    editor.Specific()->click();
    QCOMPARE(editor.windowTitle(), QStringLiteral("Macro Scripting Editor  (Window Title: GEDIT)"));
    editor.Global()->click();
    QVERIFY(!editor.Button("ChooseWinProg")->isEnabled());
    editor.ShortKeyName()->setText(QStringLiteral(" a-b_c "));
    editor.OkButtonClick();
    QVERIFY(editor.Saved());
    QCOMPARE(editor.Record().ShortKey.View(), std::string_view("a-b_c"));
    QCOMPARE(editor.Record().Scope, ScopeGlobal);

    // Global forbidden: Window instead; a new timed macro gets the defaults and the schedule.
    TDoScripting timed(HotKeyMacro("old"),
                       {.Kind = ActivationKind::Timed, .NewMacro = true, .GlobalForbidden = true},
                       dialogs, sink);
    timed.show();
    QVERIFY(!timed.Global()->isEnabled());
    QVERIFY(timed.Specific()->isChecked());
    QVERIFY(timed.Button("SetSchedule")->isVisible());
    QCOMPARE(timed.Script()->count(), 0);
    QCOMPARE(timed.NickName()->text(), QString());
    timed.OkButtonClick();
    QCOMPARE(timed.Record().Active, std::uint8_t{1});
    QCOMPARE(timed.Record().TopMostOnly, std::uint8_t{1});
    QCOMPARE(timed.Record().Icon.View(), std::string_view("MAIN"));
    QCOMPARE(timed.Record().Text(), std::string());
}

} // namespace orvane

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::ScriptingEditorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScriptingEditorTest.moc"
