// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fake/FakePrompts.h"

#include <string>

namespace orvane {

void FakePrompts::Record(std::string entry) {
    if (trace_ != nullptr) {
        trace_->Add(std::move(entry));
    }
}

PauseResult FakePrompts::DoPause(int top, int left, std::string_view message, WindowId target) {
    Record("pause:" + std::to_string(top) + "," + std::to_string(left) + ":" +
           std::string(message) + "@" + std::to_string(target));
    Paused.push_back(Playing);
    // A macro may play while another waits in its pause, and pause in turn.
    const bool outerActive = pauseActive_;
    const bool outerResumed = resumedFromOutside_;
    pauseActive_ = true;
    resumedFromOutside_ = false;
    if (WhilePaused) {
        const std::function<void()> whilePaused = WhilePaused;
        whilePaused();
    }
    const bool resumed = resumedFromOutside_;
    pauseActive_ = outerActive;
    resumedFromOutside_ = outerResumed;
    PauseResult answer;
    if (!PauseAnswers.empty()) {
        answer = PauseAnswers.front();
        PauseAnswers.pop_front();
    }
    if (resumed) {
        answer.Resume = true;
    }
    return answer;
}

std::uint16_t FakePrompts::DoRepPrompt() {
    Record("repeat-prompt");
    if (RepeatAnswers.empty()) {
        return DefaultRepeat;
    }
    const std::uint16_t answer = RepeatAnswers.front();
    RepeatAnswers.pop_front();
    return answer;
}

void FakePrompts::DoAMessage(std::string_view title, std::string_view text) {
    ++Messages;
    Record("message:" + std::string(title) + ":" + std::string(text));
}

void FakePrompts::ResumePause() {
    Record("resume-pause");
    if (pauseActive_) {
        resumedFromOutside_ = true;
    }
}

void FakePrompts::RestoreAfterPause(WindowId target, bool minimizeAgain) {
    Record("restore:" + std::to_string(target) + (minimizeAgain ? ":minimize" : ""));
}

} // namespace orvane
