// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace orvane {

// Window property reads that free what Xlib hands over, and client messages to the window
// manager. Windows, atoms and types are X ids (unsigned long, as Xlib has them).

// A property of format 32 as its items (Xlib delivers them as C longs whatever their size), at
// most `maxItems` of them. Nothing when the property is missing, has another format or type
// (`type` 0 takes any), or the window is gone.
std::optional<std::vector<unsigned long>> ReadCardinals(Display* display, unsigned long window,
                                                        unsigned long property,
                                                        unsigned long type = 0,
                                                        long maxItems = 1L << 24);

// A property of format 8 and type `type` as its bytes; nothing when it is missing or of
// another format or type.
std::optional<std::string> ReadBytes(Display* display, unsigned long window, unsigned long property,
                                     unsigned long type);

// Sends a client message of format 32 about `window` to the root window, where the window
// manager takes its requests (_NET_ACTIVE_WINDOW, _NET_WM_STATE, ...), and flushes it.
void SendToWindowManager(Display* display, unsigned long root, unsigned long window,
                         unsigned long type, const std::array<long, 5>& data);

} // namespace orvane
