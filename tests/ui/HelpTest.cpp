// SPDX-License-Identifier: GPL-3.0-or-later
// The help: F1 and the "&Help" buttons open the one help window at the section of the window
// they are pressed in, the help window's search and history, and every section the program
// names being there in the manual.
#include "core/MacroStore.h"
#include "core/MacroTable.h"
#include "editing/ScriptLines.h"
#include "library/HotKeyChoice.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "ui/HelpCenter.h"
#include "ui/HelpWindow.h"
#include "ui/editing/CommandDialogs.h"
#include "ui/editing/TDoScripting.h"
#include "ui/editing/TModHotKeys.h"
#include "ui/editing/commands/CommandDialogRegistry.h"
#include "ui/editing/commands/KeystrokeBox.h"
#include "ui/editing/commands/TDoSound.h"
#include "ui/library/AddMacroDialog.h"
#include "ui/library/HelpCommands.h"
#include "ui/library/HotKeyList.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

namespace orvane {
namespace {

const QString Manual = QStringLiteral(ORVANE_MANUAL);

// The anchors of the manual, as its HTML names them.
QSet<QString> ManualSections() {
    QFile file(Manual);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString html = QString::fromUtf8(file.readAll());
    QSet<QString> ids;
    static const QRegularExpression id(QStringLiteral("\\bid=\"([^\"]+)\""));
    for (auto it = id.globalMatch(html); it.hasNext();) {
        ids.insert(it.next().captured(1));
    }
    return ids;
}

MacroRecord HotKeyMacro() {
    return EditorMacro("Hello<DELAY:00.20>", "Greeting");
}

// The section the help window shows, or "(none)" when no help window is shown.
QString Shown(const HelpCenter& help) {
    HelpWindow* window = help.Window();
    return window != nullptr && window->isVisible() ? window->Section() : QStringLiteral("(none)");
}

// F1 struck on `focus`, its window shown and active; the section the help shows then.
QString PressF1(const HelpCenter& help, QWidget* focus) {
    QWidget* window = focus->window();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) {
        return QStringLiteral("(window not active)");
    }
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_F1);
    return Shown(help);
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void F1OpensTheSectionOfTheWidgetInFocus();
    void HelpButtonsOpenTheirDialogsSectionBesideTheModalDialog();
    void APickingHotKeyFieldTakesF1AsAKey();
    void SearchFindsTextAndWrapsAround();
    void BackForwardAndHome();
    void AMissingManualIsReported();
    void EverySectionTheProgramNamesIsInTheManual();

private:
    QString PressF1(QWidget* focus) { return orvane::PressF1(*help_, focus); }
    QString Shown() const { return orvane::Shown(*help_); }

    FakeMessageSink sink_;
    std::unique_ptr<HelpCenter> help_;
};

void HelpTest::init() {
    sink_.Shown.clear();
    help_ = std::make_unique<HelpCenter>(Manual, sink_);
}

void HelpTest::cleanup() {
    help_.reset();
}

void HelpTest::F1OpensTheSectionOfTheWidgetInFocus() {
    KeyUseCounts uses{};
    KeyFlags globalKeys{};
    AddMacroDialog add(uses, globalKeys, false, {{}, &sink_, {}, 1});
    QCOMPARE(PressF1(add.KeyList()), QStringLiteral("add-macro"));
    QCOMPARE(help_->Window()->windowTitle(), QStringLiteral("Orvane Help - Add Macro"));
    // A field that picks nothing (no hook backend) leaves F1 to the help.
    help_->Window()->hide();
    QCOMPARE(PressF1(add.KeyField()), QStringLiteral("add-macro"));
    HelpWindow* first = help_->Window();
    add.hide();

    CommandDialogs dialogs;
    TDoScripting editor(HotKeyMacro(), {}, dialogs, sink_);
    QCOMPARE(PressF1(editor.Script()), QStringLiteral("scripting-editor"));
    QCOMPARE(help_->Window(), first); // one help window, reused
    editor.hide();

    CommandDialogServices services;
    services.Messages = &sink_;
    TModHotKeys direct(HotKeyMacro(), {}, services);
    QCOMPARE(PressF1(direct.NewFormat()), QStringLiteral("direct-editor"));
    direct.hide();

    // A command dialog, and a message box it shows: the dialog's own section.
    const std::unique_ptr<QDialog> delay =
        MakeCommandDialog(CommandCode::Delay, nullptr, services, nullptr);
    QCOMPARE(PressF1(delay->findChild<QLineEdit*>()), QStringLiteral("set-delay"));
    QLabel note(QStringLiteral("A message"), delay.get(), Qt::Dialog);
    QCOMPARE(PressF1(&note), QStringLiteral("set-delay"));
    note.hide();
    delay->hide();

    // An open menu: the highlighted entry's section, else its window's; the menu closes.
    QMenu menu;
    QAction* named = menu.addAction(QStringLiteral("Named"));
    named->setProperty(HelpSectionProperty, QStringLiteral("open-file"));
    menu.addAction(QStringLiteral("Unnamed"));
    menu.popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    menu.setActiveAction(named);
    QTest::keyClick(&menu, Qt::Key_F1);
    QCOMPARE(Shown(), QStringLiteral("open-file"));
    QVERIFY(!menu.isVisible());

    // A window without a section: the contents.
    QWidget plain;
    QCOMPARE(PressF1(&plain), QString());
    QCOMPARE(help_->Window()->windowTitle(), QStringLiteral("Orvane Help"));
    // F1 with a modifier is not help.
    help_->Window()->hide();
    QTest::keyClick(&plain, Qt::Key_F1, Qt::ShiftModifier);
    QCOMPARE(Shown(), QStringLiteral("(none)"));
}

