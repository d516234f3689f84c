// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/Scheduler.h"
#include "app/CommandGroups.h"
#include "core/MacroStore.h"
#include "core/SettingsBlock.h"
#include "platform/ScreenSaver.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "ui/activation/SchedulerTimer.h"
#include "ui/activation/ShortKeyOptionsDialog.h"
#include "ui/library/SetScheduleDialog.h"
#include "ui/library/TMainWin.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

namespace orvane {

class ActivationDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void ShortKeyOptionsCheckThePrefixAsItIsTyped();
    void SetScheduleShowsTheRecordAndRefusesWithFocus();
    void SetScheduleStoresOnlyOnUpdate();
    void TimerIntervalIsOneToSixty();
    void MyTimerRunsOnlyWhileThereIsSomethingToDo();
    void SchedulerMenuShowsTheDateAndSavesItsSettings();

private:
    static QString Message(const FakeMessageSink& sink) {
        if (sink.Shown.empty()) {
            return {};
        }
        return QString::fromStdString(sink.Shown.back().Caption) + QStringLiteral(": ") +
               QString::fromStdString(sink.Shown.back().Text);
    }
};

void ActivationDialogsTest::ShortKeyOptionsCheckThePrefixAsItIsTyped() {
    FakeMessageSink sink;
    SettingsBlock settings;
    settings.PrefixKeys.assign(1, ';');
    ShortKeyOptionsDialog dialog(ShortKeyOptionsFormFrom(settings), sink);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("ShortKey Options"));
    QVERIFY(dialog.UsePrefixBox()->isChecked());
    QCOMPARE(dialog.PrefixEdit()->text(), QStringLiteral(";"));
    QCOMPARE(dialog.PrefixEdit()->maxLength(), 2);

    dialog.PrefixEdit()->setFocus();
    QTest::keyClick(dialog.PrefixEdit(), Qt::Key_Comma);
    QVERIFY(sink.Shown.empty());
    dialog.PrefixEdit()->clear();
    QTest::keyClicks(dialog.PrefixEdit(), QStringLiteral("~"));
    QCOMPARE(Message(sink),
             QStringLiteral("Error: The Prefix Keys has invalid characters in it.  Valid "
                            "characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % ^ & _ = < > ? . "
                            "; , * - / +"));
    QCOMPARE(dialog.PrefixEdit()->text(), QStringLiteral("~")); // kept, focus back
    QVERIFY(dialog.PrefixEdit()->hasFocus());
    // A character the code page lacks is no word character either.
    dialog.PrefixEdit()->setText(QStringLiteral("ж"));
    sink.Shown.clear();
    dialog.OkButton()->click();
    QCOMPARE(sink.Shown.size(), std::size_t{1});
    QVERIFY(dialog.isVisible());

    dialog.UsePrefixBox()->setChecked(false);
    QVERIFY(!dialog.PrefixEdit()->isEnabled());
    dialog.CaseSensitiveBox()->setChecked(false);
    dialog.SolitaryBox()->setChecked(true);
    // The threshold is offered only while pasting is on.
    QVERIFY(dialog.UndoBox()->isChecked());
    QVERIFY(!dialog.PasteAboveBox()->isEnabled());
    dialog.PasteBox()->click();
    QVERIFY(dialog.PasteAboveBox()->isEnabled());
    dialog.PasteAboveBox()->setValue(1000);
    dialog.UndoBox()->click();
    dialog.FollowCaseBox()->setChecked(true);
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    ApplyShortKeyOptions(dialog.Form(), settings);
    QVERIFY(settings.UseSuffix);
    QVERIFY(!settings.CaseSensitive);
    QVERIFY(settings.SolitaryUsage);
    QVERIFY(!settings.UndoByBackspace);
    QVERIFY(settings.FollowCase);
    QVERIFY(settings.PasteLongTexts);
    QCOMPARE(settings.PasteAbove, 1000);
}

