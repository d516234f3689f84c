// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/BringScopeForward.h"

#include "core/CodePage.h"
#include "core/MacroRecord.h"
#include "core/MacroTable.h"
#include "core/TextCase.h"
#include "playback/WindowFinder.h"

#include <algorithm>

namespace orvane {
namespace {

std::string Cut(std::string text, std::size_t length) {
    if (text.size() > length) {
        text.resize(length);
    }
    return text;
}

bool Contains(std::string_view text, std::string_view upperTarget) {
    return UpperCase1252(text).find(upperTarget) != std::string::npos;
}

} // namespace

ScopeResult BringScopeForward(const MacroRecord& macro, WindowFinder& finder) {
    const WindowId front = finder.Foreground();
    if (macro.Active == 0) {
        return {ScopeOutcome::Deactivated, NoWindow};
    }
    if (macro.Scope == ScopeGlobal) {
        return {ScopeOutcome::Ready, front};
    }
    if (macro.Scope != ScopeSpecificWindow && macro.Scope != ScopeSpecificProgram) {
        return {ScopeOutcome::NotPlayable, NoWindow};
    }
    const std::string target = Cut(macro.ScopeTarget.Str(), ScopeTargetTableLength);
    const std::string upperTarget = UpperCase1252(target);
    if (macro.Scope == ScopeSpecificWindow) {
        if (Contains(finder.Title(front), upperTarget)) {
            return {ScopeOutcome::Ready, front};
        }
        if (macro.TopMostOnly != 0) {
            return {ScopeOutcome::NotInFront, NoWindow};
        }
        if (const auto window = finder.ActivateIt(target)) {
            return {ScopeOutcome::Ready, *window};
        }
        return {ScopeOutcome::NoWindow, NoWindow};
    }
    const std::string frontProgram =
        Cut(Utf8ToWindows1252(finder.ProgramOf(front)), ForegroundProgramLength);
    if (Contains(frontProgram, upperTarget)) {
        return {ScopeOutcome::Ready, front};
    }
    if (macro.TopMostOnly != 0) {
        return {ScopeOutcome::NotInFront, NoWindow};
    }
    const std::vector<std::string> running = finder.RunningPrograms();
    const std::size_t considered = std::min<std::size_t>(running.size(), MaxPrograms);
    const bool runs = std::any_of(
        running.begin(), running.begin() + static_cast<std::ptrdiff_t>(considered),
        [&](const std::string& name) {
            return Contains(Cut(Utf8ToWindows1252(name), ProgramNameLength), upperTarget);
        });
    if (!runs) {
        return {ScopeOutcome::NoProgram, NoWindow};
    }
    // As with a hot key, a running program whose window cannot be brought forward still gets
    // its macro, typed into whatever is in front.
    if (const auto window = finder.ActivateProg(target)) {
        return {ScopeOutcome::Ready, *window};
    }
    return {ScopeOutcome::Ready, finder.Foreground()};
}

std::string ScopeOutcomeText(ScopeOutcome outcome, const MacroRecord& macro) {
    const std::string target = "\"" + macro.ScopeTarget.Str() + "\"";
    switch (outcome) {
    case ScopeOutcome::Ready:
        return {};
    case ScopeOutcome::Deactivated:
        return "the macro is deactivated";
    case ScopeOutcome::NotInFront:
        return std::string("the macro plays only when its ") +
               (macro.Scope == ScopeSpecificWindow ? "window " : "program ") + target +
               " is in front";
    case ScopeOutcome::NoWindow:
        return "no window has the title " + target;
    case ScopeOutcome::NoProgram:
        return "the program " + target + " is not running";
    case ScopeOutcome::NotPlayable:
        break;
    }
    if (macro.Scope == ScopePopupMenu) {
        return "the macro is a popup menu, which only the running program shows";
    }
    if (macro.Scope == ScopeSystem) {
        return "the macro is a command of the running program";
    }
    return "the macro's scope is unknown";
}

} // namespace orvane
