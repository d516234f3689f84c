// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

typedef struct _XDisplay Display;

namespace orvane {

struct DisplayCloser {
    void operator()(Display* display) const;
};

// One X connection, closed when the handle goes.
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

// Opens a connection to `name` (nullptr: $DISPLAY). On failure returns null and says why in
// `error`. The first call replaces Xlib's default error handler, which ends the process, with
// one that only records the error: a failed request of ours (a window gone, a keycode taken)
// must not take the program down.
DisplayHandle OpenDisplay(const char* name, std::string& error);

} // namespace orvane
