// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/CaptureScriptWriter.h"

#include "script/NamedKeys.h"
#include "script/TagLayout.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace orvane {
namespace {

// Waits shorter than this are not written: they are carried over into the next one, so no
// recorded moment drifts by more than this from where it was.
constexpr std::int32_t ShortestWait = 10;
// Wheel notches closer than this to the one before make one wheel tag.
constexpr std::int32_t WheelRun = 200;

constexpr std::uint8_t LeftWinKey = 91;

std::string KeyTag(std::uint8_t virtualKey) {
    return std::string(NamedKeyTag(virtualKey));
}

// Shift, Ctrl, Alt and Win, in the writer's order.
constexpr const TagLayout* DownTags[] = {&Tags::ShiftDown, &Tags::CtrlDown, &Tags::AltDown,
                                         &Tags::WinDown};
constexpr const TagLayout* UpTags[] = {&Tags::ShiftUp, &Tags::CtrlUp, &Tags::AltUp, &Tags::WinUp};

// Button 1 is the left button, 2 the middle, 3 the right.
enum class ButtonTagKind { Down, Up, Click };
std::string ButtonTag(int button, ButtonTagKind kind) {
    static constexpr const TagLayout* tags[3][3] = {
        {&Tags::LeftDown, &Tags::LeftUp, &Tags::LeftClick},
        {&Tags::MiddleDown, &Tags::MiddleUp, &Tags::MiddleClick},
        {&Tags::RightDown, &Tags::RightUp, &Tags::RightClick},
    };
    const auto row = static_cast<std::size_t>(std::clamp(button, 1, 3) - 1);
    return WriteTag(*tags[row][static_cast<std::size_t>(kind)], {});
}

// A seconds field of the delay tag: `whole` and `fraction` digits around the point, as wide
// as the field together.
std::string SecondsField(std::int64_t whole, std::int64_t fraction, std::size_t fractionDigits) {
    const std::size_t width = Tags::Delay.Field(0).Width;
    if (fractionDigits == 0) {
        return IntegerFieldText(whole, width);
    }
    return IntegerFieldText(whole, width - fractionDigits - 1) + "." +
           IntegerFieldText(fraction, fractionDigits);
}

// A wait of `ms` milliseconds: "<MSD:" up to 9999 ms, else "<DELAY:" in seconds with as many
// decimals as its five characters hold; waits past its range are written as several.
std::string WaitTags(std::int64_t ms) {
    std::string text;
    constexpr std::int64_t Longest = 99999LL * 1000;
    while (ms > Longest) {
        text += WriteTag(Tags::Delay, {SecondsField(99999, 0, 0)});
        ms -= Longest;
    }
    if (ms <= 9999) {
        return text + WriteTag(Tags::Msd, {IntegerFieldText(ms, Tags::Msd.Field(0).Width)});
    }
    if (const std::int64_t hundredths = (ms + 5) / 10; hundredths < 10000) {
        return text + WriteTag(Tags::Delay, {SecondsField(hundredths / 100, hundredths % 100, 2)});
    }
    if (const std::int64_t tenths = (ms + 50) / 100; tenths < 10000) {
        return text + WriteTag(Tags::Delay, {SecondsField(tenths / 10, tenths % 10, 1)});
    }
    return text + WriteTag(Tags::Delay, {SecondsField((ms + 500) / 1000, 0, 0)});
}

// A window title as a tag's free-text field holds it: up to the first ">" (which would end
// the tag), at most 255 characters. A partial title still finds the window.
std::string TitleField(const std::string& title) {
    return title.substr(0, std::min<std::size_t>(title.find('>'), 255));
}

} // namespace

std::string CaptureScriptWriter::Feed(const CaptureEvent& event) {
    switch (event.Kind) {
    case CaptureEventKind::KeyDown:
        KeyDown(event);
        break;
    case CaptureEventKind::KeyUp:
        KeyUp(event);
        break;
    case CaptureEventKind::ButtonDown:
        ButtonDown(event);
        break;
    case CaptureEventKind::ButtonUp:
        ButtonUp(event);
        break;
    case CaptureEventKind::Wheel:
        Wheel(event);
        break;
    }
    return std::exchange(out_, {});
}

std::string CaptureScriptWriter::Finish() {
    FlushPending();
    for (int button = 1; button <= 3; ++button) {
        if (buttonsDown_[static_cast<std::size_t>(button)]) {
            Put(ButtonTag(button, ButtonTagKind::Up), clock_);
            buttonsDown_[static_cast<std::size_t>(button)] = false;
        }
    }
    for (std::size_t m = 0; m < ModCount; ++m) {
        if (scriptHolds_[m]) {
            Put(WriteTag(*UpTags[m], {}), clock_);
            scriptHolds_[m] = false;
        }
    }
    return std::exchange(out_, {});
}

