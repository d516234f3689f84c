// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11ScreenSaver.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace orvane {

std::unique_ptr<X11ScreenSaver> X11ScreenSaver::Open(const char* displayName) {
    std::string error;
    DisplayHandle display = OpenDisplay(displayName, error);
    if (!display) {
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    // Suspending needs version 1.1 of the extension.
    if (!XScreenSaverQueryExtension(display.get(), &eventBase, &errorBase) ||
        !XScreenSaverQueryVersion(display.get(), &major, &minor) ||
        (major < 1 || (major == 1 && minor < 1))) {
        return nullptr;
    }
    return std::unique_ptr<X11ScreenSaver>(new X11ScreenSaver(std::move(display)));
}

X11ScreenSaver::~X11ScreenSaver() {
    Suspend(false);
}

void X11ScreenSaver::Suspend(bool suspend) {
    if (suspend == suspended_) {
        return;
    }
    XScreenSaverSuspend(display_.get(), suspend ? True : False);
    XFlush(display_.get());
    suspended_ = suspend;
}

} // namespace orvane
