// SPDX-License-Identifier: GPL-3.0-or-later
// Hot key dispatch against the fake backend: what the target window receives, which window is
// brought forward, which message is shown, for each rule of the lookup and each refusal.
#include "activation/HotKeyDispatch.h"
#include "FakeHotKeyHost.h"
#include "core/HotKeyTable.h"
#include "core/MacroStore.h"
#include "platform/fake/FakeEventPump.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeInputSynth.h"
#include "platform/fake/FakeMessageSink.h"
#include "platform/fake/FakePlaybackCommands.h"
#include "platform/fake/FakePrompts.h"
#include "platform/fake/FakeWallClock.h"
#include "playback/Player.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

constexpr WindowId Editor = 10;   // "Notes - Editor", program "editor"
constexpr WindowId Terminal = 20; // "Shell", program "term"
constexpr WindowId PauseWindow = 30;

std::uint16_t Code(const char* name) {
    return *HotKeyCodeOf(name);
}

class HotKeyDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("orvane-dispatch-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        ASSERT_TRUE(store.LoadMacroFile(folder / "T.ORV")); // the four system macros, 1..4
        desktop.Set({{Editor, "Notes - Editor", "editor"},
                     {Terminal, "Shell", "term"},
                     {PauseWindow, "Pause (Ctrl+A)", "orvane"}},
                    Terminal);
        desktop.Run({"editor", "term", "orvane"});
        dispatch.ProgramChanged(Terminal);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Appends a macro typing `text`; returns its number.
    int Add(const char* key, std::int16_t scope, std::string_view text,
            std::string_view target = "", bool topMostOnly = false, bool active = true) {
        MacroRecord r;
        r.Nickname.Assign(text);
        r.HotKey = Code(key);
        r.Scope = scope;
        r.Active = active ? 1 : 0;
        r.TopMostOnly = topMostOnly ? 1 : 0;
        r.ScopeTarget.Assign(target);
        r.SetText(text);
        EXPECT_TRUE(store.AppendMacro(r));
        store.SetHotKeys();
        return store.MacroCount();
    }

    // Strikes a hot key with `foreground` in front; returns what the desktop saw.
    std::string Strike(const char* key, WindowId foreground, bool capsOn = false) {
        if (foreground != desktop.Windows.ForegroundWindow) {
            desktop.Windows.ForegroundWindow = foreground;
            dispatch.ProgramChanged(foreground);
        }
        trace.Clear();
        hook.Clear();
        dispatch.Receive({HookMessageId::UM_HOTKEY, Code(key) | (capsOn ? 0x8000U : 0U),
                          static_cast<std::int64_t>(foreground), 0});
        return trace.Text();
    }

    // Strikes `key` while the macro of `pausedKey` (its text holds a pause) waits in its pause
    // dialog; returns what that strike did.
    std::string StrikeDuringPause(const char* pausedKey, const char* key, bool capsOn = false) {
        return DuringPause(pausedKey, [&] { return Strike(key, Editor, capsOn); });
    }
    std::string DuringPause(const char* pausedKey, const std::function<std::string()>& action) {
        std::string seen = "(no pause)";
        prompts.WhilePaused = [&] { seen = action(); };
        Strike(pausedKey, Editor);
        prompts.WhilePaused = nullptr;
        return seen;
    }

    fs::path folder;
    EventTrace trace;
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};
    FakeInputSynth input{&trace};
    FakeEventPump pump{&trace};
    FakePlaybackCommands commands{&trace};
    FakePrompts prompts{&trace};
    FakeWallClock clock;
    Player player{input, pump, commands, prompts, clock};
    FakeHotKeyHost host{trace};
    FakeDesktop desktop{trace};
    HotKeyDispatch dispatch{store, player, input, pump, prompts, host, desktop.Finder};
};

TEST_F(HotKeyDispatchTest, AGlobalMacroPlaysMarkedInUseAndEndsWithTheEndMark) {
    Add("Ctrl+A", ScopeGlobal, "x");
    hook.KeepTables = true;
    EXPECT_EQ(Strike("Ctrl+A", Editor), "settle +X -X +EXECUTE -EXECUTE");
    ASSERT_FALSE(hook.Calls.empty());
    EXPECT_EQ(hook.Calls.front(), "OrvUpInUse");
    EXPECT_TRUE(hook.Tables.front().InUse());
    EXPECT_FALSE(store.Table().InUse()) << "the next strike reads Caps Lock afresh";
    EXPECT_EQ(dispatch.TargetWindow(), Editor);
}

