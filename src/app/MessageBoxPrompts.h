// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompts.h"

namespace orvane {

// The run-time prompts of `orvane play` as plain Qt message and input boxes, with the
// program's captions and texts. The program has no main window here, so there is nothing to
// hide, show or minimise around them.
class MessageBoxPrompts final : public Prompts {
public:
    PauseResult DoPause(int top, int left, std::string_view message, WindowId target) override;
    std::uint16_t DoRepPrompt() override;
    void DoAMessage(std::string_view title, std::string_view text) override;
    void RestoreAfterPause(WindowId, bool) override {}
    bool PauseActive() const override { return false; }
    void ResumePause() override {}

private:
    bool messageOpen_ = false;
};

} // namespace orvane
