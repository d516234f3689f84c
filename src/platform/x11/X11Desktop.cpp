// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace orvane {
namespace {

std::string StringProperty(Display* d, Window window, Atom property, Atom type) {
    Atom actual = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(d, window, property, 0, 1024, False, type, &actual, &format, &items,
                           &after, &data) == Success &&
        data != nullptr && format == 8) {
        text.assign(reinterpret_cast<const char*>(data), items);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return text;
}

} // namespace

std::unique_ptr<X11Desktop> X11Desktop::Open(const char* displayName, std::string& error) {
    DisplayHandle display = OpenDisplay(displayName, error);
    if (!display) {
        return nullptr;
    }
    return std::unique_ptr<X11Desktop>(new X11Desktop(std::move(display)));
}

X11Desktop::X11Desktop(DisplayHandle display) : display_(std::move(display)) {
    root_ = DefaultRootWindow(display_.get());
}

std::optional<unsigned long> X11Desktop::CardinalProperty(WindowId window, unsigned long atom,
                                                          unsigned long type) {
    Atom actual = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<unsigned long> value;
    if (XGetWindowProperty(display_.get(), window, atom, 0, 1, False, type, &actual, &format,
                           &items, &after, &data) == Success &&
        data != nullptr && format == 32 && items == 1) {
        value = *reinterpret_cast<const unsigned long*>(data);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return value;
}

WindowId X11Desktop::ActiveWindow() {
    Display* d = display_.get();
    return CardinalProperty(root_, XInternAtom(d, "_NET_ACTIVE_WINDOW", False), XA_WINDOW)
        .value_or(0);
}

std::string X11Desktop::Title(WindowId window) {
    if (window == 0) {
        return {};
    }
    Display* d = display_.get();
    std::string title = StringProperty(d, window, XInternAtom(d, "_NET_WM_NAME", False),
                                       XInternAtom(d, "UTF8_STRING", False));
    if (title.empty()) {
        title = StringProperty(d, window, XA_WM_NAME, AnyPropertyType);
    }
    return title;
}

std::string X11Desktop::ProgramOf(WindowId window) {
    if (window == 0) {
        return {};
    }
    Display* d = display_.get();
    const auto pid = CardinalProperty(window, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL);
    return pid ? ProgramOfProcess(static_cast<long>(*pid)) : std::string();
}

std::vector<WindowId> X11Desktop::ClientWindows() {
    Display* d = display_.get();
    Atom actual = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<WindowId> windows;
    if (XGetWindowProperty(d, root_, XInternAtom(d, "_NET_CLIENT_LIST_STACKING", False), 0, 4096,
                           False, XA_WINDOW, &actual, &format, &items, &after, &data) == Success &&
        data != nullptr && format == 32) {
        const auto* ids = reinterpret_cast<const unsigned long*>(data);
        // The list runs bottom to top.
        for (unsigned long i = items; i > 0; --i) {
            windows.push_back(ids[i - 1]);
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    return windows;
}

unsigned long X11Desktop::ServerTime() {
    // A zero-length append to a property of ours answers with the server's time.
    Display* d = display_.get();
    const Window probe = XCreateSimpleWindow(d, root_, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, probe, PropertyChangeMask);
    const Atom atom = XInternAtom(d, "_ORVANE_TIME", False);
    XChangeProperty(d, probe, atom, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(d, probe, PropertyChangeMask, &event);
    XDestroyWindow(d, probe);
    return event.xproperty.time;
}

bool X11Desktop::Activate(WindowId window) {
    Display* d = display_.get();
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = 2; // a pager: the user asked for it
    message.xclient.data.l[1] = static_cast<long>(ServerTime());
    XSendEvent(d, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
    XFlush(d);
    // The window manager does it in its own time; a second is plenty.
    for (int i = 0; i < 100; ++i) {
        if (ActiveWindow() == window) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::vector<std::string> X11Desktop::RunningPrograms() {
    std::vector<std::string> programs;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::string program = ProgramOfProcess(std::stol(name));
        if (!program.empty()) {
            programs.push_back(std::move(program));
        }
    }
    return programs;
}

std::string X11Desktop::ProgramOfProcess(long pid) {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
    if (error) {
        return {};
    }
    std::string name = exe.filename().string();
    // A replaced executable reads "name (deleted)".
    constexpr std::string_view Deleted = " (deleted)";
    if (name.size() > Deleted.size() && name.ends_with(Deleted)) {
        name.resize(name.size() - Deleted.size());
    }
    return name;
}

} // namespace orvane
