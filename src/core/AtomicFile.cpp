// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AtomicFile.h"

#include <algorithm>
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

int RemoveLeftoverRewrites(const std::filesystem::path& target, std::chrono::seconds settled) {
    namespace fs = std::filesystem;
    // The name mkstemp makes from the template WriteFileAtomically gives it.
    const std::string prefix = "." + target.filename().string() + ".";
    constexpr std::size_t UniquePart = 6;
    const auto isUnique = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    };
    const fs::file_time_type before = fs::file_time_type::clock::now() - settled;
    int removed = 0;
    std::error_code error;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != prefix.size() + UniquePart || !name.starts_with(prefix) ||
            !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                         isUnique)) {
            continue;
        }
        std::error_code entryError;
        if (!entry.is_regular_file(entryError) || entry.is_symlink(entryError) ||
            entry.last_write_time(entryError) > before || entryError) {
            continue;
        }
        if (fs::remove(entry.path(), entryError)) {
            ++removed;
        }
    }
    return removed;
}

} // namespace orvane
