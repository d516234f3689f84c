// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sway/CompositorWindows.h"

#include <string_view>
#include <vector>

namespace orvane {

// The windows of a GET_TREE reply (window ids are container ids), most recently focused first (the
// order of the tree's focus lists), the scratchpad's after the others. Empty when the reply cannot
// be read.
std::vector<CompositorWindow> WindowsOfTree(std::string_view tree);

} // namespace orvane
