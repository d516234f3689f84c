// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/MainWindowCommands.h"
#include "core/HotKeyTable.h"
#include "core/MacroStore.h"
#include "library/MacroManagement.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

class MainWindowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("orvane-commands-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    int Add(std::uint16_t hotKey, std::uint8_t active = 1) {
        MacroRecord r;
        r.Nickname.Assign("m");
        r.HotKey = hotKey;
        r.Scope = ScopeGlobal;
        r.Active = active;
        EXPECT_TRUE(store.AppendMacro(r));
        store.SetHotKeys();
        return store.MacroCount();
    }

    fs::path folder;
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};
};

TEST_F(MainWindowCommandsTest, ActivateRefusesWithoutMacrosOrSelectionAndSparesSystemMacros) {
    EXPECT_EQ(DoActivate(store, 1).Error, NoMacrosText);
    ASSERT_TRUE(store.LoadMacroFile(folder / "T.ORV"));
    EXPECT_EQ(DoActivate(store, 0).Error, NoMacroSelectedText);
    const ActivateOutcome system = DoActivate(store, 1);
    EXPECT_FALSE(system.Error);
    EXPECT_FALSE(system.Changed);
    EXPECT_EQ(store.Table().Active(1), 1);
}

TEST_F(MainWindowCommandsTest, ActivateFlipsTheMacroInTableFileAndGrabsAtOnce) {
    ASSERT_TRUE(store.LoadMacroFile(folder / "T.ORV"));
    const std::uint16_t code = *HotKeyCodeOf("Ctrl+Q");
    const int i = Add(code);
    ASSERT_TRUE(store.Table().KeyInUse(code));
    hook.Clear();
    const ActivateOutcome off = DoActivate(store, i);
    EXPECT_TRUE(off.Changed);
    EXPECT_FALSE(off.NowActive);
    EXPECT_FALSE(store.Table().KeyInUse(code));
    EXPECT_EQ(hook.Calls, (std::vector<std::string>{"OrvUpItem " + std::to_string(i), "OrvUpKeys",
                                                    "OrvUpShort"}));
    MacroRecord stored;
    ASSERT_TRUE(store.ReadMacro(i, stored));
    EXPECT_EQ(stored.Active, 0) << "written into the file";

    EXPECT_TRUE(DoActivate(store, i).NowActive);
    EXPECT_TRUE(store.Table().KeyInUse(code));
    EXPECT_TRUE(DoActivate(store, Add(HotKeyTimed, 0)).Timed);
}

TEST_F(MainWindowCommandsTest, ScreenSaverIsRefusedOnlyForActiveTimedMacrosWithTheSetting) {
    ASSERT_TRUE(store.LoadMacroFile(folder / "T.ORV"));
    const int timed = Add(HotKeyTimed, 0);
    EXPECT_FALSE(ScreenSaverRefused(store.Table(), store.MacroCount(), true));
    DoActivate(store, timed);
    EXPECT_TRUE(ScreenSaverRefused(store.Table(), store.MacroCount(), true));
    EXPECT_FALSE(ScreenSaverRefused(store.Table(), store.MacroCount(), false));
}

TEST_F(MainWindowCommandsTest, RestoringHooksReinstallsAndPublishes) {
    store.InitializeHookLibrary(7);
    hook.Clear();
    RestoreKeyboardHooks(store);
    RestoreMouseHooks(store);
    EXPECT_EQ(hook.Calls,
              (std::vector<std::string>{"OrvUnHook 101", "OrvHookKeyboard", "OrvUpKeyHook",
                                        "OrvUnHook 102", "OrvHookMouse", "OrvUpMouseHook"}));
    EXPECT_EQ(store.Table().KeyboardHook(), 103U);
    EXPECT_EQ(store.Table().MouseHook(), 104U);
}

TEST_F(MainWindowCommandsTest, TheKeyboardHookGoesOffAndComesBackOnce) {
    store.InitializeHookLibrary(7);
    hook.Clear();
    UnHookTheKeyboard(store);
    EXPECT_EQ(store.Table().KeyboardHook(), 0U);
    HookTheKeyboard(store);
    HookTheKeyboard(store); // a second switch-on keeps the one hook
    EXPECT_EQ(hook.Calls, (std::vector<std::string>{"OrvUnHook 101", "OrvUpKeyHook",
                                                    "OrvHookKeyboard", "OrvUpKeyHook"}));
    EXPECT_EQ(store.Table().KeyboardHook(), 103U);
}

} // namespace
} // namespace orvane
