// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fake/EventTrace.h"
#include "platform/fake/FakeDesktopServices.h"
#include "platform/fake/FakeEventPump.h"
#include "platform/fake/FakeInputSynth.h"
#include "platform/fake/FakePrompts.h"
#include "platform/fake/FakeWallClock.h"
#include "platform/fake/FakeWindowSystem.h"
#include "playback/DesktopCommands.h"
#include "playback/Player.h"
#include "playback/WindowFinder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orvane {

// A player whose commands act on a fake desktop (windows, processes, shell, clipboard,
// sounds), every fake writing to one trace: a test states what the desktop saw.
class DesktopFixture : public ::testing::Test {
protected:
    std::string Play(std::string_view text) {
        trace.Clear();
        player.Play(text, false);
        return trace.Text();
    }

    EventTrace trace;
    FakeInputSynth input{&trace};
    FakeEventPump pump{nullptr};
    FakeWindowSystem windows{&trace};
    FakeProcesses processes{&trace};
    FakeShell shell{&trace};
    FakeClipboard clipboard{&trace};
    FakeSound sound{&trace};
    FakePrompts prompts{&trace};
    FakeWallClock clock;
    WindowFinder finder{windows, processes};
    std::string swapped;
    DesktopCommands commands{{&finder, &shell, &clipboard, &sound, &pump,
                              [this](std::string_view file) { swapped = file; }}};
    Player player{input, pump, commands, prompts, clock};
};

} // namespace orvane
