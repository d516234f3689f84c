// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/InstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

InstanceLock::~InstanceLock() {
    Release();
}

void InstanceLock::Release() {
    if (fd_ >= 0) {
        ::close(fd_); // closing the last descriptor drops the flock
        fd_ = -1;
    }
}

InstanceLock::Result InstanceLock::Acquire(const std::filesystem::path& markerPath) {
    if (fd_ >= 0) {
        return Result::Acquired;
    }
    std::error_code error;
    const std::filesystem::path folder = markerPath.parent_path();
    if (!folder.empty() && !std::filesystem::exists(folder, error)) {
        std::filesystem::create_directories(folder, error);
        if (error) {
            return Result::Failed;
        }
        ::chmod(folder.c_str(), 0700);
    }
    const int fd = ::open(markerPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return Result::Failed;
    }
    int rc = 0;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Result::AlreadyRunning : Result::Failed;
    }
    fd_ = fd;
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd_, 0) == 0) {
        [[maybe_unused]] const auto written = ::pwrite(fd_, pid.data(), pid.size(), 0);
    }
    return Result::Acquired;
}

std::filesystem::path InstanceMarkerPath(const std::filesystem::path& runtimeFolder,
                                         std::string_view display) {
    std::string name = "ORVIN321Z";
    if (!display.empty()) {
        name += '-';
        for (const char c : display) {
            name += c == '/' ? '_' : c; // a display name never makes the marker leave its folder
        }
    }
    return runtimeFolder / name;
}

} // namespace orvane
