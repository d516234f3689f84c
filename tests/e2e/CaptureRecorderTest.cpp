// SPDX-License-Identifier: GPL-3.0-or-later
// The hook backend's recorder on a real X server: what the user types reaches it only while a
// capture runs, and the program's own synthesized typing never does.
#include "HookMessages.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "capture/CaptureScriptWriter.h"
#include "core/HotKeyTable.h"
#include "platform/x11/HookedInputSynth.h"
#include "platform/x11/X11HookLibrary.h"
#include "platform/x11/X11InputSynth.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::e2e {
namespace {

class Messages : public HookMessages {
public:
    std::string CaptureText() const {
        std::string text;
        for (const HookMessage& m : received) {
            if (m.Id == HookMessageId::UM_CAPTURECHAR) {
                text += static_cast<char>(m.LParam);
            }
        }
        return text;
    }
};

TEST(CaptureRecorder, RecordsTheUsersInputOnlyWhileACaptureRuns) {
    VirtualDisplay display;
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    std::string error;
    const auto hook = X11HookLibrary::Open(display.Name().c_str(), false, error);
    ASSERT_TRUE(hook) << error;
    hook->Recorder().SetTranscribers([](const CaptureSettings& settings) {
        return std::make_unique<CaptureScriptWriter>(settings);
    });
    const auto synth = X11InputSynth::Open(display.Name().c_str(), error);
    ASSERT_TRUE(synth) << error;
    HookedInputSynth input(*synth, *hook);
    Messages messages;
    hook->SetReceiver(&messages);
    MacroTable table;
    table.SetMainWindow(1);
    hook->OrvUpInit(table);

    // No capture: typing is not recorded.
    ASSERT_TRUE(TypeText(display, "secret"));
    ASSERT_TRUE(probe.WaitForText("secret"));
    // A round trip of the backend's own sees everything the server sent before it.
    ASSERT_TRUE(ServeHook(*hook, [&] { return true; }));
    input.TypeCharacter(U'!');
    input.EndOfBatch();
    ASSERT_TRUE(probe.WaitForText("secret!"));
    hook->ProcessEvents();
    EXPECT_EQ(messages.Count(HookMessageId::UM_CAPTURECHAR), 0);

    // A capture of macro 7, stopped by Ctrl+Alt+Shift+X.
    table.SetCaptureKeys(true);
    table.SetCaptureMouse(true);
    table.SetCaptureToScreen(true);
    table.SetCaptureTiming(false);
    table.SetCaptureTarget(7);
    table.SetStopKey(KeyValues::Of(DecipherKey(*HotKeyCodeOf("Ctrl+Alt+Shift+X"))));
    hook->OrvUpCapture(table);
    table.SetCaptureOn(true);
    hook->OrvUpCaptureOn(table);
    ASSERT_TRUE(TypeText(display, "ab"));
    ASSERT_TRUE(probe.WaitForText("secret!ab"));
    // Served before our own typing starts, as the program's event loop does.
    ASSERT_TRUE(ServeHook(*hook, [&] { return true; }));
    // Our own typing during the capture is not the user's.
    input.TypeCharacter(U'z');
    input.EndOfBatch();
    ASSERT_TRUE(probe.WaitForText("secret!abz"));
    ASSERT_TRUE(TypeText(display, "C"));
    ASSERT_TRUE(probe.WaitForText("secret!abzC"));
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+x"}));
    ASSERT_TRUE(ServeHook(*hook, [&] { return messages.Count(HookMessageId::UM_CAPTUREDONE) > 0; }))
        << messages.CaptureText();
    EXPECT_EQ(messages.CaptureText(), "abC");
    for (const HookMessage& m : messages.received) {
        if (m.Id == HookMessageId::UM_CAPTURECHAR || m.Id == HookMessageId::UM_CAPTUREDONE) {
            EXPECT_EQ(m.WParam, 7u);
        }
    }

    // Once stopped, nothing more, even before the program has cleared CaptureOn.
    ASSERT_TRUE(TypeText(display, "after"));
    ASSERT_TRUE(probe.WaitForText("secret!abzCafter"));
    ASSERT_TRUE(ServeHook(*hook, [&] { return true; }));
    EXPECT_EQ(messages.CaptureText(), "abC");
    table.SetCaptureOn(false);
    hook->OrvUpCaptureOn(table);
    ASSERT_TRUE(TypeText(display, "x"));
    ASSERT_TRUE(probe.WaitForText("secret!abzCafterx"));
    ASSERT_TRUE(ServeHook(*hook, [&] { return true; }));
    EXPECT_EQ(messages.CaptureText(), "abC");
    EXPECT_EQ(messages.Count(HookMessageId::UM_CAPTUREDONE), 1);
}

} // namespace
} // namespace orvane::e2e