void ActivationDialogsTest::SetScheduleShowsTheRecordAndRefusesWithFocus() {
    FakeMessageSink sink;
    MacroRecord record;
    DefaultTimer(record, LocalMoment::From(2024, 3, 15));
    SetScheduleDialog dialog(record, LocalMoment::From(2024, 3, 15, 9, 0), sink);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Set Schedule"));
    QVERIFY(dialog.KindButton(SchedKind::Daily)->isChecked());
    QCOMPARE(dialog.TimeEdit(SchedKind::Daily)->text(), QStringLiteral("12:00PM"));
    QVERIFY(dialog.DayBox(6)->isChecked());
    QCOMPARE(dialog.DayBox(6)->text(), QStringLiteral("Su&n"));

    // Each kind shows its own panel.
    dialog.KindButton(SchedKind::Once)->click();
    QVERIFY(dialog.Panels()->currentWidget()->isAncestorOf(dialog.OnceYear()));
    QCOMPARE(dialog.OnceMonth()->currentText(), QStringLiteral("March"));
    QCOMPARE(dialog.OnceDay()->value(), 15);

    const struct {
        SchedKind Kind;
        std::function<void()> Set;
        QString Message;
        QWidget* Focus;
    } refusals[] = {
        {SchedKind::Once,
         [&] {
             dialog.OnceMonth()->setCurrentIndex(1);
             dialog.OnceDay()->setValue(31);
         },
         QStringLiteral("Error: Invalid day of month specified."), dialog.OnceDay()},
        {SchedKind::Once,
         [&] {
             dialog.OnceDay()->setValue(1);
             dialog.OnceYear()->setValue(2024);
         },
         QStringLiteral("Error: Specified date has already elapsed."), dialog.OnceMonth()},
        {SchedKind::Once, [&] { dialog.OnceYear()->setValue(2023); },
         QStringLiteral("Error: Specified date has already elapsed."), dialog.OnceYear()},
        {SchedKind::Hourly, [&] { dialog.HourlyMinutes()->setValue(60); },
         QStringLiteral("Error: Invalid minutes specified."), dialog.HourlyMinutes()},
        {SchedKind::Monthly, [&] { dialog.MonthlyDay()->setValue(0); },
         QStringLiteral("Error: Invalid day of month specified."), dialog.MonthlyDay()},
        {SchedKind::EveryMinutes, [&] { dialog.EveryMinutes()->setValue(721); },
         QStringLiteral("Error: Invalid minutes specified.  Must be between 1 and 720."),
         dialog.EveryMinutes()},
    };
    for (const auto& r : refusals) {
        dialog.KindButton(r.Kind)->click();
        r.Set();
        dialog.UpdateButton()->click();
        QCOMPARE(Message(sink), r.Message);
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget(), r.Focus);
    }
    QCOMPARE(dialog.Record(), record);
}

