// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/WindowClient.h"

#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

#include <algorithm>

namespace orvane {

WindowClient ClientOfWindow(Display* display, unsigned long window) {
    WindowClient found;
    XResClientIdSpec wanted{window, XRES_CLIENT_ID_XID_MASK | XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* values = nullptr;
    if (XResQueryClientIds(display, 1, &wanted, &count, &values) != Success) {
        return found;
    }
    for (long i = 0; i < count; ++i) {
        if (XResGetClientIdType(&values[i]) == XRES_CLIENT_ID_XID) {
            // The value's first member names the client it answers for.
            const auto& [client, length, value] = values[i];
            found.Base = client.client;
        } else if (XResGetClientIdType(&values[i]) == XRES_CLIENT_ID_PID && found.Pid <= 0) {
            found.Pid = std::max<long>(XResGetClientPid(&values[i]), 0);
        }
    }
    XResClientIdsDestroy(count, values);
    return found;
}

} // namespace orvane
