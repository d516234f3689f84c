// SPDX-License-Identifier: GPL-3.0-or-later
// The hook backend on a real X server, as the ShortKeys see the word being typed: the
// program's own typing that lands in the middle of the user's word ends it, whenever the
// backend reads the keys, while the keys of a start marked in use stay its own to the end.
#include "HookMessages.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "platform/linux/VirtualKeys.h"
#include "platform/x11/HookedInputSynth.h"
#include "platform/x11/X11HookLibrary.h"
#include "platform/x11/X11InputSynth.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace orvane::e2e {
namespace {

class TypedWordTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(probe.WaitForReady());
        std::string error;
        hook = X11HookLibrary::Open(display.Name().c_str(), false, error);
        ASSERT_TRUE(hook) << error;
        synth = X11InputSynth::Open(display.Name().c_str(), error);
        ASSERT_TRUE(synth) << error;
        input = std::make_unique<HookedInputSynth>(*synth, *hook);
        hook->SetReceiver(&messages);
        table.SetMainWindow(1);
        hook->OrvUpInit(table);
        table.SetHaveShortKeys(true);
        hook->OrvUpShort(table);
    }

    // The typed-character messages handed on so far: each character as itself, a run of
    // "forget the word" as one '|'.
    std::string Word() const {
        std::string word;
        for (const HookMessage& m : messages.received) {
            if (m.Id != HookMessageId::UM_SHORTKEYCHAR) {
                continue;
            }
            if (m.WParam == 1) {
                if (word.empty() || word.back() != '|') {
                    word += '|';
                }
            } else if (m.WParam != 3) {
                word += static_cast<char>(m.LParam);
            }
        }
        return word;
    }

    // Our own typing of `c` as one batch, as playback types it.
    void TypeOwn(char c) {
        input->TypeCharacter(static_cast<unsigned char>(c));
        input->EndOfBatch();
    }

    // Serves the backend until everything the server has sent it so far is handed on.
    bool HandedOn() {
        return ServeHook(*hook, [] { return true; });
    }

    VirtualDisplay display;
    Probe probe{display, "Target"};
    std::unique_ptr<X11HookLibrary> hook;
    std::unique_ptr<X11InputSynth> synth;
    std::unique_ptr<HookedInputSynth> input;
    HookMessages messages;
    MacroTable table;
};

TEST_F(TypedWordTest, OurTypingBetweenTheUsersKeysEndsTheWord) {
    ASSERT_TRUE(TypeText(display, ";s"));
    ASSERT_TRUE(probe.WaitForText(";s"));
    ASSERT_TRUE(ServeHook(*hook, [&] { return Word() == ";s"; })) << Word();
    TypeOwn('T');
    ASSERT_TRUE(probe.WaitForText(";sT"));
    ASSERT_TRUE(TypeText(display, "k"));
    ASSERT_TRUE(probe.WaitForText(";sTk"));
    EXPECT_TRUE(ServeHook(*hook, [&] { return Word() == ";s|k"; })) << Word();
}

TEST_F(TypedWordTest, KeysNotYetReadWhenOurTypingStartsAreNotMatchedAfterIt) {
    // The server has taken the whole abbreviation, but the backend has not read it yet (the
    // program was busy elsewhere) when a timed macro starts typing.
    ASSERT_TRUE(TypeText(display, ";sk"));
    ASSERT_TRUE(probe.WaitForText(";sk"));
    TypeOwn('T');
    ASSERT_TRUE(probe.WaitForText(";skT"));
    ASSERT_TRUE(HandedOn());
    EXPECT_EQ(Word(), "|") << "handed on after our typing, the abbreviation would erase it";
    ASSERT_TRUE(TypeText(display, "x"));
    ASSERT_TRUE(probe.WaitForText(";skTx"));
    EXPECT_TRUE(ServeHook(*hook, [&] { return Word() == "|x"; })) << Word();
}

TEST_F(TypedWordTest, AStartMarkedInUseKeepsItsKeysUntilItsLastHasPassed) {
    // An expansion: marked in use, typed, ended by the end mark, all before the backend reads
    // any of it. Its keys must not read as a macro typing into the next word (that would
    // also close the window in which Backspace undoes the expansion).
    table.SetInUse(true);
    hook->OrvUpInUse(table);
    TypeOwn('x');
    input->PostKey(VirtualKeyCode::Execute, false);
    input->PostKey(VirtualKeyCode::Execute, true);
    ASSERT_TRUE(probe.WaitForText("x"));
    ASSERT_TRUE(HandedOn());
    EXPECT_EQ(Word(), "");
    // After its fence the user's typing is the user's again.
    ASSERT_TRUE(TypeText(display, "ab"));
    ASSERT_TRUE(probe.WaitForText("xab"));
    EXPECT_TRUE(ServeHook(*hook, [&] { return Word() == "ab"; })) << Word();
}

} // namespace
} // namespace orvane::e2e