bool CaptureScriptWriter::Held(Mod mod) const {
    for (const auto& [key, held] : heldKeys_) {
        if (held == mod) {
            return true;
        }
    }
    return false;
}

void CaptureScriptWriter::Put(const std::string& text, std::uint32_t time) {
    if (settings_.Timing) {
        if (!started_) {
            started_ = true;
            clock_ = time;
        } else if (const auto gap = static_cast<std::int32_t>(time - clock_); gap >= ShortestWait) {
            out_ += WaitTags(gap);
            clock_ = time;
        }
    }
    out_ += text;
}

void CaptureScriptWriter::SyncModifiers(bool withShift, std::uint32_t time) {
    std::array<bool, ModCount> want{};
    for (std::size_t m = 0; m < ModCount; ++m) {
        want[m] = Held(static_cast<Mod>(m)) && (m != ShiftMod || withShift);
    }
    for (std::size_t m = 0; m < ModCount; ++m) {
        if (scriptHolds_[m] && !want[m]) {
            Put(WriteTag(*UpTags[m], {}), time);
            scriptHolds_[m] = false;
        }
    }
    for (std::size_t m = 0; m < ModCount; ++m) {
        if (want[m] && !scriptHolds_[m]) {
            Put(WriteTag(*DownTags[m], {}), downTime_[m]);
            scriptHolds_[m] = true;
        }
    }
}

void CaptureScriptWriter::Activation(const CaptureWindow& window, std::uint32_t time) {
    if (!settings_.Mouse || settings_.ToScreen || window.Id == NoWindow || window.Id == window_) {
        return;
    }
    window_ = window.Id;
    position_.reset();
    const std::string title = TitleField(window.Title);
    if (title.empty()) {
        return; // a window without a title cannot be named in a script
    }
    Put(WriteTag(Tags::Activate, {title}), time);
    if (settings_.WindowSize) {
        const TagLayout& size = Tags::WindowSize;
        const auto field = [&](int v, std::size_t i) {
            return IntegerFieldText(std::clamp(v, 0, 9999), size.Field(i).Width);
        };
        Put(WriteTag(size, {field(window.Frame.Width, 0), field(window.Frame.Height, 1), title}),
            time);
    }
}

void CaptureScriptWriter::MoveTo(const CaptureEvent& event) {
    int x = event.X;
    int y = event.Y;
    const bool toWindow = !settings_.ToScreen;
    if (toWindow && event.Foreground.Id != NoWindow) {
        x -= event.Foreground.Frame.Left;
        y -= event.Foreground.Frame.Top;
    }
    if (position_ && *position_ == std::pair{x, y}) {
        return;
    }
    position_ = std::pair{x, y};
    const TagLayout& move = toWindow ? Tags::MoveWindow : Tags::MoveScreen;
    const auto field = [&](int v, std::size_t i) {
        return IntegerFieldText(std::clamp(v, -9999, 99999), move.Field(i).Width);
    };
    Put(WriteTag(move, {field(x, 0), field(y, 1)}), event.Time);
}

void CaptureScriptWriter::FlushPending() {
    if (pendingButton_) {
        Put(ButtonTag(pendingButton_->Button, ButtonTagKind::Down), pendingButton_->Time);
        buttonsDown_[static_cast<std::size_t>(pendingButton_->Button)] = true;
        pendingButton_.reset();
    }
    if (pendingWheel_) {
        int notches = pendingWheel_->Notches;
        const TagLayout& wheel = notches > 0 ? Tags::WheelForward : Tags::WheelBackward;
        notches = notches > 0 ? notches : -notches;
        while (notches > 0) {
            const int step = std::min(notches, 999);
            Put(WriteTag(wheel, {IntegerFieldText(step, wheel.Field(0).Width)}),
                pendingWheel_->Time);
            notches -= step;
        }
        pendingWheel_.reset();
    }
}

