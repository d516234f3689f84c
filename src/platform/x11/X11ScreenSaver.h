// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ScreenSaver.h"
#include "platform/x11/X11Display.h"

#include <memory>

namespace orvane {

// The screen saver held off through the MIT-SCREEN-SAVER extension (XScreenSaverSuspend), on a
// connection of its own: the server ends the suspension when that connection closes, so a
// crashed program never leaves the screen saver off.
class X11ScreenSaver final : public ScreenSaver {
public:
    // Opens its connection to `displayName` (nullptr: $DISPLAY). Nothing when the display
    // cannot be opened or lacks the extension.
    static std::unique_ptr<X11ScreenSaver> Open(const char* displayName);
    ~X11ScreenSaver() override;

    void Suspend(bool suspend) override;
    bool Suspended() const { return suspended_; }

private:
    explicit X11ScreenSaver(DisplayHandle display) : display_(std::move(display)) {}

    DisplayHandle display_;
    bool suspended_ = false;
};

} // namespace orvane
