// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

#include <vector>

namespace orvane {

// "Set Title" / "Set Program": the window title or program a macro is bound to, and whether
// it plays only while that window or program is on top.
struct ScopeForm {
    bool Program = false;
    std::string Name;        // TheTitle, at most 20 characters
    std::string Highlighted; // the entry selected in ProgList, if any
    bool OnTop = true;       // OnTop, else Running

    friend bool operator==(const ScopeForm&, const ScopeForm&) = default;
};

// An empty name with no entry selected is refused; with an entry selected the user is asked
// whether to take it (caption "Error", Yes and No).
std::optional<FormRefusal> Check(const ScopeForm& form);
// The name the macro keeps.
std::string Build(const ScopeForm& form);

// The window list: the titles, without empty ones and repeats, sorted.
std::vector<std::string> WindowTitleList(std::vector<std::string> titles);
// The program list: programs that own a titled window first, then every other running
// program, each part sorted and without repeats.
std::vector<std::string> ProgramList(std::vector<std::string> withWindows,
                                     std::vector<std::string> running);

} // namespace orvane
