// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/SwayWindowSystem.h"

#include "platform/sway/SwayWindows.h"

namespace orvane {

std::unique_ptr<SwayWindowSystem> SwayWindowSystem::Open(std::string& error) {
    return OpenAt(SwayConnection::SocketPathFromEnvironment(), error);
}

std::unique_ptr<SwayWindowSystem> SwayWindowSystem::OpenAt(const std::string& socketPath,
                                                           std::string& error) {
    std::unique_ptr<SwayConnection> connection =
        SwayConnection::Open(socketPath, {"window"}, error);
    if (!connection) {
        return nullptr;
    }
    return std::unique_ptr<SwayWindowSystem>(
        new SwayWindowSystem(std::make_unique<SwayWindows>(std::move(connection))));
}

} // namespace orvane
