// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/InstanceLock.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("orvane-lock-" + std::to_string(::getpid()));
        fs::remove_all(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Runs `Acquire` in a child process (flock is per open file, so a second descriptor in this
    // process would also conflict; a child is what a second start really is) and returns its
    // result. With `holdAndDie` the child takes the lock and is killed without cleaning up.
    static int InChild(const fs::path& marker) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            InstanceLock lock;
            ::_exit(static_cast<int>(lock.Acquire(marker)));
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WEXITSTATUS(status);
    }

    fs::path folder;
};

TEST_F(InstanceLockTest, SecondStartSeesTheFirstAndTheLockEndsWithItsOwner) {
    const fs::path marker = InstanceMarkerPath(folder / "orvane", ":7");
    EXPECT_EQ(marker.filename(), "ORVIN321Z-:7");
    {
        InstanceLock first;
        ASSERT_EQ(first.Acquire(marker), InstanceLock::Result::Acquired);
        EXPECT_TRUE(first.Held());
        struct stat st {};
        ASSERT_EQ(::stat(marker.parent_path().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << "the runtime folder is private";
        EXPECT_EQ(InChild(marker), static_cast<int>(InstanceLock::Result::AlreadyRunning));
        EXPECT_EQ(InChild(InstanceMarkerPath(folder / "orvane", ":8")),
                  static_cast<int>(InstanceLock::Result::Acquired))
            << "another display runs its own copy";
    }
    EXPECT_EQ(InChild(marker), static_cast<int>(InstanceLock::Result::Acquired));
}

TEST_F(InstanceLockTest, AKilledHolderNeverBlocks) {
    const fs::path marker = InstanceMarkerPath(folder, "");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        InstanceLock lock;
        const char result = lock.Acquire(marker) == InstanceLock::Result::Acquired ? 'y' : 'n';
        [[maybe_unused]] auto n = ::write(ready[1], &result, 1);
        ::pause();
        ::_exit(0);
    }
    char result = 0;
    ASSERT_EQ(::read(ready[0], &result, 1), 1);
    ASSERT_EQ(result, 'y');
    EXPECT_EQ(InChild(marker), static_cast<int>(InstanceLock::Result::AlreadyRunning));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_TRUE(fs::exists(marker)) << "the stale marker file stays behind";
    EXPECT_EQ(InChild(marker), static_cast<int>(InstanceLock::Result::Acquired));
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST_F(InstanceLockTest, UnwritableFolderFails) {
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    InstanceLock lock;
    if (::geteuid() != 0) { // root writes anywhere
        EXPECT_EQ(lock.Acquire(folder / "sub" / "ORVIN321Z"), InstanceLock::Result::Failed);
        EXPECT_FALSE(lock.Held());
    }
    fs::permissions(folder, fs::perms::owner_all);
}

} // namespace
} // namespace orvane
