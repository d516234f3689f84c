// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::e2e {

class VirtualDisplay;

// Puts each keysym (by name, e.g. "eacute") on a keycode that had none, lower case unshifted and
// upper case shifted, unless the keymap already has it. A character in the keymap is typed
// without binding a spare keycode for the moment; clients read the keymap only when they handle
// the change notice, and lose the character when it has been changed back by then (Qt programs
// most often, Xlib ones under load). Tests that are not about that path use this to stay
// deterministic. Fails when a name is unknown or no keycode is free.
::testing::AssertionResult BindKeysyms(const VirtualDisplay& display,
                                       const std::vector<std::string>& keysymNames);

// Binds every empty keycode but one to a Greek letter (lower case, upper case shifted): the one
// left holds 16 characters, so a text of more missing characters makes one playback bind that
// keycode anew, chunk by chunk. Texts of such tests must hold no Greek letters.
::testing::AssertionResult LeaveOneSpareKeycode(const VirtualDisplay& display);

} // namespace orvane::e2e
