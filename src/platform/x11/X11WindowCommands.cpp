// SPDX-License-Identifier: GPL-3.0-or-later
// The window commands of X11WindowSystem: what a macro does to windows, through the window
// manager's requests when there is one, else directly.
#include "platform/x11/EwmhDecoding.h"
#include "platform/x11/X11WindowAtoms.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/XProperty.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <climits>
#include <poll.h>

namespace orvane {

namespace {

Display* Dpy(const DisplayHandle& display) {
    return display.get();
}

constexpr long SourcePager = 2;
constexpr long StateRemove = 0;
constexpr long StateAdd = 1;

// Drops whatever events arrived for us: we only ever wait for specific ones.
void DropEvents(Display* display) {
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

// Waits until the connection has something to read or the deadline passes; false at the
// deadline. Blocks in poll(): no spinning.
bool WaitForInput(Display* display, std::chrono::steady_clock::time_point deadline) {
    if (XPending(display) > 0) {
        return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
        return false;
    }
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    return ::poll(&fd, 1, static_cast<int>(std::min<long long>(left.count(), INT_MAX))) > 0;
}

} // namespace

unsigned long X11WindowSystem::ServerTime() {
    Display* d = Dpy(display_);
    XChangeProperty(d, clock_, atoms_->ClockTick, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(d, clock_, PropertyChangeMask, &event);
    return event.xproperty.time;
}

void X11WindowSystem::SendToRoot(WindowId window, unsigned long type, long l0, long l1, long l2,
                                 long l3, long l4) {
    SendToWindowManager(Dpy(display_), root_, window, type, {l0, l1, l2, l3, l4});
}

int X11WindowSystem::ConnectionFd() const {
    return ConnectionNumber(display_.get());
}

void X11WindowSystem::DrainEvents() {
    DropEvents(Dpy(display_));
}

void X11WindowSystem::WatchRoot() {
    if (rootWatchers_++ == 0) {
        XSelectInput(Dpy(display_), root_, PropertyChangeMask);
    }
}

void X11WindowSystem::UnwatchRoot() {
    if (--rootWatchers_ == 0) {
        Display* d = Dpy(display_);
        XSelectInput(d, root_, NoEventMask);
        XSync(d, False);
        DropEvents(d);
    }
}

bool X11WindowSystem::IsActive(WindowId window) {
    const auto now = Cardinals(root_, atoms_->ActiveWindow);
    return now && !now->empty() && (*now)[0] == window;
}

bool X11WindowSystem::WaitUntilActive(WindowId window) {
    Display* d = Dpy(display_);
    const auto deadline = std::chrono::steady_clock::now() + ActivationLimit;
    if (wait_) {
        // The change of _NET_ACTIVE_WINDOW wakes the event loop through our connection.
        return wait_(
            [this, window] {
                DrainEvents();
                return IsActive(window);
            },
            deadline);
    }
    for (;;) {
        if (IsActive(window)) {
            return true;
        }
        if (!WaitForInput(d, deadline)) {
            return false;
        }
        DropEvents(d);
    }
}

bool X11WindowSystem::Activate(WindowId window) {
    Display* d = Dpy(display_);
    if (!Exists(window)) {
        return false;
    }
    // A window a macro hid is shown again first: neither a window manager nor the input focus
    // takes an unmapped window.
    if (const std::vector<WindowId> hidden = Hidden();
        std::find(hidden.begin(), hidden.end(), window) != hidden.end()) {
        Show(window);
    }
    if (HasWindowManager()) {
        // Watch the root window before asking, so the change cannot slip past unseen.
        WatchRoot();
        const WindowId current = Foreground();
        // Source "pager" with a real timestamp: the window manager takes it as the user's own
        // choice, not as a program stealing the focus.
        SendToRoot(window, atoms_->ActiveWindow, SourcePager, static_cast<long>(ServerTime()),
                   static_cast<long>(current));
        const bool active = WaitUntilActive(window);
        UnwatchRoot();
        return active;
    }
    XMapRaised(d, window);
    XSync(d, False);
    XSetInputFocus(d, window, RevertToParent, CurrentTime);
    XSync(d, False);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    return focus == window;
}

void X11WindowSystem::SetMaximized(WindowId window, bool on) {
    SendToRoot(window, atoms_->WmState, on ? StateAdd : StateRemove,
               static_cast<long>(atoms_->MaximizedVert), static_cast<long>(atoms_->MaximizedHorz),
               SourcePager);
}

void X11WindowSystem::Maximize(WindowId window) {
    Display* d = Dpy(display_);
    if (!Exists(window)) {
        return;
    }
    if (HasWindowManager()) {
        if (IsMinimized(window)) {
            XMapWindow(d, window);
        }
        SetMaximized(window, true);
        return;
    }
    XMoveResizeWindow(d, window, 0, 0, static_cast<unsigned>(DisplayWidth(d, DefaultScreen(d))),
                      static_cast<unsigned>(DisplayHeight(d, DefaultScreen(d))));
    XFlush(d);
}

void X11WindowSystem::Minimize(WindowId window) {
    Display* d = Dpy(display_);
    if (!Exists(window)) {
        return;
    }
    if (HasWindowManager()) {
        XIconifyWindow(d, window, DefaultScreen(d));
    } else {
        // Nobody keeps icons without a window manager: the window goes off screen until
        // restored.
        XUnmapWindow(d, window);
        Remember(window);
    }
    XFlush(d);
}

void X11WindowSystem::Restore(WindowId window) {
    Display* d = Dpy(display_);
    if (!Exists(window)) {
        return;
    }
    if (!HasWindowManager()) {
        const std::vector<WindowId> hidden = Hidden();
        if (std::find(hidden.begin(), hidden.end(), window) != hidden.end()) {
            XMapWindow(d, window);
            Forget(window);
        }
        return;
    }
    if (IsMinimized(window)) {
        SendToRoot(window, atoms_->ActiveWindow, SourcePager, static_cast<long>(ServerTime()), 0);
    } else {
        SetMaximized(window, false);
    }
}

void X11WindowSystem::Close(WindowId window) {
    Display* d = Dpy(display_);
    if (!Exists(window)) {
        return;
    }
    if (HasWindowManager()) {
        SendToRoot(window, atoms_->CloseWindow, static_cast<long>(ServerTime()), SourcePager);
        return;
    }
    Atom* protocols = nullptr;
    int count = 0;
    bool deletable = false;
    if (XGetWMProtocols(d, window, &protocols, &count) != 0) {
        deletable =
            std::find(protocols, protocols + count, atoms_->DeleteWindow) != protocols + count;
        XFree(protocols);
    }
    if (!deletable) {
        return; // the window has no way to be asked; ending its client is what "<WSHUT:" is for
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atoms_->Protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(atoms_->DeleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XFlush(d);
}

void X11WindowSystem::Hide(WindowId window) {
    Display* d = Dpy(display_);
    if (!Exists(window)) {
        return;
    }
    // Withdrawing (unmap plus the synthetic UnmapNotify for the window manager) takes the
    // window out of the manager's list, so we remember it to find and show it again. The list
    // lives on the root window, so a later run of the program (another `orvane play`) finds
    // the windows an earlier one hid.
    XWithdrawWindow(d, window, DefaultScreen(d));
    Remember(window);
}

void X11WindowSystem::Show(WindowId window) {
    Display* d = Dpy(display_);
    if (!Exists(window)) {
        return;
    }
    XMapWindow(d, window);
    XFlush(d);
    Forget(window);
}

void X11WindowSystem::Move(WindowId window, int left, int top) {
    Display* d = Dpy(display_);
    if (!Exists(window)) {
        return;
    }
    if (HasWindowManager()) {
        SendToRoot(window, atoms_->MoveResizeWindow, MoveResizeFlags(true, false), left, top);
        return;
    }
    XMoveWindow(d, window, left, top);
    XFlush(d);
}

void X11WindowSystem::Resize(WindowId window, int width, int height) {
    Display* d = Dpy(display_);
    if (!Exists(window)) {
        return;
    }
    FrameExtents extents;
    if (const auto values = Cardinals(window, atoms_->FrameExtents)) {
        extents = FrameExtentsFrom(*values).value_or(FrameExtents{});
    }
    const ClientSize size = ClientSizeForFrame(width, height, extents);
    if (HasWindowManager()) {
        SendToRoot(window, atoms_->MoveResizeWindow, MoveResizeFlags(false, true), 0, 0, size.Width,
                   size.Height);
        return;
    }
    XResizeWindow(d, window, static_cast<unsigned>(size.Width), static_cast<unsigned>(size.Height));
    XFlush(d);
}

} // namespace orvane