TEST_F(HotKeyDispatchTest, ScopeRules) {
    struct Case {
        const char* Rule;
        WindowId Foreground;
        bool TopMostOnly;
        std::string Expected;
    };
    // A global "g" and a window-specific "w" (title contains "notes") on one key, the specific
    // one first in the table so that table order cannot explain the result.
    const Case cases[] = {
        {"its window in front: the specific macro", Editor, false,
         "settle +W -W +EXECUTE -EXECUTE"},
        {"another window in front: brought forward", Terminal, false,
         "front:10 settle +W -W +EXECUTE -EXECUTE"},
        {"top-most only, another window in front: the global macro", Terminal, true,
         "settle +G -G +EXECUTE -EXECUTE"},
        {"top-most only, its window in front", Editor, true, "settle +W -W +EXECUTE -EXECUTE"},
        {"the program's own pause window in front: no pass 1", PauseWindow, true,
         "settle +G -G +EXECUTE -EXECUTE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Rule);
        SetUp();
        Add("Ctrl+B", ScopeSpecificWindow, "w", "notes", c.TopMostOnly);
        Add("Ctrl+B", ScopeGlobal, "g");
        EXPECT_EQ(Strike("Ctrl+B", c.Foreground), c.Expected);
        TearDown();
    }
}

TEST_F(HotKeyDispatchTest, ProgramScopeRules) {
    struct Case {
        const char* Rule;
        WindowId Foreground;
        bool TopMostOnly;
        std::vector<std::string> Running;
        std::string Expected;
    };
    const Case cases[] = {
        {"its program in front",
         Editor,
         false,
         {"editor", "term"},
         "settle +P -P +EXECUTE -EXECUTE"},
        {"running behind: brought forward",
         Terminal,
         false,
         {"editor", "term"},
         "front:10 settle +P -P +EXECUTE -EXECUTE"},
        {"top-most only, behind: the global macro",
         Terminal,
         true,
         {"editor", "term"},
         "settle +G -G +EXECUTE -EXECUTE"},
        {"not running: the global macro",
         Terminal,
         false,
         {"term"},
         "settle +G -G +EXECUTE -EXECUTE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Rule);
        SetUp();
        desktop.Run(c.Running);
        dispatch.ProgramChanged(desktop.Windows.ForegroundWindow);
        Add("Ctrl+C", ScopeSpecificProgram, "p", "edit", c.TopMostOnly);
        Add("Ctrl+C", ScopeGlobal, "g");
        EXPECT_EQ(Strike("Ctrl+C", c.Foreground), c.Expected);
        TearDown();
    }
}

TEST_F(HotKeyDispatchTest, InFrontWinsOverBroughtForwardAndTheLastGlobalWins) {
    Add("Ctrl+D", ScopeGlobal, "a");
    Add("Ctrl+D", ScopeSpecificWindow, "s", "shell");
    Add("Ctrl+D", ScopeSpecificWindow, "n", "notes");
    Add("Ctrl+D", ScopeGlobal, "b");
    // The "notes" macro is later in the table, but its window is the one in front.
    EXPECT_EQ(Strike("Ctrl+D", Editor), "settle +N -N +EXECUTE -EXECUTE");

    SetUp();
    Add("Ctrl+E", ScopeGlobal, "a");
    Add("Ctrl+E", ScopeGlobal, "b");
    EXPECT_EQ(Strike("Ctrl+E", Editor), "settle +B -B +EXECUTE -EXECUTE");
}

TEST_F(HotKeyDispatchTest, DeactivatedMacrosAreNeverChosen) {
    // The user turned these off: neither may bring its window forward or replace the active
    // global macro.
    Add("Ctrl+F", ScopeGlobal, "a");
    Add("Ctrl+F", ScopeSpecificWindow, "n", "notes", false, false);
    Add("Ctrl+F", ScopeGlobal, "z", "", false, false);
    EXPECT_EQ(Strike("Ctrl+F", Terminal), "settle +A -A +EXECUTE -EXECUTE");
    EXPECT_EQ(Strike("Ctrl+F", Editor), "settle +A -A +EXECUTE -EXECUTE");
}

TEST_F(HotKeyDispatchTest, WindowNotFoundAndNoMatchDoNothing) {
    Add("Ctrl+G", ScopeSpecificWindow, "w", "nowhere");
    EXPECT_EQ(Strike("Ctrl+G", Editor), "") << "no window comes forward";
    EXPECT_EQ(Strike("Ctrl+H", Editor), "");
}

TEST_F(HotKeyDispatchTest, Refusals) {
    Add("Ctrl+A", ScopeGlobal, "x");
    host.PopupShown = true;
    EXPECT_EQ(Strike("Ctrl+A", Editor),
              "message:Warning:" + std::string(HotKeyDispatch::PopupMenuRefusalText));
    host.PopupShown = false;
    store.Table().SetCaptureOn(true);
    EXPECT_EQ(Strike("Ctrl+A", Editor),
              "message:Warning:" + std::string(HotKeyDispatch::CaptureRefusalText));
    store.Table().SetCaptureOn(false);
    EXPECT_TRUE(hook.Calls.empty()) << "a refusal publishes nothing";
    Add("Ctrl+P", ScopeGlobal, "p<PAUSE>");
    EXPECT_EQ(StrikeDuringPause("Ctrl+P", "Ctrl+A"),
              "message:Warning:" + std::string(HotKeyDispatch::PauseRefusalText));
}

TEST_F(HotKeyDispatchTest, APauseIsResumedByResumePauseOrThePausedMacrosOwnKey) {
    Add("Ctrl+A", ScopeGlobal, "x<PAUSE>");
    Add("Ctrl+B", ScopeGlobal, "y");
    EXPECT_EQ(StrikeDuringPause("Ctrl+A", "Ctrl+Alt+Shift+Y"), "settle resume-pause");
    EXPECT_EQ(StrikeDuringPause("Ctrl+A", "Ctrl+A"), "settle resume-pause");
    EXPECT_EQ(StrikeDuringPause("Ctrl+A", "Ctrl+A", true), "+CAPS -CAPS settle resume-pause")
        << "Caps Lock pressed once more before resuming";
    EXPECT_EQ(StrikeDuringPause("Ctrl+A", "Ctrl+B"),
              "message:Warning:" + std::string(HotKeyDispatch::PauseRefusalText));
}

TEST_F(HotKeyDispatchTest, CapsLockOnAtTheStrikeIsOffDuringPlaybackAndOnAgainAfter) {
    Add("Ctrl+A", ScopeGlobal, "x");
    EXPECT_EQ(Strike("Ctrl+A", Editor, true),
              "settle +CAPS -CAPS +X -X +CAPS -CAPS +EXECUTE -EXECUTE");
    EXPECT_TRUE(dispatch.CapsWasOn());
    EXPECT_EQ(Strike("Ctrl+A", Editor), "settle +X -X +EXECUTE -EXECUTE");
}

TEST_F(HotKeyDispatchTest, SystemCommands) {
    EXPECT_EQ(Strike("Ctrl+Alt+Shift+W", Editor), "show-main");
    EXPECT_EQ(Strike("Ctrl+Alt+Shift+X", Editor), "capture");
    EXPECT_EQ(Strike("Ctrl+Alt+Shift+Y", Editor), "") << "Resume Pause without a pause";
    EXPECT_EQ(Strike("Ctrl+Alt+Shift+Z", Editor), "menu-top");

    struct Case {
        bool Paused;
        bool Popup;
        bool Capture;
        std::string_view Text;
    };
    const Case refusals[] = {
        {true, true, true, HotKeyDispatch::ActivateMePauseText},
        {false, true, true, HotKeyDispatch::ActivateMePopupText},
        {false, false, true, HotKeyDispatch::ActivateMeCaptureText},
    };
    Add("Ctrl+P", ScopeGlobal, "p<PAUSE>");
    for (const Case& c : refusals) {
        const auto activateMe = [&] {
            host.PopupShown = c.Popup;
            store.Table().SetCaptureOn(c.Capture);
            trace.Clear();
            dispatch.ActivateMe();
            const std::string seen = trace.Text();
            host.PopupShown = false;
            store.Table().SetCaptureOn(false);
            return seen;
        };
        EXPECT_EQ(c.Paused ? DuringPause("Ctrl+P", activateMe) : activateMe(),
                  "message:Warning:" + std::string(c.Text));
    }
}

TEST_F(HotKeyDispatchTest, MacroNumberPopupMenuAndTheRestrikeAfterANetworkReload) {
    const int chosen = Add("Ctrl+J", ScopeGlobal, "m");
    const int menu = Add("Ctrl+K", ScopePopupMenu, "menu");
    trace.Clear();
    dispatch.Receive({HookMessageId::UM_HOTKEY, 0x4000U | static_cast<unsigned>(chosen), 0, 0});
    EXPECT_EQ(trace.Text(), "settle +M -M +EXECUTE -EXECUTE") << "no lookup for a macro number";

    host.PopupChoice = chosen;
    EXPECT_EQ(Strike("Ctrl+K", Editor),
              "popup:" + std::to_string(menu) + " settle +M -M +EXECUTE -EXECUTE");
    host.PopupChoice = 0;
    EXPECT_EQ(Strike("Ctrl+K", Editor), "popup:" + std::to_string(menu));

    host.SharedFileChanged = true;
    EXPECT_EQ(Strike("Ctrl+Alt+Shift+Z", Editor),
              "reload +ALT +CTRL +SHIFT +Z -Z -SHIFT -CTRL -ALT");
    host.SharedFileChanged = true;
    EXPECT_EQ(Strike("Win+Alt+Q", Editor), "reload +RWIN +ALT +Q -Q -ALT -RWIN");
}

TEST_F(HotKeyDispatchTest, AbortDuringPlaybackStopsTheMacroAndNoticesOnce) {
    Add("Ctrl+A", ScopeGlobal, "ab<DELAY:1>cd");
    pump.AtServe(2, [this] { dispatch.Receive({HookMessageId::UM_ABORT, 0, 0, 0}); });
    const std::string seen = Strike("Ctrl+A", Editor);
    EXPECT_EQ(seen.find("+C"), std::string::npos) << seen;
    EXPECT_EQ(prompts.Messages, 1);
}

TEST_F(HotKeyDispatchTest, AHotKeyStruckWhileAMacroPlaysChangesNothing) {
    // Each of these, struck while the global macro types into the shell, would otherwise bring
    // a window forward or type: the specific macro's window, its program, a popup menu.
    struct Case {
        const char* Key;
        std::int16_t Scope;
        const char* Target;
    };
    const Case cases[] = {
        {"Ctrl+W", ScopeSpecificWindow, "notes"},
        {"Ctrl+R", ScopeSpecificProgram, "edit"},
        {"Ctrl+G", ScopeGlobal, ""},
        {"Ctrl+M", ScopePopupMenu, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Key);
        SetUp();
        Add("Ctrl+A", ScopeGlobal, "ab<DELAY:1>cd");
        Add(c.Key, c.Scope, "zz", c.Target);
        std::string during = "(not struck)";
        pump.AtServe(pump.ServeCount() + 2, [&] { during = Strike(c.Key, Terminal); });
        Strike("Ctrl+A", Terminal);
        EXPECT_EQ(during, "");
        EXPECT_EQ(desktop.Windows.ForegroundWindow, Terminal);
        EXPECT_EQ(dispatch.CurrentMacro(), 5) << "the playing macro stays the current one";
        // Once it has ended the key works again.
        EXPECT_NE(Strike(c.Key, Terminal), "");
        TearDown();
    }
}

TEST_F(HotKeyDispatchTest, ForegroundTrackingAndListeners) {
    struct Listener : HookMessageReceiver {
        std::vector<HookMessageId> Seen;
        void Receive(const HookMessage& m) override { Seen.push_back(m.Id); }
    } listener;
    dispatch.AddListener(&listener);
    hook.Clear();
    dispatch.Receive({HookMessageId::UM_PROGCHANGED, Editor, 0, 0});
    EXPECT_EQ(store.Table().ForegroundProgram(), "EDITOR");
    EXPECT_EQ(store.Table().ProgramCount(), 3);
    EXPECT_EQ(store.Table().Program(2), "TERM");
    EXPECT_EQ(hook.Calls, (std::vector<std::string>{"OrvUpProg", "OrvUpProgs"}));
    EXPECT_EQ(dispatch.LastForegroundWindow(), Editor);
    EXPECT_EQ(dispatch.LastOtherProgramWindow(), Editor);
    dispatch.Receive({HookMessageId::UM_PROGCHANGED, PauseWindow, 0, 0});
    EXPECT_EQ(dispatch.LastForegroundWindow(), PauseWindow);
    EXPECT_EQ(dispatch.LastOtherProgramWindow(), Editor) << "our own window is not another's";

    dispatch.Receive({HookMessageId::UM_CAPSLOCK, 1, 0, 0});
    EXPECT_TRUE(dispatch.CapsLockReported());
    dispatch.Receive({HookMessageId::UM_SHORTKEYCHAR, 0, 'a', 0});
    EXPECT_EQ(listener.Seen, (std::vector<HookMessageId>{
                                 HookMessageId::UM_PROGCHANGED, HookMessageId::UM_PROGCHANGED,
                                 HookMessageId::UM_CAPSLOCK, HookMessageId::UM_SHORTKEYCHAR}));
}

TEST_F(HotKeyDispatchTest, TraceIsOffUntilASinkIsGiven) {
    dispatch.Receive({HookMessageId::UM_TRACE, 0, 'q', 0});
    std::string written;
    dispatch.SetTrace([&written](char c) { written.push_back(c == 0 ? '|' : c); });
    dispatch.Receive({HookMessageId::UM_TRACE, 0, 'h', 0});
    dispatch.Receive({HookMessageId::UM_TRACE, 0, 0, 0});
    EXPECT_EQ(written, "h|");
}

} // namespace
} // namespace orvane
