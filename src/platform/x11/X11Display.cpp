// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11Display.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <mutex>

namespace orvane {
namespace {

int RecordError(Display*, XErrorEvent*) {
    // Errors of asynchronous requests arrive long after the call that caused them; the calls
    // that care check their results with a round trip instead.
    return 0;
}

} // namespace

void DisplayCloser::operator()(Display* display) const {
    if (display != nullptr) {
        XCloseDisplay(display);
    }
}

DisplayHandle OpenDisplay(const char* name, std::string& error) {
    static std::once_flag handlerInstalled;
    std::call_once(handlerInstalled, [] { XSetErrorHandler(RecordError); });
    DisplayHandle display(XOpenDisplay(name));
    if (!display) {
        const char* shown = name != nullptr ? name : std::getenv("DISPLAY");
        error =
            std::string("cannot open the X display \"") + (shown != nullptr ? shown : "") + "\"";
    }
    return display;
}

} // namespace orvane
