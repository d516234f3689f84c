// SPDX-License-Identifier: GPL-3.0-or-later
// The command dialogs on the offscreen platform: each shows its message for a bad value with
// the focus on the field, and builds its tag for a good one; an edited line reopens filled in;
// "Enter Keystrokes" inserts keys at the caret with the keyboard hook off while it is open.
#include "ui/editing/CommandDialogs.h"
#include "core/SettingsBlock.h"
#include "editing/commands/MouseForm.h"
#include "platform/fake/FakeDesktopServices.h"
#include "platform/fake/FakeMessageSink.h"
#include "platform/fake/FakeWindowSystem.h"
#include "ui/editing/commands/CommandDialogRegistry.h"
#include "ui/editing/commands/KeyPanel.h"
#include "ui/editing/commands/KeystrokeBox.h"
#include "ui/editing/commands/NameDialogs.h"
#include "ui/editing/commands/TDoMouse.h"
#include "ui/editing/commands/TDoSound.h"
#include "ui/editing/commands/TDoSpecWind.h"
#include "ui/editing/commands/TModText.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <set>

namespace orvane {
namespace {

class KnownPaths final : public PathChecks {
public:
    bool FileExists(std::string_view path) const override { return Files.contains(Trimmed(path)); }
    bool FolderExists(std::string_view path) const override { return Trimmed(path) == "/tmp"; }
    bool ProgramExists(std::string_view path) const override {
        return Trimmed(path) == "gedit" || FileExists(path);
    }
    std::set<std::string, std::less<>> Files{"/tmp/ding.wav", "/tmp/notes.txt", "/tmp/w.ORV"};
};

// Sets a field by its name: a box's text, a radio button checked ("*"), a check box ("+"/"-").
void Set(QWidget* dialog, const QString& field, const QString& value) {
    QWidget* widget = dialog->findChild<QWidget*>(field);
    QVERIFY2(widget != nullptr, qPrintable(field));
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(value);
    } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        radio->click();
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        box->setChecked(value == QStringLiteral("+"));
    } else if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
        tree->setCurrentItem(tree->topLevelItem(value.toInt() - 1));
    }
}

using Fields = std::vector<std::pair<QString, QString>>;

} // namespace

class CommandDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void EachDialogRefusesABadValueAndBuildsItsTag_data();
    void EachDialogRefusesABadValueAndBuildsItsTag();
    void AnEditedLineReopensItsDialogFilledIn();
    void EnterKeystrokesInsertsAtTheCaretWithTheHookOff();
    void SetProgramListsProgramsWithWindowsFirstAndOffersTheHighlightedOne();
    void PickFillsThePlaceInTheWindowUnderIt();
    void PickKeepsTheDialogsBelowRunning();
    void SoundTestPlaysAndAMissingTextFileCanBeKept();
    void TheScriptingEditorAddsThroughTheDialogs();

private:
    FakeMessageSink sink;
    KnownPaths paths;
    FakeSound sound;
    FakeWindowSystem windows;
    FakeProcesses processes;
    SettingsBlock settings;
    std::vector<bool> hook;
    bool answer = true;
    CommandDialogServices services;
};

void CommandDialogsTest::init() {
    sink.Shown.clear();
    hook.clear();
    settings = SettingsBlock{};
    services = CommandDialogServices{};
    services.Messages = &sink;
    services.Settings = &settings;
    services.Paths = &paths;
    services.Sounds = &sound;
    services.Windows = &windows;
    services.Running = &processes;
    services.KeyboardHook = [this](bool on) { hook.push_back(on); };
    services.Ask = [this](std::string_view, std::string_view) { return answer; };
}

