// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

// "Repeat Options": the start of a repeat block (with a count or a prompt), its end, and the
// pass counter.
struct RepeatForm {
    enum Kinds { Start = 1, Prompt = 2, End = 3, Counter = 4 };
    int Kind = Start;  // StartRepeat, PromptRepeat, EndRepeat, RepeatCounter
    std::string Count; // "Repeat Count" or "Counter Width"

    // The form a new line of this command starts with.
    static RepeatForm Preset(CommandCode code);
    static RepeatForm Load(std::string_view tag);
    friend bool operator==(const RepeatForm&, const RepeatForm&) = default;
};

inline constexpr std::string_view CounterWidthText = "Width must be between 1 and 4.";

std::optional<FormRefusal> Check(const RepeatForm& form);
std::string Build(const RepeatForm& form);

} // namespace orvane
