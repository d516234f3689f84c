// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SwapBlock.h"

#include <system_error>

namespace orvane {

void SwapBlock::GetSwapFile(const std::filesystem::path& macroFile) {
    file_ = SwapFilePath(macroFile);
    std::error_code error;
    if (std::filesystem::exists(file_, error)) {
        LoadSwapKeys(file_, table_);
    } else {
        InitSwapKeys(table_);
        SaveSwapKeys(file_, table_);
    }
    Follow();
}

void SwapBlock::Connect() {
    connected_ = true;
    Follow();
}

void SwapBlock::Disconnect() {
    connected_ = false;
    Follow();
}

void SwapBlock::Reinstall() {
    if (hooked_) {
        hook_.OrvUnHook(handle_);
        hooked_ = false;
        handle_ = 0;
    }
    Follow();
}

void SwapBlock::Change(const SwapTable& table) {
    table_ = table;
    SaveSwapKeys(file_, table_);
    Follow();
}

void SwapBlock::Follow() {
    const bool wanted = connected_ && SwapsInUse(table_);
    if (wanted) {
        hook_.OrvUpSwap(table_);
        if (!hooked_) {
            handle_ = hook_.OrvHookSwap();
            hooked_ = true;
        }
    } else if (hooked_) {
        hook_.OrvUnHook(handle_);
        hooked_ = false;
        handle_ = 0;
    }
}

} // namespace orvane
