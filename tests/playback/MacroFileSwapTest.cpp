// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/MacroFileSwap.h"
#include "core/MacroStore.h"
#include "core/Paths.h"
#include "core/SettingsBlock.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvane {
namespace {

namespace fs = std::filesystem;

class RecordingWindow : public MainWindowParts {
public:
    void ClearMenuTaskIcon() override { Calls.push_back("clear-icons"); }
    void ShowMacroFile(const fs::path& path) override { Calls.push_back("show:" + path.string()); }
    void CheckAndSetTime() override { Calls.push_back("schedule"); }
    void DoMenuTaskIcon() override { Calls.push_back("icons"); }
    void DoLastFiles(std::string_view oldName, std::string_view newName) override {
        Calls.push_back("recent:" + std::string(oldName) + ">" + std::string(newName));
    }
    void GetSwapFile() override { Calls.push_back("remap-file"); }
    void RenewSyncFile() override { Calls.push_back("sync"); }

    std::vector<std::string> Calls;
};

class MacroFileSwapTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("orvane-swap-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        first = folder / "first.orv";
        ASSERT_TRUE(store.LoadMacroFile(first));
        settings.CurrentFile = StoredFromPath(first);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder, first;
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};
    SettingsBlock settings;
    RecordingWindow window;
};

TEST_F(MacroFileSwapTest, TheNewFileBecomesCurrentEverywhereInOrder) {
    const fs::path second = folder / "second.orv";
    SwapMacroFile(StoredFromPath(second), store, settings, window);
    EXPECT_EQ(store.CurrentPath(), second);
    EXPECT_EQ(settings.CurrentFile, StoredFromPath(second));
    const std::vector<std::string> expected = {"clear-icons",
                                               "show:" + second.string(),
                                               "schedule",
                                               "icons",
                                               "recent:" + first.string() + ">" + second.string(),
                                               "remap-file"};
    EXPECT_EQ(window.Calls, expected);
}

TEST_F(MacroFileSwapTest, ARelativeNameIsKeptAsAFullPath) {
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    SwapMacroFile("rel.orv", store, settings, window);
    fs::current_path(before);
    EXPECT_EQ(settings.CurrentFile, StoredFromPath(folder / "rel.orv"));
    EXPECT_TRUE(fs::exists(folder / "rel.orv"));
}

TEST_F(MacroFileSwapTest, NetworkModeRenewsTheSyncFileFirst) {
    settings.NetworkMode = true;
    SwapMacroFile(StoredFromPath(folder / "n.orv"), store, settings, window);
    ASSERT_FALSE(window.Calls.empty());
    EXPECT_EQ(window.Calls.front(), "sync");
}

TEST_F(MacroFileSwapTest, AFileThatCannotBeLoadedLeavesTheCurrentOne) {
    const fs::path unreadable = folder / "folder.orv";
    fs::create_directories(unreadable);
    const fs::path text = folder / "notes.txt";
    std::ofstream(text, std::ios::binary) << "Buy milk\nCall Sam\n";
    for (const fs::path& path : {unreadable, text}) {
        SCOPED_TRACE(path.string());
        window.Calls.clear();
        messages.Shown.clear();
        SwapMacroFile(StoredFromPath(path), store, settings, window);
        EXPECT_EQ(settings.CurrentFile, StoredFromPath(first));
        EXPECT_EQ(store.CurrentPath(), first) << "the old file's macros are still the ones loaded";
        EXPECT_EQ(store.MacroCount(), 4);
        const std::vector<std::string> expected = {"clear-icons", "icons"};
        EXPECT_EQ(window.Calls, expected);
        ASSERT_EQ(messages.Shown.size(), 1u);
        EXPECT_EQ(messages.Shown[0].Caption, "Error");
    }
    EXPECT_EQ(fs::file_size(text), 18u) << "the text file was not written";
}

} // namespace
} // namespace orvane
