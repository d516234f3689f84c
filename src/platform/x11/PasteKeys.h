// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace orvane {

// The key a window pastes with. Terminal emulators take Ctrl+V as a control character for the
// program they run, and paste with Shift+Insert (from the primary selection in most of them,
// from the clipboard in others).
enum class PasteKey { CtrlV, ShiftInsert };

// The paste key for a window whose WM_CLASS property holds `wmClass` (instance name and class
// name, each ended by a NUL): Shift+Insert for the terminal emulators known by either name (any
// case), Ctrl+V for everything else.
PasteKey PasteKeyForClass(std::string_view wmClass);

} // namespace orvane
