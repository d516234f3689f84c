// SPDX-License-Identifier: GPL-3.0-or-later
// ShortKeys and timed macros started through hot key dispatch, as the program wires them: what the
// target window receives when the backend reports typing and when the scheduler finds a macro due.
#include "activation/ActivationHosts.h"
#include "FakeHotKeyHost.h"
#include "MacroFileFixture.h"
#include "activation/HotKeyDispatch.h"
#include "activation/ShortKeys.h"
#include "core/HotKeyTable.h"
#include "core/SettingsBlock.h"
#include "platform/fake/FakeEventPump.h"
#include "platform/fake/FakeInputSynth.h"
#include "platform/fake/FakePlaybackCommands.h"
#include "platform/fake/FakePrompts.h"
#include "platform/fake/FakeWallClock.h"
#include "playback/Player.h"
#include "playback/PromptRules.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace orvane {
namespace {

constexpr WindowId Editor = 10;
constexpr WindowId Terminal = 20;

constexpr std::int64_t Minute = LocalMoment::MsPerMinute;

MacroRecord Macro(std::uint16_t hotKey, std::string_view shortKey, std::string_view text,
                  std::int16_t scope = ScopeGlobal, std::string_view target = "") {
    MacroRecord record;
    record.Nickname.Assign(text);
    record.HotKey = hotKey;
    record.ShortKey.Assign(shortKey);
    record.Scope = scope;
    record.ScopeTarget.Assign(target);
    record.Active = 1;
    record.SetText(text);
    return record;
}

class ActivationHostsTest : public MacroFileFixture {
protected:
    void Wire() {
        desktop.Set({{Editor, "Notes - Editor", "editor"}, {Terminal, "Shell", "term"}}, Editor);
        dispatch.ProgramChanged(Editor);
        dispatch.AddListener(&shortKeys);
        hook.SetReceiver(&dispatch);
        trace.Clear();
    }

    // Strikes a hot key with the editor in front; returns what was done.
    std::string Strike(const char* key) {
        trace.Clear();
        hook.Post({HookMessageId::UM_HOTKEY, *HotKeyCodeOf(key), Editor, 0});
        return trace.Text();
    }

    // What `action` does while the macro `start` plays waits in its pause dialog.
    std::string DuringPause(const std::function<void()>& start,
                            const std::function<std::string()>& action) {
        std::string seen = "(no pause)";
        prompts.WhilePaused = [&] {
            prompts.WhilePaused = nullptr;
            seen = action();
        };
        start();
        prompts.WhilePaused = nullptr;
        return seen;
    }

    std::unique_ptr<Scheduler> EveryMinute(LocalMoment start) {
        auto scheduler = std::make_unique<Scheduler>(store, settings, dispatch, timedHost, start);
        scheduler->CheckAndSetTime(start);
        return scheduler;
    }

    std::string Type(std::string_view text) {
        trace.Clear();
        for (const char c : text) {
            hook.Post({HookMessageId::UM_SHORTKEYCHAR, 0, static_cast<unsigned char>(c), 0});
        }
        return trace.Text();
    }

