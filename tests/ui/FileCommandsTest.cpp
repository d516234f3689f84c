// SPDX-License-Identifier: GPL-3.0-or-later
// Switching macro files from the main window, the recent files, and sharing a file between two
// main windows over their own stores and the fake hook backend, on the offscreen platform.
#include "ui/library/FileCommands.h"
#include "app/CommandGroups.h"
#include "core/MacroStore.h"
#include "core/Paths.h"
#include "core/SettingsBlock.h"
#include "library/SyncRecord.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "support/MainWindowProgram.h"
#include "ui/MainCommandTable.h"
#include "ui/library/NetworkCommands.h"
#include "ui/library/NetworkDialog.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <iterator>

namespace orvane {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One running program over `file`, network sharing on when asked.
struct Program : MainWindowProgram {
    int schedules = 0;

    explicit Program(const fs::path& file, bool network = false) {
        settings.CurrentFile = StoredFromPath(file);
        settings.NetworkMode = network;
        TMainWin::Services services;
        services.ScheduleChanged = [this] { ++schedules; };
        Open(file, std::move(services));
        window->Network()->Start();
    }
    int Rows() const { return window->Grid().Model().rowCount(); }
};

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void OpeningAFileMakesEverythingFollowIt();
    void RefusedFilesChangeNothing();
    void SharedFileChangedElsewhereIsReloadedBeforeTheCommand();
    void AutomaticReloadEverySyncMinutes();
    void NetworkDialogFollowsItsFirstBox();
};

void FileCommandsTest::OpeningAFileMakesEverythingFollowIt() {
    QTemporaryDir folder;
    const fs::path a = fs::path(folder.path().toStdString()) / "Alpha.ORV";
    const fs::path b = fs::path(folder.path().toStdString()) / "Beta.orv";
    WriteMacroFile(a, {HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "a")});
    WriteMacroFile(b, {HotKeyMacro("Ctrl+Alt+B", ScopeGlobal, "b"), ShortKeyMacro("sig", "Jane"),
                       TimedMacro("t")});
    Program program(a);
    program.settings.LastFiles = {"/old/One.ORV", StoredFromPath(b), "", "", ""};
    program.window->Files().ShowRecentFiles();
    QCOMPARE(program.window->windowTitle(), QStringLiteral("Orvane 98 (Alpha)"));
    QCOMPARE(program.Rows(), 5); // its macro and the four system macros
    QSignalSpy icons(program.window.get(), &TMainWin::MenuTaskIconsDue);
    QSignalSpy remapping(program.window.get(), &TMainWin::SwapFileDue);
    program.hook.Clear();

    program.window->Files().OpenPath(QString::fromStdString(b.string()));
    QCOMPARE(program.window->windowTitle(), QStringLiteral("Orvane 98 (Beta)"));
    QCOMPARE(program.Rows(), 7);
    QVERIFY(program.store.CurrentPath() == b);
    QCOMPARE(program.settings.CurrentFile, StoredFromPath(b));
    QVERIFY(std::count(program.hook.Calls.begin(), program.hook.Calls.end(), "OrvUpKeys") > 0);
    QCOMPARE(program.schedules, 1);
    QCOMPARE(icons.count(), 1);
    QCOMPARE(remapping.count(), 1);
    QVERIFY(program.saves > 0);
    // Beta left its place in the list; Alpha is on top.
    QCOMPARE(program.settings.LastFiles[0], StoredFromPath(a));
    QCOMPARE(program.settings.LastFiles[1], std::string("/old/One.ORV"));
    QCOMPARE(program.settings.LastFiles[2], std::string());
    const std::vector<QAction*>& entries = program.window->Commands().RecentFileEntries();
    QCOMPARE(entries[0]->text(), QStringLiteral("&1   ") + QString::fromStdString(a.string()));
    QVERIFY(entries[0]->isVisible() && entries[0]->isEnabled());
    QVERIFY(entries[1]->isVisible());
    QVERIFY(!entries[2]->isVisible());
    QVERIFY(program.window->Commands().RecentFilesSeparator()->isVisible());

    // The recent entry takes us back.
    entries[0]->trigger();
    QCOMPARE(program.window->windowTitle(), QStringLiteral("Orvane 98 (Alpha)"));
    QCOMPARE(program.settings.LastFiles[0], StoredFromPath(b));
    QCOMPARE(program.settings.LastFiles[1], std::string("/old/One.ORV"));
    QVERIFY(program.messages.Shown.empty());
}

