// SPDX-License-Identifier: GPL-3.0-or-later
// Shows one run-time prompt as a macro would, for pictures of it on a real display.
// Usage: ui_prompt_gallery pause|repeat|message     (ends when the prompt is closed)
#include "platform/fake/FakeMessageSink.h"
#include "ui/playback/DialogPrompts.h"

#include <QApplication>
#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string_view which = argc == 2 ? argv[1] : "";
    orvane::FakeMessageSink messages;
    orvane::DialogPrompts prompts({nullptr, [] { return false; }, nullptr, &messages});
    if (which == "pause") {
        prompts.SetPlayingMacro("Order form", 144);
        prompts.DoPause(180, 300, "Check the order number, then Resume to go on typing.", 0);
    } else if (which == "repeat") {
        prompts.DoRepPrompt();
    } else if (which == "message") {
        prompts.DoAMessage("Macro Abort", "Orvane 98 macro has been aborted.");
    } else {
        std::fprintf(stderr, "usage: %s pause|repeat|message\n", argv[0]);
        return 2;
    }
    return 0;
}
