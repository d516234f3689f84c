// SPDX-License-Identifier: GPL-3.0-or-later
// What each item of a macro text does when it plays, by group: the keyboard and the mouse, the
// playback's own settings, the flow of the text, and the desktop.
#include "playback/DateTimeText.h"
#include "playback/PlaybackEngine.h"

#include <algorithm>
#include <string>

namespace orvane {
namespace {

constexpr double PasteSettleSeconds = 0.1;
constexpr std::size_t LaunchTitleLength = 30;

// A file read for "<TFILE:" or "<CLIPF:" loses its end-of-file mark (Ctrl+Z).
std::string WithoutEndOfFileMark(std::string contents) {
    if (!contents.empty() && contents.back() == '\x1A') {
        contents.pop_back();
    }
    return contents;
}

std::string CounterDigits(std::int32_t counter, int width) {
    std::string digits = std::to_string(counter);
    if (digits.size() < static_cast<std::size_t>(width)) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return digits;
}

WindowRef RefTo(const std::string& title) {
    return {title == CurrentWindowTitle, title};
}

} // namespace

std::size_t PlaybackEngine::CarryOut(const ScriptItem& item, std::string_view text, std::size_t pos,
                                     int level, OneShotMarks& marks) {
    if (item.Kind == ItemKind::Character) {
        keys_.TypeChar('<', marks);
        keys_.ReleaseOneShots(marks);
        return pos + 1;
    }
    const std::size_t after = pos + item.Length;
    if (InputStep(item, marks) || SettingStep(item)) {
        return after;
    }
    if (const std::optional<std::size_t> next = FlowStep(item, text, pos, level, marks)) {
        return *next;
    }
    return DesktopStep(item, text, after, level);
}

bool PlaybackEngine::InputStep(const ScriptItem& item, OneShotMarks& marks) {
    switch (item.Kind) {
    case ItemKind::Key:
        keys_.NamedKey(item.Key, marks);
        return true;
    case ItemKind::MouseKey:
        keys_.MouseKey(item.Key, marks);
        return true;
    case ItemKind::KeyDown:
    case ItemKind::KeyUp:
        keys_.PostVKey(item.Key, item.Kind == ItemKind::KeyUp);
        return true;
    case ItemKind::ShiftOneShot:
        keys_.ShiftOneShot(marks);
        return true;
    case ItemKind::CtrlOneShot:
        keys_.CtrlOneShot(marks);
        return true;
    case ItemKind::AltToggle:
        keys_.AltToggle(marks);
        return true;
    case ItemKind::AltCode:
        keys_.AltCodeTag(item.Text);
        return true;
    case ItemKind::MouseButton:
        keys_.MouseButton(item.Button, item.Action);
        return true;
    case ItemKind::WheelForward:
    case ItemKind::WheelBackward:
        keys_.Wheel(item.Kind == ItemKind::WheelForward ? item.Number : -item.Number);
        return true;
    case ItemKind::MoveScreen:
        keys_.MoveTo(item.Real, item.Real2);
        return true;
    case ItemKind::MoveWindow: {
        const WindowOrigin origin = commands_.ForegroundWindowOrigin().value_or(WindowOrigin{});
        keys_.MoveTo(item.Real + origin.Left, item.Real2 + origin.Top);
        return true;
    }
    default:
        return false;
    }
}

bool PlaybackEngine::SettingStep(const ScriptItem& item) {
    switch (item.Kind) {
    case ItemKind::Delay:
        waits_.PauseFor(item.Real);
        return true;
    case ItemKind::Msd:
        waits_.DelayFor(item.Number);
        return true;
    case ItemKind::Speed:
        if (item.RealValid) {
            state_.SpeedFactor = item.Real;
        }
        return true;
    case ItemKind::KeyDelay:
        state_.KeyDelay = static_cast<std::uint16_t>(std::max(item.Number, 0));
        state_.KeyDelayOn = state_.KeyDelay != 0;
        return true;
    case ItemKind::MouseDelay:
        state_.MouseDelay = static_cast<std::uint16_t>(std::max(item.Number, 0));
        state_.MouseDelayOn = state_.MouseDelay != 0;
        return true;
    case ItemKind::Remark:
    case ItemKind::Test:
    case ItemKind::EndClip:
        return true;
    case ItemKind::EndRepeat:
        state_.FinalPass = false;
        return true;
    default:
        return false;
    }
}

std::optional<std::size_t> PlaybackEngine::FlowStep(const ScriptItem& item, std::string_view text,
                                                    std::size_t pos, int level,
                                                    OneShotMarks& marks) {
    const std::size_t after = pos + item.Length;
    switch (item.Kind) {
    case ItemKind::Pause:
    case ItemKind::PauseAt:
        return Pause(item, after);
    case ItemKind::Repeat:
    case ItemKind::PromptRepeat:
        return RepeatBlock(item, text, pos, level);
    case ItemKind::Counter:
        if (state_.InRepeat || state_.FinalPass) {
            PlayNested(CounterDigits(state_.RepeatCounter, item.Number), level);
        }
        return after;
    case ItemKind::BeginClip:
        return ClipboardBlock(text, after);
    case ItemKind::ClipFile:
        if (std::optional<std::string> contents = commands_.ReadTextFile(item.Text)) {
            commands_.SetClipboardText(WithoutEndOfFileMark(std::move(*contents)));
            waits_.PauseForNoSpeed(ClipboardSettleSeconds);
        }
        return after;
    case ItemKind::ClipCopy:
        keys_.ClipCopy();
        return after;
    case ItemKind::ClipPaste:
        keys_.ClipPaste();
        waits_.PauseForNoSpeed(PasteSettleSeconds);
        return after;
    case ItemKind::TextFile:
        if (std::optional<std::string> contents = commands_.ReadTextFile(item.Text)) {
            PlayNested(WithoutEndOfFileMark(std::move(*contents)), level);
        }
        return after;
    case ItemKind::Date:
        TypeText(FormatDate(item.FormatIndex, item.LeadingZeros, item.DayOffset, clock_.LocalNow()),
                 marks);
        return after;
    case ItemKind::Time:
        TypeText(FormatTime(item.FormatIndex, item.LeadingZeros, clock_.LocalNow()), marks);
        return after;
    default:
        return std::nullopt;
    }
}

std::size_t PlaybackEngine::DesktopStep(const ScriptItem& item, std::string_view text,
                                        std::size_t after, int level) {
    switch (item.Kind) {
    case ItemKind::Activate:
    case ItemKind::LaunchNo:
    case ItemKind::LaunchYes:
        return LaunchStep(item, text, after, level);
    case ItemKind::Window:
        if (!item.Text.empty()) {
            commands_.DoWindowCommand(item.Command, RefTo(item.Text));
        }
        break;
    case ItemKind::WindowSize:
    case ItemKind::WindowPos:
        if (!item.Text.empty()) {
            if (item.Kind == ItemKind::WindowSize) {
                commands_.SizeWindow(RefTo(item.Text), item.Number, item.Number2);
            } else {
                commands_.MoveWindow(RefTo(item.Text), item.Number, item.Number2);
            }
        }
        break;
    case ItemKind::Launch:
        LaunchIt(item.Text2, 0, false);
        break;
    default:
        FileStep(item);
        break;
    }
    return after;
}

// The steps that end the level when their window is not found nor started.
std::size_t PlaybackEngine::LaunchStep(const ScriptItem& item, std::string_view text,
                                       std::size_t after, int level) {
    if (item.Kind != ItemKind::Activate) {
        state_.LaunchTitle = item.Text.substr(0, LaunchTitleLength);
    }
    if (item.Kind != ItemKind::LaunchNo) {
        if (const std::optional<WindowId> window = commands_.ActivateIt(item.Text)) {
            state_.TargetWindow = *window;
            return after;
        }
    }
    if (item.Kind != ItemKind::Activate && LaunchIt(item.Text2, item.Number, true)) {
        return after;
    }
    return SkipRestOfLevel(text, after, level);
}

void PlaybackEngine::FileStep(const ScriptItem& item) {
    switch (item.Kind) {
    case ItemKind::ChangeDir:
        if (!item.Text.empty()) {
            commands_.ChangeDirectory(item.Text);
        }
        break;
    case ItemKind::DeleteFile:
        if (!item.Text.empty()) {
            commands_.DeleteFile(item.Text);
        }
        break;
    case ItemKind::CopyFile:
    case ItemKind::RenameFile:
        if (!item.Text.empty() && !item.Text2.empty()) {
            if (item.Kind == ItemKind::CopyFile) {
                commands_.CopyFile(item.Text, item.Text2);
            } else {
                commands_.RenameFile(item.Text, item.Text2);
            }
        }
        break;
    case ItemKind::Http:
    case ItemKind::Ftp:
        if (!item.Text.empty()) {
            commands_.OpenAddress(item.Text);
        }
        break;
    case ItemKind::Swap:
        if (!item.Text.empty()) {
            commands_.SwapMacroFile(item.Text);
        }
        break;
    case ItemKind::WaveWait:
    case ItemKind::WaveNoWait:
        if (!item.Text.empty()) {
            commands_.PlayWave(item.Text, item.Kind == ItemKind::WaveWait);
        }
        break;
    case ItemKind::Beep:
        commands_.Beep();
        break;
    default:
        break;
    }
}

} // namespace orvane