void CommandDialogsTest::EachDialogRefusesABadValueAndBuildsItsTag_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<Fields>("bad");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<Fields>("good");
    QTest::addColumn<QString>("tag");
    using C = CommandCode;
    const auto row = [](const char* name, C code, Fields bad, const char* message,
                        const char* focus, Fields good, const char* tag) {
        QTest::newRow(name) << static_cast<int>(code) << bad << QString::fromLatin1(message)
                            << QString::fromLatin1(focus) << good << QString::fromLatin1(tag);
    };
    const auto F = [](std::initializer_list<std::pair<const char*, const char*>> fields) {
        Fields out;
        for (const auto& [name, value] : fields) {
            out.emplace_back(QString::fromLatin1(name), QString::fromLatin1(value));
        }
        return out;
    };
    row("delay", C::Delay, F({{"Seconds", "60.5"}}),
        "Value must be greater than zero and no larger than 60.", "Seconds",
        F({{"Seconds", "1.5"}}), "<DELAY:01.50>");
    row("delay ms", C::Delay, F({{"DelMilli", "*"}, {"Seconds", "10000"}}),
        "Value must be less than 9999.", "Seconds", F({{"Seconds", "9999"}}), "<MSD:9999>");
    row("pause", C::Pause, F({{"ComplexPause", "*"}, {"TopCoord", "x"}}),
        "Invalid Top Window Coordinate entered.  Please correct.", "TopCoord",
        F({{"TopCoord", "10"}, {"LeftCoord", "20"}, {"PauseMessage", "Hello"}}),
        "<PAUSE:010,020Hello>");
    row("repeat", C::RepeatStart, F({{"Count", "0"}}), "Value must be greater than zero.", "Count",
        F({{"Count", "3"}}), "<REPEAT:0003>");
    row("counter", C::RepeatCounter, F({{"Count", "5"}}), "Width must be between 1 and 4.", "Count",
        F({{"Count", "2"}}), "<II>");
    row("speed", C::MacroPlaybackSpeed, F({{"Count", "-1"}}), "Value must be zero or greater.",
        "Count", F({{"Count", "0.5"}}), "<SPEED:00.50>");
    row("activate", C::ActivateWindow, F({{"WinTitle", " "}}),
        "No entry made for Window Title.  Please correct.", "WinTitle", F({{"WinTitle", "Notes"}}),
        "<ACTIVATE:Notes>");
    row("launch", C::LaunchProgram, F({{"ProgPath", "/no/such"}}),
        "Specified Path and Program does not exist.  Please correct.", "ProgPath",
        F({{"ProgPath", "gedit"}, {"Params", "a b"}}), "<LAUNCH:gedit<PARAM>a b>");
    row("launch and activate", C::LaunchAndActivate,
        F({{"WinTitle", "N"}, {"ProgPath", "gedit"}, {"DelaySecs", "-5"}}),
        "Value must be greater than zero.", "DelaySecs", F({{"DelaySecs", "5"}}),
        "<LAUNCHNO:05N<LAUNCH:gedit>");
    row("sound", C::SoundWaveFile, F({{"ProgPath", "/tmp/gone.wav"}}),
        "Specified WAV File does not exist.  Please correct.", "ProgPath",
        F({{"ProgPath", "/tmp/ding.wav"}, {"WaitFor", "-"}}), "<WAV2:/tmp/ding.wav>");
    row("swap", C::LoadNewMacroFile, F({{"ProgPath", "/tmp/x.ORV"}}),
        "Specified Macro File does not exist.  Please correct.", "ProgPath",
        F({{"ProgPath", "/tmp/w.ORV"}}), "<SWAP:/tmp/w.ORV>");
    row("remark", C::Remark, F({{"Comments", "a>b"}}),
        "The character \">\" cannot be used here.  Please correct.", "Comments",
        F({{"Comments", "note"}}), "<REM:note>");
    row("web", C::WebSite, F({{"ProgPath", "x>"}}),
        "The character \">\" cannot be used here.  Please correct.", "ProgPath",
        F({{"ProgPath", "www.example.org"}}), "<HTTP:http://www.example.org>");
    row("size", C::ResizeWindow, F({{"TheWidth", "9"}, {"TheHeight", "30"}}),
        "Invalid width specified.  Width must be 10 or greater.  Please correct.", "TheWidth",
        F({{"TheWidth", "640"}}), "<WSIZE:0640,0030\"CURRENT\">");
    row("position", C::RepositionWindow,
        F({{"SpecificWin", "*"}, {"WinTitle", ""}, {"TheWidth", "0"}, {"TheHeight", "0"}}),
        "No Window title specified.  Please correct", "WinTitle", F({{"WinTitle", "Notes"}}),
        "<WPOS:0000,0000Notes>");
    row("system", C::CloseWindow, F({{"SpecificWin", "*"}, {"WinTitle", " "}}),
        "No Window title specified.  Please correct", "WinTitle",
        F({{"DoHide", "*"}, {"CurrentWin", "*"}}), "<WHIDE:\"CURRENT\">");
    row("mouse", C::MouseMove, F({{"XPos", "30001"}}),
        "Invalid X Position specified.  Please correct.", "XPos",
        F({{"XPos", "30000"}, {"YPos", "7"}, {"ToScreen", "*"}}), "<MMS:30000,00007>");
    row("wheel", C::MouseWheel, F({{"NumClicks", "0"}}),
        "Invalid number of wheel clicks specified.  Please correct.", "NumClicks",
        F({{"NumClicks", "2"}}), "<WFW:002>");
    row("clipboard", C::ClipboardFileCopy, F({{"ProgPath", "/tmp/none.txt"}}),
        "Specified Text File does not exist.  Please correct.", "ProgPath",
        F({{"ProgPath", "/tmp/notes.txt"}}), "<CLIPF:/tmp/notes.txt>");
    row("files", C::CopyFile, F({{"ProgPath", "/tmp/notes.txt"}, {"NewName", ""}}),
        "No new name specified.  Please correct.", "NewName", F({{"NewName", "/tmp/n2.txt"}}),
        "<COPYFILE:/tmp/notes.txt;/tmp/n2.txt>");
    row("folder", C::ChangeDirectory, F({{"ProgPath", "/nowhere"}}),
        "Specified directory/folder does not exist.  Please correct.", "ProgPath",
        F({{"ProgPath", "/tmp/"}}), "<CHDIR:/tmp>");
    row("date", C::Date, F({{"Days", "-1"}}), "Invalid number of days specified.  Please correct.",
        "Days", F({{"TheFormat", "1"}, {"Days", "1"}, {"Past", "*"}, {"Suppress", "+"}}),
        "<MM/DD/YY{NP001}>");
    row("keys", C::AltKey, Fields{}, "", "", F({{"AltUp", "*"}}), "<ALTU>");
}

