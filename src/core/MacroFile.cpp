// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MacroFile.h"

#include "core/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// Only regular files are macro files. O_NONBLOCK keeps a named pipe or a device at the path from
// blocking the open; it changes nothing for regular files.
FileDescriptor OpenRegular(const std::filesystem::path& path, int flags, std::size_t& size) {
    FileDescriptor fd(::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid()) {
        return fd;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return FileDescriptor(-1);
    }
    size = static_cast<std::size_t>(st.st_size);
    return fd;
}

// Reads up to `length` bytes at `offset`; the count actually read (short at end of file), or
// -1 on an I/O error.
long long ReadAt(int fd, std::uint8_t* buffer, std::size_t length, std::size_t offset) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n =
            ::pread(fd, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(done);
}

bool WriteAt(int fd, const std::uint8_t* buffer, std::size_t length, std::size_t offset) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n =
            ::pwrite(fd, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadWhole(int fd, std::size_t size, std::vector<std::uint8_t>& bytes) {
    bytes.resize(size);
    const long long n = ReadAt(fd, bytes.data(), size, 0);
    if (n < 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(n));
    return true;
}

// The rename of a rewrite must replace the file a symbolic link points to, not the link.
std::filesystem::path RewriteTarget(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        auto resolved = std::filesystem::canonical(path, ec);
        if (!ec) {
            return resolved;
        }
    }
    return path;
}

bool Rewrite(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    return WriteFileAtomically(
        RewriteTarget(path),
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace

MacroFileContents ReadMacroFileRecords(const std::filesystem::path& path, std::size_t recordLimit) {
    MacroFileContents contents;
    std::size_t size = 0;
    const FileDescriptor fd = OpenRegular(path, O_RDONLY, size);
    if (!fd.Valid()) {
        // Only a path where nothing at all exists counts as missing; anything else there (a
        // folder, a file we may not read, a dangling link) must never be replaced.
        std::error_code ec;
        const auto type = std::filesystem::symlink_status(path, ec).type();
        contents.Status = type == std::filesystem::file_type::not_found
                              ? MacroFileStatus::Missing
                              : MacroFileStatus::Unreadable;
        return contents;
    }
    contents.RecordsInFile = size / MacroRecordSize;
    contents.TailBytes = size % MacroRecordSize;
    const std::size_t wanted = std::min(contents.RecordsInFile, recordLimit) * MacroRecordSize;
    contents.Records.resize(wanted);
    const long long n = ReadAt(fd.Get(), contents.Records.data(), wanted, 0);
    if (n != static_cast<long long>(wanted)) {
        // The file shrank under us or could not be read: nothing of it is trusted.
        contents = {};
        contents.Status = MacroFileStatus::Unreadable;
        return contents;
    }
    contents.Status = MacroFileStatus::Ok;
    return contents;
}

bool CreateEmptyMacroFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    // The creation mask may have taken permissions away, never added any; 0600 stands.
    return ::close(fd) == 0;
}

bool ReadMacroFileRecord(const std::filesystem::path& path, std::size_t number,
                         MacroRecordBytes& out) {
    std::size_t size = 0;
    const FileDescriptor fd = OpenRegular(path, O_RDONLY, size);
    if (!fd.Valid() || number < 1 || number > size / MacroRecordSize) {
        return false;
    }
    MacroRecordBytes record{};
    if (ReadAt(fd.Get(), record.data(), MacroRecordSize, (number - 1) * MacroRecordSize) !=
        static_cast<long long>(MacroRecordSize)) {
        return false;
    }
    out = record;
    return true;
}

namespace {

// Appending rewrites the file: the new record goes after the whole records, and a partial tail
// (not a macro, but not ours to destroy) follows it.
MacroWriteResult Append(const std::filesystem::path& path, int fd, std::size_t size,
                        std::span<const MacroRecordBytes> records) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWhole(fd, size, bytes)) {
        return MacroWriteResult::Failed;
    }
    std::vector<std::uint8_t> added;
    added.reserve(records.size() * MacroRecordSize);
    for (const MacroRecordBytes& record : records) {
        added.insert(added.end(), record.begin(), record.end());
    }
    const std::size_t wholeRecords = bytes.size() / MacroRecordSize * MacroRecordSize;
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(wholeRecords), added.begin(),
                 added.end());
    return Rewrite(path, bytes) ? MacroWriteResult::Written : MacroWriteResult::Failed;
}

} // namespace

MacroWriteResult WriteMacroFileRecord(const std::filesystem::path& path, std::size_t number,
                                      const MacroRecordBytes& record) {
    std::size_t size = 0;
    const FileDescriptor fd = OpenRegular(path, O_RDWR, size);
    if (!fd.Valid()) {
        return MacroWriteResult::CannotOpen;
    }
    if (number < 1) {
        return MacroWriteResult::Failed;
    }
    if (number > size / MacroRecordSize) {
        return Append(path, fd.Get(), size, std::span(&record, 1));
    }
    return WriteAt(fd.Get(), record.data(), MacroRecordSize, (number - 1) * MacroRecordSize)
               ? MacroWriteResult::Written
               : MacroWriteResult::Failed;
}

MacroWriteResult AppendMacroFileRecord(const std::filesystem::path& path,
                                       const MacroRecordBytes& record) {
    std::size_t size = 0;
    const FileDescriptor fd = OpenRegular(path, O_RDWR, size);
    if (!fd.Valid()) {
        return MacroWriteResult::CannotOpen;
    }
    return Append(path, fd.Get(), size, std::span(&record, 1));
}

MacroWriteResult AppendMacroFileRecords(const std::filesystem::path& path,
                                        std::span<const MacroRecordBytes> records) {
    std::size_t size = 0;
    const FileDescriptor fd = OpenRegular(path, O_RDWR, size);
    if (!fd.Valid()) {
        return MacroWriteResult::CannotOpen;
    }
    return Append(path, fd.Get(), size, records);
}

bool RemoveMacroFileRecord(const std::filesystem::path& path, std::size_t number) {
    std::size_t size = 0;
    const FileDescriptor fd = OpenRegular(path, O_RDWR, size);
    std::vector<std::uint8_t> bytes;
    if (!fd.Valid() || number < 1 || !ReadWhole(fd.Get(), size, bytes) ||
        number > bytes.size() / MacroRecordSize) {
        return false;
    }
    const auto first = bytes.begin() + static_cast<std::ptrdiff_t>((number - 1) * MacroRecordSize);
    bytes.erase(first, first + static_cast<std::ptrdiff_t>(MacroRecordSize));
    return Rewrite(path, bytes);
}

bool WriteMacroFileActive(const std::filesystem::path& path, std::size_t number,
                          std::uint8_t value) {
    std::size_t size = 0;
    const FileDescriptor fd = OpenRegular(path, O_RDWR, size);
    if (!fd.Valid() || number < 1 || number > size / MacroRecordSize) {
        return false;
    }
    return WriteAt(fd.Get(), &value, 1, (number - 1) * MacroRecordSize + MacroRecordOffset::Active);
}

} // namespace orvane
