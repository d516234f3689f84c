// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/x11/Keymap.h"

typedef struct _XDisplay Display;

namespace orvane {

// A plain copy of the core keyboard's XKB map (key types, keysyms per group and level, the
// modifier map). Empty keys when the server gives no map.
KeymapSnapshot ReadXkbKeymap(Display* display);

} // namespace orvane
