// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/CaptureScriptWriter.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

namespace orvane {
namespace {

// Waits shorter than this are not written: they are carried over into the next one, so no
// recorded moment drifts by more than this from where it was.
constexpr std::int32_t ShortestWait = 10;
// Wheel notches closer than this to the one before make one wheel tag.
constexpr std::int32_t WheelRun = 200;

struct NamedKey {
    std::uint8_t VirtualKey;
    std::string_view Tag;
};

constexpr NamedKey NamedKeys[] = {
    {8, "<BACKSPACE>"},   {9, "<TAB>"},         {13, "<ENTER>"},     {27, "<ESC>"},
    {32, "<SPACE>"},      {33, "<PAGE UP>"},    {34, "<PAGE DOWN>"}, {35, "<END>"},
    {36, "<HOME>"},       {37, "<LEFT ARROW>"}, {38, "<UP ARROW>"},  {39, "<RIGHT ARROW>"},
    {40, "<DOWN ARROW>"}, {44, "<PRTSCR>"},     {45, "<INSERT>"},    {46, "<DELETE>"},
    {91, "<LEFTWIN>"},    {92, "<RIGHTWIN>"},   {93, "<APP>"},       {96, "<KEYP0>"},
    {97, "<KEYP1>"},      {98, "<KEYP2>"},      {99, "<KEYP3>"},     {100, "<KEYP4>"},
    {101, "<KEYP5>"},     {102, "<KEYP6>"},     {103, "<KEYP7>"},    {104, "<KEYP8>"},
    {105, "<KEYP9>"},     {106, "<KEYP*>"},     {107, "<KEYP+>"},    {109, "<KEYP->"},
    {110, "<KEYP.>"},     {111, "<KEYP/>"},     {246, "<ATTN>"},     {247, "<CRSEL>"},
    {248, "<EXSEL>"},     {249, "<EREOF>"},     {250, "<PLAY>"},     {251, "<ZOOM>"},
    {253, "<PA1>"},
};

std::string KeyTag(std::uint8_t virtualKey) {
    if (virtualKey >= 112 && virtualKey <= 135) {
        return "<F" + std::to_string(virtualKey - 111) + ">";
    }
    for (const NamedKey& key : NamedKeys) {
        if (key.VirtualKey == virtualKey) {
            return std::string(key.Tag);
        }
    }
    return {};
}

constexpr std::string_view DownTags[] = {"<SHFD>", "<CTLD>", "<ALTD>", "<WIND>"};
constexpr std::string_view UpTags[] = {"<SHFU>", "<CTLU>", "<ALTU>", "<WINU>"};

std::string ButtonTag(int button, std::string_view action) {
    const char letter = button == 1 ? 'L' : button == 2 ? 'M' : 'R';
    return "<" + std::string(1, letter) + std::string(action) + ">";
}

std::string Format(const char* format, int a, int b = 0) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

// A wait of `ms` milliseconds: "<MSD:" up to 9999 ms, else "<DELAY:" in seconds with as many
// decimals as its five characters hold; waits past its range are written as several.
std::string WaitTags(std::int64_t ms) {
    std::string text;
    constexpr std::int64_t Longest = 99999LL * 1000;
    while (ms > Longest) {
        text += "<DELAY:99999>";
        ms -= Longest;
    }
    if (ms <= 9999) {
        return text + Format("<MSD:%04d>", static_cast<int>(ms));
    }
    if (const std::int64_t hundredths = (ms + 5) / 10; hundredths < 10000) {
        return text + Format("<DELAY:%02d.%02d>", static_cast<int>(hundredths / 100),
                             static_cast<int>(hundredths % 100));
    }
    if (const std::int64_t tenths = (ms + 50) / 100; tenths < 10000) {
        return text + Format("<DELAY:%03d.%01d>", static_cast<int>(tenths / 10),
                             static_cast<int>(tenths % 10));
    }
    return text + Format("<DELAY:%05d>", static_cast<int>((ms + 500) / 1000));
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
            Put(ButtonTag(button, "UP"), clock_);
            buttonsDown_[static_cast<std::size_t>(button)] = false;
        }
    }
    for (std::size_t m = 0; m < ModCount; ++m) {
        if (scriptHolds_[m]) {
            Put(std::string(UpTags[m]), clock_);
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
            Put(std::string(UpTags[m]), time);
            scriptHolds_[m] = false;
        }
    }
    for (std::size_t m = 0; m < ModCount; ++m) {
        if (want[m] && !scriptHolds_[m]) {
            Put(std::string(DownTags[m]), downTime_[m]);
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
    Put("<ACTIVATE:" + title + ">", time);
    if (settings_.WindowSize) {
        const auto clamp = [](int v) { return std::clamp(v, 0, 9999); };
        Put(Format("<WSIZE:%04d,%04d", clamp(window.Frame.Width), clamp(window.Frame.Height)) +
                title + ">",
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
    const auto clamp = [](int v) { return std::clamp(v, -9999, 99999); };
    Put(Format(toWindow ? "<MMW:%05d,%05d>" : "<MMS:%05d,%05d>", clamp(x), clamp(y)), event.Time);
}

void CaptureScriptWriter::FlushPending() {
    if (pendingButton_) {
        Put(ButtonTag(pendingButton_->Button, "DN"), pendingButton_->Time);
        buttonsDown_[static_cast<std::size_t>(pendingButton_->Button)] = true;
        pendingButton_.reset();
    }
    if (pendingWheel_) {
        int notches = pendingWheel_->Notches;
        const char* format = notches > 0 ? "<WFW:%03d>" : "<WBW:%03d>";
        notches = notches > 0 ? notches : -notches;
        while (notches > 0) {
            const int step = std::min(notches, 999);
            Put(Format(format, step), pendingWheel_->Time);
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
        text = event.Character == '<' ? std::string("<ALT4:0060>")
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
        Put(std::string(UpTags[mod]), event.Time);
        scriptHolds_[mod] = false;
    } else if (mod == AltMod && loneAlt_) {
        if (settings_.DoubleAlt) {
            FlushPending();
            Activation(event.Foreground, downTime_[mod]);
            Put("<ALT><ALT>", downTime_[mod]);
        }
    } else if (mod == WinMod && loneWin_) {
        FlushPending();
        Put("<LEFTWIN>", downTime_[mod]);
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
            Put(ButtonTag(event.Key, "CLK"), down.Time);
            return;
        }
        Put(ButtonTag(event.Key, "DN"), down.Time);
        buttonsDown_[button] = true;
    }
    FlushPending();
    if (!buttonsDown_[button]) {
        return; // pressed before the capture started
    }
    SyncModifiers(true, event.Time);
    MoveTo(event);
    Put(ButtonTag(event.Key, "UP"), event.Time);
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
