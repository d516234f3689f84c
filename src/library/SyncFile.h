// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/SyncRecord.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace orvane {

// Reading and changing a sync file. Every access holds an advisory record lock (fcntl, which
// NFS and SMB mounts carry to the server) on the whole file for as long as it takes: a shared
// lock to read, an exclusive one to read, decide and write back. So two instances that test the
// lock at the same moment cannot both take it, and a reader never sees half a record. Taking
// the lock also makes a network client drop what it cached of the file. On a file system that
// has no such locks the accesses go on without them, as the file was always used.
//
// The file is never truncated before it is written: the record is written over the old one, so
// an instance of another program that reads the file without locking it finds the old record or
// the new one, never an empty file. A new sync file is made readable and writable by everyone
// the umask allows, as it is shared between users.

// How long an access waits for a record lock another program keeps: past it the access fails
// ("could not be locked") rather than freeze the program behind a stuck holder.
inline constexpr std::chrono::milliseconds LockWaitLimit{2000};

// What an access came to. When it failed, `Error` says why in the user's terms (UTF-8): a file
// that cannot be opened, is not a file, holds less than one record, or cannot be written.
struct SyncFileResult {
    bool Ok = true;
    std::string Error;
};

// Reads the record. When nothing is at `path`, or the file is empty (its maker stopped before it
// wrote), the fresh record (counter 1, free) is written there and returned.
SyncFileResult ReadSyncFile(const std::filesystem::path& path, SyncRecord& record);

// One read-modify-write under the exclusive lock: `change` gets the record the file holds (the
// fresh record for a missing or empty file) and returns true when the record it changed is to be
// written back. A missing or empty file gets its record written in any case. `change` is not
// called when the file cannot be opened or read.
SyncFileResult UpdateSyncFile(const std::filesystem::path& path,
                              const std::function<bool(SyncRecord&)>& change);

} // namespace orvane
