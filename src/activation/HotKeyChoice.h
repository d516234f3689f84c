// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The hot key choice moved down to the macro library, where the capture and the editors can use
// it too; this name stays only until the script editing code includes it from there.
#include "library/HotKeyChoice.h"
