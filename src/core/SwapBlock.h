// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HookLibrary.h"
#include "core/SwapTable.h"

#include <filesystem>

namespace orvane {

// The current keyboard remapping and its hook: the table of the current macro file's remapping
// file, and whether the remapping hook is installed. The hook is installed exactly while the
// hooks are connected and the table is not the identity; the backend always has the table the
// hook works from (OrvUpSwap before OrvHookSwap, and after every change while installed).
//
//   disconnected --Connect--> connected: hooked <=> SwapsInUse(table)
//   connected --Disconnect--> disconnected, hook removed
class SwapBlock {
public:
    // Not owned; must outlive the block.
    explicit SwapBlock(HookLibrary& hook) : hook_(hook) {}

    // A macro file became current: its remapping file is read when it exists (a file that
    // cannot be read leaves the table as it was), otherwise the table becomes the identity and
    // the file is created (silently skipped when it cannot be). The hook follows the table.
    void GetSwapFile(const std::filesystem::path& macroFile);

    // The hooks are installed (start-up): the remapping hook too when the table is in use.
    void Connect();
    // The program ends: the remapping hook is removed.
    void Disconnect();
    // "Restore Keyboard Hooks": the remapping hook is installed anew when it is in use.
    void Reinstall();

    // The remapper closed with changes: the table is saved to the remapping file and the hook
    // is installed, kept (with the new table) or removed as the table now says.
    void Change(const SwapTable& table);

    const SwapTable& Table() const { return table_; }
    const std::filesystem::path& File() const { return file_; }
    bool Hooked() const { return hooked_; }
    HookHandle Handle() const { return handle_; }

private:
    void Follow();

    HookLibrary& hook_;
    SwapTable table_ = IdentitySwaps();
    std::filesystem::path file_;
    bool connected_ = false;
    bool hooked_ = false;
    HookHandle handle_ = 0;
};

} // namespace orvane
