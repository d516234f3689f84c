// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventPump.h"
#include "platform/InputSynth.h"
#include "platform/PlaybackCommands.h"
#include "platform/Prompts.h"
#include "platform/WallClock.h"
#include "playback/KeySynthesis.h"
#include "playback/PlaybackState.h"
#include "playback/Waits.h"
#include "script/ScriptReader.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace orvane {

// The interpreter of macro texts. A level (DoMacro) walks its text one item at a time and
// serves the event pump after each; repeat passes, "<TFILE:" texts and counter digits are
// nested levels with their own position and one-shot marks, sharing the playback state.
//
// Life of a playback: idle -> playing (Play) -> [paused inside Prompts::DoPause -> playing]
// -> idle, at the end of the outermost text, at an abort request (after its notice), or at an
// aborted pause (Stopped).
class PlaybackEngine {
public:
    // Nesting deeper than this is skipped: a "<TFILE:" text that plays itself would otherwise
    // recurse until the stack overflows.
    static constexpr int MaxNestingLevels = 32;
    // What a repeat or clipboard block body holds at most; longer bodies are cut.
    static constexpr std::size_t MaxBlockBody = 5000;

    PlaybackEngine(InputSynth& input, EventPump& pump, PlaybackCommands& commands, Prompts& prompts,
                   WallClock& clock);

    // Plays `macroText` to its end; returns the characters it typed when typing text is all it
    // did (see LeavesText), nothing when it did more or was stopped.
    std::optional<std::size_t> Play(std::string_view macroText, bool capsWasOn);
    // Runs of plain text longer than this many characters are pasted; 0 types everything.
    void SetPasteAbove(std::size_t characters) { pasteAbove_ = characters; }
    void RequestAbort() { state_.AbortRequested = true; }
    bool IsPlaying() const { return state_.Playing; }
    // The playback waits in its pause dialog.
    bool IsPaused() const { return paused_; }
    const PlaybackState& State() const { return state_; }

private:
    // Where a step leaves the level: the next position, or leave the level at once.
    static constexpr std::size_t LeaveLevel = static_cast<std::size_t>(-1);
    // How long a clipboard just filled is given to settle before the next step.
    static constexpr double ClipboardSettleSeconds = 0.05;

    void DoMacro(std::string_view text, int level);
    void PlayNested(std::string_view text, int level);
    // Shows the abort notice unless it was shown for this request.
    void NoticeAbort();
    // Plays one tag item (or a "<" that starts none); returns where the level goes on.
    std::size_t CarryOut(const ScriptItem& item, std::string_view text, std::size_t pos, int level,
                         OneShotMarks& marks);
    // The steps of CarryOut by group; the first three tell whether the item was theirs.
    bool InputStep(const ScriptItem& item, OneShotMarks& marks);
    bool SettingStep(const ScriptItem& item);
    std::optional<std::size_t> FlowStep(const ScriptItem& item, std::string_view text,
                                        std::size_t pos, int level, OneShotMarks& marks);
    std::size_t DesktopStep(const ScriptItem& item, std::string_view text, std::size_t after,
                            int level);
    std::size_t LaunchStep(const ScriptItem& item, std::string_view text, std::size_t after,
                           int level);
    void FileStep(const ScriptItem& item);
    std::size_t RepeatBlock(const ScriptItem& item, std::string_view text, std::size_t pos,
                            int level);
    std::size_t SkipRestOfLevel(std::string_view text, std::size_t after, int level);
    std::size_t ClipboardBlock(std::string_view text, std::size_t after);
    std::size_t Pause(const ScriptItem& item, std::size_t after);
    bool LaunchIt(std::string_view programText, int delaySeconds, bool wait);
    void TypeText(std::string_view text, OneShotMarks& marks);
    // Pastes the run of plain text at `pos` when it is long enough and nothing holds it back;
    // returns where typing goes on (`pos` when it was not pasted).
    std::size_t PasteLongRun(std::string_view text, std::size_t pos, const OneShotMarks& marks);
    void NoteTyped(unsigned char ch);
    void NoteItem(const ScriptItem& item);
    void EndOfPlayback();

    InputSynth& input_;
    EventPump& pump_;
    PlaybackCommands& commands_;
    Prompts& prompts_;
    WallClock& clock_;
    PlaybackState state_;
    Waits waits_;
    KeySynthesis keys_;
    int finalPassLevel_ = -1; // the level whose text holds the repeat block's last pass
    bool paused_ = false;
    std::size_t pasteAbove_ = 0;
};

} // namespace orvane
