// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The program's folders, after the XDG base directory rules:
// - data folder (default macro file, "Icons", capture files): $XDG_DATA_HOME/orvane, by default
//   ~/.local/share/orvane;
// - config folder, holding "ORVAN.INI": $XDG_CONFIG_HOME/orvane, by default ~/.config/orvane;
// - runtime folder (single-instance lock, trace file): $XDG_RUNTIME_DIR/orvane, or without one a
//   private folder /tmp/orvane-<user id>.
// A variable that is unset, empty or not an absolute path is ignored, as the rules require.
//
// The folder functions are pure: they read the environment only through the lookup they are
// given, so tests choose the environment.

// Returns the value of an environment variable, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The process environment; "HOME" falls back to the user's entry in the password database when
// the variable is unset or empty.
EnvironmentLookup ProcessEnvironment();

inline constexpr std::string_view kSettingsFileName = "ORVAN.INI";

// Empty when neither the XDG variable nor an absolute HOME gives a folder.
std::filesystem::path DataFolder(const EnvironmentLookup& environment);
std::filesystem::path ConfigFolder(const EnvironmentLookup& environment);
std::filesystem::path SettingsFilePath(const EnvironmentLookup& environment);

// Never empty: without $XDG_RUNTIME_DIR it is /tmp/orvane-<userId>.
std::filesystem::path RuntimeFolder(const EnvironmentLookup& environment, unsigned userId);

// The macro file used when the settings name none (or one that no longer exists).
std::filesystem::path DefaultMacroFile(const std::filesystem::path& dataFolder);

// Creates the folder and any missing parents, each with mode 0700 (existing folders keep their
// mode). True when the folder exists afterwards (also through a symbolic link).
bool CreateFolderIfMissing(const std::filesystem::path& folder);

// Creates the runtime folder (mode 0700) when missing and makes sure nobody else can use it: it
// must be a real folder (not a symbolic link) owned by the current user; looser permission bits
// are tightened to 0700. False when any of this fails, for example when another user created the
// folder first in a shared /tmp.
bool PrepareRuntimeFolder(const std::filesystem::path& folder);

// Texts the program stores (settings, macro files) are Windows-1252 bytes, while the operating
// system takes UTF-8 paths. These two are the bridge wherever a stored path meets the system.
std::filesystem::path PathFromStored(std::string_view windows1252);
// Characters Windows-1252 lacks become "?", so such a path cannot be stored faithfully.
std::string StoredFromPath(const std::filesystem::path& path);

} // namespace orvane
