// SPDX-License-Identifier: GPL-3.0-or-later
// The run-time prompts: their texts, sizes and places, the checks of the repeat prompt, and
// what happens around them (the main window out of the way, the focus given back).

#include "ui/playback/PromptDialogs.h"
#include "core/HotKeyTable.h"
#include "platform/fake/EventTrace.h"
#include "platform/fake/FakeDesktopServices.h"
#include "platform/fake/FakeMessageSink.h"
#include "platform/fake/FakeWindowSystem.h"
#include "playback/WindowFinder.h"
#include "ui/playback/DialogPrompts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace orvane {

class PromptDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void PauseDialogTextsSizesAndPlace();
    void PauseCaptionNamesTheHotKey();
    void PauseResumesAbortsAndResumesFromOutside();
    void PauseKeepsTheFocusWithTheTargetAndHidesTheMainWindowUntilTheEnd();
    void RepeatPromptRefusesInvalidCounts();
    void RepeatPromptGivesTheFocusBackAndShowsTheMainWindowAgain();
    void InTheTrayTheMainWindowIsLeftAlone();
    void OnTopMessageShowsOneAtATime();

private:
    // Runs `action` on the first visible top-level dialog of type T, once it is shown.
    template <typename T> void WhenShown(std::function<void(T*)> action) {
        auto* timer = new QTimer(this);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, this, [timer, action] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) {
                    timer->stop();
                    timer->deleteLater();
                    action(dialog);
                    return;
                }
            }
        });
        timer->start();
    }

    static QString LabelText(QWidget* dialog, const char* name) {
        auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name));
        return label != nullptr ? label->text() : QStringLiteral("<missing>");
    }

    EventTrace trace;
    FakeWindowSystem windows{&trace};
    FakeProcesses processes;
    WindowFinder finder{windows, processes};
    FakeMessageSink messages;
    bool useTray = false;
};

void PromptDialogsTest::init() {
    trace.Clear();
    windows.Stack.clear();
    windows.Add(5, "Editor", 10);
    windows.Add(6, "Other", 11);
    windows.ForegroundWindow = 6;
    messages.Shown.clear();
    useTray = false;
}

