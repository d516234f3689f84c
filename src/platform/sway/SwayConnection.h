// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sway/IpcFrame.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The outcome of one command of a RUN_COMMAND (a message may hold several, comma-separated).
struct CommandResult {
    bool Success = false;
    std::string Error;
};

// Two connections to the compositor's IPC socket: one for requests, answered at once, and one
// subscribed to events, whose descriptor the program's event loop watches. Keeping them apart
// means a reply is never mixed up with an event that happened to come first.
class SwayConnection {
public:
    // The socket named by $SWAYSOCK; empty outside a sway session.
    static std::string SocketPathFromEnvironment();

    // Connects twice to `socketPath` and subscribes the second connection to `events` (names
    // such as "binding", "workspace", "window"). Null with a message in `error` on failure.
    static std::unique_ptr<SwayConnection>
    Open(const std::string& socketPath, const std::vector<std::string>& events, std::string& error);
    ~SwayConnection();
    SwayConnection(const SwayConnection&) = delete;
    SwayConnection& operator=(const SwayConnection&) = delete;

    // One request and its reply's payload; nothing when the compositor does not answer within
    // a few seconds or the connection is gone (it is not used again then).
    std::optional<std::string> Request(std::uint32_t type, std::string_view payload);
    // A RUN_COMMAND: one result per command it held; empty when the request failed.
    std::vector<CommandResult> Command(std::string_view command);

    // Each event read by ProcessEvents goes to `handler` (called on the caller's thread).
    void SetEventHandler(std::function<void(const IpcMessage&)> handler) {
        handler_ = std::move(handler);
    }
    int EventFd() const { return eventFd_; }
    // True when events already read wait to be handed out: the event loop calls ProcessEvents
    // before it sleeps, as the descriptor will not wake it for them.
    bool HasWork() const { return !events_.empty() || decoder_.Buffered() > 0; }
    // Reads what the event connection holds, without blocking, and hands out every event. The
    // handler may call ProcessEvents again; the nested call hands out the events after its own.
    void ProcessEvents();
    // Blocks until the event connection has something to read or `timeoutMs` passed; for callers
    // without an event loop. True when there is something.
    bool WaitReadable(int timeoutMs) const;
    // The event connection was closed by the compositor, or its stream could not be read. Its
    // descriptor is never readable from then on.
    bool EventsBroken() const { return eventsBroken_; }

private:
    SwayConnection(int commandFd, int eventFd) : commandFd_(commandFd), eventFd_(eventFd) {}
    void ReadEvents();
    void Silence();

    int commandFd_ = -1;
    int eventFd_ = -1;
    IpcDecoder decoder_;
    std::deque<IpcMessage> events_;
    std::function<void(const IpcMessage&)> handler_;
    bool eventsBroken_ = false;
    int silencer_ = -1; // the write end of the pipe that replaced a closed event connection
};

// The results of a RUN_COMMAND reply; an unreadable reply gives one failed result.
std::vector<CommandResult> ParseCommandResults(std::string_view payload);

} // namespace orvane
