// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace orvane {

// Whether a file is a macro file, decided before anything is written to it: loading adds the
// system macros to a macro file, and doing that to a text file or a picture the user happened
// to name would destroy it. A macro file has no header or signature, so the test is that every
// whole record holds what this program writes into the fields that have fixed ranges: the
// length bytes of the four short strings within their capacities, `Scope` 1..5, `Active` 0 or 1,
// and a `HotKey` that is a key code (0..719), the timed code or the ShortKey code. Text and
// random bytes fail these at once (a length byte of 'H', an `Active` byte of ' ').
//
// Where the line is drawn:
//   - An empty file is a macro file with no macros (a new one).
//   - Whole records that all pass, followed by a partial record, are a macro file that was cut
//     short: it is loaded, and its tail is kept by every rewrite.
//   - A file shorter than one record but not empty is not a macro file: there is nothing in it
//     to recognise, and a macro file never has that size unless cut within its first record.
//   - One whole record that fails makes the whole file foreign. Refusing a damaged macro file
//     costs the user nothing (it stays as it is, and they are told); writing into a file that
//     is not one destroys it.
// Every writer of this program keeps records within these ranges, so a file it wrote passes.

enum class MacroFileKind {
    MacroFile,     // empty, or whole records that all pass (a partial tail is allowed)
    Missing,       // nothing exists at the path: a new macro file may be made there
    Unreadable,    // a file (or a dangling link) that cannot be read: permissions, I/O errors
    NotAFile,      // a folder, a named pipe, a device
    NoWholeRecord, // not empty, but shorter than one record
    ForeignRecord, // a whole record holds values no macro file holds
};

struct MacroFileCheck {
    MacroFileKind Kind = MacroFileKind::MacroFile;
    std::size_t Record = 0; // ForeignRecord: the 1-based number of the first record that fails

    friend bool operator==(const MacroFileCheck&, const MacroFileCheck&) = default;
};

// True when `record` holds only values a macro record can hold in its fixed-range fields.
bool IsMacroRecord(std::span<const std::uint8_t, MacroRecordSize> record);

// The verdict on a file's whole contents (never Missing, Unreadable or NotAFile).
MacroFileCheck CheckMacroFileBytes(std::span<const std::uint8_t> bytes);

// The verdict on what is at `path`, read record by record up to the first that fails. Opens,
// reads and closes; never writes, never blocks on a named pipe.
MacroFileCheck CheckMacroFile(const std::filesystem::path& path);

// True when loading `path` may write to it: a macro file, or nothing there yet.
bool IsMacroFile(const std::filesystem::path& path);

} // namespace orvane
