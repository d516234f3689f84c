// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroStore.h"
#include "library/MacroList.h"

#include <vector>

namespace orvane {

// The list's view of the loaded macros, record 1 first, taken from the activation table and the
// name cache (the list never reads the macro file).
std::vector<ListMacro> ListMacrosFrom(const MacroStore& store);

} // namespace orvane
