// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

// Keeps a second copy of the program from running for the same user and display. The marker is
// an advisory lock (flock) on a file in the runtime folder: the kernel drops it when the process
// ends in any way, so a crashed instance never blocks the next start.
class InstanceLock {
public:
    enum class Result {
        Acquired,       // this process is the one instance; the lock is held until destruction
        AlreadyRunning, // another live process holds it
        Failed,         // the marker could not be created (folder not writable, ...)
    };

    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock(); // releases the lock when held

    // Creates the folder of `markerPath` (mode 0700) when needed, opens the marker and tries to
    // lock it without waiting. On Acquired the file holds this process's id, for people looking.
    Result Acquire(const std::filesystem::path& markerPath);

    // Gives the lock up now (also done by the destructor).
    void Release();

    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The marker's path for a display: "ORVIN321Z" in `runtimeFolder`, with the display name after a
// dash when there is one (":0" gives "ORVIN321Z-:0"), since each display runs its own copy.
std::filesystem::path InstanceMarkerPath(const std::filesystem::path& runtimeFolder,
                                         std::string_view display);

} // namespace orvane
