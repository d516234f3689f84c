// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/ClipboardKeeper.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace orvane {
namespace {

struct Atoms {
    Atom Clipboard, Targets, Utf8, Text, Timestamp, Stamp;
};

// A server timestamp: the moment of a PropertyNotify our own zero-length change causes.
Time ServerTime(Display* d, Window w, Atom stamp) {
    XChangeProperty(d, w, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(d, w, PropertyChangeMask, &event);
    return event.xproperty.time;
}

void Answer(Display* d, const Atoms& atoms, Time owned, const std::string& utf8,
            const XEvent& event) {
    const XSelectionRequestEvent& request = event.xselectionrequest;
    const Atom property = AnswerProperty(event);
    const Window to = request.requestor;
    bool given = true;
    if (request.target == atoms.Targets) {
        const Atom targets[] = {atoms.Targets, atoms.Timestamp, atoms.Utf8, XA_STRING, atoms.Text};
        XChangeProperty(d, to, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(targets), 5);
    } else if (request.target == atoms.Timestamp) {
        const long stamp = static_cast<long>(owned);
        XChangeProperty(d, to, property, XA_INTEGER, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&stamp), 1);
    } else if (request.target == atoms.Utf8 || request.target == atoms.Text) {
        XChangeProperty(d, to, property, atoms.Utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(utf8.data()),
                        static_cast<int>(utf8.size()));
    } else if (request.target == XA_STRING) {
        const std::string latin1 = Latin1Of(utf8);
        XChangeProperty(d, to, property, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(latin1.data()),
                        static_cast<int>(latin1.size()));
    } else {
        given = false; // a target we cannot give
    }
    SendSelectionAnswer(d, event, given);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

std::string Latin1Of(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        unsigned cp = c;
        std::size_t len = 1;
        if (c >= 0xF0) {
            len = 4;
        } else if (c >= 0xE0) {
            len = 3;
        } else if (c >= 0xC0) {
            len = 2;
            cp = i + 1 < utf8.size()
                     ? ((c & 0x1FU) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3FU)
                     : 0x3FU;
        }
        out.push_back(len == 1 || (len == 2 && cp <= 0xFF) ? static_cast<char>(cp) : '?');
        i += len;
    }
    return out;
}

unsigned long AnswerProperty(const XEvent& request) {
    const XSelectionRequestEvent& r = request.xselectionrequest;
    return r.property != None ? r.property : r.target;
}

void SendSelectionAnswer(Display* display, const XEvent& request, bool given) {
    const XSelectionRequestEvent& r = request.xselectionrequest;
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = display;
    reply.requestor = r.requestor;
    reply.selection = r.selection;
    reply.target = r.target;
    reply.time = r.time;
    reply.property = given ? AnswerProperty(request) : None;
    XSendEvent(display, r.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(display);
}

int ServeClipboardUntilTaken(const std::string& utf8, int readyFd) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        close(readyFd);
        return 1;
    }
    const Atoms atoms{
        XInternAtom(d, "CLIPBOARD", False),   XInternAtom(d, "TARGETS", False),
        XInternAtom(d, "UTF8_STRING", False), XInternAtom(d, "TEXT", False),
        XInternAtom(d, "TIMESTAMP", False),   XInternAtom(d, "_ORVANE_CLIPBOARD_STAMP", False)};
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, w, PropertyChangeMask);
    const Time owned = ServerTime(d, w, atoms.Stamp);
    XSetSelectionOwner(d, atoms.Clipboard, w, owned);
    const bool owner = XGetSelectionOwner(d, atoms.Clipboard) == w;
    if (owner) {
        const char ok = 1;
        WriteAll(readyFd, std::string_view(&ok, 1));
    }
    close(readyFd);
    if (!owner) {
        XCloseDisplay(d);
        return 1;
    }
    for (;;) {
        XEvent event;
        XNextEvent(d, &event); // a lost display ends the process through Xlib's I/O error exit
        if (event.type == SelectionClear && event.xselectionclear.selection == atoms.Clipboard) {
            break; // another program took the clipboard: nothing more to keep
        }
        if (event.type == SelectionRequest) {
            Answer(d, atoms, owned, utf8, event);
        }
    }
    XCloseDisplay(d);
    return 0;
}

bool HandClipboardToKeeper(const std::string& program, const std::string& serveArgument,
                           const std::string& utf8) {
    int text[2] = {-1, -1};
    int ready[2] = {-1, -1};
    if (pipe2(text, O_CLOEXEC) != 0) {
        return false;
    }
    if (pipe2(ready, O_CLOEXEC) != 0) {
        close(text[0]);
        close(text[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, text[0], 0);
    posix_spawn_file_actions_adddup2(&actions, ready[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A session of its own: neither the terminal's hangup nor its job control reaches it.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::vector<char*> argv = {const_cast<char*>(program.c_str()),
                               const_cast<char*>(serveArgument.c_str()), nullptr};
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(text[0]);
    close(ready[1]);
    bool owned = false;
    if (spawned == 0) {
        // SIGPIPE would end us if the keeper died before reading.
        struct sigaction ignore {};
        struct sigaction previous {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGPIPE, &ignore, &previous);
        const bool written = WriteAll(text[1], utf8);
        close(text[1]);
        text[1] = -1;
        sigaction(SIGPIPE, &previous, nullptr);
        pollfd fd{ready[0], POLLIN, 0};
        char byte = 0;
        owned = written && poll(&fd, 1, 10000) == 1 && read(ready[0], &byte, 1) == 1;
    }
    if (text[1] >= 0) {
        close(text[1]);
    }
    close(ready[0]);
    return owned;
}

} // namespace orvane
