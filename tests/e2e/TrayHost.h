// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChildProcess.h"

#include <memory>
#include <string>

namespace orvane::e2e {

class VirtualDisplay;

// A notification area on the test display: trayer, docked at the top left of the screen, as
// wide as the icons docked in it (none at first).
class TrayHost {
public:
    // Starts it and waits until its window shows; Started() says whether it did, Why() why not
    // (trayer missing, or not starting on this display).
    explicit TrayHost(const VirtualDisplay& display);

    bool Started() const { return !window_.empty(); }
    const std::string& Why() const { return why_; }
    // Its window's X id, as xdotool prints it.
    const std::string& Window() const { return window_; }
    // Ends it: the notification area goes away.
    void Stop() { process_.reset(); }

private:
    std::unique_ptr<ChildProcess> process_;
    std::string window_;
    std::string why_;
};

} // namespace orvane::e2e
