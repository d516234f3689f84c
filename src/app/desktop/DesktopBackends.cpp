// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/DesktopBackend.h"
#include "app/desktop/WaylandBackend.h"
#include "app/desktop/X11Backend.h"

namespace orvane {

std::unique_ptr<DesktopBackend> OpenDesktopBackend(BackendUse use, bool traceHooks,
                                                   std::string& notice, std::string& error) {
    const BackendChoice choice = ChooseBackend(SessionFactsFromEnvironment());
    notice = choice.Warning;
    if (choice.First == BackendKind::X11) {
        return OpenX11Backend(use, traceHooks, error);
    }
    std::string why;
    std::unique_ptr<DesktopBackend> wayland = OpenWaylandBackend(use, traceHooks, why);
    if (wayland->Live() || !choice.X11MayStandIn) {
        error = why;
        return wayland;
    }
    notice += (notice.empty() ? "" : "\n\n") +
              ("Orvane cannot type into Wayland programs here: " + why +
               ". It types and watches hot keys in programs running through XWayland only.");
    return OpenX11Backend(use, traceHooks, error);
}

} // namespace orvane
