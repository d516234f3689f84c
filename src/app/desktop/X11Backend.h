// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/desktop/DesktopBackend.h"

#include <memory>
#include <string>

namespace orvane {

// The X11 desktop: hot keys as passive grabs, typing through XTEST, windows through EWMH (see
// X11HookLibrary and X11InputSynth). In a Wayland session it reaches XWayland programs only.
std::unique_ptr<DesktopBackend> OpenX11Backend(BackendUse use, bool traceHooks, std::string& error);

} // namespace orvane
