// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string_view>

namespace orvane {

class MacroStore;
struct SettingsBlock;

// The parts of switching the macro file that belong to the main window. Implemented by it.
class MainWindowParts {
public:
    virtual ~MainWindowParts() = default;

    // Frees the tray icons of popup menus.
    virtual void ClearMenuTaskIcon() = 0;
    // The file `path` is now current: the caption names it, the list shows its macros and the
    // macro commands are enabled when it holds any.
    virtual void ShowMacroFile(const std::filesystem::path& path) = 0;
    // Recomputes the next scheduled macro.
    virtual void CheckAndSetTime() = 0;
    // Creates the tray icons of the new file's popup menus.
    virtual void DoMenuTaskIcon() = 0;
    // Updates the recent files: `newName` first, `oldName` kept among them (stored texts).
    virtual void DoLastFiles(std::string_view oldName, std::string_view newName) = 0;
    // Loads the remapping file beside the macro file (or creates it).
    virtual void GetSwapFile() = 0;
    // In network mode: derives the sync file of the new macro file and records its stamp.
    virtual void RenewSyncFile() = 0;
};

// "<SWAP:": makes `file` (Windows-1252, as the tag holds it) the current macro file: the
// settings name it, the store loads it and republishes the hot keys, and the main window shows
// it. When the file cannot be loaded the current file stays what it was (the store has said
// why). The macro being played is not affected.
void SwapMacroFile(std::string_view file, MacroStore& store, SettingsBlock& settings,
                   MainWindowParts& window);

} // namespace orvane