void CommandDialogsTest::EachDialogRefusesABadValueAndBuildsItsTag() {
    QFETCH(int, code);
    QFETCH(Fields, bad);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(Fields, good);
    QFETCH(QString, tag);
    const std::unique_ptr<QDialog> dialog =
        MakeCommandDialog(static_cast<CommandCode>(code), nullptr, services, nullptr);
    QVERIFY(dialog);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    auto* command = qobject_cast<CommandDialog*>(dialog.get());
    QVERIFY(command);
    // Every field can be reached from the keyboard and is named for screen readers.
    for (QWidget* field : dialog->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(field) != nullptr) {
            QVERIFY2(!field->accessibleName().isEmpty(), qPrintable(field->objectName()));
        }
    }
    if (!message.isEmpty()) {
        for (const auto& [field, value] : bad) {
            Set(dialog.get(), field, value);
        }
        command->OkButton()->click();
        QVERIFY(dialog->isVisible());
        QCOMPARE(sink.Shown.size(), std::size_t{1});
        QCOMPARE(sink.Shown.back().Caption, std::string("Error"));
        QCOMPARE(QString::fromStdString(sink.Shown.back().Text), message);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }
    for (const auto& [field, value] : good) {
        Set(dialog.get(), field, value);
    }
    command->OkButton()->click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdString(command->ResultTag()), tag);
    QVERIFY(command->Result().has_value());
}

void CommandDialogsTest::AnEditedLineReopensItsDialogFilledIn() {
    const std::string tags[] = {"<LAUNCHYES:07Notes<LAUNCH:gedit<PARAM>-s>",
                                "<MMW:00012,00034>",
                                "<PAUSE:010,020Hello>",
                                "<Mmm DD, YYYY{NP012}>",
                                "<hh:mm{Y}>",
                                "<RENFILE:/tmp/notes.txt;n.txt>",
                                "<WAV2:/tmp/ding.wav>",
                                "<SPMSE:0250>",
                                "<I>",
                                "<WSHUT:Notes>"};
    for (const std::string& tag : tags) {
        const std::optional<MadeCommand> line = CommandOfTag(tag);
        QVERIFY(line);
        const std::unique_ptr<QDialog> dialog =
            MakeCommandDialog(line->Code, &line->Record, services, nullptr);
        auto* command = qobject_cast<CommandDialog*>(dialog.get());
        QVERIFY(command);
        command->OkButton()->click();
        QCOMPARE(command->ResultTag(), tag);
        QCOMPARE(command->Result(), line);
    }
    QVERIFY(sink.Shown.empty());
}

