// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/x11/X11WindowSystem.h"

#include <X11/Xlib.h>

namespace orvane {

// The atoms of the window manager's and clients' properties and requests, interned once per
// connection: shared by the two halves of X11WindowSystem (what the desktop shows, and the
// window commands).
struct X11WindowSystem::Atoms {
    explicit Atoms(Display* display) {
        const auto intern = [display](const char* name) {
            return XInternAtom(display, name, False);
        };
        ClientListStacking = intern("_NET_CLIENT_LIST_STACKING");
        ClientList = intern("_NET_CLIENT_LIST");
        ActiveWindow = intern("_NET_ACTIVE_WINDOW");
        SupportingWmCheck = intern("_NET_SUPPORTING_WM_CHECK");
        WmName = intern("_NET_WM_NAME");
        Utf8String = intern("UTF8_STRING");
        WmState = intern("_NET_WM_STATE");
        MaximizedVert = intern("_NET_WM_STATE_MAXIMIZED_VERT");
        MaximizedHorz = intern("_NET_WM_STATE_MAXIMIZED_HORZ");
        StateHidden = intern("_NET_WM_STATE_HIDDEN");
        CloseWindow = intern("_NET_CLOSE_WINDOW");
        MoveResizeWindow = intern("_NET_MOVERESIZE_WINDOW");
        FrameExtents = intern("_NET_FRAME_EXTENTS");
        WmPid = intern("_NET_WM_PID");
        IcccmState = intern("WM_STATE");
        Protocols = intern("WM_PROTOCOLS");
        DeleteWindow = intern("WM_DELETE_WINDOW");
        ClockTick = intern("_ORVANE_CLOCK");
        HiddenWindows = intern("_ORVANE_HIDDEN_WINDOWS");
    }
    Atom ClientListStacking, ClientList, ActiveWindow, SupportingWmCheck, WmName, Utf8String,
        WmState, MaximizedVert, MaximizedHorz, StateHidden, CloseWindow, MoveResizeWindow,
        FrameExtents, WmPid, IcccmState, Protocols, DeleteWindow, ClockTick, HiddenWindows;
};

} // namespace orvane
