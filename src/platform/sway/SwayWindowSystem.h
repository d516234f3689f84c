// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sway/CompositorWindowSystem.h"

#include <memory>
#include <string>

namespace orvane {

// The window system on sway: window ids are sway's container ids (the ids hot key messages
// carry too), the commands go through its IPC (see SwayWindows).
class SwayWindowSystem final : public CompositorWindowSystem {
public:
    // Connects to $SWAYSOCK. Null with a message in `error` when sway cannot be reached.
    static std::unique_ptr<SwayWindowSystem> Open(std::string& error);
    // As Open, with the socket named.
    static std::unique_ptr<SwayWindowSystem> OpenAt(const std::string& socketPath,
                                                    std::string& error);

private:
    using CompositorWindowSystem::CompositorWindowSystem;
};

} // namespace orvane