void CommandDialogsTest::EnterKeystrokesInsertsAtTheCaretWithTheHookOff() {
    {
        TModText editor(services, "ab\r\ncd");
        QCOMPARE(hook, std::vector<bool>{false});
        editor.show();
        QApplication::setActiveWindow(&editor);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QCOMPARE(editor.windowTitle(), QStringLiteral("Enter Keystrokes"));
        QCOMPARE(QApplication::focusWidget(), editor.NewFormat());
        QCOMPARE(editor.NewFormat()->toPlainText(), QStringLiteral("ab\ncd"));
        QTextCursor cursor = editor.NewFormat()->textCursor();
        cursor.setPosition(1);
        cursor.setPosition(2, QTextCursor::KeepAnchor); // a selection stays after the insertion
        editor.NewFormat()->setTextCursor(cursor);
        QTest::keyClick(&editor, Qt::Key_B, Qt::AltModifier); // "Ta&b"
        QCOMPARE(editor.NewFormat()->toPlainText(), QStringLiteral("a<TAB>b\ncd"));
        QCOMPARE(editor.NewFormat()->textCursor().position(), 6);
        QTest::keyClicks(editor.NewFormat(), QStringLiteral("x\ty"));
        editor.Keys_()->Miscellaneous()->setCurrentRow(37);
        editor.Keys_()->OkButtonClick();                      // "Print Screen"
        QTest::keyClick(&editor, Qt::Key_U, Qt::AltModifier); // "&Update"
        QTRY_COMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(editor.Keys(), std::string("a<TAB>x<TAB>y<PRTSCR>b\r\ncd"));
        QCOMPARE(hook, (std::vector<bool>{false, true}));
    }
    QCOMPARE(hook, (std::vector<bool>{false, true})); // once, however it closed

    TModText full(services, std::string(4997, 'k'));
    full.show();
    full.SetIt("<F1>");
    QCOMPARE(QString::fromStdString(sink.Shown.back().Text),
             QStringLiteral("Text exceeds maximum length.  Text not added."));
    QCOMPARE(full.NewFormat()->toPlainText().size(), 4997);
    full.reject(); // Escape and "&Cancel" return nothing
    QVERIFY(full.Keys().empty());
    QCOMPARE(hook.back(), true);
}

void CommandDialogsTest::SetProgramListsProgramsWithWindowsFirstAndOffersTheHighlightedOne() {
    windows.Add(1, "Notes - gedit", 10);
    windows.Add(2, "Terminal", 11);
    windows.Add(3, "", 12);
    processes.List = {{10, "gedit"}, {11, "xterm"}, {12, "panel"}, {13, "bash"}};
    TDoSpecWind dialog(services, ScopeForm{true, "", {}, true});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Set Program"));
    QStringList shown;
    for (int i = 0; i < dialog.ProgList()->count(); ++i) {
        shown << dialog.ProgList()->item(i)->text();
    }
    QCOMPARE(shown, (QStringList{QStringLiteral("gedit"), QStringLiteral("xterm"),
                                 QStringLiteral("bash"), QStringLiteral("panel")}));
    dialog.OkButton()->click();
    QCOMPARE(sink.Shown.back().Text,
             std::string("No program name has been entered.  Please correct."));
    dialog.ProgList()->setCurrentRow(1);
    answer = false;
    dialog.OkButton()->click();
    QVERIFY(dialog.isVisible() || dialog.result() != QDialog::Accepted);
    answer = true;
    Set(&dialog, QStringLiteral("Running"), QStringLiteral("*"));
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Name(), std::string("xterm"));
    QVERIFY(!dialog.TopMost());

    TDoSpecWind titles(services, ScopeForm{false, "Term", {}, true});
    QCOMPARE(titles.ProgList()->count(), 2);
    QCOMPARE(titles.ProgList()->item(0)->text(), QStringLiteral("Notes - gedit"));
}

void CommandDialogsTest::PickFillsThePlaceInTheWindowUnderIt() {
    windows.Add(1, "Back", 10).Frame = {0, 0, 800, 600};
    windows.Add(2, "Probe", 11).Frame = {100, 50, 300, 200};
    TDoMouse dialog(services, MouseForm::Preset(CommandCode::MouseMove));
    dialog.SetPicker([] { return std::optional<QPoint>(QPoint(150, 80)); });
    dialog.PickClick();
    QCOMPARE(dialog.Form(), (MouseForm{1, true, "50", "30", "1"}));
    Set(&dialog, QStringLiteral("ToScreen"), QStringLiteral("*"));
    dialog.PickClick();
    QCOMPARE(dialog.Form(), (MouseForm{1, false, "150", "80", "1"}));
    dialog.SetPicker([] { return std::optional<QPoint>(); }); // Escape changes nothing
    dialog.PickClick();
    QCOMPARE(dialog.Form().X, std::string("150"));
}

