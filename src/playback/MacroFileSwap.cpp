// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/MacroFileSwap.h"

#include "core/MacroStore.h"
#include "core/Paths.h"
#include "core/SettingsBlock.h"

#include <string>
#include <system_error>
#include <utility>

namespace orvane {

void SwapMacroFile(std::string_view file, MacroStore& store, SettingsBlock& settings,
                   MainWindowParts& window) {
    const std::string oldName = settings.CurrentFile;
    std::filesystem::path path = PathFromStored(file);
    // The current folder may change later ("<CHDIR:"); the settings must keep naming this file.
    std::error_code error;
    if (std::filesystem::path absolute = std::filesystem::absolute(path, error); !error) {
        path = std::move(absolute);
    }
    settings.CurrentFile = StoredFromPath(path);
    if (settings.NetworkMode) {
        window.RenewSyncFile();
    }
    window.ClearMenuTaskIcon();
    if (!store.LoadMacroFile(path)) {
        // Nothing was loaded: the old file's macros are still the ones in memory.
        settings.CurrentFile = oldName;
        if (settings.NetworkMode) {
            window.RenewSyncFile();
        }
        window.DoMenuTaskIcon();
        return;
    }
    store.SetHotKeys();
    window.ShowMacroFile(store.CurrentPath());
    window.CheckAndSetTime();
    window.DoMenuTaskIcon();
    window.DoLastFiles(oldName, settings.CurrentFile);
    window.GetSwapFile();
}

} // namespace orvane
