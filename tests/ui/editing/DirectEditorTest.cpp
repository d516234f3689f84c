// SPDX-License-Identifier: GPL-3.0-or-later
// "Modify Hot Key" and "Scripting Wizard" on the offscreen platform: tags inserted at the caret
// within the limit, typed text saved as typed, the keyboard hook off while the editor is open,
// the command dialogs' tags, and the wizard appending through the scripting editor.
#include "core/MacroRecord.h"
#include "editing/WizardTasks.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "ui/editing/CommandDialogs.h"
#include "ui/editing/MacroFieldsPanel.h"
#include "ui/editing/TDoScripting.h"
#include "ui/editing/TDoWizard.h"
#include "ui/editing/TModHotKeys.h"
#include "ui/editing/commands/CommandDialog.h"
#include "ui/editing/commands/KeyPanel.h"
#include "ui/editing/commands/KeystrokeBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <map>

namespace orvane {

class DirectEditorTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void KeysAndTypingGoInAtTheCaretAndUpdateSavesThemAsTyped();
    void InsertionsStopAtTheLimitAndLongerTextIsCut();
    void CommandButtonsInsertTheTagTheirDialogReturns();
    void FieldsShortKeyAndCharactersAMacroCannotHold();
    void EveryAltKeyOfBothWindowsIsItsOwn();
    void WizardTasksAppendAndAskToGoOn();

private:
    static MacroRecord HotKeyMacro(std::string_view text) { return EditorMacro(text, "Letter"); }
    static void Activate(QWidget& window) {
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QString Last() const {
        return sink.Shown.empty() ? QString()
                                  : QString::fromStdString(sink.Shown.back().Caption + ": " +
                                                           sink.Shown.back().Text);
    }

    FakeMessageSink sink;
    std::vector<bool> hook;
    std::deque<bool> answers;
    std::vector<std::string> asked;
    CommandDialogServices services;
};

void DirectEditorTest::init() {
    sink = FakeMessageSink{};
    hook.clear();
    answers.clear();
    asked.clear();
    services = CommandDialogServices{};
    services.Messages = &sink;
    services.KeyboardHook = [this](bool on) { hook.push_back(on); };
    services.Ask = [this](std::string_view, std::string_view text) {
        asked.emplace_back(text);
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    };
}

void DirectEditorTest::KeysAndTypingGoInAtTheCaretAndUpdateSavesThemAsTyped() {
    {
        TModHotKeys editor(HotKeyMacro("ab<Hi>cd"), {.Now = [] { return 45678.5; }}, services);
        QCOMPARE(hook, std::vector<bool>{false});
        Activate(editor);
        QCOMPARE(editor.windowTitle(), QStringLiteral("Modify Hot Key  (GLOBAL)"));
        QCOMPARE(editor.objectName(), QStringLiteral("TModHotKeys"));
        QCOMPARE(editor.property("orvaneHelpSection").toString(), QStringLiteral("direct-editor"));
        QCOMPARE(QApplication::focusWidget(), editor.Fields()->NickName());
        QCOMPARE(editor.Fields()->NickName()->text(), QStringLiteral("Letter"));

        QTest::keyClick(&editor, Qt::Key_X, Qt::AltModifier); // "Macro te&xt"
        QCOMPARE(QApplication::focusWidget(), editor.NewFormat());
        QTextCursor cursor = editor.NewFormat()->textCursor();
        cursor.setPosition(2);
        cursor.setPosition(6, QTextCursor::KeepAnchor); // a selection stays after the insertion
        editor.NewFormat()->setTextCursor(cursor);
        QTest::keyClick(&editor, Qt::Key_B, Qt::AltModifier); // "Ta&b"
        QCOMPARE(editor.NewFormat()->toPlainText(), QStringLiteral("ab<TAB><Hi>cd"));
        QCOMPARE(editor.NewFormat()->textCursor().position(), 7);
        // Typed: a tab, a line break and a non-breaking space, all kept.
        QTest::keyClicks(editor.NewFormat(), QStringLiteral("\t1"));
        QTest::keyClick(editor.NewFormat(), Qt::Key_Return);
        editor.NewFormat()->insertPlainText(QStringLiteral("\u00a0"));
        // Ctrl+Tab leaves the box; a key button still inserts where the caret was.
        QTest::keyClick(editor.NewFormat(), Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(QApplication::focusWidget() != editor.NewFormat());
        editor.Keys()->Miscellaneous()->setCurrentRow(2);
        editor.Keys()->OkButtonClick(); // "Application"
        QCOMPARE(QApplication::focusWidget(), editor.NewFormat());
        QTest::keyClick(&editor, Qt::Key_U, Qt::AltModifier); // "&Update"
        QTRY_COMPARE(editor.result(), int(QDialog::Accepted));
        QVERIFY(editor.Saved());
        QCOMPARE(editor.Record().Text(), std::string("ab<TAB><TAB>1\r\n\xa0<APP><Hi>cd"));
        QCOMPARE(editor.Record().LastModified, 45678.5);
        QCOMPARE(editor.Record().Nickname.View(), std::string_view("Letter"));
        QCOMPARE(hook, (std::vector<bool>{false, true}));
    }
    QCOMPARE(hook, (std::vector<bool>{false, true})); // on once, however it closed

    // Esc in the text box closes without saving; the window manager's close button too.
    const MacroRecord record = HotKeyMacro("keep");
    for (const bool escape : {true, false}) {
        TModHotKeys editor(record, {}, services);
        Activate(editor);
        editor.NewFormat()->setFocus();
        QTest::keyClicks(editor.NewFormat(), QStringLiteral("lost"));
        if (escape) {
            QTest::keyClick(editor.NewFormat(), Qt::Key_Escape);
        } else {
            editor.close();
        }
        QVERIFY(!editor.isVisible());
        QVERIFY(!editor.Saved());
        QCOMPARE(editor.Record().ToBytes(), record.ToBytes());
        QCOMPARE(hook.back(), true);
    }
}

void DirectEditorTest::InsertionsStopAtTheLimitAndLongerTextIsCut() {
    TModHotKeys room(HotKeyMacro(std::string(4996, 'k')), {}, services);
    room.show();
    room.SetIt("<F1>");
    QCOMPARE(room.NewFormat()->Stored().size(), std::size_t{5000});
    room.SetIt("<F1>");
    QCOMPARE(Last(), QStringLiteral("Error: Text exceeds maximum length.  Text not added."));
    QCOMPARE(room.NewFormat()->Stored().size(), std::size_t{5000});
    sink.Shown.clear();
    room.UpdateButtonClick();
    QVERIFY(room.Saved());
    QVERIFY(sink.Shown.empty()); // exactly 5000 characters are saved whole, without a word
    QCOMPARE(room.Record().Text(), std::string(4996, 'k') + "<F1>");

    // A line break counts two characters, as stored.
    TModHotKeys lines(HotKeyMacro(std::string(4995, 'k') + "\r\n"), {}, services);
    lines.show();
    lines.SetIt("<F1>");
    QCOMPARE(Last(), QStringLiteral("Error: Text exceeds maximum length.  Text not added."));

    // Typing is not limited; saving cuts to 5000 and says so.
    TModHotKeys typed(HotKeyMacro(std::string(4999, 'k')), {}, services);
    typed.show();
    typed.NewFormat()->setFocus();
    QTest::keyClicks(typed.NewFormat(), QStringLiteral("\tzz"));
    typed.UpdateButtonClick();
    QCOMPARE(Last(), QStringLiteral("Error: The size of the macro exceeds the 5000 character "
                                    "limit.  The macro will be truncated to 5000 characters."));
    QVERIFY(typed.Saved());
    QCOMPARE(typed.Record().Text(), std::string(4999, 'k') + "<");
}

void DirectEditorTest::CommandButtonsInsertTheTagTheirDialogReturns() {
    TModHotKeys editor(HotKeyMacro("ab"), {}, services);
    Activate(editor);
    editor.NewFormat()->setFocus();
    QTextCursor cursor = editor.NewFormat()->textCursor();
    cursor.setPosition(1);
    editor.NewFormat()->setTextCursor(cursor);

    // Cancelled: nothing goes in. "ACTIVATE" opens on "activate, else launch".
    QString preset;
    QTimer::singleShot(0, [&preset] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        preset = dialog->windowTitle();
        for (auto* radio : dialog->findChildren<QRadioButton*>()) {
            if (radio->isChecked() &&
                radio->text().startsWith(QStringLiteral("Activate &Window"))) {
                preset = radio->text();
            }
        }
        dialog->reject();
    });
    QTest::mouseClick(editor.Button("ActivateButton"), Qt::LeftButton);
    QCOMPARE(preset, QStringLiteral("Activate &Window if Running Otherwise Launch Program and "
                                    "Activate Window"));
    QCOMPARE(editor.NewFormat()->toPlainText(), QStringLiteral("ab"));

    // Through the "&Actions" menu, as the keyboard reaches it: "REMARK" and its tag.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QLineEdit*>(QStringLiteral("Comments"))->setText(QStringLiteral("hi"));
        dialog->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    QAction* remark = nullptr;
    for (QAction* menu : editor.findChild<QMenuBar*>()->actions()) {
        if (menu->text() == QStringLiteral("&Actions")) {
            for (QAction* entry : menu->menu()->actions()) {
                if (entry->text() == QStringLiteral("REMARK")) {
                    remark = entry;
                }
            }
        }
    }
    QVERIFY(remark);
    remark->trigger();
    QCOMPARE(editor.NewFormat()->toPlainText(), QStringLiteral("a<REM:hi>b"));
    QCOMPARE(editor.NewFormat()->textCursor().position(), 9);
    QCOMPARE(hook, std::vector<bool>{false}); // the dialogs leave the hook alone
}

void DirectEditorTest::FieldsShortKeyAndCharactersAMacroCannotHold() {
    MacroRecord shortKey = HotKeyMacro("sig");
    shortKey.HotKey = HotKeyShortKey;
    shortKey.ShortKey.Assign("sg");
    shortKey.Scope = ScopeSpecificProgram;
    shortKey.ScopeTarget.Assign("GEDIT");
    TModHotKeys editor(shortKey, {.Kind = ActivationKind::ShortKey}, services);
    Activate(editor);
    QCOMPARE(editor.windowTitle(), QStringLiteral("Modify Hot Key  (Program: GEDIT)"));
    QVERIFY(editor.Fields()->ShortKeyName()->isVisible());
    editor.Fields()->ShortKeyName()->setText(QStringLiteral("a b"));
    editor.UpdateButtonClick();
    QVERIFY(!editor.Saved());
    QVERIFY(Last().startsWith(QStringLiteral("Error: The ShortKey name has invalid")));
    QCOMPARE(QApplication::focusWidget(), editor.Fields()->ShortKeyName());
    editor.Fields()->ShortKeyName()->setText(QStringLiteral("ab"));
    editor.Fields()->Specific()->click();
    QCOMPARE(editor.windowTitle(), QStringLiteral("Modify Hot Key  (Window Title: GEDIT)"));

    // A character the macro file cannot hold is named; No goes back to it, Yes saves "?".
    editor.NewFormat()->setFocus();
    editor.NewFormat()->insertPlainText(QStringLiteral(" \u2713!"));
    editor.UpdateButtonClick();
    QVERIFY(!editor.Saved());
    QCOMPARE(asked.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(asked[0]).contains(QStringLiteral("\u2713")));
    QCOMPARE(editor.NewFormat()->textCursor().selectedText(), QStringLiteral("\u2713"));
    answers = {true};
    editor.UpdateButtonClick();
    QVERIFY(editor.Saved());
    QCOMPARE(editor.Record().Text(), std::string("sig ?!"));
    QCOMPARE(editor.Record().ShortKey.View(), std::string_view("ab"));
    QCOMPARE(editor.Record().Scope, ScopeSpecificWindow);

    // A new macro: empty, Global unless forbidden, the program's icon.
    TModHotKeys added(HotKeyMacro("ignored"),
                      {.NewMacro = true, .GlobalForbidden = true, .HotKeyName = "Ctrl+Q"},
                      services);
    added.show();
    QVERIFY(added.NewFormat()->toPlainText().isEmpty());
    QVERIFY(added.Fields()->NickName()->text().isEmpty());
    QVERIFY(added.Fields()->Specific()->isChecked());
    QVERIFY(!added.Fields()->Global()->isEnabled());
    QCOMPARE(added.findChild<QLabel*>(QStringLiteral("HotKeyLabel"))->text(),
             QStringLiteral("Ctrl+Q"));
    QTest::keyClicks(added.NewFormat(), QStringLiteral("new"));
    added.UpdateButtonClick();
    QCOMPARE(added.Record().Text(), std::string("new"));
    QCOMPARE(added.Record().Icon.View(), std::string_view("MAIN"));
    QCOMPARE(added.Record().Active, std::uint8_t{1});
}

void DirectEditorTest::EveryAltKeyOfBothWindowsIsItsOwn() {
    // Two controls on one Alt key reach neither at the first press: every mnemonic of a window
    // (its buttons, its labels, its menu titles) must be unique there.
    const auto mnemonics = [](QWidget& window) {
        std::map<QChar, QStringList> owners;
        const auto add = [&owners](const QString& text) {
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            if (at >= 0 && at + 1 < text.size() && text[at + 1] != QLatin1Char('&')) {
                owners[text[at + 1].toLower()] << text;
            }
        };
        for (auto* button : window.findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(&window)) {
                add(button->text());
            }
        }
        for (auto* label : window.findChildren<QLabel*>()) {
            if (label->isVisibleTo(&window) && label->buddy() != nullptr) {
                add(label->text());
            }
        }
        if (auto* bar = window.findChild<QMenuBar*>()) {
            for (QAction* menu : bar->actions()) {
                add(menu->text());
            }
        }
        QStringList clashes;
        for (const auto& [letter, texts] : owners) {
            if (texts.size() > 1) {
                clashes << texts.join(QStringLiteral(" / "));
            }
        }
        return clashes;
    };
    for (const ActivationKind kind :
         {ActivationKind::HotKey, ActivationKind::Timed, ActivationKind::ShortKey}) {
        TModHotKeys editor(HotKeyMacro("x"), {.Kind = kind}, services);
        editor.show();
        QCOMPARE(mnemonics(editor), QStringList{});
    }
    CommandDialogs dialogs;
    TDoScripting scripting(HotKeyMacro("x"), {}, dialogs, sink);
    TDoWizard wizard(scripting, sink, [] {});
    wizard.show();
    QCOMPARE(mnemonics(wizard), QStringList{});
    QCOMPARE(wizard.findChildren<QPushButton*>().size(), 18);
}

