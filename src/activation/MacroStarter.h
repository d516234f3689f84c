// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/ShortKeyCase.h"
#include "platform/WindowId.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace orvane {

// How hot keys, ShortKeys, the scheduler and the popup menus start a macro: they ask whether a
// start is refused or would play nothing, and hand the macro over. Hot key dispatch implements
// it; the others are given it.
class MacroStarter {
public:
    virtual ~MacroStarter() = default;

    // The refusal that applies now to a start the user asked for (a popup menu is shown, a
    // capture runs, a macro waits in its pause), or nothing.
    virtual std::optional<std::string_view> RefusalNow() = 0;
    // Shows a refusal in the on-top message window with the caption "Warning"; returns once it
    // is closed, or at once when one is already open.
    virtual void Refuse(std::string_view text) = 0;

    // A macro plays, or a start is on its way (its window being brought forward, its typed word
    // erased): another start now would play nothing.
    virtual bool Busy() const = 0;
    // The macro playing waits in its pause dialog: a timed macro may play meanwhile.
    virtual bool Paused() const = 0;
    // The Caps Lock state the hook backend reported last; timed macros take it as theirs.
    virtual bool CapsLockReported() const = 0;

    // Makes `macro` the current macro and plays it to its end, Caps Lock turned off for its time
    // when `capsWasOn`; the pause dialog names it. Nothing happens while another macro plays,
    // unless that one waits in its pause: then this one plays meanwhile. No in-use mark and no
    // end mark: the caller sets them where its kind of start has them.
    virtual void IntoProgram(int macro, bool capsWasOn) = 0;

    // Starts `macro` as though its own hot key had been struck with `target` in front: the
    // refusals, the in-use mark and the end mark of a hot key start (a menu chosen from a menu
    // shows its own menu). Popup menus start the macro chosen from them so.
    virtual void StartAsHotKey(int macro, WindowId target) = 0;

    // As IntoProgram, with the letters of the macro's text put in `letterCase` first. Returns
    // the characters the macro typed when typing text is all it did, so that they can be taken
    // back; nothing when it did more (other keys, the mouse, commands), was stopped, or did not
    // play.
    virtual std::optional<std::size_t> IntoProgramTyping(int macro, bool capsWasOn,
                                                         LetterCase letterCase) = 0;

    // A start on its way counts as Busy between these two; use StartOnItsWay.
    virtual void BeginStart() = 0;
    virtual void EndStart() = 0;
};

// Marks a start as on its way for as long as it lives.
class StartOnItsWay {
public:
    explicit StartOnItsWay(MacroStarter& starter) : starter_(starter) { starter_.BeginStart(); }
    ~StartOnItsWay() { starter_.EndStart(); }
    StartOnItsWay(const StartOnItsWay&) = delete;
    StartOnItsWay& operator=(const StartOnItsWay&) = delete;

private:
    MacroStarter& starter_;
};

} // namespace orvane
