// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The hook backend on a real X server, driven as the program's event loop drives it: the
// messages it hands on are kept, and its connection is served until a condition holds.

#include "Deadline.h"
#include "core/HookLibrary.h"
#include "platform/x11/X11HookLibrary.h"

#include <poll.h>

#include <functional>
#include <vector>

namespace orvane::e2e {

class HookMessages : public HookMessageReceiver {
public:
    void Receive(const HookMessage& message) override { received.push_back(message); }

    int Count(HookMessageId id) const {
        int n = 0;
        for (const HookMessage& m : received) {
            n += m.Id == id ? 1 : 0;
        }
        return n;
    }

    std::vector<HookMessage> received;
};

// Serves the backend's connection until `done` holds or the limit passes.
inline bool ServeHook(X11HookLibrary& hook, const std::function<bool()>& done) {
    const Deadline deadline(kDefaultTimeout);
    for (;;) {
        hook.ProcessEvents();
        if (done()) {
            return true;
        }
        if (deadline.Passed()) {
            return false;
        }
        pollfd fd{hook.ConnectionFd(), POLLIN, 0};
        ::poll(&fd, 1, 20);
    }
}

} // namespace orvane::e2e
