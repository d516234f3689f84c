// SPDX-License-Identifier: GPL-3.0-or-later
// ShortKeys and timed macros inside hot key dispatch, as the program wires them: what the target
// window receives when the backend reports typing and when the scheduler finds a macro due.
#include "activation/ActivationHosts.h"
#include "FakeHotKeyHost.h"
#include "MacroFileFixture.h"
#include "activation/HotKeyDispatch.h"
#include "core/SettingsBlock.h"
#include "platform/fake/FakeEventPump.h"
#include "platform/fake/FakeInputSynth.h"
#include "platform/fake/FakePlaybackCommands.h"
#include "platform/fake/FakePrompts.h"
#include "platform/fake/FakeWallClock.h"
#include "playback/Player.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr WindowId Editor = 10;
constexpr WindowId Terminal = 20;

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
    DispatchShortKeyHost shortKeyHost{dispatch, desktop.Finder, player, prompts};
    ShortKeys shortKeys{store, settings, input, pump, shortKeyHost};
    DispatchTimedMacroHost timedHost{dispatch, desktop.Finder, player, commands};
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
    Scheduler scheduler(store, settings, timedHost, start);
    scheduler.CheckAndSetTime(start);
    scheduler.CheckOutTimerMacros(LocalMoment(start.Ms() + LocalMoment::MsPerMinute));
    EXPECT_EQ(trace.Text(), "+CAPS -CAPS +O -O +K -K +CAPS -CAPS");
}

} // namespace
} // namespace orvane