    EventTrace trace;
    FakeInputSynth input{&trace};
    FakeEventPump pump{&trace};
    FakePlaybackCommands commands{&trace};
    FakePrompts prompts{&trace};
    FakeWallClock clock;
    Player player{input, pump, commands, prompts, clock};
    FakeHotKeyHost host{trace};
    FakeDesktop desktop{trace};
    HotKeyDispatch dispatch{store, player, input, pump, prompts, host, desktop.Finder};
    SettingsBlock settings;
    FinderForegroundLookup foreground{desktop.Finder};
    ShortKeys shortKeys{store, settings, input, pump, dispatch, foreground};
    DesktopTimedMacroHost timedHost{desktop.Finder, commands};
};

TEST_F(ActivationHostsTest, ATypedShortKeyIsReplacedByItsMacroInTheWindowInFront) {
    Load({Macro(HotKeyShortKey, "sig", "ok"),
          Macro(HotKeyShortKey, "adr", "x", ScopeSpecificProgram, "term")});
    settings.PrefixKeys = ";";
    Wire();
    EXPECT_EQ(Type(";sig"),
              "+BS -BS +BS -BS +BS -BS +BS -BS wait:100ms +O -O +K -K +EXECUTE -EXECUTE");
    // A program-specific ShortKey typed in another program does nothing.
    EXPECT_EQ(Type(";adr"), "");
}

TEST_F(ActivationHostsTest, ShortKeysAreRefusedLikeHotKeys) {
    Load({Macro(HotKeyShortKey, "sig", "ok")});
    Wire();
    store.Table().SetCaptureOn(true);
    EXPECT_EQ(Type("sig"), "message:Warning:" + std::string(HotKeyDispatch::CaptureRefusalText));
}

TEST_F(ActivationHostsTest, ADueTimedMacroPlaysWithTheReportedCapsLockOffMeanwhile) {
    MacroRecord timed = Macro(HotKeyTimed, "", "ok");
    timed.SchedKind = static_cast<std::int16_t>(SchedKind::EveryMinutes);
    timed.SchedInterval = 1;
    Load({timed});
    Wire();
    hook.Post({HookMessageId::UM_CAPSLOCK, 1, 0, 0});
    const LocalMoment start = LocalMoment::From(2024, 1, 1, 9, 0);
    Scheduler scheduler(store, settings, dispatch, timedHost, start);
    scheduler.CheckAndSetTime(start);
    scheduler.CheckOutTimerMacros(LocalMoment(start.Ms() + LocalMoment::MsPerMinute));
    EXPECT_EQ(trace.Text(), "+CAPS -CAPS +O -O +K -K +CAPS -CAPS");
}

TEST_F(ActivationHostsTest, ThePauseDialogNamesTheMacroAndTheHotKeyOfEveryStarter) {
    MacroRecord hotKey = Macro(*HotKeyCodeOf("Ctrl+Alt+Shift+P"), "", "a<PAUSE>");
    hotKey.Nickname.Assign("Order form");
    MacroRecord shortKey = Macro(HotKeyShortKey, "sig", "s<PAUSE>");
    shortKey.Nickname.Assign("Signature");
    MacroRecord timed = Macro(HotKeyTimed, "", "t<PAUSE>");
    timed.Nickname.Assign("Report");
    timed.SchedKind = static_cast<std::int16_t>(SchedKind::EveryMinutes);
    timed.SchedInterval = 1;
    Load({hotKey, shortKey, timed});
    Wire();

    Strike("Ctrl+Alt+Shift+P");
    Type("sig");
    const LocalMoment start = LocalMoment::From(2024, 1, 1, 9, 0);
    EveryMinute(start)->CheckOutTimerMacros(LocalMoment(start.Ms() + Minute));
    ASSERT_EQ(prompts.Paused.size(), 3u);
    EXPECT_EQ(prompts.Paused[0].Nickname, "Order form");
    EXPECT_EQ(PauseCaption(prompts.Paused[0].ActivationCode), "Pause (Ctrl+Alt+Shift+P)");
    EXPECT_EQ(prompts.Paused[1].Nickname, "Signature");
    EXPECT_EQ(PauseCaption(prompts.Paused[1].ActivationCode), "Pause");
    EXPECT_EQ(prompts.Paused[2].Nickname, "Report");
    EXPECT_EQ(PauseCaption(prompts.Paused[2].ActivationCode), "Pause");
}

TEST_F(ActivationHostsTest, AShortKeyOrTimedMacroInItsPauseIsTheOneThePauseRulesMean) {
    // The hot key macro played last is not the paused one: its key is refused, Resume Pause
    // resumes, and a ShortKey typed meanwhile is refused too.
    MacroRecord timed = Macro(HotKeyTimed, "", "t<PAUSE>");
    timed.SchedKind = static_cast<std::int16_t>(SchedKind::EveryMinutes);
    timed.SchedInterval = 1;
    Load({Macro(*HotKeyCodeOf("Ctrl+Alt+Shift+H"), "", "h"),
          Macro(HotKeyShortKey, "sig", "s<PAUSE>"), timed});
    Wire();
    const std::string refused = "message:Warning:" + std::string(HotKeyDispatch::PauseRefusalText);
    const LocalMoment start = LocalMoment::From(2024, 1, 1, 9, 0);
    const std::function<void()> starts[] = {
        [&] { Type(" sig"); },
        [&] { EveryMinute(start)->CheckOutTimerMacros(LocalMoment(start.Ms() + Minute)); },
    };
    for (const auto& startPaused : starts) {
        EXPECT_EQ(Strike("Ctrl+Alt+Shift+H"), "settle +H -H +EXECUTE -EXECUTE");
        EXPECT_EQ(DuringPause(startPaused, [&] { return Strike("Ctrl+Alt+Shift+H"); }), refused);
        EXPECT_EQ(DuringPause(startPaused, [&] { return Type(" sig"); }), refused);
        EXPECT_EQ(DuringPause(startPaused, [&] { return Strike("Ctrl+Alt+Shift+Y"); }),
                  "settle resume-pause");
    }
}

TEST_F(ActivationHostsTest, ATimedMacroDueWhileAnotherWaitsInItsPausePlaysMeanwhile) {
    MacroRecord timed = Macro(HotKeyTimed, "", "t");
    timed.SchedKind = static_cast<std::int16_t>(SchedKind::EveryMinutes);
    timed.SchedInterval = 1;
    MacroRecord paused = Macro(*HotKeyCodeOf("Ctrl+Alt+Shift+P"), "", "a<PAUSE>b");
    paused.Nickname.Assign("Order form");
    Load({paused, timed});
    Wire();
    const LocalMoment start = LocalMoment::From(2024, 1, 1, 9, 0);
    std::unique_ptr<Scheduler> scheduler = EveryMinute(start);
    prompts.WhilePaused = [&] {
        prompts.WhilePaused = nullptr;
        scheduler->CheckOutTimerMacros(LocalMoment(start.Ms() + Minute));
        // The paused macro is the current one again: its own key resumes it.
        hook.Post({HookMessageId::UM_HOTKEY, *HotKeyCodeOf("Ctrl+Alt+Shift+P"), Editor, 0});
    };
    const std::string seen = Strike("Ctrl+Alt+Shift+P");
    EXPECT_EQ(seen.substr(0, seen.find(" pause:")), "settle +A -A");
    EXPECT_NE(seen.find(" +T -T settle resume-pause +B -B "), std::string::npos) << seen;
    EXPECT_EQ(prompts.Playing.Nickname, "Order form") << "the dialog names the paused one again";
}

} // namespace
} // namespace orvane
