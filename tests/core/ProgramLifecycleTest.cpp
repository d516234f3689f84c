// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ProgramLifecycle.h"

#include "core/MacroFile.h"
#include "core/SettingsFile.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

// One program run: its own hook backend, messages, store and lifecycle over shared folders.
struct ProgramRun {
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};
    ProgramLifecycle lifecycle{store, messages};
};

class ProgramLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("orvane-life-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        folders = {root / "data", root / "config" / "ORVAN.INI", root / "run"};
    }
    void TearDown() override { fs::remove_all(root); }

    static int IndexOf(const std::vector<std::string>& calls, const std::string& call) {
        const auto found = std::find(calls.begin(), calls.end(), call);
        return found == calls.end() ? -1 : static_cast<int>(found - calls.begin());
    }

    fs::path root;
    ProgramFolders folders;
};

TEST_F(ProgramLifecycleTest, FreshStartCreatesTheDefaultFileAndRunsInOrder) {
    ProgramRun run;
    ASSERT_EQ(run.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run);
    EXPECT_TRUE(run.messages.Shown.empty());
    EXPECT_EQ(run.store.CurrentPath(), folders.Data / "ORVAN.ORV");
    EXPECT_EQ(run.store.MacroCount(), 4) << "the four system macros";
    EXPECT_TRUE(fs::exists(folders.Data / "ORVAN.ORV"));

    run.hook.Clear();
    run.lifecycle.ConnectHooks(77);
    const auto& calls = run.hook.Calls;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "OrvUpCapture");
    EXPECT_LT(IndexOf(calls, "OrvUpInit"), IndexOf(calls, "OrvUpKeys"));
    EXPECT_LT(IndexOf(calls, "OrvUpKeys"), IndexOf(calls, "OrvHookKeyboard"));
    EXPECT_LT(IndexOf(calls, "OrvHookKeyboard"), IndexOf(calls, "OrvHookMouse"));
    EXPECT_EQ(run.store.Table().MainWindow(), 77u);

    run.hook.Clear();
    run.lifecycle.Shutdown({800, 500, 30, 40});
    EXPECT_EQ(calls, (std::vector<std::string>{"OrvUnHook 101", "OrvUnHook 102"}))
        << "both hooks removed, in the order they were installed";
    const SettingsBlock saved = LoadSettings(folders.SettingsFile, {folders.Data, {}});
    EXPECT_EQ(saved.MainWindow, (WindowBounds{800, 500, 30, 40}));
    EXPECT_FALSE(run.lifecycle.Running());
    run.hook.Clear();
    run.lifecycle.Shutdown({1, 1, 1, 1});
    EXPECT_TRUE(calls.empty()) << "a second shutdown does nothing";
}

TEST_F(ProgramLifecycleTest, TheRemappingHookComesBeforeTheOthersFollowsTheFileAndGoesLast) {
    fs::create_directories(folders.Data);
    // The default file's remapping: "a" types "b".
    SwapTable remapped = IdentitySwaps();
    remapped.Bytes[26] = 'b';
    ASSERT_TRUE(SaveSwapKeys(folders.Data / "ORVAN.OVS", remapped));
    ProgramRun run;
    ASSERT_EQ(run.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run);
    run.hook.Clear();
    run.lifecycle.ConnectHooks(77);
    const auto& calls = run.hook.Calls;
    EXPECT_EQ(IndexOf(calls, "OrvUpSwap"), 0);
    EXPECT_EQ(IndexOf(calls, "OrvHookSwap"), 1) << "before the table goes to the backend";
    EXPECT_LT(IndexOf(calls, "OrvHookSwap"), IndexOf(calls, "OrvUpInit"));
    EXPECT_EQ(run.hook.Swaps, remapped);

    // Another file on the command line brings its own (new, identity) remapping.
    const fs::path other = root / "Work.ORV";
    {
        FakeHookLibrary hook;
        FakeMessageSink messages;
        MacroStore maker(hook, messages);
        ASSERT_TRUE(maker.LoadMacroFile(other));
    }
    run.hook.Clear();
    ASSERT_TRUE(
        run.lifecycle.ApplyCommandLine(ParseCommandLine({"/F", other.string()})).FileChanged);
    EXPECT_NE(IndexOf(calls, "OrvUnHook 101"), -1);
    EXPECT_EQ(run.lifecycle.Swaps().File(), root / "Work.OVS");
    EXPECT_TRUE(fs::exists(root / "Work.OVS"));

    // Back to a remapping file, then the end: keyboard, mouse, remapping hook.
    ASSERT_TRUE(SaveSwapKeys(root / "Work.OVS", remapped));
    run.lifecycle.Swaps().GetSwapFile(other);
    const HookHandle swap = run.lifecycle.Swaps().Handle();
    run.hook.Clear();
    run.lifecycle.Shutdown({});
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "OrvUnHook " + std::to_string(run.store.Table().KeyboardHook()),
                         "OrvUnHook " + std::to_string(run.store.Table().MouseHook()),
                         "OrvUnHook " + std::to_string(swap)}));
}

