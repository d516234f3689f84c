// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/PlaybackEngine.h"

#include "playback/DateTimeText.h"
#include "playback/PasteRun.h"
#include "script/TagLayout.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

namespace orvane {
namespace {

constexpr std::string_view AbortTitle = "Macro Abort";
constexpr std::string_view AbortText = "Orvane 98 macro has been aborted.";

// The pause dialog's size without a message.
constexpr int PauseWidth = 224;
constexpr int PauseHeight = 94;

constexpr auto LaunchWindowLimit = std::chrono::seconds(30);

// What an item does, for two choices. Commands that act on the desktop through other ways
// than the keyboard and the mouse (windows, programs, the clipboard, dialogs, sounds, files) go
// after the keys typed before them have reached the display server: written out later, those
// keys could land in a window the command has just brought forward, or in none while the focus
// moves. And an undo can take back with Backspace, one per character, only what typing left:
// text, Enter and Tab, Alt codes, dates and times, with the items that only pace or arrange
// the typing; other keys move the caret or act. Every kind is named (no default), so a new
// command cannot be added without both choices.
enum class ItemEffect {
    Typing,        // leaves text, or only paces and arranges the typing
    OtherInput,    // keys and the mouse that leave no text; they travel with the keys
    BeyondTheKeys, // commands
};

ItemEffect EffectOf(ItemKind kind) {
    switch (kind) {
    case ItemKind::BeginClip:
    case ItemKind::ClipFile:
    case ItemKind::Activate:
    case ItemKind::Window:
    case ItemKind::WindowSize:
    case ItemKind::WindowPos:
    case ItemKind::Launch:
    case ItemKind::LaunchNo:
    case ItemKind::LaunchYes:
    case ItemKind::ChangeDir:
    case ItemKind::DeleteFile:
    case ItemKind::CopyFile:
    case ItemKind::RenameFile:
    case ItemKind::Http:
    case ItemKind::Ftp:
    case ItemKind::Swap:
    case ItemKind::WaveWait:
    case ItemKind::WaveNoWait:
    case ItemKind::Beep:
    case ItemKind::Pause:
    case ItemKind::PauseAt:
    case ItemKind::PromptRepeat:
        return ItemEffect::BeyondTheKeys;
    case ItemKind::MouseKey:
    case ItemKind::KeyDown:
    case ItemKind::KeyUp:
    case ItemKind::CtrlOneShot:
    case ItemKind::AltToggle:
    case ItemKind::MouseButton:
    case ItemKind::WheelForward:
    case ItemKind::WheelBackward:
    case ItemKind::MoveScreen:
    case ItemKind::MoveWindow:
    case ItemKind::ClipCopy:
    case ItemKind::ClipPaste:
    case ItemKind::EndClip:
        return ItemEffect::OtherInput;
    // Waits end the batch themselves; the rest changes only the playback's own state or reads.
    case ItemKind::Character:
    case ItemKind::Key: // Enter and Tab only: see LeavesText
    case ItemKind::AltCode:
    case ItemKind::ShiftOneShot:
    case ItemKind::Delay:
    case ItemKind::Msd:
    case ItemKind::Speed:
    case ItemKind::KeyDelay:
    case ItemKind::MouseDelay:
    case ItemKind::Remark:
    case ItemKind::Test:
    case ItemKind::Repeat:
    case ItemKind::EndRepeat:
    case ItemKind::Counter:
    case ItemKind::TextFile:
    case ItemKind::Date:
    case ItemKind::Time:
        return ItemEffect::Typing;
    }
    return ItemEffect::BeyondTheKeys;
}

bool ActsBeyondTheKeys(ItemKind kind) {
    return EffectOf(kind) == ItemEffect::BeyondTheKeys;
}

// Of the named keys only Enter and Tab leave a character that Backspace takes back.
bool LeavesText(const ScriptItem& item) {
    return EffectOf(item.Kind) == ItemEffect::Typing &&
           (item.Kind != ItemKind::Key || item.Key == VirtualKey::Enter ||
            item.Key == VirtualKey::Tab);
}

} // namespace

PlaybackEngine::PlaybackEngine(InputSynth& input, EventPump& pump, PlaybackCommands& commands,
                               Prompts& prompts, WallClock& clock)
    : input_(input), pump_(pump), commands_(commands), prompts_(prompts), clock_(clock),
      waits_(pump, state_), keys_(input, waits_, state_) {}

std::optional<std::size_t> PlaybackEngine::Play(std::string_view macroText, bool capsWasOn) {
    if (state_.Playing) {
        return std::nullopt;
    }
    state_.TypedCharacters = 0;
    state_.OnlyTyped = true;
    state_.AbortRequested = false;
    state_.AbortShown = false;
    state_.InRepeat = false;
    state_.FinalPass = false;
    state_.PauseShown = false;
    state_.RestoreMinimized = false;
    state_.Stopped = false;
    state_.KeyDelayOn = false;
    state_.MouseDelayOn = false;
    state_.SpeedFactor = 1.0;
    state_.RepeatCounter = 0;
    state_.CapsWasOn = capsWasOn;
    state_.Playing = true;
    if (capsWasOn) {
        keys_.ToggleCapsLock();
    }
    state_.Screen = input_.GetScreenSize();
    state_.TargetWindow = commands_.ForegroundWindow();
    // Playback works on its own copy: events served during playback may replace the text the
    // caller holds (a macro file swap, an edit).
    const std::string text(macroText);
    DoMacro(text, 0);
    state_.Playing = false;
    if (!state_.OnlyTyped || state_.Stopped || state_.AbortRequested) {
        return std::nullopt;
    }
    return state_.TypedCharacters;
}

void PlaybackEngine::NoteTyped(unsigned char ch) {
    if (ch < ' ' && ch != '\r' && ch != '\n' && ch != '\t') {
        state_.OnlyTyped = false; // a control key acts, it leaves no character
    }
    ++state_.TypedCharacters;
}

void PlaybackEngine::NoteItem(const ScriptItem& item) {
    if (!LeavesText(item)) {
        state_.OnlyTyped = false;
    } else if (item.Kind == ItemKind::Character || item.Kind == ItemKind::Key) {
        ++state_.TypedCharacters;
    } else if (item.Kind == ItemKind::AltCode &&
               item.Text.find_first_of("0123456789") != std::string_view::npos) {
        ++state_.TypedCharacters; // without a digit nothing is struck
    }
}

std::size_t PlaybackEngine::PasteLongRun(std::string_view text, std::size_t pos,
                                         const OneShotMarks& marks) {
    // A keystroke delay paces the typing on purpose, and a one-shot modifier belongs to the
    // next key: both are typed as written.
    if (pasteAbove_ == 0 || state_.KeyDelayOn || marks.Shift || marks.Ctrl || marks.Alt) {
        return pos;
    }
    const std::optional<PasteRun> run = PasteRunAt(text, pos, pasteAbove_);
    if (!run) {
        return pos;
    }
    input_.EndOfBatch();
    if (!commands_.PasteText(run->Text)) {
        return pos;
    }
    state_.TypedCharacters += run->Characters;
    return run->End;
}

void PlaybackEngine::DoMacro(std::string_view text, int level) {
    OneShotMarks marks;
    std::size_t pos = 0;
    for (;;) {
        if (state_.Stopped) {
            return;
        }
        if (pos >= text.size()) {
            if (level == 0) {
                EndOfPlayback();
            }
            return;
        }
        if (state_.AbortRequested) {
            NoticeAbort();
            return;
        }
        const auto ch = static_cast<unsigned char>(text[pos]);
        if (const std::size_t pasted = ch != '<' ? PasteLongRun(text, pos, marks) : pos;
            pasted != pos) {
            pos = pasted;
        } else if (ch != '<') {
            keys_.TypeChar(ch, marks);
            NoteTyped(ch);
            ++pos;
            if (ch == '\r' && pos < text.size() && text[pos] == '\n') {
                ++pos;
            }
        } else {
            const ScriptItem item = ReadScriptItem(text, pos);
            NoteItem(item);
            if (ActsBeyondTheKeys(item.Kind)) {
                input_.EndOfBatch();
            }
            pos = CarryOut(item, text, pos, level, marks);
            if (pos == LeaveLevel) {
                return;
            }
        }
        pump_.ServePending();
    }
}

void PlaybackEngine::NoticeAbort() {
    if (!state_.AbortShown) {
        state_.AbortShown = true;
        input_.EndOfBatch();
        prompts_.DoAMessage(AbortTitle, AbortText);
    }
}

void PlaybackEngine::PlayNested(std::string_view text, int level) {
    if (level + 1 < MaxNestingLevels) {
        DoMacro(text, level + 1);
    }
}

void PlaybackEngine::TypeText(std::string_view text, OneShotMarks& marks) {
    for (const char ch : text) {
        keys_.TypeChar(static_cast<unsigned char>(ch), marks);
        NoteTyped(static_cast<unsigned char>(ch));
    }
}

// A repeat block replays its body from RepeatBuffer as nested levels (InRepeat set, so repeat
// tags inside play their body once per pass), then plays it a last time in place with
// FinalPass set; the "<ENDREP>" that closes it clears FinalPass.
std::size_t PlaybackEngine::RepeatBlock(const ScriptItem& item, std::string_view text,
                                        std::size_t pos, int level) {
    const std::size_t after = pos + item.Length;
    const std::int32_t count =
        item.Kind == ItemKind::PromptRepeat ? prompts_.DoRepPrompt() : item.Number;
    if (state_.InRepeat) {
        return after;
    }
    const std::size_t end = text.find(Tags::EndRepeat.Literal, after);
    if (end == std::string_view::npos) {
        return after;
    }
    state_.RepeatBuffer.assign(text.substr(after, std::min(end - after, MaxBlockBody)));
    state_.RepeatCount = count;
    state_.InRepeat = true;
    state_.RepeatCounter = 0;
    state_.FinalPass = false;
    // The replays play their own copy: nothing that runs inside may pull the text from under a
    // level, whatever it does to the shared buffer.
    const std::string body = state_.RepeatBuffer;
    for (std::int32_t pass = 1; pass < count && !state_.AbortRequested && !state_.Stopped; ++pass) {
        ++state_.RepeatCounter;
        PlayNested(body, level);
    }
    state_.InRepeat = false;
    ++state_.RepeatCounter;
    state_.FinalPass = true;
    finalPassLevel_ = level;
    if (state_.Stopped) {
        return LeaveLevel;
    }
    if (state_.AbortRequested) {
        // A request that came with the last step of a pass found no step left to stop there,
        // so no level has told the user yet.
        NoticeAbort();
        return LeaveLevel;
    }
    return after;
}

// A failed activation or launch wait skips the rest of the level. The last pass of a repeat
// block plays in place, in the level that holds the block: there the skip ends at the block's
// "<ENDREP>", so the last pass loses only its own rest, as every replayed pass does, and the
// text after the block still plays.
std::size_t PlaybackEngine::SkipRestOfLevel(std::string_view text, std::size_t after, int level) {
    if (state_.FinalPass && level == finalPassLevel_) {
        if (const std::size_t end = text.find(Tags::EndRepeat.Literal, after);
            end != std::string_view::npos) {
            return end;
        }
    }
    return text.size();
}

std::size_t PlaybackEngine::ClipboardBlock(std::string_view text, std::size_t after) {
    // Without "<ENDCLIP>" the block runs to the end of the text, as a free-text field runs to
    // the end when its ">" is missing: the text meant for the clipboard is never typed.
    std::size_t end = text.find(Tags::EndClip.Literal, after);
    if (end == std::string_view::npos) {
        end = text.size();
    }
    commands_.SetClipboardText(text.substr(after, std::min(end - after, MaxBlockBody)));
    waits_.PauseForNoSpeed(ClipboardSettleSeconds);
    return end;
}

std::size_t PlaybackEngine::Pause(const ScriptItem& item, std::size_t after) {
    const ScreenSize screen = state_.Screen;
    int top = (screen.Height - PauseHeight) / 2;
    int left = (screen.Width - PauseWidth) / 2;
    std::string_view message;
    const bool placed = item.Kind == ItemKind::PauseAt;
    if (placed) {
        message = item.Text;
        const int extra = message.empty() ? 0 : static_cast<int>(message.size() / 30) * 19 + 19;
        top = std::min(item.Number, screen.Height - extra - PauseHeight);
        left = std::min(item.Number2, screen.Width - PauseWidth);
    }
    state_.PauseShown = true;
    paused_ = true;
    // The batch ended before the tag (see ActsBeyondTheKeys): what the keyboard sends while the
    // dialog waits (the hot key that resumes) is the user's, not the tail of our own input.
    const PauseResult result = prompts_.DoPause(top, left, message, state_.TargetWindow);
    paused_ = false;
    state_.RestoreMinimized = state_.RestoreMinimized || result.RestoredMinimized;
    if (result.Resume) {
        return after;
    }
    if (state_.CapsWasOn) {
        keys_.ToggleCapsLock();
    }
    prompts_.RestoreAfterPause(state_.TargetWindow, placed && state_.RestoreMinimized);
    state_.Stopped = true;
    return LeaveLevel;
}

bool PlaybackEngine::LaunchIt(std::string_view programText, int delaySeconds, bool wait) {
    const LaunchCommand command = SplitLaunchCommand(programText);
    commands_.Launch(command.Program, command.Parameters);
    if (!wait) {
        return false;
    }
    const std::optional<WindowId> window =
        commands_.WaitForWindow(state_.LaunchTitle, LaunchWindowLimit);
    if (!window) {
        return false;
    }
    state_.TargetWindow = *window;
    waits_.PauseForNoSpeed(delaySeconds);
    return true;
}

void PlaybackEngine::EndOfPlayback() {
    // The last keys reach the server before the windows move back after a pause, or they may
    // land in the main window shown again.
    input_.EndOfBatch();
    if (state_.CapsWasOn) {
        keys_.ToggleCapsLock();
    }
    if (state_.PauseShown) {
        prompts_.RestoreAfterPause(state_.TargetWindow, state_.RestoreMinimized);
    }
}

} // namespace orvane
