// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CommandLine.h"
#include "core/InstanceLock.h"
#include "core/MacroStore.h"
#include "core/MessageSink.h"
#include "core/Paths.h"
#include "core/SettingsBlock.h"
#include "core/SwapBlock.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Where the program keeps its files for this user.
struct ProgramFolders {
    std::filesystem::path Data;         // macro files, "Icons", capture files
    std::filesystem::path SettingsFile; // "ORVAN.INI"
    std::filesystem::path Runtime;      // the single-instance marker
};
ProgramFolders ProgramFoldersFrom(const EnvironmentLookup& environment, unsigned userId);

// Texts of the start-up.
inline constexpr std::string_view AlreadyRunningTrayText =
    "Orvane 98 is already running.  Right Click on the Orvane Icon in the system tray in the "
    "bottom right corner to active.";
inline constexpr std::string_view AlreadyRunningText = "Orvane 98 is already running.";
inline constexpr std::string_view SystemErrorCaption = "System Error";

// The program's start and end, in their fixed order, apart from the windows:
//   Start: data folder, settings, the current macro file (the default file when the store
//     refuses the one the settings name), then the single-instance check (a second instance
//     loads settings and file too before it finds the first one).
//   ConnectHooks (while the main window is created): the current file's keyboard remapping
//     (its hook installed when in use), then the hook backend's initialisation.
//   ApplyCommandLine: the switches, in order.
//   Shutdown (when the main window closes): hooks removed (keyboard, mouse, remapping), window
//     bounds stored, settings saved, the instance marker released.
// Every step reports to the user through the MessageSink; none prints or exits.
class ProgramLifecycle {
public:
    enum class StartResult {
        Run,            // this is the one instance: create the main window
        AlreadyRunning, // the user was told; end with exit code 0
        SystemError,    // the user was told ("System Error"); end with exit code 0
    };

    // Neither is owned; both outlive the lifecycle.
    ProgramLifecycle(MacroStore& store, MessageSink& messages);

    // `display` names the X display, so each display runs its own copy.
    StartResult Start(const ProgramFolders& folders, std::string_view display);

    // Loads the current file's remapping and hands the main window's id to the hook backend
    // and installs the hooks.
    void ConnectHooks(std::uint32_t mainWindow);

    struct CommandLineOutcome {
        bool Hide = false;        // "/HIDE" was given
        int RestrictionLevel = 0; // the last "/B" or "/BA"
        bool FileChanged = false; // "/F" loaded another macro file: rebuild list and caption
    };
    // "/F" with a path where nothing exists is ignored; a file the store refuses (unreadable, not
    // a macro file) is reported by it; both leave the current file loaded. A file loaded brings
    // its own remapping.
    CommandLineOutcome ApplyCommandLine(const std::vector<CommandLineAction>& actions);

    // Writes the settings file now. False when it could not be written (not reported).
    bool SaveSettings();

    // The end of the run; safe to call more than once (later calls do nothing).
    void Shutdown(const WindowBounds& mainWindow);

    SettingsBlock& Settings() { return settings_; }
    // The keyboard remapping of the current macro file.
    SwapBlock& Swaps() { return swaps_; }
    const ProgramFolders& Folders() const { return folders_; }
    bool Running() const { return lock_.Held() && !shutDown_; }

private:
    MacroStore& store_;
    MessageSink& messages_;
    ProgramFolders folders_;
    SettingsBlock settings_;
    InstanceLock lock_;
    SwapBlock swaps_;
    bool hooksInstalled_ = false;
    bool shutDown_ = false;
};

} // namespace orvane
