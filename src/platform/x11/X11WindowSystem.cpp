// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11WindowSystem.h"

#include "platform/x11/EwmhDecoding.h"
#include "platform/x11/WindowClient.h"
#include "platform/x11/X11WindowAtoms.h"
#include "platform/x11/XProperty.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <unistd.h>

namespace orvane {

namespace {

Display* Dpy(const DisplayHandle& display) {
    return display.get();
}

} // namespace

std::unique_ptr<X11WindowSystem> X11WindowSystem::Open(const char* displayName,
                                                       std::string& error) {
    DisplayHandle display = OpenDisplay(displayName, error);
    if (!display) {
        return nullptr;
    }
    return std::unique_ptr<X11WindowSystem>(new X11WindowSystem(std::move(display)));
}

X11WindowSystem::X11WindowSystem(DisplayHandle display)
    : display_(std::move(display)), atoms_(std::make_unique<Atoms>(display_.get())) {
    Display* d = Dpy(display_);
    root_ = DefaultRootWindow(d);
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    clock_ = XCreateWindow(d, root_, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                           CWEventMask, &attributes);
    XFlush(d);
}

X11WindowSystem::~X11WindowSystem() {
    Display* d = Dpy(display_);
    XDestroyWindow(d, clock_);
    XSync(d, False);
}

std::optional<std::vector<std::uint64_t>> X11WindowSystem::Cardinals(WindowId window,
                                                                     unsigned long property) {
    const auto values = ReadCardinals(Dpy(display_), window, property);
    if (!values) {
        return std::nullopt;
    }
    return std::vector<std::uint64_t>(values->begin(), values->end());
}

std::optional<std::string> X11WindowSystem::Utf8Property(WindowId window, unsigned long property) {
    return ReadBytes(Dpy(display_), window, property, atoms_->Utf8String);
}

bool X11WindowSystem::HasWindowManager() {
    // The check window must name itself too: a window manager that died leaves a stale id on
    // the root window, possibly reused by some other client since.
    const auto check = Cardinals(root_, atoms_->SupportingWmCheck);
    if (!check || check->empty() || (*check)[0] == 0) {
        return false;
    }
    const auto self = Cardinals((*check)[0], atoms_->SupportingWmCheck);
    return self && !self->empty() && (*self)[0] == (*check)[0];
}

bool X11WindowSystem::Exists(WindowId window) {
    XWindowAttributes attributes;
    return window != NoWindow && XGetWindowAttributes(Dpy(display_), window, &attributes) != 0;
}

std::vector<WindowId> X11WindowSystem::Hidden() {
    const auto list = Cardinals(root_, atoms_->HiddenWindows);
    return list ? std::vector<WindowId>(list->begin(), list->end()) : std::vector<WindowId>();
}

void X11WindowSystem::SetHidden(const std::vector<WindowId>& windows) {
    Display* d = Dpy(display_);
    if (windows.empty()) {
        XDeleteProperty(d, root_, atoms_->HiddenWindows);
    } else {
        const std::vector<unsigned long> values(windows.begin(), windows.end());
        XChangeProperty(d, root_, atoms_->HiddenWindows, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values.data()),
                        static_cast<int>(values.size()));
    }
    XFlush(d);
}

void X11WindowSystem::Remember(WindowId window) {
    std::vector<WindowId> hidden = Hidden();
    hidden.erase(std::remove(hidden.begin(), hidden.end(), window), hidden.end());
    hidden.insert(hidden.begin(), window);
    SetHidden(hidden);
}

void X11WindowSystem::Forget(WindowId window) {
    std::vector<WindowId> hidden = Hidden();
    const auto end = std::remove(hidden.begin(), hidden.end(), window);
    if (end != hidden.end()) {
        hidden.erase(end, hidden.end());
        SetHidden(hidden);
    }
}