void HelpTest::HelpButtonsOpenTheirDialogsSectionBesideTheModalDialog() {
    CommandDialogs dialogs;
    TDoScripting editor(HotKeyMacro(), {.ShowHelp = ShowHelpForActiveWindow}, dialogs, sink_);
    editor.setWindowModality(Qt::ApplicationModal);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* help = editor.findChild<QPushButton*>(QStringLiteral("HelpButton"));
    QVERIFY(help->isEnabled());
    QTest::mouseClick(help, Qt::LeftButton);
    QCOMPARE(Shown(), QStringLiteral("scripting-editor"));
    // Shown while a modal dialog is up, the help window belongs to that dialog, so the dialog
    // does not block it.
    QCOMPARE(help_->Window()->windowHandle()->transientParent(), editor.windowHandle());
    editor.hide();

    CommandDialogServices services;
    services.Messages = &sink_;
    services.ShowHelp = [](std::string_view) { ShowHelpForActiveWindow(); };
    const std::unique_ptr<QDialog> sound =
        MakeCommandDialog(CommandCode::SoundBeep, nullptr, services, nullptr);
    sound->setWindowModality(Qt::ApplicationModal);
    sound->show();
    QVERIFY(QTest::qWaitForWindowExposed(sound.get()));
    QTest::mouseClick(sound->findChild<QPushButton*>(QStringLiteral("HelpButton")), Qt::LeftButton);
    QCOMPARE(Shown(), QStringLiteral("set-sound"));
    QCOMPARE(help_->Window()->windowTitle(), QStringLiteral("Orvane Help - Set Sound"));
    QCOMPARE(help_->Window()->windowHandle()->transientParent(), sound->windowHandle());
}

void HelpTest::APickingHotKeyFieldTakesF1AsAKey() {
    FakeHookLibrary hook;
    MacroStore store(hook, sink_);
    KeyUseCounts uses{};
    KeyFlags globalKeys{};
    AddMacroDialog add(uses, globalKeys, false, {{&store, nullptr}, &sink_, {}, 1});
    QCOMPARE(PressF1(add.KeyField()), QStringLiteral("(none)"));
    // Once the focus has moved on, F1 is help again.
    QCOMPARE(PressF1(add.KeyList()), QStringLiteral("add-macro"));
}

