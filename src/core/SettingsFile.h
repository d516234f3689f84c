// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/IniFile.h"
#include "core/SettingsBlock.h"

#include <filesystem>
#include <functional>

namespace orvane {

// Reading and writing "ORVAN.INI" with the sections, keys and value formats of the Windows
// program, so the two can share a file:
// - flags are "Yes"/"No" and read as on exactly when the upper-cased value is "YES";
// - numbers are decimal and read like the C library's conversion: blanks, an optional sign, then
//   as many digits as there are ("12abc" is 12, "abc" is 0), held to the 32-bit range and then to
//   the setting's own width;
// - texts are the raw Windows-1252 bytes.
// A missing file or key gives the default; a key present with an empty value gives an empty
// text, 0 or off.

struct SettingsContext {
    // The data folder, whose "ORVAN.ORV" is the macro file when the settings name none.
    std::filesystem::path DataFolder;
    // Whether the macro file named by the settings exists; by default asks the file system
    // (anything but a folder counts). Tests and the fuzzer supply their own.
    std::function<bool(const std::filesystem::path&)> FileExists;
};

// Reads every setting from a document, applying the defaults and the two corrections:
// "Timer Seconds" of 0 or above 60 becomes 10, and a "Current File" that is empty or names no
// existing file becomes the default macro file of the data folder.
SettingsBlock LoadSettings(const IniFile& file, const SettingsContext& context);

// Reads the settings file; a missing or unreadable file gives the defaults (after the
// corrections), as the Windows profile functions report nothing either.
SettingsBlock LoadSettings(const std::filesystem::path& settingsFile,
                           const SettingsContext& context);

// Writes every setting into the document, in the order of the Windows program's file; other
// sections, keys and lines stay as they are.
void SaveSettings(const SettingsBlock& settings, IniFile& file);

// Rewrites the settings file with every setting, keeping whatever else the existing file holds.
// Creates the folder when missing. The file is replaced atomically (a new file gets mode 0600),
// so a failure at any point leaves the old file whole. Returns false on failure, including an
// existing file that cannot be read (it is left alone rather than replaced without its other
// contents); callers do not report this to the user.
bool SaveSettings(const SettingsBlock& settings, const std::filesystem::path& settingsFile);

} // namespace orvane
