// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orvane {

enum class BackendKind { X11, Wayland };

// What the start-up knows of the session before it opens anything.
struct SessionFacts {
    std::string Forced;          // ORVANE_BACKEND, as given
    bool WaylandSession = false; // WAYLAND_DISPLAY set, or XDG_SESSION_TYPE=wayland
    bool X11Display = false;     // DISPLAY set (on Wayland: XWayland)
};

// The backend to try first and whether the other may stand in when it cannot open. A Wayland
// session tries Wayland and keeps X11 (reaching XWayland programs only) when the compositor
// lacks what typing and hot keys need; ORVANE_BACKEND forces one, with no stand-in.
struct BackendChoice {
    BackendKind First = BackendKind::X11;
    bool X11MayStandIn = false;
    // Set when ORVANE_BACKEND holds something else than "x11" or "wayland"; the choice is then
    // made as if it were unset.
    std::string Warning;
};

BackendChoice ChooseBackend(const SessionFacts& facts);

// The facts from this process's environment.
SessionFacts SessionFactsFromEnvironment();

} // namespace orvane
