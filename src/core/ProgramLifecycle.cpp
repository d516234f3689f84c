// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ProgramLifecycle.h"

#include "core/AtomicFile.h"
#include "core/HookLibrary.h"
#include "core/SettingsFile.h"

#include <system_error>

namespace orvane {

ProgramFolders ProgramFoldersFrom(const EnvironmentLookup& environment, unsigned userId) {
    return ProgramFolders{DataFolder(environment), SettingsFilePath(environment),
                          RuntimeFolder(environment, userId)};
}

ProgramLifecycle::ProgramLifecycle(MacroStore& store, MessageSink& messages)
    : store_(store), messages_(messages), swaps_(store.Hook()) {}

ProgramLifecycle::StartResult ProgramLifecycle::Start(const ProgramFolders& folders,
                                                      std::string_view display) {
    folders_ = folders;
    // A data folder that cannot be made shows up as the macro file that cannot be created.
    CreateFolderIfMissing(folders_.Data);
    settings_ = LoadSettings(folders_.SettingsFile, SettingsContext{folders_.Data, {}});
    const std::filesystem::path file = PathFromStored(settings_.CurrentFile);
    if (!store_.LoadMacroFile(file) && store_.CurrentPath() != file) {
        // The settings name a file the store refused (the user was told): go on with the
        // default file, and let the settings say so, since everything else follows them.
        const std::filesystem::path fallback = DefaultMacroFile(folders_.Data);
        if (fallback != file && store_.LoadMacroFile(fallback)) {
            settings_.CurrentFile = StoredFromPath(fallback);
        }
    }

    if (!PrepareRuntimeFolder(folders_.Runtime)) {
        messages_.Show(SystemErrorCaption,
                       "The folder " + folders_.Runtime.string() +
                           " cannot be used for the program's marker.  Orvane will terminate.");
        return StartResult::SystemError;
    }
    switch (lock_.Acquire(InstanceMarkerPath(folders_.Runtime, display))) {
    case InstanceLock::Result::Acquired:
        // A rewrite killed before its rename left its temporary file beside the original.
        RemoveLeftoverRewrites(folders_.SettingsFile);
        RemoveLeftoverRewrites(store_.CurrentPath());
        return StartResult::Run;
    case InstanceLock::Result::AlreadyRunning:
        messages_.Show("", settings_.UseTray ? AlreadyRunningTrayText : AlreadyRunningText);
        return StartResult::AlreadyRunning;
    case InstanceLock::Result::Failed:
        break;
    }
    messages_.Show(SystemErrorCaption, "The program's marker could not be created in " +
                                           folders_.Runtime.string() + ".  Orvane will terminate.");
    return StartResult::SystemError;
}

void ProgramLifecycle::ConnectHooks(std::uint32_t mainWindow) {
    swaps_.GetSwapFile(store_.CurrentPath());
    swaps_.Connect();
    store_.InitializeHookLibrary(mainWindow);
    hooksInstalled_ = true;
}

ProgramLifecycle::CommandLineOutcome
ProgramLifecycle::ApplyCommandLine(const std::vector<CommandLineAction>& actions) {
    CommandLineOutcome outcome;
    for (const CommandLineAction& action : actions) {
        if (std::holds_alternative<HideAtStart>(action)) {
            outcome.Hide = true;
        } else if (const auto* restrict = std::get_if<RestrictCommands>(&action)) {
            outcome.RestrictionLevel = restrict->Level;
        } else if (std::holds_alternative<AutoSyncOn>(action)) {
            settings_.AutoSync = true;
        } else if (std::holds_alternative<NetworkModeOn>(action)) {
            settings_.NetworkMode = true;
        } else if (const auto* minutes = std::get_if<SetSyncMinutes>(&action)) {
            settings_.SyncMinutes = static_cast<std::uint16_t>(minutes->Minutes);
        } else if (const auto* open = std::get_if<OpenMacroFile>(&action)) {
            const std::filesystem::path path = std::filesystem::absolute(open->Path);
            std::error_code error;
            if (std::filesystem::symlink_status(path, error).type() ==
                std::filesystem::file_type::not_found) {
                continue; // a path where nothing is is ignored
            }
            // Anything else there goes to the store, which refuses (and reports) what it cannot
            // read or what is not a macro file, keeping the file it had.
            if (store_.LoadMacroFile(path)) {
                settings_.CurrentFile = StoredFromPath(path);
                store_.SetHotKeys();
                if (hooksInstalled_) {
                    swaps_.GetSwapFile(path);
                }
                outcome.FileChanged = true;
            }
        }
    }
    return outcome;
}

bool ProgramLifecycle::SaveSettings() {
    return orvane::SaveSettings(settings_, folders_.SettingsFile);
}

void ProgramLifecycle::Shutdown(const WindowBounds& mainWindow) {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    if (hooksInstalled_) {
        HookLibrary& hook = store_.Hook();
        hook.OrvUnHook(store_.Table().KeyboardHook());
        hook.OrvUnHook(store_.Table().MouseHook());
        swaps_.Disconnect();
        hooksInstalled_ = false;
    }
    settings_.MainWindow = mainWindow;
    SaveSettings();
    lock_.Release();
}

} // namespace orvane
