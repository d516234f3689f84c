// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/desktop/DesktopBackend.h"

#include <memory>
#include <string>

namespace orvane {

// A Wayland desktop whose compositor offers virtual input (the wlroots family): typing and the
// mouse through a virtual keyboard and pointer; hot keys and the window commands through the
// compositor's own interface (sway's IPC). ShortKeys, capture and remapping would need the
// input devices themselves, which Wayland keeps from programs. Never null; not Live, with the
// reason in `error`, when the compositor lacks what it needs.
std::unique_ptr<DesktopBackend> OpenWaylandBackend(BackendUse use, bool traceHooks,
                                                   std::string& error);

} // namespace orvane