void FileCommandsTest::RefusedFilesChangeNothing() {
    QTemporaryDir folder;
    const fs::path dir(folder.path().toStdString());
    const fs::path a = dir / "Alpha.ORV";
    WriteMacroFile(a, {HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "a")});
    const fs::path notes = dir / "notes.ORV";
    std::ofstream(notes, std::ios::binary)
        << "Hello, these are my notes, and a good many of them. " << std::string(6000, 'x');
    const std::string notesBefore = Slurp(notes);
    Program program(a, true); // sharing it, too
    program.settings.LastFiles = {StoredFromPath(dir / "Gone.ORV"), "", "", "", ""};
    program.window->Files().ShowRecentFiles();
    const SettingsBlock before = program.settings;

    program.window->Files().OpenPath(QString::fromStdString((dir / "Alpha.txt").string()));
    program.window->Files().OpenPath(QString::fromStdString(notes.string()));
    program.window->Files().OpenRecent(0);
    QVERIFY(program.Texts() == (std::vector<std::string>{
                                   "Error: Invalid file type selected.",
                                   "Error: " + NotMacroFileText(notes),
                                   "Error: File does not exist.",
                               }));
    QCOMPARE(Slurp(notes), notesBefore);
    QVERIFY(!fs::exists(dir / "Alpha.txt"));
    QVERIFY(!fs::exists(dir / "Gone.ORV"));
    QVERIFY(!fs::exists(dir / "notes.MAS")); // nothing is made beside a refused file
    QVERIFY(fs::exists(dir / "Alpha.MAS"));
    QCOMPARE(program.window->windowTitle(), QStringLiteral("Orvane 98 (Alpha)"));
    QVERIFY(program.store.CurrentPath() == a);
    QCOMPARE(program.Rows(), 5);
    QVERIFY(program.settings == before);
}

void FileCommandsTest::SharedFileChangedElsewhereIsReloadedBeforeTheCommand() {
    QTemporaryDir folder;
    const fs::path shared = fs::path(folder.path().toStdString()) / "Shared.ORV";
    WriteMacroFile(shared, {HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "a"),
                            HotKeyMacro("Ctrl+Alt+B", ScopeGlobal, "b")});
    Program one(shared, true);
    Program two(shared, true);
    QVERIFY(fs::is_regular_file(SyncFilePath(shared)));
    QCOMPARE(two.Rows(), 6);

    // One deactivates its first macro.
    one.window->Grid().SelectRecord(1);
    one.window->Action(MainCommand::ActivateMacro)->trigger();
    QVERIFY(one.Texts().empty());
    QVERIFY(!one.window->Network()->HeartbeatRunning());
    QCOMPARE(ReadMacroFileBack(shared)[0].Active, std::uint8_t{0});

    // Two's command gives way to the notice and the reload, keeping its selected row number;
    // repeated, it goes on over the file as it is now.
    two.window->Grid().SelectRow(2);
    two.window->Action(MainCommand::ActivateMacro)->trigger();
    QVERIFY(two.Texts() == (std::vector<std::string>{
                               "Notice: Macro File has changed by another user.  Changed macro "
                               "file will be reloaded after clicking \"ok\"."}));
    QCOMPARE(two.store.Table().Active(1), std::uint8_t{0});
    // The command did not run.
    QCOMPARE(ReadMacroFileBack(shared)[1].Active, std::uint8_t{1});
    QCOMPARE(two.window->Grid().currentIndex().row(), 1);
    two.window->Grid().SelectRecord(1);
    two.window->Action(MainCommand::ActivateMacro)->trigger();
    QCOMPARE(ReadMacroFileBack(shared)[0].Active, std::uint8_t{1});
    QCOMPARE(two.messages.Shown.size(), std::size_t{1});
    const std::string sync = Slurp(SyncFilePath(shared));
    QCOMPARE(sync.size(), SyncRecordSize);
    QCOMPARE(sync[0], '\3'); // two changes
    QCOMPARE(sync[4], '\2'); // free
}

