// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QWidget;

namespace orvane {

class SwapBlock;

// "&Remap": the "Keyboard Remapper" on the current file's remapping, modal over `parent`. When
// anything was chosen the remapping file is rewritten and the remapping hook installed, kept or
// removed as the table now says; true then.
bool RemapClick(SwapBlock& swaps, QWidget* parent, const std::function<void()>& showHelp);

} // namespace orvane
