// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/RemapCommand.h"

#include "core/SwapBlock.h"
#include "ui/activation/KeyboardRemapperDialog.h"

namespace orvane {

bool RemapClick(SwapBlock& swaps, QWidget* parent, const std::function<void()>& showHelp) {
    KeyboardRemapperDialog dialog(swaps.Table(), {}, showHelp, parent);
    dialog.exec();
    if (!dialog.Form().Changed) {
        return false;
    }
    swaps.Change(dialog.Form().Table);
    return true;
}

} // namespace orvane
