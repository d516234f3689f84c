// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/FocusClientSync.h"

#include "platform/x11/ProcessRecords.h"
#include "platform/x11/WindowClient.h"
#include "platform/x11/XProperty.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <poll.h>

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;

// How long a program that has answered our pings before may take to work through the events
// queued for it before we stop waiting (and take it for one that does not answer).
constexpr auto PingLimit = std::chrono::milliseconds(5000);

// How long the first ping to a program waits. A program that answers does within milliseconds,
// even behind a long text on a loaded machine; one that advertises pings and never answers
// costs this once, and is then listed as silent for every later playback.
constexpr auto FirstPingLimit = std::chrono::milliseconds(1000);

} // namespace

FocusClientSync::FocusClientSync(Display* display, std::function<void()> serve)
    : display_(display), serve_(std::move(serve)), root_(DefaultRootWindow(display)) {
    wmProtocolsAtom_ = XInternAtom(display_, "WM_PROTOCOLS", False);
    netWmPingAtom_ = XInternAtom(display_, "_NET_WM_PING", False);
    silentAtom_ = XInternAtom(display_, SilentProgramsProperty, False);
    clockAtom_ = XInternAtom(display_, "_ORVANE_CLOCK", False);
}

void FocusClientSync::Observe(const XEvent& event) {
    if (event.type != ClientMessage || ping_.Client == 0) {
        return;
    }
    const XClientMessageEvent& m = event.xclient;
    const PingMessage message{
        m.window, m.message_type, m.format, {m.data.l[0], m.data.l[1], m.data.l[2]}};
    pingAnswered_ = pingAnswered_ || AnswersPing(message, ping_);
}

unsigned long FocusClientSync::FocusClientAnsweringPings() {
    Display* d = display_;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    // Walk up from the focus window to the first window that names its protocols.
    for (int depth = 0; focus != 0 && focus != PointerRoot && focus != root_ && depth < 32;
         ++depth) {
        Atom* protocols = nullptr;
        int count = 0;
        if (XGetWMProtocols(d, focus, &protocols, &count) != 0) {
            const bool pings =
                std::find(protocols, protocols + count, netWmPingAtom_) != protocols + count;
            XFree(protocols);
            return pings ? focus : 0;
        }
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int childCount = 0;
        if (XQueryTree(d, focus, &rootReturn, &parent, &children, &childCount) == 0) {
            return 0;
        }
        if (children != nullptr) {
            XFree(children);
        }
        focus = parent;
    }
    return 0;
}

bool FocusClientSync::WaitForFocusClient(Wait where) {
    if (ping_.Client != 0) {
        return false; // re-entered from the event loop while a ping is out: that one decides
    }
    const Window client = FocusClientAnsweringPings();
    if (client == 0) {
        return false;
    }
    const PingProgram program = ProgramOf(client);
    const std::vector<PingProgram> silent = SilentPrograms();
    if (std::find(silent.begin(), silent.end(), program) != silent.end()) {
        return false;
    }
    // The client sends the ping back to the root window, GTK with the substructure masks, Qt
    // with StructureNotifyMask (and SubstructureRedirectMask, which only the window manager can
    // select): listen there with both until the answer comes or the limit passes.
    XSelectInput(display_, root_, StructureNotifyMask | SubstructureNotifyMask);
    SendPing(client);
    AwaitAnswer(where, Clock::now() + (answering_.contains(program) ? PingLimit : FirstPingLimit));
    XSelectInput(display_, root_, NoEventMask);
    ping_.Client = 0;
    if (pingAnswered_) {
        answering_.insert(program);
    } else {
        answering_.erase(program);
        RememberSilent(program); // no more waiting on it: pauses from now on
    }
    return pingAnswered_;
}

void FocusClientSync::SendPing(unsigned long client) {
    // A real server time, as the protocol has it: a toolkit may take it for the time of the
    // user's last action.
    ping_ = {root_, wmProtocolsAtom_, netWmPingAtom_, client, ServerTime()};
    pingAnswered_ = false;
    XEvent ping{};
    ping.xclient.type = ClientMessage;
    ping.xclient.window = client;
    ping.xclient.message_type = wmProtocolsAtom_;
    ping.xclient.format = 32;
    ping.xclient.data.l[0] = static_cast<long>(netWmPingAtom_);
    ping.xclient.data.l[1] = static_cast<long>(ping_.Stamp);
    ping.xclient.data.l[2] = static_cast<long>(client);
    XSendEvent(display_, client, False, NoEventMask, &ping);
    XFlush(display_);
}

void FocusClientSync::AwaitAnswer(Wait where, Clock::time_point deadline) {
    if (where == Wait::InEventLoop && wait_) {
        // The keys wait; the rest of the program goes on meanwhile.
        wait_(
            [this] {
                serve_();
                return pingAnswered_;
            },
            deadline);
    }
    while (!pingAnswered_) {
        if (XPending(display_) > 0) {
            serve_();
            continue;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
    }
}

unsigned long FocusClientSync::ServerTime() {
    Display* d = display_;
    if (clock_ == 0) {
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        clock_ = XCreateWindow(d, root_, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                               CWEventMask, &attributes);
    }
    XChangeProperty(d, clock_, clockAtom_, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(d, clock_, PropertyChangeMask, &event);
    return event.xproperty.time;
}

PingProgram FocusClientSync::ProgramOf(unsigned long window) {
    // The server knows which connection made the window, and for a local one its process.
    const WindowClient client = ClientOfWindow(display_, window);
    return {client.Base.value_or(window), client.Pid};
}

std::vector<PingProgram> FocusClientSync::SilentPrograms() {
    const auto values = ReadCardinals(display_, root_, silentAtom_, XA_INTEGER);
    return values ? ProgramsOfList(*values) : std::vector<PingProgram>{};
}

void FocusClientSync::RememberSilent(const PingProgram& program) {
    const std::vector<long> values =
        ListOfPrograms(WithSilentProgram(SilentPrograms(), program, NoSuchProcess));
    XChangeProperty(display_, root_, silentAtom_, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
    XFlush(display_);
}

} // namespace orvane
