// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("orvane-atomic-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static unsigned Mode(const fs::path& path) {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_mode & 0777;
    }

    fs::path folder;
};

TEST_F(AtomicFileTest, NewFileIsPrivateAndHoldsExactlyTheBytes) {
    const fs::path file = folder / "a.bin";
    const std::string bytes("x\0y\r\n", 5);
    ASSERT_TRUE(WriteFileAtomically(file, bytes));
    EXPECT_EQ(Read(file), bytes);
    EXPECT_EQ(Mode(file), 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "no temporary file may be left behind";
}

TEST_F(AtomicFileTest, ReplacingKeepsTheExistingPermissions) {
    const fs::path file = folder / "a.ini";
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteFileAtomically(file, "new"));
    EXPECT_EQ(Read(file), "new");
    EXPECT_EQ(Mode(file), 0640u);
}

TEST_F(AtomicFileTest, FailureLeavesTheTargetUntouched) {
    EXPECT_FALSE(WriteFileAtomically(folder / "missing-folder" / "a", "x"));
    const fs::path sub = folder / "sub";
    fs::create_directories(sub);
    EXPECT_FALSE(WriteFileAtomically(sub, "x")) << "a folder is never replaced by a file";
    EXPECT_TRUE(fs::is_directory(sub));
}

} // namespace
} // namespace orvane
