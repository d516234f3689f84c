// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvane {

// A font as the settings describe it; the user interface builds its font object from it.
struct FontSettings {
    std::string Name = "Arial"; // face name, Windows-1252
    int32_t Size = 10;          // points
    int32_t Color = 0;          // 0x00BBGGRR, as the Windows program stores it
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikeout = false;

    bool operator==(const FontSettings&) const = default;
};

struct WindowBounds {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Left = 0;
    int32_t Top = 0;

    bool operator==(const WindowBounds&) const = default;
};

// Capacities of the text settings (bytes of Windows-1252). Longer texts are cut there on loading
// and on saving.
inline constexpr size_t kSortOrderCapacity = 3;  // "Primary Sort", "Activation Sort"
inline constexpr size_t kScopeSortCapacity = 5;  // "Scope Sort"
inline constexpr size_t kPrefixKeysCapacity = 2; // "Prefix Keys"
inline constexpr size_t kPathCapacity = 255;     // file paths and "Wave File"
inline constexpr size_t kFontNameCapacity = 149; // what the 150-character read buffer leaves
inline constexpr size_t kRecentFileCount = 5;

// Every preference kept in "ORVAN.INI", with the defaults of a fresh system. Loaded once at
// start-up and saved whole whenever a setting changes and on exit (SettingsFile.h).
//
// Texts hold the bytes stored in the file, which are Windows-1252: the user interface converts
// them with Windows1252ToUtf8 / Utf8ToWindows1252 (CodePage.h), and paths meet the operating
// system through PathFromStored / StoredFromPath (Paths.h).
struct SettingsBlock {
    // [Misc]
    int32_t SystemMenu = 1; // 1 first part of each macro, 2 icons, 3 nickname and scope
    bool SortHeader = true;
    std::string PrimarySort = "123";
    std::string ActivationSort = "123";
    std::string ScopeSort = "12345";
    int32_t LastDateFormat = 0;
    int32_t LastTimeFormat = 0;
    bool SuppressZerosInDate = true;
    bool SuppressZerosInTime = true;
    bool ShowDate = false;
    bool UseTray = false;
    bool DisableScreenSaver = true;
    std::string CurrentFile;
    std::array<std::string, kRecentFileCount> LastFiles; // most recent first

    // [Capture]
    bool CaptureDoubleAlt = true;
    bool CaptureKeys = true;
    bool CaptureMouse = true;
    bool CaptureRelativeToScreen = true;
    bool CaptureTime = true;
    bool CapturePrompt = true;
    bool CaptureWindowSize = true;
    bool CaptureGlobal = true;
    int32_t CaptureSpeed = 1; // 1 actual, 2 half, 3 double, 4 quadruple

    // [ShortKeys]
    bool SolitaryUsage = false;
    bool CaseSensitive = true;
    bool UseSuffix = false;
    std::string PrefixKeys;
    // Backspace struck right after an expansion gives the abbreviation back.
    bool UndoByBackspace = true;
    // "Sig" and "SIG" type the text with its first letter, or all of it, upper-case.
    bool FollowCase = false;
    // Runs of plain text longer than PasteAbove characters are pasted, not typed.
    bool PasteLongTexts = false;
    int32_t PasteAbove = 200;

    // [Main Window]
    WindowBounds MainWindow{640, 424, 0, 0};
    int32_t Col1Width = 112;
    int32_t Col2Width = 168;
    int32_t Col3Width = 132;
    bool UseSpeed = false; // button bar instead of the letter panel

    // [Grid Title Font], [Grid Font]
    FontSettings GridTitleFont{.Size = 12};
    FontSettings GridFont{};

    // [Script Page]
    WindowBounds ScriptPage{606, 446, 0, 0};

    // [Network]
    bool NetworkMode = false;
    bool AutoSync = true;
    uint16_t SyncMinutes = 10;
    // Read, never written: how often a lock holder rewrites its heartbeat (1..30 seconds; a
    // holder is taken to be gone after two periods). Shorter only where instances must notice a
    // vanished holder sooner than in a minute.
    uint16_t HeartbeatSeconds = 30;

    // [Print List Font]; the file keeps no underline or strikeout for it.
    FontSettings PrintListFont{};

    // [Scheduler]
    bool UseWaveFile = false;
    bool WaveFileWait = false;
    std::string WaveFile;
    uint16_t TimerSeconds = 10;

    bool operator==(const SettingsBlock&) const = default;
};

} // namespace orvane