// "&Pick" from a dialog opened by an editor, both running their own loops: while the user
// points, both are minimised, not hidden (a hidden dialog would end its loop and its edit);
// afterwards both are back and still running, and "Mouse Commands" ends with the place.
void CommandDialogsTest::PickKeepsTheDialogsBelowRunning() {
    QDialog editor;
    editor.setWindowTitle(QStringLiteral("Editor"));
    std::vector<bool> minimisedWhilePicking;
    int mouseResult = -1;
    MouseForm picked;
    QTimer::singleShot(0, &editor, [&] {
        TDoMouse dialog(services, MouseForm::Preset(CommandCode::MouseMove), &editor);
        Set(&dialog, QStringLiteral("ToScreen"), QStringLiteral("*"));
        dialog.SetPicker([&] {
            minimisedWhilePicking = {editor.isMinimized(), dialog.isMinimized()};
            return std::optional<QPoint>(QPoint(300, 400));
        });
        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.PickClick();
            // Still running after the pick: Ok ends it, with the place.
            QTimer::singleShot(0, &dialog, [&dialog] { dialog.OkButton()->click(); });
        });
        mouseResult = dialog.exec();
        picked = dialog.Form();
        QVERIFY(editor.isVisible() && !editor.isMinimized());
        editor.accept();
    });
    editor.show();
    QCOMPARE(editor.exec(), int(QDialog::Accepted));
    QCOMPARE(minimisedWhilePicking, (std::vector<bool>{true, true}));
    QCOMPARE(mouseResult, int(QDialog::Accepted));
    QCOMPARE(picked, (MouseForm{1, false, "300", "400", "1"}));
}

void CommandDialogsTest::SoundTestPlaysAndAMissingTextFileCanBeKept() {
    TDoSound dialog(services, SoundForm{true, "/tmp/ding.wav", true}, TDoSound::Mode::Command);
    sound.Lengths["/tmp/ding.wav"] = std::chrono::milliseconds(300);
    EventTrace trace;
    FakeSound traced(&trace);
    traced.Lengths = sound.Lengths;
    services.Sounds = &traced;
    dialog.TestClick();
    QCOMPARE(trace.Entries(), std::vector<std::string>{"wave:/tmp/ding.wav"});
    Set(&dialog, QStringLiteral("ProgPath"), QStringLiteral("/tmp/gone.wav"));
    dialog.TestClick();
    QCOMPARE(trace.Entries().size(), std::size_t{1});
    QCOMPARE(sink.Shown.back().Text,
             std::string("Specified WAV File does not exist.  Please correct."));

    TDoTextInsert later(services, TextFileForm{"/tmp/later.txt"});
    answer = true; // Yes: correct it
    later.OkButton()->click();
    QVERIFY(later.result() != QDialog::Accepted);
    answer = false; // No: keep the name
    later.OkButton()->click();
    QCOMPARE(later.result(), int(QDialog::Accepted));
    QCOMPARE(later.ResultTag(), std::string("<TFILE:/tmp/later.txt>"));
}

void CommandDialogsTest::TheScriptingEditorAddsThroughTheDialogs() {
    CommandDialogs dialogs;
    RegisterCommandDialogs(dialogs, services);
    for (int code = 1; code <= CommandCount; ++code) {
        QVERIFY(dialogs.CanEdit(static_cast<CommandCode>(code)));
    }
    QVERIFY(dialogs.Scope());
    // "Repeat End" opens the repeat dialog, where another of its commands may be chosen.
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        Set(dialog, QStringLiteral("PromptRepeat"), QStringLiteral("*"));
        dialog->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    const std::optional<MadeCommand> made = dialogs.Add(CommandCode::RepeatEnd, nullptr);
    QVERIFY(made);
    QCOMPARE(made->Code, CommandCode::RepeatPromptStart);
}

} // namespace orvane

QTEST_MAIN(orvane::CommandDialogsTest)
#include "CommandDialogsTest.moc"
