// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <vector>

namespace orvane {

// Telling a client's answer to an EWMH _NET_WM_PING from everything else sent to the root
// window, and remembering the programs that never answer, without a display.

// The fields of a ClientMessage that an answer is told by, as Xlib hands them over (data.l
// sign-extends each 32-bit value into a long).
struct PingMessage {
    unsigned long Window = 0; // the window it was sent to
    unsigned long Type = 0;   // message_type
    int Format = 0;
    long Data[3] = {};
};

// The ping we sent and wait to hear back.
struct SentPing {
    unsigned long Root = 0;
    unsigned long Protocols = 0; // WM_PROTOCOLS
    unsigned long Ping = 0;      // _NET_WM_PING
    unsigned long Client = 0;    // the window pinged
    unsigned long Stamp = 0;     // the server time it carried
};

// Whether `message` is `sent` coming back: the client sends the ping unchanged to the root
// window (the toolkits differ only in the event mask they send it with). The stamp and the
// client both have to match, so that the late answer to an earlier ping, ours or another
// process's, never passes for this one.
bool AnswersPing(const PingMessage& message, const SentPing& sent);

// A program as the X server tells it apart: the resource base of its connection, and its
// process id when the server knows it (0 otherwise), so that a connection slot the server hands
// to a later program is not taken for the earlier one.
struct PingProgram {
    unsigned long Client = 0;
    long Pid = 0;
    auto operator<=>(const PingProgram&) const = default;
};

// The most programs the list of silent ones keeps (the newest).
inline constexpr std::size_t SilentProgramsKept = 64;

// The root-window list of programs that never answered a ping (pairs of client base and pid),
// shared by every Orvane process on the display; an odd value at the end is dropped.
std::vector<PingProgram> ProgramsOfList(const std::vector<unsigned long>& values);
std::vector<long> ListOfPrograms(const std::vector<PingProgram>& programs);

// `known` with `silent` added once at its end, programs whose process is gone dropped, and no
// more than SilentProgramsKept kept.
std::vector<PingProgram> WithSilentProgram(const std::vector<PingProgram>& known,
                                           const PingProgram& silent,
                                           const std::function<bool(long pid)>& processGone);

} // namespace orvane