void FileCommandsTest::AutomaticReloadEverySyncMinutes() {
    QTemporaryDir folder;
    const fs::path shared = fs::path(folder.path().toStdString()) / "Shared.ORV";
    WriteMacroFile(shared, {HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "a")});
    Program program(shared, true);
    QVERIFY(program.window->Network()->SyncTimerRunning()); // "Auto Sync" on, 10 minutes
    program.settings.SyncMinutes = 2;
    std::vector<MacroRecord> records = ReadMacroFileBack(shared);
    records.push_back(HotKeyMacro("Ctrl+Alt+C", ScopeGlobal, "c"));
    WriteMacroFile(shared, records);

    program.window->Network()->SyncTimerTimer();
    QCOMPARE(program.Rows(), 5);
    program.window->Network()->SyncTimerTimer();
    QCOMPARE(program.Rows(), 6);
    QCOMPARE(program.window->Network()->MinuteCount(), 0);

    // 0 minutes is off: no timer runs at all.
    NetworkDialog dialog(NetworkFormFrom(program.settings));
    dialog.MinutesField()->setText(QStringLiteral("0"));
    program.window->Network()->ApplyForm(dialog.Form());
    QVERIFY(!program.settings.AutoSync);
    QVERIFY(!program.window->Network()->SyncTimerRunning());
}

void FileCommandsTest::NetworkDialogFollowsItsFirstBox() {
    QTemporaryDir folder;
    const fs::path file = fs::path(folder.path().toStdString()) / "Mine.ORV";
    Program program(file);
    QVERIFY(!fs::exists(SyncFilePath(file)));
    NetworkDialog dialog(NetworkFormFrom(program.settings));
    QVERIFY(!dialog.AutoSyncBox()->isEnabled());
    QVERIFY(!dialog.MinutesField()->isEnabled());
    dialog.LockingBox()->setChecked(true);
    QVERIFY(dialog.AutoSyncBox()->isEnabled());
    // The interval waits for automatic updating, and goes with it.
    dialog.AutoSyncBox()->setChecked(false);
    QVERIFY(!dialog.MinutesField()->isEnabled());
    dialog.AutoSyncBox()->setChecked(true);
    QVERIFY(dialog.MinutesField()->isEnabled());
    dialog.LockingBox()->setChecked(false);
    QVERIFY(!dialog.AutoSyncBox()->isEnabled() && !dialog.MinutesField()->isEnabled());
    dialog.LockingBox()->setChecked(true);
    QVERIFY(dialog.MinutesField()->isEnabled());
    dialog.MinutesField()->setText(QStringLiteral("3"));
    const int saves = program.saves;
    program.window->Network()->ApplyForm(dialog.Form());
    QVERIFY(program.settings.NetworkMode && program.settings.AutoSync);
    QCOMPARE(program.settings.SyncMinutes, std::uint16_t{3});
    QVERIFY(program.window->Network()->SyncTimerRunning());
    // Turning network mode on reads the sync file (and makes it).
    QVERIFY(fs::is_regular_file(SyncFilePath(file)));
    QCOMPARE(program.saves, saves + 1);
}

} // namespace orvane

QTEST_MAIN(orvane::FileCommandsTest)
#include "FileCommandsTest.moc"
