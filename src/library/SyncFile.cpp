// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/SyncFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace orvane {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_); // also drops the record lock
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

std::string Named(const std::filesystem::path& path) {
    return "The sync file " + path.string();
}

SyncFileResult Failed(std::string text) {
    return SyncFileResult{false, std::move(text)};
}

SyncFileResult FailedWith(const std::filesystem::path& path, std::string_view what, int error) {
    return Failed(Named(path) + " could not be " + std::string(what) + ": " + std::strerror(error) +
                  ".");
}

// Takes the lock, waiting a bounded time for it: holders keep it only for one read and one write
// of 14 bytes, so a lock that stays taken belongs to a stuck program (a hung client of a network
// file system), and waiting for it without end would freeze the window. The attempts back off
// from 5 ms and give up after about two seconds (EAGAIN). File systems without record locks
// (ENOLCK, EOPNOTSUPP, EINVAL) are used without them.
bool Lock(int fd, short type, int& error) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    auto pause = std::chrono::milliseconds(5);
    auto waited = std::chrono::milliseconds(0);
    while (::fcntl(fd, F_SETLK, &lock) == -1) {
        if (errno == EINTR) {
            continue;
        }
        if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL) {
            return true;
        }
        if ((errno != EAGAIN && errno != EACCES) || waited >= LockWaitLimit) {
            error = errno == EACCES ? EAGAIN : errno;
            return false;
        }
        std::this_thread::sleep_for(pause);
        waited += pause;
        pause = std::min(pause * 2, std::chrono::milliseconds(250));
    }
    return true;
}

// Opens without blocking on a named pipe and checks that a regular file is there. `missing` tells
// that nothing is at the path.
SyncFileResult Open(const std::filesystem::path& path, int flags, int& fd, bool& missing) {
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    missing = fd < 0 && errno == ENOENT;
    if (fd < 0 && errno == EISDIR) {
        return Failed(Named(path) + " is not a file.");
    }
    if (fd < 0) {
        return FailedWith(path, "opened", errno);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return FailedWith(path, "read", errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return Failed(Named(path) + " is not a file.");
    }
    return {};
}

// Reads up to one record; `length` is how many bytes the file gave.
SyncFileResult ReadRecord(const std::filesystem::path& path, int fd,
                          std::array<std::uint8_t, SyncRecordSize>& bytes, std::size_t& length) {
    length = 0;
    while (length < bytes.size()) {
        const ssize_t got =
            ::pread(fd, bytes.data() + length, bytes.size() - length, static_cast<off_t>(length));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FailedWith(path, "read", errno);
        }
        if (got == 0) {
            break;
        }
        length += static_cast<std::size_t>(got);
    }
    return {};
}

SyncFileResult Damaged(const std::filesystem::path& path, std::size_t length) {
    return Failed(Named(path) + " is damaged: it holds " + std::to_string(length) +
                  " bytes, and its record takes " + std::to_string(SyncRecordSize) +
                  ".  Remove it to share the macro file again.");
}

SyncFileResult WriteRecord(const std::filesystem::path& path, int fd, const SyncRecord& record) {
    const std::array<std::uint8_t, SyncRecordSize> bytes = SyncRecordBytes(record);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (wrote < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FailedWith(path, "written", errno);
        }
        done += static_cast<std::size_t>(wrote);
    }
    // The file holds exactly one record, as it always did.
    struct stat status {};
    if (::fstat(fd, &status) == 0 && status.st_size > static_cast<off_t>(SyncRecordSize) &&
        ::ftruncate(fd, static_cast<off_t>(SyncRecordSize)) != 0) {
        return FailedWith(path, "written", errno);
    }
    return {};
}

} // namespace

SyncFileResult ReadSyncFile(const std::filesystem::path& path, SyncRecord& record) {
    int raw = -1;
    bool missing = false;
    SyncFileResult opened = Open(path, O_RDONLY, raw, missing);
    const Descriptor fd(raw);
    if (missing) {
        return UpdateSyncFile(path, [&record](SyncRecord& fresh) {
            record = fresh;
            return false;
        });
    }
    if (!opened.Ok) {
        return opened;
    }
    int error = 0;
    if (!Lock(fd.Get(), F_RDLCK, error)) {
        return FailedWith(path, "locked", error);
    }
    std::array<std::uint8_t, SyncRecordSize> bytes{};
    std::size_t length = 0;
    if (SyncFileResult read = ReadRecord(path, fd.Get(), bytes, length); !read.Ok) {
        return read;
    }
    if (length == 0) {
        // A file made but never written: give it its first record.
        return UpdateSyncFile(path, [&record](SyncRecord& fresh) {
            record = fresh;
            return false;
        });
    }
    if (length < SyncRecordSize) {
        return Damaged(path, length);
    }
    record = SyncRecordFrom(bytes);
    return {};
}

SyncFileResult UpdateSyncFile(const std::filesystem::path& path,
                              const std::function<bool(SyncRecord&)>& change) {
    int raw = -1;
    bool missing = false;
    SyncFileResult opened = Open(path, O_RDWR | O_CREAT, raw, missing);
    const Descriptor fd(raw);
    if (!opened.Ok) {
        return opened;
    }
    int error = 0;
    if (!Lock(fd.Get(), F_WRLCK, error)) {
        return FailedWith(path, "locked", error);
    }
    std::array<std::uint8_t, SyncRecordSize> bytes{};
    std::size_t length = 0;
    if (SyncFileResult read = ReadRecord(path, fd.Get(), bytes, length); !read.Ok) {
        return read;
    }
    if (length != 0 && length < SyncRecordSize) {
        return Damaged(path, length);
    }
    SyncRecord record = length == 0 ? SyncRecord{} : SyncRecordFrom(bytes);
    const bool write = change(record) || length == 0;
    return write ? WriteRecord(path, fd.Get(), record) : SyncFileResult{};
}

} // namespace orvane
