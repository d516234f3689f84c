// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/SwayConnection.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;

// A compositor busy with a large tree answers in milliseconds; this only bounds a hung one.
constexpr std::chrono::milliseconds ReplyLimit{5000};

int ConnectTo(const std::string& path, std::string& error) {
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) {
        error = "the compositor's socket path is too long: " + path;
        return -1;
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::string("cannot make a socket: ") + std::strerror(errno);
        return -1;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error = "cannot connect to the compositor at " + path + ": " + std::strerror(errno);
        close(fd);
        return -1;
    }
    return fd;
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool WriteAll(int fd, std::string_view bytes, Clock::time_point deadline) {
    while (!bytes.empty()) {
        const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLOUT, 0};
            if (poll(&p, 1, MillisecondsLeft(deadline)) <= 0) {
                return false;
            }
            continue;
        }
        return false;
    }
    return true;
}

// Reads until `decoder` holds a whole message that is not an event, or the deadline passes.
std::optional<IpcMessage> ReadReply(int fd, IpcDecoder& decoder, Clock::time_point deadline,
                                    std::deque<IpcMessage>* events) {
    char chunk[65536];
    for (;;) {
        while (std::optional<IpcMessage> message = decoder.Next()) {
            if (!message->IsEvent()) {
                return message;
            }
            if (events != nullptr) {
                events->push_back(std::move(*message));
            }
        }
        if (decoder.Failed()) {
            return std::nullopt;
        }
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, MillisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return std::nullopt;
        }
        const ssize_t got = recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (got <= 0) {
            return std::nullopt;
        }
        decoder.Feed(std::string_view(chunk, static_cast<std::size_t>(got)));
    }
}

} // namespace

std::string SwayConnection::SocketPathFromEnvironment() {
    const char* path = std::getenv("SWAYSOCK");
    return path != nullptr ? path : "";
}

std::unique_ptr<SwayConnection> SwayConnection::Open(const std::string& socketPath,
                                                     const std::vector<std::string>& events,
                                                     std::string& error) {
    if (socketPath.empty()) {
        error = "SWAYSOCK is not set: this is not a sway session";
        return nullptr;
    }
    const int commandFd = ConnectTo(socketPath, error);
    if (commandFd < 0) {
        return nullptr;
    }
    const int eventFd = ConnectTo(socketPath, error);
    if (eventFd < 0) {
        close(commandFd);
        return nullptr;
    }
    std::unique_ptr<SwayConnection> connection(new SwayConnection(commandFd, eventFd));
    const auto deadline = Clock::now() + ReplyLimit;
    const std::string names = nlohmann::json(events).dump();
    std::optional<IpcMessage> reply;
    if (WriteAll(eventFd, EncodeIpcMessage(IpcType::Subscribe, names), deadline)) {
        reply = ReadReply(eventFd, connection->decoder_, deadline, &connection->events_);
    }
    const nlohmann::json answer =
        reply ? nlohmann::json::parse(reply->Payload, nullptr, false) : nlohmann::json();
    if (!answer.is_object() || !answer.value("success", false)) {
        error = "the compositor refused the event subscription " + names;
        return nullptr;
    }
    const int flags = fcntl(eventFd, F_GETFL);
    fcntl(eventFd, F_SETFL, flags | O_NONBLOCK);
    return connection;
}

SwayConnection::~SwayConnection() {
    close(commandFd_);
    close(eventFd_);
    if (silencer_ >= 0) {
        close(silencer_);
    }
}

void SwayConnection::Silence() {
    eventsBroken_ = true;
    // A closed socket stays readable for good, and the event loop watching it would wake
    // without end. The descriptor's number stays (the loop holds it) but now names a pipe
    // that is never written.
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) == 0) {
        dup3(pipeFds[0], eventFd_, O_CLOEXEC);
        close(pipeFds[0]);
        silencer_ = pipeFds[1];
    }
}

std::optional<std::string> SwayConnection::Request(std::uint32_t type, std::string_view payload) {
    if (commandFd_ < 0) {
        return std::nullopt;
    }
    const auto deadline = Clock::now() + ReplyLimit;
    // Each reply is read whole, so a fresh decoder starts at a message boundary.
    IpcDecoder decoder;
    std::optional<IpcMessage> reply;
    if (WriteAll(commandFd_, EncodeIpcMessage(type, payload), deadline)) {
        reply = ReadReply(commandFd_, decoder, deadline, nullptr);
    }
    if (!reply || reply->Type != type) {
        // A late reply would answer the next request: the connection is not used again.
        close(commandFd_);
        commandFd_ = -1;
        return std::nullopt;
    }
    return std::move(reply->Payload);
}

std::vector<CommandResult> SwayConnection::Command(std::string_view command) {
    const std::optional<std::string> reply = Request(IpcType::RunCommand, command);
    if (!reply) {
        return {};
    }
    return ParseCommandResults(*reply);
}

void SwayConnection::ReadEvents() {
    char chunk[65536];
    while (!eventsBroken_) {
        const ssize_t got = recv(eventFd_, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        }
        if (got <= 0) {
            Silence();
            break;
        }
        decoder_.Feed(std::string_view(chunk, static_cast<std::size_t>(got)));
    }
    while (std::optional<IpcMessage> message = decoder_.Next()) {
        events_.push_back(std::move(*message));
    }
    if (decoder_.Failed()) {
        Silence();
    }
}

void SwayConnection::ProcessEvents() {
    ReadEvents();
    while (!events_.empty()) {
        const IpcMessage event = std::move(events_.front());
        events_.pop_front();
        if (handler_) {
            handler_(event);
        }
    }
}

bool SwayConnection::WaitReadable(int timeoutMs) const {
    if (!events_.empty()) {
        return true;
    }
    pollfd p{eventFd_, POLLIN, 0};
    return poll(&p, 1, timeoutMs) > 0;
}

std::vector<CommandResult> ParseCommandResults(std::string_view payload) {
    const nlohmann::json reply = nlohmann::json::parse(payload, nullptr, false);
    if (!reply.is_array()) {
        return {{false, "the compositor's reply could not be read"}};
    }
    std::vector<CommandResult> results;
    for (const nlohmann::json& item : reply) {
        CommandResult result;
        if (item.is_object()) {
            result.Success = item.value("success", false);
            if (const auto error = item.find("error"); error != item.end() && error->is_string()) {
                result.Error = error->get<std::string>();
            }
        }
        results.push_back(std::move(result));
    }
    return results;
}

} // namespace orvane
