// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompts.h"
#include "platform/fake/EventTrace.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// Scripted answers to the run-time prompts, each call recorded in the trace:
// "pause:<top>,<left>:<message>", "repeat-prompt", "message:<title>:<text>",
// "restore:<target>[:minimize]", "resume-pause". Without a scripted answer a pause resumes and the
// repeat prompt answers `DefaultRepeat`.
class FakePrompts : public Prompts {
public:
    explicit FakePrompts(EventTrace* trace = nullptr) : trace_(trace) {}

    void SetPlayingMacro(std::string_view nickname,
                         std::optional<std::uint32_t> activationCode) override {
        Playing = {std::string(nickname), activationCode};
    }
    PauseResult DoPause(int top, int left, std::string_view message, WindowId target) override;
    std::uint16_t DoRepPrompt() override;
    void DoAMessage(std::string_view title, std::string_view text) override;
    void RestoreAfterPause(WindowId target, bool minimizeAgain) override;
    // True only while DoPause runs WhilePaused.
    bool PauseActive() const override { return pauseActive_; }
    // Inside WhilePaused: makes the open pause return Resume whatever answer was scripted.
    void ResumePause() override;

    // The macro the pause dialog would name: the last one set, and the one at each pause.
    struct PlayingMacro {
        std::string Nickname;
        std::optional<std::uint32_t> ActivationCode;
        friend bool operator==(const PlayingMacro&, const PlayingMacro&) = default;
    };
    PlayingMacro Playing;
    std::vector<PlayingMacro> Paused;

    std::deque<PauseResult> PauseAnswers;
    std::deque<std::uint16_t> RepeatAnswers;
    std::uint16_t DefaultRepeat = 1;
    // Runs while a pause dialog is open (as the event loop would serve events meanwhile).
    std::function<void()> WhilePaused;
    int Messages = 0;

private:
    void Record(std::string entry);

    EventTrace* trace_;
    bool pauseActive_ = false;
    bool resumedFromOutside_ = false;
};

} // namespace orvane
