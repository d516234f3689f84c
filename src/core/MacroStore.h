// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"
#include "core/MacroTable.h"
#include "core/MessageSink.h"
#include "core/NameCache.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

class HookLibrary;
struct SystemMacroKind;

// The loaded macro file and its in-memory mirrors: the activation table shared with the hook
// backend, the name cache, and the macro count (held by the table and by the store, always
// changed together). Every change to the table is published to the hook backend by the
// operation named for it, after the fields are set.
//
// Record numbers are 1-based. All operations work on the current file and are synchronous; the
// file is opened and closed inside each call. Messages for the user go to the MessageSink.
class MacroStore {
public:
    // Neither is owned; both must outlive the store.
    MacroStore(HookLibrary& hook, MessageSink& messages);

    // Replaces the whole in-memory state by the file's contents and makes `path` the current
    // file. A path where nothing exists gets a new empty file (owner-only) with the four
    // system macros; if that fails: "New file could not be created." ("Error"), and nothing is
    // loaded. A file that cannot be read, and anything that is not a macro file (CheckMacroFile:
    // a folder, a text file, a file of foreign records), is refused: reported ("Error"), never
    // written, and the macros in memory and the current file stay what they were. A file of
    // more than 500 records loads its first 500 and says so once ("Warning"); the others stay in
    // the file, and no macro can be added to it. Ends with OrvUpNumKeys and EnsureSystemMacros.
    // The caller runs SetHotKeys. Returns true when the file was loaded (or created).
    bool LoadMacroFile(const std::filesystem::path& path);

    // LoadMacroFile of the current file.
    bool ReloadMacroFile();

    // Copies record i of the file into `record`. False, with `record` unchanged, for numbers
    // outside 1..MacroCount or a file that cannot be read.
    bool ReadMacro(int i, MacroRecord& record) const;

    // Writes `record` as record i (1..MacroCount), in place, and then refreshes its mirrors
    // (RefreshItem). i = -1 appends the record after the file's records and mirrors it as record
    // MacroCount: the caller has already raised the count (both copies) and published it, as
    // AppendMacro does. When the file cannot be opened for writing or the write fails:
    // "Saving of keystrokes failed." ("Error"), and the mirrors stay as they were. Other
    // numbers, and appends to a file with records past the 500th, are refused (false) without a
    // message: every creating command checks the 500 limit with its own message first.
    bool SaveMacro(int i, const MacroRecord& record);

    // The append convention in one call: raises MacroCount and publishes it (OrvUpNumKeys), then
    // SaveMacro(-1). On failure the count goes back and is published again. False when the file
    // is full (500 macros, or records past the 500th in the file).
    bool AppendMacro(const MacroRecord& record);

    // AppendMacro for several records at once, in one rewrite of the file: the count is raised
    // by their number and published once, the records written after the file's others in
    // order, then mirrored. All or nothing: a file without room for all of them is refused
    // (false, no message); a failed write shows "Saving of keystrokes failed." and leaves the
    // count, the mirrors and the file as they were.
    bool AppendMacros(std::span<const MacroRecord> records);

    // Removes record i from the file (later records move down by one) through a whole-file
    // rewrite. The mirrors are not touched: the caller reloads. False (silently) when the file
    // cannot be written or holds no record i.
    bool DeleteMacro(int i);

    // Rewrites only the `Active` byte of record i in the file. False (silently) on failure.
    bool SetMacroActive(int i, std::uint8_t value);

    // Activate or deactivate macro i (1..MacroCount): flips its table entry, publishes it
    // (OrvUpItem), then rewrites the byte in the file.
    bool ActivateMacro(int i, bool active);

    // Makes sure the four system macros (scope 5, target "1".."4") exist, appending the missing
    // ones in kind order, and shows the fixed nickname for each one present. Nothing is appended
    // to a full file. A system macro on a plain "LMouse" or "RMouse" (a file from elsewhere, or
    // from before such keys were refused) would take every click of the desktop: it goes back
    // to its default key, written to the file, and the user is told ("Warning").
    void EnsureSystemMacros();

    // Recomputes KeysInUse and HaveShortKeys from all loaded macros and publishes them
    // (OrvUpKeys, OrvUpShort).
    void SetHotKeys();

    // Copies the mirrored fields of `record` to index i (table and name cache) and publishes the
    // item (OrvUpItem) when i is within the count. Indices outside 1..500 are ignored.
    void RefreshItem(int i, const MacroRecord& record);

    // The foreground window's program (UTF-8 executable name), stored upper-case in
    // Windows-1252, cut to 250 characters, then OrvUpProg.
    void SetForegroundProgram(std::string_view executableName);

    // The running programs (UTF-8 executable names): the first 200, upper-case in Windows-1252,
    // each cut to 25 characters, then OrvUpProgs. Every name counts: executables on this system
    // carry no ".EXE" to filter by.
    void RefreshProgramList(std::span<const std::string> executableNames);

    // The hook backend's start-up initialisation, in its fixed order, once the main window
    // exists: capture state and OrvUpInit, main and second window, foreground program, capture
    // off, empty program list, SetHotKeys, then the keyboard and mouse hooks.
    void InitializeHookLibrary(std::uint32_t mainWindow);

    // The count, both copies: the table's Count and this counter. Kept within 0..500.
    int MacroCount() const { return macroCount_; }
    void SetMacroCount(int count);

    // True after loading a file with more than 500 records: appends are refused.
    bool FileHasUnloadedRecords() const { return unloadedRecords_; }

    const std::filesystem::path& CurrentPath() const { return currentPath_; }
    const MacroTable& Table() const { return table_; }
    // Fields other parts of the program own (capture, windows, in-use); they publish their own
    // changes. The count is changed only through SetMacroCount.
    MacroTable& Table() { return table_; }
    const NameCache& Names() const { return names_; }
    NameCache& Names() { return names_; }
    HookLibrary& Hook() { return hook_; }
    MessageSink& Messages() { return messages_; }

private:
    bool CanAppend() const;
    void MendPlainClick(int i, const SystemMacroKind& kind);

    HookLibrary& hook_;
    MessageSink& messages_;
    MacroTable table_;
    NameCache names_;
    int macroCount_ = 0;
    std::filesystem::path currentPath_;
    bool unloadedRecords_ = false;
    std::filesystem::path warnedOversizedPath_;
};

// Texts the store shows.
inline constexpr std::string_view NewFileFailedText = "New file could not be created.";
inline constexpr std::string_view SaveFailedText = "Saving of keystrokes failed.";
// Shown ("Error") for a file that is refused because it is not a macro file.
std::string NotMacroFileText(const std::filesystem::path& path);
// An existing macro file that cannot be read ("Error").
std::string MacroFileCannotOpenText(const std::filesystem::path& path);
// A macro file of more than 500 records ("Warning").
std::string MacroFileOversizedText(const std::filesystem::path& path, std::size_t records);

// The built-in system macros, kind 1..4.
struct SystemMacroKind {
    char Digit;
    std::string_view Nickname;
    std::uint16_t DefaultHotKey;
};
inline constexpr SystemMacroKind SystemMacroKinds[4] = {
    {'1', "Activate Orvane", 262},
    {'2', "Start / Stop Capture", 263},
    {'3', "Resume Pause", 264},
    {'4', "Menu of Macros for Top Most Window", 265},
};

// Told when loading put a system macro on a plain mouse button back on its default key.
std::string PlainClickMendedText(const SystemMacroKind& kind, std::uint16_t was);

} // namespace orvane
