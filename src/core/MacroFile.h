// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace orvane {

// The macro file on disk: records of 5165 bytes back to back. Each function opens, works and
// closes; no handle outlives a call. A trailing partial record (a file whose length is not a
// multiple of 5165) is not a macro, but its bytes are kept by every rewrite.
//
// Durability: changes that move or add records (removing, appending) rewrite the whole file
// through a temporary file renamed over it, so a crash leaves the old or the new file, never a
// mixture. Overwriting one record and setting the active byte write in place.

enum class MacroFileStatus {
    Ok,
    Missing,    // nothing exists at the path
    Unreadable, // something exists but cannot be read as a file (permissions, a folder, I/O)
};

struct MacroFileContents {
    MacroFileStatus Status = MacroFileStatus::Missing;
    std::vector<std::uint8_t> Records; // the first min(RecordsInFile, limit) whole records
    std::size_t RecordsInFile = 0;     // whole records in the file
    std::size_t TailBytes = 0;         // bytes of a trailing partial record
};

// Reads at most `recordLimit` records.
MacroFileContents ReadMacroFileRecords(const std::filesystem::path& path, std::size_t recordLimit);

// Creates an empty file readable by its owner only; false when anything exists at the path or
// it cannot be created.
bool CreateEmptyMacroFile(const std::filesystem::path& path);

// Reads record `number` (1-based) into `out`; false, with `out` unchanged, when the file cannot
// be read or holds no such whole record.
bool ReadMacroFileRecord(const std::filesystem::path& path, std::size_t number,
                         MacroRecordBytes& out);

enum class MacroWriteResult {
    Written,
    CannotOpen, // the file is missing or not writable; nothing changed
    Failed,     // a read or write failed after opening
};

// Stores `record` as record `number` (1-based). A number past the file's whole records appends
// after them (before any partial tail); otherwise that record is overwritten in place.
MacroWriteResult WriteMacroFileRecord(const std::filesystem::path& path, std::size_t number,
                                      const MacroRecordBytes& record);

// Stores `record` after the file's whole records (before any partial tail).
MacroWriteResult AppendMacroFileRecord(const std::filesystem::path& path,
                                       const MacroRecordBytes& record);

// Stores `records` after the file's whole records, in order, in one rewrite: all of them or,
// on failure, none.
MacroWriteResult AppendMacroFileRecords(const std::filesystem::path& path,
                                        std::span<const MacroRecordBytes> records);

// Removes record `number`; later records move down by one. False when the file cannot be
// opened for writing, holds no such record, or the rewrite fails (the file is then unchanged).
bool RemoveMacroFileRecord(const std::filesystem::path& path, std::size_t number);

// Sets the `Active` byte of record `number` in place. False when the file cannot be opened for
// writing or holds no such record.
bool WriteMacroFileActive(const std::filesystem::path& path, std::size_t number,
                          std::uint8_t value);

} // namespace orvane
