// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/CaptureRecorder.h"

#include "core/CodePage.h"
#include "core/HotKeyTable.h"
#include "platform/WindowSystem.h"
#include "platform/x11/CaptureKeys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <iterator>

namespace orvane {

CaptureRecorder::CaptureRecorder(Display* display, Poster post)
    : display_(display), root_(DefaultRootWindow(display)), post_(std::move(post)) {}

void CaptureRecorder::Publish(const MacroTable& table) {
    settings_.Keys = table.CaptureKeys();
    settings_.Mouse = table.CaptureMouse();
    settings_.ToScreen = table.CaptureToScreen();
    settings_.WindowSize = table.CaptureWindowSize();
    settings_.DoubleAlt = table.CaptureDoubleAlt();
    settings_.Timing = table.CaptureTiming();
    target_ = table.CaptureTarget();
    stopKey_ = table.StopKey();
    ownKeyOn_ = table.CaptureOwnKey();
    ownKey_ = table.OwnKey();
}

void CaptureRecorder::SetOn(bool on) {
    if (on && !recording_) {
        transcript_ = transcribers_ ? transcribers_(settings_) : nullptr;
        endedAt_.reset();
        titled_ = NoWindow;
        held_.clear();
        ReadRepeatControls();
    }
    recording_ = on;
    if (!on) {
        // Whatever was held back (a click waiting for its release) is dropped with the rest.
        transcript_.reset();
        title_.clear();
    }
}

bool CaptureRecorder::IsEndKey(std::optional<std::uint16_t> code) const {
    if (!code) {
        return false;
    }
    const KeyValues key = KeyValues::Of(DecipherKey(*code));
    const bool stop = (stopKey_.VirtualKey != 0 || stopKey_.MouseButton != 0) && key == stopKey_;
    return stop || (ownKeyOn_ && key == ownKey_);
}

bool CaptureRecorder::EndsCapture(std::optional<std::uint16_t> code, std::uint32_t time) const {
    return (recording_ || (endedAt_ && *endedAt_ == time)) && IsEndKey(code);
}

void CaptureRecorder::Send(const std::string& text) {
    for (const char c : text) {
        post_(HookMessageId::UM_CAPTURECHAR, target_, static_cast<unsigned char>(c));
    }
}

void CaptureRecorder::Feed(const CaptureEvent& event) {
    if (transcript_) {
        Send(transcript_->Feed(event));
    }
}

void CaptureRecorder::End(std::uint32_t time) {
    if (transcript_) {
        Send(transcript_->Finish());
    }
    post_(HookMessageId::UM_CAPTUREDONE, target_, 0);
    recording_ = false;
    endedAt_ = time;
}

void CaptureRecorder::ReadRepeatControls() {
    repeatOn_ = false;
    XkbDescPtr xkb = XkbAllocKeyboard();
    if (xkb == nullptr) {
        return;
    }
    if (XkbGetControls(display_, XkbAllControlsMask, xkb) == Success && xkb->ctrls != nullptr) {
        repeatOn_ = (xkb->ctrls->enabled_ctrls & XkbRepeatKeysMask) != 0;
        repeatDelay_ = xkb->ctrls->repeat_delay;
        repeatInterval_ = xkb->ctrls->repeat_interval;
        std::copy(std::begin(xkb->ctrls->per_key_repeat), std::end(xkb->ctrls->per_key_repeat),
                  perKeyRepeat_.begin());
    }
    XkbFreeKeyboard(xkb, XkbAllComponentsMask, True);
}

void CaptureRecorder::Released(std::uint8_t keycode, std::uint32_t time) {
    const auto found = held_.find(keycode);
    if (found == held_.end()) {
        return;
    }
    const HeldKey key = found->second;
    held_.erase(found);
    const bool repeats = repeatOn_ && (perKeyRepeat_[keycode / 8] & (1U << (keycode % 8))) != 0;
    if (key.ServerRepeats || !repeats) {
        return;
    }
    const int count = AutoRepeatsBetween(key.Press.Time, time, repeatDelay_, repeatInterval_);
    CaptureEvent repeat = key.Press;
    repeat.Repeat = true;
    for (int i = 0; i < count; ++i) {
        repeat.Time =
            key.Press.Time + repeatDelay_ + static_cast<std::uint32_t>(i) * repeatInterval_;
        Feed(repeat);
    }
}

void CaptureRecorder::FillWindow(CaptureWindow& window, WindowId id) {
    if (windows_ == nullptr || settings_.ToScreen || !settings_.Mouse || id == NoWindow) {
        return;
    }
    if (id != titled_) {
        titled_ = id;
        title_ = Utf8ToWindows1252(windows_->Title(id));
    }
    window.Id = id;
    window.Title = title_;
    window.Frame = windows_->FrameRect(id).value_or(WindowRect{});
}

void CaptureRecorder::Observe(const RawInput& input, const HookKeymap& keymap, unsigned state,
                              unsigned group, WindowId foreground) {
    if (!recording_ || input.Detail < 0 || input.Detail > 255) {
        return;
    }
    CaptureEvent event;
    const auto time = static_cast<std::uint32_t>(input.Time);
    event.Time = time;
    const bool key = input.Type == RawInput::Kind::KeyDown || input.Type == RawInput::Kind::KeyUp;
    const bool press =
        input.Type == RawInput::Kind::KeyDown || input.Type == RawInput::Kind::ButtonDown;
    if (key) {
        const auto keycode = static_cast<std::uint8_t>(input.Detail);
        if (press && !input.Repeat && IsEndKey(HotKeyOfKey(keymap, keycode, state, group))) {
            End(time);
            return;
        }
        const CaptureKey meaning = CaptureKeyOf(keymap, keycode, state, group);
        event.Kind = press ? CaptureEventKind::KeyDown : CaptureEventKind::KeyUp;
        event.Key = keycode;
        event.Modifier = meaning.Modifier;
        event.Character = meaning.Character;
        event.VirtualKey = meaning.VirtualKey;
        event.Repeat = input.Repeat;
        if (!press) {
            Released(keycode, time);
        } else if (const auto found = held_.find(keycode); found != held_.end()) {
            found->second.ServerRepeats = true; // a second press without a release
        } else if (meaning.Modifier == CaptureModifier::Ordinary &&
                   (meaning.Character != 0 || meaning.VirtualKey != 0)) {
            FillWindow(event.Foreground, foreground);
            held_[keycode] = {event, input.Repeat};
        }
    } else {
        const auto button = static_cast<unsigned>(input.Detail);
        if (button >= 1 && button <= 3) {
            if (press && IsEndKey(HotKeyOfButton(keymap, button, state))) {
                End(time);
                return;
            }
            event.Kind = press ? CaptureEventKind::ButtonDown : CaptureEventKind::ButtonUp;
            // X numbers the middle button 2 and the right one 3, as the script's tags do.
            event.Key = static_cast<int>(button);
        } else if ((button == 4 || button == 5) && press) {
            event.Kind = CaptureEventKind::Wheel;
            event.Key = button == 4 ? 1 : -1;
        } else {
            return; // the horizontal wheel and extra buttons have no tags
        }
        Window root = 0;
        Window child = 0;
        int winX = 0;
        int winY = 0;
        unsigned mask = 0;
        XQueryPointer(display_, root_, &root, &child, &event.X, &event.Y, &winX, &winY, &mask);
    }
    FillWindow(event.Foreground, foreground);
    Feed(event);
}

} // namespace orvane
