// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The files "Import Macros" reads: macro files of this program and the records of two older
// programs of the same family, told apart by the last four characters of the name (any case).
enum class ImportFormat {
    MacroFile,      // ".ORV": MacroRecord as it is
    OldHotKeyFile,  // ".KE2": 5141-byte hot key macro records
    OldShortKeyFile // ".SHK": 3039-byte ShortKey records
};

inline constexpr std::size_t OldHotKeyRecordSize = 5141;
inline constexpr std::size_t OldShortKeyRecordSize = 3039;

inline constexpr std::string_view ImproperFileTypeText =
    "Improper file type selected.  Please choose a different file.";
inline constexpr std::string_view CannotOpenImportText = "Unable to open import file.";

std::optional<ImportFormat> ImportFormatOf(std::string_view fileName);
std::size_t ImportRecordSize(ImportFormat format);

// Byte offsets inside the older hot key record. Its fields up to the text have the layout of a
// MacroRecord without the ShortKey; the schedule block after the text is the MacroRecord's.
namespace OldHotKeyOffset {
inline constexpr std::size_t Nickname = 0;     // short string, capacity 50
inline constexpr std::size_t ScopeTarget = 51; // short string, capacity 30
inline constexpr std::size_t HotKey = 82;
inline constexpr std::size_t Scope = 84;
inline constexpr std::size_t Active = 86;
inline constexpr std::size_t Clipboard = 87;
inline constexpr std::size_t Reserved1 = 88;
inline constexpr std::size_t Text = 90; // 5001 bytes, NUL-terminated
inline constexpr std::size_t TextSize = 5001;
inline constexpr std::size_t SchedKind = 5091;
inline constexpr std::size_t SchedDays = 5093; // 12 bytes: SchedDays .. SchedPastHour
inline constexpr std::size_t SchedInterval = 5105;
inline constexpr std::size_t SchedWeekday = 5107;
inline constexpr std::size_t SchedYear = 5108;
inline constexpr std::size_t SchedPM = 5110;
inline constexpr std::size_t TopMostOnly = 5111;
} // namespace OldHotKeyOffset

namespace OldShortKeyOffset {
inline constexpr std::size_t ShortKey = 3; // short string, capacity 10
inline constexpr std::size_t Active = 14;
inline constexpr std::size_t Reserved1 = 15;
inline constexpr std::size_t Text = 17; // 3001 bytes, NUL-terminated
inline constexpr std::size_t TextSize = 3001;
inline constexpr std::size_t Clipboard = 3018;
} // namespace OldShortKeyOffset

// The conversions of one older record into the macro it becomes, stamped `now` (days since
// 30 December 1899). Values from a damaged file are made safe on the way: short strings are
// cut to their capacity, the active flag becomes 0 or 1, a text without its closing NUL ends at
// the field's end, and the clipboard tags around a text always stay whole (a text too long to
// keep them loses its end instead).
MacroRecord ConvertOldHotKeyRecord(std::span<const std::uint8_t, OldHotKeyRecordSize> bytes,
                                   double now);
MacroRecord ConvertOldShortKeyRecord(std::span<const std::uint8_t, OldShortKeyRecordSize> bytes,
                                     double now);

// The text of an older hot key macro: "<LAUNCH>" texts become "<LAUNCH:...>" (with a
// "<CHDIR:...>" before it when they name "<PARAM>"), which ends typing through the clipboard;
// otherwise a text typed through the clipboard is wrapped in the clipboard tags.
std::string ConvertOldHotKeyText(std::string_view text, bool clipboard);

// One macro of an import file, as it will be imported.
struct ImportEntry {
    std::size_t Position = 0; // its record's place in the file, from 1
    MacroRecord Record;
};

struct ImportFile {
    ImportFormat Format = ImportFormat::MacroFile;
    std::vector<ImportEntry> Entries; // in file order
};

// Reading an import file: the file or the message ("Error") that says why not.
struct ImportRead {
    std::optional<ImportFile> File;
    std::string_view Error;
};

// Lists what can be imported from `path`. A name without one of the three endings gives
// ImproperFileTypeText; a file that cannot be read, or is not of its kind, gives
// CannotOpenImportText. What is listed:
//   ".ORV": every macro except the system macros. A file this program would refuse to open
//     (CheckMacroFile) is refused here too.
//   ".KE2": every record that can become a macro: its hot key a code a macro file holds, its
//     scope Global, Window, Program or PopUp Menu. The others are skipped (a second system
//     macro, or values no macro file holds, would make the current file one the program
//     refuses to open).
//   ".SHK": every record, as a global ShortKey macro with no nickname.
// Whole records only: a trailing partial record is not a macro. A file shorter than one record,
// or whose records are all skipped, is not of its kind; an empty file lists nothing.
ImportRead ReadImportFile(const std::filesystem::path& path, double now);

} // namespace orvane
