// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HookLibrary.h"
#include "core/MacroTable.h"
#include "platform/CaptureEvent.h"
#include "platform/WindowId.h"
#include "platform/x11/HotKeyGrabs.h"
#include "platform/x11/RawInputObserver.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

typedef struct _XDisplay Display;

namespace orvane {

class WindowSystem;

// The recorder of the hook backend: while a capture runs it turns the user's key and button
// events into capture events, has a transcriber (the capture layer's script writer) make macro
// text of them, and sends it to the program one character at a time (UM_CAPTURECHAR),
// and when the user strikes the stop key (or the captured macro's own hot key) it completes
// the text and reports the end (UM_CAPTUREDONE). Outside a capture it records nothing and
// keeps nothing.
//
// The backend feeds it the raw events of the user's devices only (never the program's own
// synthesized input); raw events carry no position, so the pointer is asked for at each button
// event, and the window in front is the one the backend tracks. Raw events carry no repeats
// either: the repeats a held key gave the window are counted from the keyboard's repeat delay
// and rate when the key is let go (unless the server did report them).
//
// off -> recording (CaptureOn published) -> off (stop key struck: text completed and the end
// reported; or CaptureOn cleared by the program: the rest dropped).
class CaptureRecorder {
public:
    using Poster = std::function<void(HookMessageId id, std::uint64_t wParam, std::int64_t lParam)>;

    // `display` is the backend's connection (for the pointer position); `post` queues a
    // message. Neither is owned.
    CaptureRecorder(Display* display, Poster post);

    // Where the titles and frames of windows come from for positions relative to a window; none
    // (the default): positions stay relative to the screen. Not owned.
    void SetWindows(WindowSystem* windows) { windows_ = windows; }
    // Where each capture's text comes from; none (the default): a capture records nothing but
    // its end.
    void SetTranscribers(CaptureTranscriberFactory make) { transcribers_ = std::move(make); }

    // OrvUpCapture: the capture parameters.
    void Publish(const MacroTable& table);
    // OrvUpCaptureOn: recording starts with a fresh script, or stops.
    void SetOn(bool on);
    bool Recording() const { return recording_; }

    // One raw key or button event of the user's. `state` holds the modifiers down before it,
    // `foreground` is the window in front.
    void Observe(const RawInput& input, const HookKeymap& keymap, unsigned state, unsigned group,
                 WindowId foreground);

    // Whether a grabbed key or button the backend has taken (hot key code `code`, struck at
    // `time`) ends the capture: the backend then leaves it to this recorder and does not report
    // it as a hot key.
    bool EndsCapture(std::optional<std::uint16_t> code, std::uint32_t time) const;

private:
    bool IsEndKey(std::optional<std::uint16_t> code) const;
    void End(std::uint32_t time);
    void Send(const std::string& text);
    void Feed(const CaptureEvent& event);
    void FillWindow(CaptureWindow& window, WindowId id);
    void ReadRepeatControls();
    void Released(std::uint8_t keycode, std::uint32_t time);

    Display* display_;
    unsigned long root_ = 0;
    Poster post_;
    WindowSystem* windows_ = nullptr;
    CaptureTranscriberFactory transcribers_;

    CaptureSettings settings_;
    std::uint16_t target_ = 0;
    KeyValues stopKey_;
    bool ownKeyOn_ = false;
    KeyValues ownKey_;

    bool recording_ = false;
    std::unique_ptr<CaptureTranscriber> transcript_; // the capture's, while one runs
    // The press that ended the last capture: its grabbed twin must not start a new one.
    std::optional<std::uint32_t> endedAt_;
    WindowId titled_ = NoWindow;
    std::string title_;

    // Keys down that type something: their press, and whether the server repeats them itself.
    struct HeldKey {
        CaptureEvent Press;
        bool ServerRepeats = false;
    };
    std::map<std::uint8_t, HeldKey> held_;
    bool repeatOn_ = false;
    unsigned repeatDelay_ = 0;
    unsigned repeatInterval_ = 0;
    std::array<std::uint8_t, 32> perKeyRepeat_{};
};

} // namespace orvane