TEST_F(ProgramLifecycleTest, SecondInstanceIsToldWithTheTrayWordingAndTheFirstKeepsRunning) {
    for (const bool useTray : {false, true}) {
        SettingsBlock settings;
        settings.UseTray = useTray;
        ASSERT_TRUE(SaveSettings(settings, folders.SettingsFile));
        ProgramRun first;
        ASSERT_EQ(first.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run);
        ProgramRun second;
        EXPECT_EQ(second.lifecycle.Start(folders, ":5"),
                  ProgramLifecycle::StartResult::AlreadyRunning);
        ASSERT_EQ(second.messages.Shown.size(), 1u);
        EXPECT_EQ(second.messages.Shown[0].Caption, "");
        EXPECT_EQ(second.messages.Shown[0].Text,
                  useTray ? AlreadyRunningTrayText : AlreadyRunningText);
        EXPECT_EQ(second.store.MacroCount(), 4) << "the second instance did load the file";
        EXPECT_TRUE(first.lifecycle.Running());

        ProgramRun otherDisplay;
        EXPECT_EQ(otherDisplay.lifecycle.Start(folders, ":6"), ProgramLifecycle::StartResult::Run);
        first.lifecycle.Shutdown({});
        ProgramRun third;
        EXPECT_EQ(third.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run)
            << "the marker is free again once the first has ended";
        third.lifecycle.Shutdown({});
        otherDisplay.lifecycle.Shutdown({});
    }
}

TEST_F(ProgramLifecycleTest, UnusableRuntimeFolderIsASystemError) {
    fs::create_directories(root);
    std::ofstream(folders.Runtime) << "a file where the folder should be";
    ProgramRun run;
    EXPECT_EQ(run.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::SystemError);
    ASSERT_EQ(run.messages.Shown.size(), 1u);
    EXPECT_EQ(run.messages.Shown[0].Caption, "System Error");
}

TEST_F(ProgramLifecycleTest, CommandLineSwitchesAndTheMacroFileOption) {
    ProgramRun run;
    ASSERT_EQ(run.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run);
    const fs::path settingsFile = run.store.CurrentPath();

    auto outcome = run.lifecycle.ApplyCommandLine(ParseCommandLine(
        {"/f", (root / "missing.ORV").string(), "/hide", "/SM", "5", "/s", "/BA"}));
    EXPECT_FALSE(outcome.FileChanged);
    EXPECT_EQ(run.store.CurrentPath(), settingsFile) << "a missing file keeps the settings' file";
    EXPECT_TRUE(outcome.Hide);
    EXPECT_EQ(outcome.RestrictionLevel, 2);
    EXPECT_EQ(run.lifecycle.Settings().SyncMinutes, 5);
    EXPECT_TRUE(run.lifecycle.Settings().AutoSync);

    // An existing file becomes current and is remembered in the settings.
    const fs::path other = root / "other" / "Work.ORV";
    fs::create_directories(other.parent_path());
    {
        FakeHookLibrary hook;
        FakeMessageSink messages;
        MacroStore maker(hook, messages);
        ASSERT_TRUE(maker.LoadMacroFile(other));
    }
    outcome = run.lifecycle.ApplyCommandLine(ParseCommandLine({"/F", other.string()}));
    EXPECT_TRUE(outcome.FileChanged);
    EXPECT_EQ(run.store.CurrentPath(), other);
    EXPECT_EQ(PathFromStored(run.lifecycle.Settings().CurrentFile), other);
    EXPECT_FALSE(outcome.Hide);
    EXPECT_EQ(outcome.RestrictionLevel, 0);
    run.lifecycle.Shutdown({});
}

