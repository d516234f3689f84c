// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane {

// Keeps the desktop's screen saver (and display blanking) from starting while timed macros
// wait to run, so they play into a visible desktop.
class ScreenSaver {
public:
    virtual ~ScreenSaver() = default;

    // Suspends the screen saver (true) or lets it run again (false). Calling it again with the
    // same value changes nothing. A suspension ends at the latest when the program ends.
    virtual void Suspend(bool suspend) = 0;
};

} // namespace orvane
