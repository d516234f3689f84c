// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::e2e {

class VirtualDisplay;

// Puts each keysym (by name, e.g. "eacute") on a keycode that had none, lower case unshifted and
// upper case shifted, unless the keymap already has it. A character in the keymap is typed
// without binding a spare keycode for the moment, which Qt programs are known to lose characters
// over (they read the keymap after it has been changed back): tests that are not about that
// path use this to stay deterministic. Fails when a name is unknown or no keycode is free.
::testing::AssertionResult BindKeysyms(const VirtualDisplay& display,
                                       const std::vector<std::string>& keysymNames);

} // namespace orvane::e2e