TEST_F(ProgramLifecycleTest, AFileThatIsNotAMacroFileIsNeverWrittenAndTheProgramGoesOn) {
    fs::create_directories(root / "files");
    const fs::path text = root / "files" / "notes.txt";
    const std::string notes = "Buy milk\nCall Sam\n";
    std::ofstream(text, std::ios::binary) << notes;
    const fs::path folder = root / "files" / "Folder.ORV";
    fs::create_directories(folder);

    // Named on the command line: told, and the settings' file stays loaded.
    {
        ProgramRun run;
        ASSERT_EQ(run.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run);
        const fs::path own = run.store.CurrentPath();
        for (const fs::path& path : {text, folder}) {
            SCOPED_TRACE(path.string());
            run.messages.Shown.clear();
            const auto outcome =
                run.lifecycle.ApplyCommandLine(ParseCommandLine({"/F", path.string()}));
            EXPECT_FALSE(outcome.FileChanged);
            ASSERT_EQ(run.messages.Shown.size(), 1u);
            EXPECT_EQ(run.messages.Shown[0].Caption, "Error");
            EXPECT_EQ(run.messages.Shown[0].Text, NotMacroFileText(path));
            EXPECT_EQ(run.store.CurrentPath(), own);
            EXPECT_EQ(run.store.MacroCount(), 4);
            EXPECT_EQ(PathFromStored(run.lifecycle.Settings().CurrentFile), own);
        }
        run.lifecycle.Shutdown({});
    }

    // Named by the settings: told, and the program goes on with the default file.
    SettingsBlock settings = LoadSettings(folders.SettingsFile, {folders.Data, {}});
    settings.CurrentFile = StoredFromPath(text);
    ASSERT_TRUE(SaveSettings(settings, folders.SettingsFile));
    ProgramRun run;
    ASSERT_EQ(run.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run);
    ASSERT_EQ(run.messages.Shown.size(), 1u);
    EXPECT_EQ(run.messages.Shown[0].Text, NotMacroFileText(text));
    EXPECT_EQ(run.store.CurrentPath(), folders.Data / "ORVAN.ORV");
    EXPECT_EQ(run.store.MacroCount(), 4);
    EXPECT_EQ(PathFromStored(run.lifecycle.Settings().CurrentFile), folders.Data / "ORVAN.ORV");
    run.lifecycle.Shutdown({});

    std::ifstream in(text, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), notes);
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(ProgramLifecycleTest, SettingsSurviveARestart) {
    {
        ProgramRun run;
        ASSERT_EQ(run.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run);
        run.lifecycle.Settings().PrimarySort = "213";
        run.lifecycle.Settings().Col2Width = 250;
        run.lifecycle.Shutdown({700, 450, 10, 20});
    }
    ProgramRun again;
    ASSERT_EQ(again.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run);
    EXPECT_EQ(again.lifecycle.Settings().PrimarySort, "213");
    EXPECT_EQ(again.lifecycle.Settings().Col2Width, 250);
    EXPECT_EQ(again.lifecycle.Settings().MainWindow, (WindowBounds{700, 450, 10, 20}));
}

TEST_F(ProgramLifecycleTest, AStartRemovesWhatKilledRewritesLeftOfTheSettingsAndMacroFile) {
    {
        ProgramRun run;
        ASSERT_EQ(run.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run);
        run.lifecycle.Shutdown({700, 450, 10, 20});
    }
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    const fs::path leftovers[] = {folders.SettingsFile.parent_path() / ".ORVAN.INI.k1lLed",
                                  folders.Data / ".ORVAN.ORV.k1lLed"};
    for (const fs::path& leftover : leftovers) {
        std::ofstream(leftover) << "half a rewrite";
        fs::last_write_time(leftover, old);
    }
    ProgramRun again;
    ASSERT_EQ(again.lifecycle.Start(folders, ":5"), ProgramLifecycle::StartResult::Run);
    for (const fs::path& leftover : leftovers) {
        EXPECT_FALSE(fs::exists(leftover)) << leftover;
    }
    EXPECT_EQ(again.lifecycle.Settings().MainWindow, (WindowBounds{700, 450, 10, 20}));
    EXPECT_EQ(again.store.MacroCount(), 4);
}

} // namespace
} // namespace orvane
