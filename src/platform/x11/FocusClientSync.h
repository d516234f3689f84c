// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventLoopWait.h"
#include "platform/x11/ClientPings.h"

#include <chrono>
#include <functional>
#include <set>
#include <vector>

typedef struct _XDisplay Display;
union _XEvent;

namespace orvane {

// Waiting until the program with the focus has worked through every event sent to it so far:
// an EWMH _NET_WM_PING queued behind them comes back only then. A program that advertises
// pings and lets one go unanswered (a second for the first we send it, longer once it has
// answered) is listed as silent on the root window ("_ORVANE_SILENT_PROGRAMS", pairs of client
// resource base and pid), and no Orvane process waits for it again.
//
// The answer arrives on the owner's connection: the owner reads its events (`serve`) and hands
// every client message to Observe.
class FocusClientSync {
public:
    static constexpr const char* SilentProgramsProperty = "_ORVANE_SILENT_PROGRAMS";

    // `display` is not owned and must outlive this object; `serve` reads what has arrived on
    // it and passes it on.
    FocusClientSync(Display* display, std::function<void()> serve);

    // Where the wait may run: in the program's event loop (when there is one), or on the
    // connection alone, for the way out when the event loop may be gone.
    enum class Wait { InEventLoop, Here };
    void SetEventLoopWait(EventLoopWait wait) { wait_ = std::move(wait); }

    // Pings the program with the focus and waits for its answer. False at once when no
    // program with the focus takes pings, when it is listed as silent, or when a ping is
    // already out (re-entered from the event loop: that one decides).
    bool WaitForFocusClient(Wait where);

    // An event that arrived on the connection: it may be the answer.
    void Observe(const ::_XEvent& event);

private:
    unsigned long FocusClientAnsweringPings();
    void SendPing(unsigned long client);
    void AwaitAnswer(Wait where, std::chrono::steady_clock::time_point deadline);
    unsigned long ServerTime();
    PingProgram ProgramOf(unsigned long window);
    std::vector<PingProgram> SilentPrograms();
    void RememberSilent(const PingProgram& program);

    Display* display_;
    std::function<void()> serve_;
    EventLoopWait wait_;
    unsigned long root_ = 0;
    unsigned long wmProtocolsAtom_ = 0;
    unsigned long netWmPingAtom_ = 0;
    unsigned long silentAtom_ = 0;
    unsigned long clockAtom_ = 0;
    unsigned long clock_ = 0; // a window of ours whose property changes tell the server time
    SentPing ping_;           // Client 0: no ping outstanding
    bool pingAnswered_ = false;
    std::set<PingProgram> answering_; // programs that have answered a ping of ours
};

} // namespace orvane