void PromptDialogsTest::PauseDialogTextsSizesAndPlace() {
    TPauseMacro plain(QStringLiteral("Pause"), QStringLiteral("Greeting"), QString(), 300, 200);
    QCOMPARE(plain.windowTitle(), QStringLiteral("Pause"));
    QCOMPARE(LabelText(&plain, "Label1"), QStringLiteral("Orvane Pause"));
    QCOMPARE(LabelText(&plain, "MacroTitleLabel"), QStringLiteral("Greeting"));
    QCOMPARE(plain.ResumeButton()->text(), QStringLiteral("&Resume"));
    QCOMPARE(plain.AbortButton()->text(), QStringLiteral("&Abort"));
    QVERIFY(plain.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // 224 x 94 outside the frame; the buttons 52 above the bottom edge.
    QCOMPARE(plain.size(), QSize(218, 70));
    QCOMPARE(plain.ResumeButton()->geometry(), QRect(14, 42, 89, 21));
    QCOMPARE(plain.AbortButton()->geometry(), QRect(114, 42, 89, 21));
    QCOMPARE(plain.pos(), QPoint(300, 200));
    QVERIFY(!plain.findChild<QLabel*>(QStringLiteral("MessageLabel"))->isVisibleTo(&plain));

    const QString message(65, QLatin1Char('m'));
    TPauseMacro long_(QStringLiteral("Pause"), QString(), message, 0, 0);
    auto* label = long_.findChild<QLabel*>(QStringLiteral("MessageLabel"));
    QCOMPARE(label->geometry(), QRect(8, 42, 201, 57));
    QVERIFY(label->wordWrap());
    QCOMPARE(long_.height(), 151 - 24);
    QCOMPARE(long_.ResumeButton()->y(), 99);
}

void PromptDialogsTest::PauseCaptionNamesTheHotKey() {
    DialogPrompts prompts({nullptr, [this] { return useTray; }, &finder, &messages});
    QString caption;
    QString nickname;
    const auto look = [&](TPauseMacro* dialog) {
        caption = dialog->windowTitle();
        nickname = LabelText(dialog, "MacroTitleLabel");
        dialog->ResumeButton()->click();
    };
    prompts.SetPlayingMacro("Caf\xE9", 144);
    WhenShown<TPauseMacro>(look);
    prompts.DoPause(10, 10, "", 5);
    QCOMPARE(caption,
             QStringLiteral("Pause (%1)").arg(QString::fromLatin1(HotKeyName(144)->data())));
    QCOMPARE(nickname, QStringLiteral("Caf\u00e9"));

    prompts.SetPlayingMacro("Timed", 10000);
    WhenShown<TPauseMacro>(look);
    prompts.DoPause(10, 10, "", 5);
    QCOMPARE(caption, QStringLiteral("Pause"));
}

void PromptDialogsTest::PauseResumesAbortsAndResumesFromOutside() {
    DialogPrompts prompts({nullptr, [this] { return useTray; }, &finder, &messages});
    QVERIFY(!prompts.PauseActive());
    bool activeWhileShown = false;
    WhenShown<TPauseMacro>([&](TPauseMacro* dialog) {
        activeWhileShown = prompts.PauseActive();
        dialog->AbortButton()->click();
    });
    QCOMPARE(prompts.DoPause(0, 0, "Check the form", 5).Resume, false);
    QVERIFY(activeWhileShown);
    QVERIFY(!prompts.PauseActive());

    WhenShown<TPauseMacro>([&](TPauseMacro*) { prompts.ResumePause(); });
    QCOMPARE(prompts.DoPause(0, 0, "", 5).Resume, true);
    prompts.ResumePause(); // no pause open: nothing happens
}

void PromptDialogsTest::PauseKeepsTheFocusWithTheTargetAndHidesTheMainWindowUntilTheEnd() {
    QWidget main;
    main.show();
    DialogPrompts prompts({&main, [this] { return useTray; }, &finder, &messages});
    bool mainVisibleDuring = true;
    WhenShown<TPauseMacro>([&](TPauseMacro* dialog) {
        mainVisibleDuring = main.isVisible();
        // The dialog gives the focus back to the macro's window as soon as it is up.
        QTimer::singleShot(50, dialog, [dialog] { dialog->ResumeButton()->click(); });
    });
    prompts.DoPause(0, 0, "", 5);
    QVERIFY(!mainVisibleDuring);
    QCOMPARE(trace.Text(), QStringLiteral("front:5 front:5").toStdString());
    QVERIFY2(!main.isVisible(), "the end of playback shows it again");
    trace.Clear();
    prompts.RestoreAfterPause(5, false);
    QVERIFY(main.isVisible());
    QCOMPARE(trace.Text(), std::string("front:5"));
}

void PromptDialogsTest::RepeatPromptRefusesInvalidCounts() {
    DialogPrompts prompts({nullptr, [this] { return useTray; }, &finder, &messages});
    int step = 0;
    WhenShown<TRepeatPrompt>([&](TRepeatPrompt* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Macro Repeat"));
        QCOMPARE(LabelText(dialog, "TheMessage"), QStringLiteral("Times To Repeat"));
        QCOMPARE(dialog->OkButton()->text(), QStringLiteral("&Ok"));
        // 167 x 56, or wider where the caption needs it, the contents kept together.
        QCOMPARE(dialog->height(), 56);
        QVERIFY(dialog->width() >= 167);
        const QRect label = dialog->findChild<QLabel*>(QStringLiteral("TheMessage"))->geometry();
        QCOMPARE(dialog->NumReps()->geometry(), label.translated(112, -4).adjusted(0, 0, -64, 3));
        QCOMPARE(dialog->NumReps()->maxLength(), 4);
        dialog->OkButton()->click(); // empty: refused
        step = dialog->isVisible() ? 1 : -1;
        dialog->NumReps()->setText(QStringLiteral("1x"));
        dialog->reject(); // Escape and the close box are checked the same way
        step = dialog->isVisible() ? 2 : -2;
        dialog->NumReps()->setText(QStringLiteral(" 12 "));
        dialog->OkButton()->click();
    });
    QCOMPARE(prompts.DoRepPrompt(), std::uint16_t{12});
    QCOMPARE(step, 2);
    QCOMPARE(messages.Shown.size(), std::size_t{2});
    QCOMPARE(messages.Shown[0].Caption, std::string("Error"));
    QCOMPARE(messages.Shown[0].Text, std::string("Invalid numeric value entered.  Please Correct"));
}

void PromptDialogsTest::RepeatPromptGivesTheFocusBackAndShowsTheMainWindowAgain() {
    QWidget main;
    main.show();
    DialogPrompts prompts({&main, [this] { return useTray; }, &finder, &messages});
    bool mainVisibleDuring = true;
    WhenShown<TRepeatPrompt>([&](TRepeatPrompt* dialog) {
        mainVisibleDuring = main.isVisible();
        QVERIFY(prompts.PromptOpen());
        dialog->NumReps()->setText(QStringLiteral("3"));
        dialog->OkButton()->click();
    });
    QCOMPARE(prompts.DoRepPrompt(), std::uint16_t{3});
    QVERIFY(!mainVisibleDuring);
    QVERIFY(main.isVisible());
    QVERIFY(!prompts.PromptOpen());
    // The window in front before the prompt is in front again.
    QCOMPARE(trace.Entries().back(), std::string("front:6"));
}

void PromptDialogsTest::InTheTrayTheMainWindowIsLeftAlone() {
    useTray = true;
    QWidget main; // hidden: the program lives in the tray
    DialogPrompts prompts({&main, [this] { return useTray; }, &finder, &messages});
    WhenShown<TRepeatPrompt>([&](TRepeatPrompt* dialog) {
        dialog->NumReps()->setText(QStringLiteral("1"));
        dialog->OkButton()->click();
    });
    prompts.DoRepPrompt();
    WhenShown<TPauseMacro>([&](TPauseMacro* dialog) { dialog->ResumeButton()->click(); });
    prompts.DoPause(0, 0, "", 5);
    prompts.RestoreAfterPause(5, true);
    QVERIFY(!main.isVisible());
    QVERIFY(!main.isMinimized());
}

void PromptDialogsTest::OnTopMessageShowsOneAtATime() {
    DialogPrompts prompts({nullptr, [this] { return useTray; }, &finder, &messages});
    int dialogs = 0;
    bool secondReturned = false;
    WhenShown<TOnTopMessage>([&](TOnTopMessage* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Macro Abort"));
        QCOMPARE(LabelText(dialog, "TheMessage"),
                 QStringLiteral("Orvane 98 macro has been aborted."));
        QCOMPARE(dialog->size(), QSize(235, 130));
        QCOMPARE(dialog->OkButton()->text(), QStringLiteral("&Ok"));
        prompts.DoAMessage("Macro Abort", "again"); // dropped, returns at once
        secondReturned = true;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            dialogs += qobject_cast<TOnTopMessage*>(widget) != nullptr && widget->isVisible();
        }
        dialog->OkButton()->click();
    });
    prompts.DoAMessage("Macro Abort", "Orvane 98 macro has been aborted.");
    QVERIFY(secondReturned);
    QCOMPARE(dialogs, 1);
    QVERIFY(!prompts.MessageOpen());
}

} // namespace orvane

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::PromptDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PromptDialogsTest.moc"