std::vector<WindowId> X11WindowSystem::TopLevelWindows() {
    Display* d = Dpy(display_);
    std::vector<WindowId> windows;
    if (HasWindowManager()) {
        auto list = Cardinals(root_, atoms_->ClientListStacking);
        if (!list) {
            list = Cardinals(root_, atoms_->ClientList);
        }
        if (list) {
            windows = TopmostFirst(*list);
        }
    } else {
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(d, root_, &rootReturn, &parent, &children, &count) != 0) {
            std::vector<std::uint64_t> bottomToTop;
            for (unsigned int i = 0; i < count; ++i) {
                XWindowAttributes attributes;
                // The tree also holds hidden helper windows of every toolkit; only windows on
                // screen are the user's.
                if (XGetWindowAttributes(d, children[i], &attributes) != 0 &&
                    attributes.map_state == IsViewable && !attributes.override_redirect &&
                    children[i] != clock_) {
                    bottomToTop.push_back(children[i]);
                }
            }
            windows = TopmostFirst(bottomToTop);
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    // Windows we hid have left the list; they stay findable below the others.
    const std::vector<WindowId> hidden = Hidden();
    std::vector<WindowId> kept;
    for (const WindowId window : hidden) {
        if (!Exists(window)) {
            continue;
        }
        kept.push_back(window);
        if (std::find(windows.begin(), windows.end(), window) == windows.end()) {
            windows.push_back(window);
        }
    }
    if (kept.size() != hidden.size()) {
        SetHidden(kept);
    }
    return windows;
}

std::string X11WindowSystem::Title(WindowId window) {
    if (window == NoWindow) {
        return {};
    }
    if (std::optional<std::string> name = Utf8Property(window, atoms_->WmName)) {
        return *name;
    }
    XTextProperty property{};
    if (XGetWMName(Dpy(display_), window, &property) == 0 || property.value == nullptr) {
        return {};
    }
    std::string title;
    const std::string_view bytes(reinterpret_cast<const char*>(property.value), property.nitems);
    if (property.encoding == XA_STRING) {
        title = Latin1ToUtf8(bytes);
    } else if (property.encoding == atoms_->Utf8String) {
        title = std::string(bytes);
    } else {
        char** list = nullptr;
        int count = 0;
        if (Xutf8TextPropertyToTextList(Dpy(display_), &property, &list, &count) >= Success &&
            list != nullptr) {
            for (int i = 0; i < count; ++i) {
                title += list[i];
            }
            XFreeStringList(list);
        }
    }
    XFree(property.value);
    // A title ends at its first NUL, as the window manager shows it.
    if (const std::size_t nul = title.find('\0'); nul != std::string::npos) {
        title.resize(nul);
    }
    return title;
}

WindowId X11WindowSystem::Foreground() {
    if (HasWindowManager()) {
        const auto active = Cardinals(root_, atoms_->ActiveWindow);
        return active && !active->empty() ? (*active)[0] : NoWindow;
    }
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(Dpy(display_), &focus, &revert);
    if (focus == None || focus == PointerRoot || focus == root_) {
        return NoWindow;
    }
    // The focus may sit in a child; the foreground window is its top-level ancestor.
    for (WindowId window = focus; window != NoWindow;) {
        const WindowId parent = Parent(window);
        if (parent == root_) {
            return window;
        }
        window = parent;
    }
    return NoWindow;
}

WindowId X11WindowSystem::Parent(WindowId window) {
    if (window == NoWindow) {
        return NoWindow;
    }
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(Dpy(display_), window, &rootReturn, &parent, &children, &count) == 0) {
        return NoWindow;
    }
    if (children != nullptr) {
        XFree(children);
    }
    return parent;
}

bool X11WindowSystem::IsMinimized(WindowId window) {
    if (const auto state = Cardinals(window, atoms_->IcccmState); state && IsIconicState(*state)) {
        return true;
    }
    const auto netState = Cardinals(window, atoms_->WmState);
    return netState &&
           std::find(netState->begin(), netState->end(), atoms_->StateHidden) != netState->end();
}

std::optional<WindowRect> X11WindowSystem::FrameRect(WindowId window) {
    Display* d = Dpy(display_);
    XWindowAttributes attributes;
    if (window == NoWindow || XGetWindowAttributes(d, window, &attributes) == 0) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    if (XTranslateCoordinates(d, window, root_, 0, 0, &x, &y, &child) == 0) {
        return std::nullopt;
    }
    const WindowRect client{x, y, attributes.width, attributes.height};
    FrameExtents extents;
    if (const auto values = Cardinals(window, atoms_->FrameExtents)) {
        extents = FrameExtentsFrom(*values).value_or(FrameExtents{});
    }
    return FrameAround(client, extents);
}

bool X11WindowSystem::IsRemote(WindowId window) {
    if (!Exists(window)) {
        return false;
    }
    // WM_CLIENT_MACHINE names the machine the client runs on; a window without it is taken
    // for a local one.
    bool remote = false;
    XTextProperty machine{};
    if (XGetWMClientMachine(Dpy(display_), window, &machine) != 0 && machine.value != nullptr) {
        char host[256] = {};
        ::gethostname(host, sizeof(host) - 1);
        remote = std::string_view(reinterpret_cast<const char*>(machine.value), machine.nitems) !=
                 std::string_view(host);
        XFree(machine.value);
    }
    return remote;
}

std::optional<int> X11WindowSystem::ProcessOf(WindowId window) {
    Display* d = Dpy(display_);
    if (!Exists(window)) {
        return std::nullopt;
    }
    // _NET_WM_PID counts only for a client on this machine.
    if (!IsRemote(window)) {
        if (const auto pid = Cardinals(window, atoms_->WmPid);
            pid && !pid->empty() && (*pid)[0] > 0 && (*pid)[0] <= INT_MAX) {
            return static_cast<int>((*pid)[0]);
        }
    }
    // The server knows the process of each local client connection.
    if (const long pid = ClientOfWindow(d, window).Pid; pid > 0 && pid <= INT_MAX) {
        return static_cast<int>(pid);
    }
    return std::nullopt;
}

void X11WindowSystem::Bell() {
    XBell(Dpy(display_), 0);
    XFlush(Dpy(display_));
}

} // namespace orvane
