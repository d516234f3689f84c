// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowId.h"

#include <string>

namespace orvane {

struct MacroRecord;
class WindowFinder;

// Whether one macro can play now, and its window brought forward first, by the rules hot key
// dispatch applies to the macro a struck key finds: a global macro plays into the window in
// front; a window- or program-specific macro plays when its window or program is in front,
// else (unless it runs only when on top) once its window has been activated or its program's
// window brought forward. For a macro named directly (`orvane play --macro`), not found by its key.
enum class ScopeOutcome {
    Ready,       // play now, into `Target`
    Deactivated, // a deactivated macro never plays
    NotInFront,  // "only when on top" and its window or program is not in front
    NoWindow,    // no window has its title
    NoProgram,   // its program does not run
    NotPlayable, // a popup menu, a system command or an unknown scope: nothing to type
};

struct ScopeResult {
    ScopeOutcome Outcome = ScopeOutcome::NotPlayable;
    WindowId Target = NoWindow;
};

ScopeResult BringScopeForward(const MacroRecord& macro, WindowFinder& finder);

// A sentence for the user about an outcome other than Ready (Windows-1252, like the targets).
std::string ScopeOutcomeText(ScopeOutcome outcome, const MacroRecord& macro);

} // namespace orvane
