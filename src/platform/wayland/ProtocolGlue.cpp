// SPDX-License-Identifier: GPL-3.0-or-later
// The interface tables wayland-scanner writes for our protocols, compiled as C++: the headers
// come first so that the tables' definitions take their C linkage from the declarations.
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

// The tables were declared without the hidden visibility the generated code asks for; being
// declared first, the headers' declarations win, which only leaves the symbols visible.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
#include "virtual-keyboard-unstable-v1-protocol.c"
#include "wlr-virtual-pointer-unstable-v1-protocol.c"
#include "xdg-output-unstable-v1-protocol.c"
#pragma GCC diagnostic pop