void HelpTest::SearchFindsTextAndWrapsAround() {
    help_->ShowSection(QStringLiteral("tag-dates"));
    HelpWindow& window = *help_->Window();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTextBrowser& page = *window.Browser();
    auto* result = window.findChild<QLabel*>(QStringLiteral("FindResult"));

    // The search starts in the section shown, not at the start of the file.
    QTest::keyClicks(window.FindField(), QStringLiteral("leading zero"));
    QVERIFY(page.textCursor().selectionStart() >
            page.document()->find(QStringLiteral("leading zero")).selectionStart());
    window.FindField()->clear();

    // Typed into the field, the search starts at once; the words are found in any case.
    QTest::keyClicks(window.FindField(), QStringLiteral("day of week"));
    QCOMPARE(page.textCursor().selectedText(), QStringLiteral("Day of Week"));
    const int first = page.textCursor().selectionStart();
    QTest::keyClick(window.FindField(), Qt::Key_Return);
    const int second = page.textCursor().selectionStart();
    QVERIFY(second > first);
    QTest::keyClick(&window, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(page.textCursor().selectionStart(), first);

    // Past the last place, the search goes on from the start of the page.
    window.FindField()->setText(QStringLiteral("The help window"));
    QTextCursor end = page.textCursor();
    end.movePosition(QTextCursor::End);
    page.setTextCursor(end);
    QVERIFY(window.Find(false));
    QVERIFY(page.textCursor().selectionStart() < first);
    QVERIFY(result->text().isEmpty());

    window.FindField()->setText(QStringLiteral("no such words anywhere"));
    QVERIFY(!window.Find(false));
    QCOMPARE(result->text(), QStringLiteral("Not found"));
}

void HelpTest::BackForwardAndHome() {
    help_->ShowSection(QStringLiteral("add-macro"));
    HelpWindow& window = *help_->Window();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(!window.BackButton()->isEnabled());
    help_->ShowSection(QStringLiteral("set-delay"));
    QVERIFY(window.BackButton()->isEnabled());

    QTest::mouseClick(window.BackButton(), Qt::LeftButton);
    QCOMPARE(window.Section(), QStringLiteral("add-macro"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Orvane Help - Add Macro"));
    QVERIFY(window.ForwardButton()->isEnabled());
    QTest::keyClick(&window, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(window.Section(), QStringLiteral("set-delay"));

    // A link inside the manual is followed in the window and remembered.
    window.Browser()->setSource(window.Browser()->source().resolved(QUrl(QStringLiteral("#tray"))));
    QCOMPARE(window.windowTitle(), QStringLiteral("Orvane Help - Tray"));
    QTest::keyClick(&window, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(window.Section(), QStringLiteral("set-delay"));

    QTest::mouseClick(window.HomeButton(), Qt::LeftButton);
    QCOMPARE(window.Section(), QString());
    QCOMPARE(window.windowTitle(), QStringLiteral("Orvane Help"));
    QCOMPARE(window.Browser()->verticalScrollBar()->value(), 0);
}

void HelpTest::AMissingManualIsReported() {
    HelpCenter missing(QStringLiteral("/nonexistent/manual.html"), sink_);
    missing.ShowSection(QStringLiteral("add-macro"));
    QCOMPARE(sink_.Shown.size(), std::size_t{1});
    QCOMPARE(sink_.Shown.back().Text, std::string("The manual is not installed."));
    QVERIFY(missing.Window() == nullptr);
}

void HelpTest::EverySectionTheProgramNamesIsInTheManual() {
    const QSet<QString> sections = ManualSections();
    QVERIFY(sections.size() > 50);
    QStringList named;
    for (const HelpTopic& topic : HelpTopics()) {
        named << QString::fromLatin1(topic.Section.data(), qsizetype(topic.Section.size()));
    }
    for (const auto& [command, section] : MainCommandHelpSections()) {
        named << QString::fromLatin1(section.data(), qsizetype(section.size()));
    }
    // Every command dialog, as the scripting editor opens it.
    CommandDialogServices services;
    services.Messages = &sink_;
    for (int code = 1; code <= CommandCount; ++code) {
        const std::unique_ptr<QDialog> dialog =
            MakeCommandDialog(static_cast<CommandCode>(code), nullptr, services, nullptr);
        named << HelpSectionOf(dialog.get());
    }
    TDoSound alarm(services, SoundForm{}, TDoSound::Mode::Alarm);
    named << HelpSectionOf(&alarm);
    // Sections that windows name for themselves in their own code.
    static const QRegularExpression property(
        QStringLiteral("HelpSectionProperty,\\s*QStringLiteral\\(\"([^\"]+)\"\\)"));
    QDirIterator source(QStringLiteral(ORVANE_SOURCE_DIR "/src"), {QStringLiteral("*.cpp")},
                        QDir::Files, QDirIterator::Subdirectories);
    int fromSource = 0;
    while (source.hasNext()) {
        QFile file(source.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto it = property.globalMatch(text); it.hasNext(); ++fromSource) {
            named << it.next().captured(1);
        }
    }
    QVERIFY(fromSource > 0);
    // The windows made beside this one name these.
    named << QStringList{QStringLiteral("direct-editor"),
                         QStringLiteral("scripting-wizard"),
                         QStringLiteral("import-macros"),
                         QStringLiteral("export-macros"),
                         QStringLiteral("print-macro-list"),
                         QStringLiteral("printer-setup"),
                         QStringLiteral("output-macro-information"),
                         QStringLiteral("appearance"),
                         QStringLiteral("quick-info")};
    QStringList missing;
    for (const QString& section : named) {
        if (section.isEmpty() || !sections.contains(section)) {
            missing << (section.isEmpty() ? QStringLiteral("(a window without a section)")
                                          : section);
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));

    // The manual's own links lead somewhere.
    QFile file(Manual);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    static const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    QStringList dead;
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        if (!sections.contains(target)) {
            dead << target;
        }
    }
    QVERIFY2(dead.isEmpty(), qPrintable(dead.join(QStringLiteral(", "))));
}

} // namespace orvane

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::HelpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HelpTest.moc"