void CaptureScriptWriter::KeyDown(const CaptureEvent& event) {
    if (!settings_.Keys) {
        return;
    }
    const auto mod = [&]() -> std::optional<Mod> {
        switch (event.Modifier) {
        case CaptureModifier::Shift:
            return ShiftMod;
        case CaptureModifier::Ctrl:
            return CtrlMod;
        case CaptureModifier::Alt:
            return AltMod;
        case CaptureModifier::Win:
            return WinMod;
        default:
            return std::nullopt;
        }
    }();
    if (mod) {
        if (event.Repeat || heldKeys_.contains(event.Key)) {
            return;
        }
        const bool alone = heldKeys_.empty();
        if (!Held(*mod)) {
            downTime_[*mod] = event.Time;
        }
        heldKeys_[event.Key] = *mod;
        loneAlt_ = alone && *mod == AltMod;
        loneWin_ = alone && *mod == WinMod;
        return;
    }
    loneAlt_ = false;
    loneWin_ = false;
    if (event.Modifier != CaptureModifier::Ordinary) {
        return; // AltGr and the lock keys show in the characters
    }
    std::string text;
    bool withShift = false;
    if (event.Character >= 0x20 && event.Character != 0x7F) {
        text = event.Character == '<' ? WriteTag(Tags::AltCode4, {"0060"})
                                      : std::string(1, static_cast<char>(event.Character));
    } else {
        text = KeyTag(event.VirtualKey);
        withShift = true;
    }
    if (text.empty()) {
        return;
    }
    FlushPending();
    Activation(event.Foreground, event.Time);
    SyncModifiers(withShift, event.Time);
    Put(text, event.Time);
}

void CaptureScriptWriter::KeyUp(const CaptureEvent& event) {
    const auto found = heldKeys_.find(event.Key);
    if (!settings_.Keys || found == heldKeys_.end()) {
        return;
    }
    const Mod mod = found->second;
    heldKeys_.erase(found);
    if (Held(mod)) {
        return; // the other key of the pair is still down
    }
    if (scriptHolds_[mod]) {
        FlushPending();
        Put(WriteTag(*UpTags[mod], {}), event.Time);
        scriptHolds_[mod] = false;
    } else if (mod == AltMod && loneAlt_) {
        if (settings_.DoubleAlt) {
            FlushPending();
            Activation(event.Foreground, downTime_[mod]);
            Put(std::string(OneShotTag(ItemKind::AltToggle))
                    .append(OneShotTag(ItemKind::AltToggle)),
                downTime_[mod]);
        }
    } else if (mod == WinMod && loneWin_) {
        FlushPending();
        Put(KeyTag(LeftWinKey), downTime_[mod]);
    }
    loneAlt_ = false;
    loneWin_ = false;
}

void CaptureScriptWriter::ButtonDown(const CaptureEvent& event) {
    loneAlt_ = false;
    loneWin_ = false;
    if (!settings_.Mouse || event.Key < 1 || event.Key > 3) {
        return;
    }
    FlushPending();
    Activation(event.Foreground, event.Time);
    SyncModifiers(true, event.Time);
    MoveTo(event);
    pendingButton_ = PendingButton{event.Key, event.Time, event.X, event.Y};
}

void CaptureScriptWriter::ButtonUp(const CaptureEvent& event) {
    if (!settings_.Mouse || event.Key < 1 || event.Key > 3) {
        return;
    }
    const auto button = static_cast<std::size_t>(event.Key);
    if (pendingButton_ && pendingButton_->Button == event.Key) {
        const PendingButton down = *pendingButton_;
        pendingButton_.reset();
        if (down.X == event.X && down.Y == event.Y) {
            Put(ButtonTag(event.Key, ButtonTagKind::Click), down.Time);
            return;
        }
        Put(ButtonTag(event.Key, ButtonTagKind::Down), down.Time);
        buttonsDown_[button] = true;
    }
    FlushPending();
    if (!buttonsDown_[button]) {
        return; // pressed before the capture started
    }
    SyncModifiers(true, event.Time);
    MoveTo(event);
    Put(ButtonTag(event.Key, ButtonTagKind::Up), event.Time);
    buttonsDown_[button] = false;
}

void CaptureScriptWriter::Wheel(const CaptureEvent& event) {
    loneAlt_ = false;
    loneWin_ = false;
    if (!settings_.Mouse || event.Key == 0) {
        return;
    }
    if (pendingWheel_ && !pendingButton_ && (pendingWheel_->Notches > 0) == (event.Key > 0) &&
        static_cast<std::int32_t>(event.Time - pendingWheel_->LastTime) < WheelRun) {
        pendingWheel_->Notches += event.Key;
        pendingWheel_->LastTime = event.Time;
        return;
    }
    FlushPending();
    Activation(event.Foreground, event.Time);
    SyncModifiers(true, event.Time);
    MoveTo(event);
    pendingWheel_ = PendingWheel{event.Key, event.Time, event.Time};
}

} // namespace orvane
