// SPDX-License-Identifier: GPL-3.0-or-later
// The playback engine over arbitrary macro text with the fake backend. Waits cost nothing on
// the fake clock; the prompts answer fixed values; every text file named "t" holds the input
// itself, so self-inclusion and nesting are explored. A step budget requests an abort so that
// large repeat counts end quickly, which also exercises the abort paths.
#include "platform/fake/FakeEventPump.h"
#include "platform/fake/FakeInputSynth.h"
#include "platform/fake/FakePlaybackCommands.h"
#include "platform/fake/FakePrompts.h"
#include "platform/fake/FakeWallClock.h"
#include "playback/Player.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    const std::string text(reinterpret_cast<const char*>(data), size);

    FakeInputSynth input;
    FakeEventPump pump;
    FakePlaybackCommands commands;
    FakePrompts prompts;
    FakeWallClock clock;
    commands.Files["t"] = text;
    commands.Files["u"] = "<REPEAT:0003>x<I><ENDREP>";
    commands.Windows["Editor"] = 5;
    commands.LaunchOpens["gedit"] = "Editor";
    prompts.DefaultRepeat = 4;
    if (size > 0 && data[0] % 3 == 0) {
        prompts.PauseAnswers = {PauseResult{false, true}};
    }
    Player player(input, pump, commands, prompts, clock);
    pump.EveryServe([&] {
        if (pump.ServeCount() == 4000) {
            player.RequestAbort();
        }
    });
    player.Play(text, size > 1 && data[1] % 2 == 0);
    if (player.IsPlaying() || prompts.Messages > 1) {
        std::abort();
    }
    return 0;
}
