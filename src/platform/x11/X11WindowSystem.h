// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventLoopWait.h"
#include "platform/WindowSystem.h"
#include "platform/x11/X11Display.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The window system of an X server, on a connection of its own. With a window manager (EWMH)
// it works through the manager's client list and requests, as a task bar does; without one
// (no _NET_SUPPORTING_WM_CHECK, or a stale one) it falls back on the window tree, XRaiseWindow
// and XSetInputFocus. What the desktop shows is read in X11WindowSystem.cpp; the window
// commands are in X11WindowCommands.cpp.
class X11WindowSystem final : public WindowSystem {
public:
    // How long Activate waits for the window manager to make the window active.
    static constexpr auto ActivationLimit = std::chrono::milliseconds(1000);

    // Opens a connection to `displayName` (nullptr: $DISPLAY); null with the reason in `error`.
    static std::unique_ptr<X11WindowSystem> Open(const char* displayName, std::string& error);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    std::vector<WindowId> TopLevelWindows() override;
    std::string Title(WindowId window) override;
    WindowId Foreground() override;
    WindowId Parent(WindowId window) override;
    bool IsMinimized(WindowId window) override;
    bool Activate(WindowId window) override;
    void Maximize(WindowId window) override;
    void Minimize(WindowId window) override;
    void Restore(WindowId window) override;
    void Close(WindowId window) override;
    void Hide(WindowId window) override;
    void Show(WindowId window) override;
    void Move(WindowId window, int left, int top) override;
    void Resize(WindowId window, int width, int height) override;
    std::optional<WindowRect> FrameRect(WindowId window) override;
    std::optional<int> ProcessOf(WindowId window) override;
    bool IsRemote(WindowId window) override;

    // Rings the X bell (the desktop turns it into its bell sound).
    void Bell();

    // Activate's wait for the window manager then runs in the program's event loop. The event
    // loop must watch ConnectionFd and call DrainEvents when it is readable. Without it (before
    // the event loop exists) the wait blocks on the connection alone.
    void SetEventLoopWait(EventLoopWait wait) { wait_ = std::move(wait); }
    int ConnectionFd() const;
    // Drops the events that arrived: nothing here acts on an event, they only wake waits.
    void DrainEvents();

private:
    struct Atoms;

    explicit X11WindowSystem(DisplayHandle display);
    bool HasWindowManager();
    bool Exists(WindowId window);
    // A 32-bit property as values (Xlib hands them over as longs); nothing when it is missing.
    std::optional<std::vector<std::uint64_t>> Cardinals(WindowId window, unsigned long property);
    std::optional<std::string> Utf8Property(WindowId window, unsigned long property);
    // A server timestamp of now, for requests the window manager orders by time.
    unsigned long ServerTime();
    void SendToRoot(WindowId window, unsigned long type, long l0, long l1 = 0, long l2 = 0,
                    long l3 = 0, long l4 = 0);
    void SetMaximized(WindowId window, bool on);
    bool WaitUntilActive(WindowId window);
    bool IsActive(WindowId window);
    // Property changes of the root window are selected while at least one wait needs them
    // (an activation may run inside another's wait).
    void WatchRoot();
    void UnwatchRoot();
    // The windows this program hid (kept on the root window, most recent first).
    std::vector<WindowId> Hidden();
    void SetHidden(const std::vector<WindowId>& windows);
    void Remember(WindowId window);
    void Forget(WindowId window);

    DisplayHandle display_;
    std::unique_ptr<Atoms> atoms_;
    unsigned long root_ = 0;
    unsigned long clock_ = 0; // our own window, whose property changes tell the server's time
    EventLoopWait wait_;
    int rootWatchers_ = 0;
};

} // namespace orvane