void ActivationDialogsTest::SetScheduleStoresOnlyOnUpdate() {
    FakeMessageSink sink;
    MacroRecord record;
    DefaultTimer(record, LocalMoment::From(2024, 3, 15));
    SetScheduleDialog dialog(record, LocalMoment::From(2024, 3, 15, 9, 0), sink);
    dialog.KindButton(SchedKind::Weekly)->click();
    dialog.TimeEdit(SchedKind::Weekly)->setText(QStringLiteral("13:30"));
    dialog.WeekdayList()->setCurrentIndex(6);
    dialog.DayBox(0)->setChecked(false);
    dialog.UpdateButton()->click();
    QVERIFY(sink.Shown.empty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(GetSched(dialog.Record()), std::string("Weekly at 1:30PM on Saturday"));
    QCOMPARE(dialog.Record().SchedDays[0], std::uint8_t{0});
}

void ActivationDialogsTest::TimerIntervalIsOneToSixty() {
    FakeMessageSink sink;
    TimerIntervalDialog dialog(10, sink);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Scheduler Frequency"));
    QCOMPARE(dialog.SecondsEdit()->text(), QStringLiteral("10"));
    for (const char* text : {"0", "61", "abc", "1.5"}) {
        dialog.SecondsEdit()->setText(QString::fromLatin1(text));
        dialog.OkClick();
        QCOMPARE(Message(sink), QStringLiteral("Error: Value must be between 1 and 60."));
        QCOMPARE(dialog.Seconds(), std::uint16_t{10});
    }
    dialog.SecondsEdit()->setText(QStringLiteral("3"));
    dialog.OkClick();
    QCOMPARE(dialog.Seconds(), std::uint16_t{3});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

namespace {

class RecordingScreenSaver : public ScreenSaver {
public:
    void Suspend(bool suspend) override { Suspended = suspend; }
    bool Suspended = false;
};

class IdleTimedMacroHost : public TimedMacroHost, public MacroStarter {
public:
    bool ActivateWindow(std::string_view) override { return true; }
    bool ActivateProgram(std::string_view) override { return true; }
    void PlayWave(std::string_view, bool) override {}
    std::optional<std::string_view> RefusalNow() override { return std::nullopt; }
    void Refuse(std::string_view) override {}
    bool CapsLockReported() const override { return false; }
    bool Busy() const override { return false; }
    bool Paused() const override { return false; }
    void StartAsHotKey(int, WindowId) override {}
    void IntoProgram(int macro, bool) override { Played.push_back(macro); }
    std::optional<std::size_t> IntoProgramTyping(int macro, bool, LetterCase) override {
        Played.push_back(macro);
        return std::nullopt;
    }
    void BeginStart() override {}
    void EndStart() override {}
    std::vector<int> Played;
};

} // namespace

void ActivationDialogsTest::MyTimerRunsOnlyWhileThereIsSomethingToDo() {
    QTemporaryDir folder;
    const std::filesystem::path file = folder.filePath(QStringLiteral("T.ORV")).toStdString();
    MacroRecord timed;
    timed.HotKey = HotKeyTimed;
    timed.Scope = ScopeGlobal;
    timed.Active = 0;
    timed.SchedKind = static_cast<std::int16_t>(SchedKind::EveryMinutes);
    timed.SchedInterval = 1;
    {
        const MacroRecordBytes bytes = timed.ToBytes();
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    FakeHookLibrary hook;
    FakeMessageSink sink;
    MacroStore store(hook, sink);
    QVERIFY(store.LoadMacroFile(file));
    SettingsBlock settings;
    IdleTimedMacroHost host;
    Scheduler scheduler(store, settings, host, host, LocalMoment::Now());
    RecordingScreenSaver screenSaver;
    SchedulerTimer timer(scheduler, settings, &screenSaver);

    timer.Rebuild(); // the one timed macro is inactive
    QVERIFY(!timer.Running());
    QVERIFY(!screenSaver.Suspended);

    QVERIFY(store.ActivateMacro(1, true));
    timer.Rebuild();
    QVERIFY(timer.Running());
    QCOMPARE(timer.IntervalMs(), 10000);
    QVERIFY(screenSaver.Suspended);

    settings.TimerSeconds = 3;
    settings.DisableScreenSaver = false;
    timer.SettingsChanged();
    QCOMPARE(timer.IntervalMs(), 3000);
    QVERIFY(!screenSaver.Suspended);

    QSignalSpy ticks(&timer, &SchedulerTimer::Ticked);
    timer.MyTimerTimer();
    QCOMPARE(ticks.count(), 1);
    QVERIFY(host.Played.empty()); // not due before a minute has passed

    // The caption's clock keeps the timer going without timed macros.
    QVERIFY(store.ActivateMacro(1, false));
    settings.ShowDate = true;
    timer.Rebuild();
    QVERIFY(timer.Running());
    settings.ShowDate = false;
    timer.SettingsChanged();
    QVERIFY(!timer.Running());
}

void ActivationDialogsTest::SchedulerMenuShowsTheDateAndSavesItsSettings() {
    SettingsBlock settings;
    int saves = 0;
    TMainWin::Services services;
    services.Settings = &settings;
    services.SaveSettings = [&saves] { ++saves; };
    TMainWin window(services);
    BuildCommandGroups(window);
    window.SetMacroFile(QStringLiteral("/tmp/Work.ORV"), {});
    QCOMPARE(window.windowTitle(), QStringLiteral("Orvane 98 (Work)"));
    QSignalSpy changed(&window, &TMainWin::SchedulerSettingsChanged);

    QMenu* scheduler = window.Action(MainCommand::Scheduler)->menu();
    QVERIFY(scheduler);
    const QList<QAction*> entries = scheduler->actions();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[1]->text(), QStringLiteral("&Alarm..."));
    QVERIFY(entries[1]->isEnabled());
    QVERIFY(entries[2]->isEnabled());
    QVERIFY(window.Action(MainCommand::ShortKeys)->isEnabled());

    entries[0]->trigger(); // "&Show Date && Time"
    QVERIFY(settings.ShowDate);
    QVERIFY(entries[0]->isChecked());
    QVERIFY(window.windowTitle().startsWith(QStringLiteral("Orvane 98 (Work)     ")));
    QVERIFY(window.windowTitle().contains(
        QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)));
    QCOMPARE(saves, 1);
    QCOMPARE(changed.count(), 1);
    entries[0]->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("Orvane 98 (Work)"));

    QAction* screenSaver = window.Action(MainCommand::ScreenSaver);
    QVERIFY(screenSaver->isEnabled() && screenSaver->isChecked());
    screenSaver->trigger();
    QVERIFY(!settings.DisableScreenSaver);
    QCOMPARE(saves, 3);
    QCOMPARE(changed.count(), 3);

    // "&Alarm": the sound dialog chooses a wave file, which the settings keep at once.
    QTemporaryDir folder;
    const QString wave = folder.filePath(QStringLiteral("ding.wav"));
    QFile(wave).open(QIODevice::WriteOnly);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        shown = true;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Scheduler Alarm"));
        QCOMPARE(dialog->findChild<QRadioButton*>(QStringLiteral("Beep"))->text(),
                 QStringLiteral("&None"));
        dialog->findChild<QRadioButton*>(QStringLiteral("WaveFile"))->click();
        dialog->findChild<QLineEdit*>(QStringLiteral("ProgPath"))->setText(wave);
        dialog->findChild<QCheckBox*>(QStringLiteral("WaitFor"))->setChecked(true);
        dialog->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    entries[1]->trigger();
    QVERIFY(shown);
    QVERIFY(settings.UseWaveFile);
    QVERIFY(settings.WaveFileWait);
    QCOMPARE(QString::fromStdString(settings.WaveFile), wave);
    QCOMPARE(saves, 4);
}

} // namespace orvane

QTEST_MAIN(orvane::ActivationDialogsTest)
#include "ActivationDialogsTest.moc"
