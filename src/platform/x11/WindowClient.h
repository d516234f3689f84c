// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

typedef struct _XDisplay Display;

namespace orvane {

// The client connection behind a window, as the server tells it through the X-Resource
// extension.
struct WindowClient {
    std::optional<unsigned long> Base; // the resource base of its connection
    long Pid = 0;                      // its process, for a local client; 0: unknown
};

// The client that made `window`; nothing known when the server cannot say.
WindowClient ClientOfWindow(Display* display, unsigned long window);

} // namespace orvane