void DirectEditorTest::WizardTasksAppendAndAskToGoOn() {
    CommandDialogs dialogs;
    std::vector<CommandCode> opened;
    bool cancel = false;
    for (const WizardTask& task : WizardTasks) {
        dialogs.Register(task.Code,
                         [&, code = task.Code](const CommandRecord*,
                                               QWidget* parent) -> std::optional<MadeCommand> {
                             opened.push_back(code);
                             if (cancel || parent == nullptr ||
                                 parent->objectName() != QStringLiteral("TDoWizard")) {
                                 return std::nullopt;
                             }
                             if (code == CommandCode::RepeatStart) {
                                 return MadeCommand{code, RepeatRecord{1, 3}};
                             }
                             return MadeCommand{CommandCode::Remark, NameRecord{"note"}};
                         });
    }
    TDoScripting editor(HotKeyMacro("a<BEEP>b"), {}, dialogs, sink);
    Activate(editor);
    editor.Script()->setCurrentRow(1); // a line in the middle is selected

    // Alt+Z opens the wizard over the editor.
    QTimer::singleShot(0, [] {
        QWidget* wizard = QApplication::activeModalWidget();
        QVERIFY(wizard);
        const auto leave = qScopeGuard([wizard] { wizard->close(); }); // whatever fails below
        QApplication::setActiveWindow(wizard);
        QVERIFY(QTest::qWaitForWindowActive(wizard));
        QCOMPARE(wizard->objectName(), QStringLiteral("TDoWizard"));
        QCOMPARE(wizard->windowTitle(), QStringLiteral("Scripting Wizard"));
        QCOMPARE(wizard->property("orvaneHelpSection").toString(),
                 QStringLiteral("scripting-wizard"));
        QTest::keyClick(wizard, Qt::Key_X, Qt::AltModifier); // "E&xit"
        QVERIFY(!wizard->isVisible());
    });
    QTest::keyClick(&editor, Qt::Key_Z, Qt::AltModifier);
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    TDoWizard wizard(editor, sink, {});
    Activate(wizard);
    sink.Answers = {true, false};
    QTest::keyClick(&wizard, Qt::Key_L, Qt::AltModifier); // "Repeat &Loop", then Yes: go on
    QVERIFY(wizard.isVisible());
    QCOMPARE(editor.Script()->count(), 4);
    QCOMPARE(editor.Script()->item(3)->text(), QStringLiteral("Repeat Start: 3"));
    QCOMPARE(editor.Script()->currentRow(), 3);

    cancel = true; // a cancelled dialog: no question, the wizard stays
    QTest::keyClick(&wizard, Qt::Key_N, Qt::AltModifier); // "E&nter a Comment or Remark"
    QVERIFY(wizard.isVisible());
    QCOMPARE(sink.Asked.size(), std::size_t{1});
    QCOMPARE(sink.Asked[0], (FakeMessageSink::Message{"Added", std::string(WizardAddedText)}));

    cancel = false;
    QTest::keyClick(&wizard, Qt::Key_C, Qt::AltModifier); // "&Clipboard ...", then No: done
    QVERIFY(!wizard.isVisible());
    QCOMPARE(opened, (std::vector<CommandCode>{CommandCode::RepeatStart, CommandCode::Remark,
                                               CommandCode::ClipboardFileCopy}));
    // Every Alt key of the table runs its own task.
    for (const WizardTask& task : WizardTasks) {
        const qsizetype at =
            QString::fromLatin1(task.Caption.data(), static_cast<qsizetype>(task.Caption.size()))
                .indexOf(QLatin1Char('&'));
        TDoWizard again(editor, sink, {});
        Activate(again);
        opened.clear();
        cancel = true;
        QTest::keyClick(&again, task.Caption[static_cast<std::size_t>(at + 1)], Qt::AltModifier);
        QCOMPARE(opened, std::vector<CommandCode>{task.Code});
    }
    editor.OkButtonClick();
    QCOMPARE(editor.Record().Text(), std::string("a<BEEP>b<REPEAT:0003><REM:note>"));
}

} // namespace orvane

QTEST_MAIN(orvane::DirectEditorTest)
#include "DirectEditorTest.moc"
