// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fake/EventTrace.h"
#include "platform/fake/FakeEventPump.h"
#include "platform/fake/FakeInputSynth.h"
#include "platform/fake/FakePlaybackCommands.h"
#include "platform/fake/FakePrompts.h"
#include "platform/fake/FakeWallClock.h"
#include "playback/Player.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orvane {

// A player on the fake backend, every fake writing to one trace, so a test states what the
// desktop would see in one line: "+SHIFT +A -A -SHIFT wait:500ms clipboard:x".
class PlaybackFixture : public ::testing::Test {
protected:
    std::string Play(std::string_view text, bool capsWasOn = false) {
        trace.Clear();
        player.Play(text, capsWasOn);
        return trace.Text();
    }

    std::size_t Count(std::string_view entry) const {
        std::size_t n = 0;
        for (const std::string& e : trace.Entries()) {
            n += e == entry ? 1 : 0;
        }
        return n;
    }

    EventTrace trace;
    FakeInputSynth input{&trace};
    FakeEventPump pump{&trace};
    FakePlaybackCommands commands{&trace};
    FakePrompts prompts{&trace};
    FakeWallClock clock;
    Player player{input, pump, commands, prompts, clock};
};

struct TraceCase {
    std::string Text;
    std::string Expected;
};

} // namespace orvane
