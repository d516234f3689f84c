// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        contents.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Makes the rename itself durable: without this a power loss can bring back the old name.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view contents,
                         unsigned newFileMode) {
    mode_t mode = static_cast<mode_t>(newFileMode);
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            return false;
        }
        mode = existing.st_mode & 07777;
    }

    std::string tempName = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX"));
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        return false;
    }
    const bool ok = WriteAll(fd, contents) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok || ::rename(tempName.c_str(), target.c_str()) != 0) {
        ::unlink(tempName.c_str());
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

} // namespace orvane
