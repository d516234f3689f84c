// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AtomicFile.h"

#include <chrono>
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

TEST_F(AtomicFileTest, LeftoversOfKilledRewritesAreRemovedOnceSettled) {
    const fs::path target = folder / "ORVAN.INI";
    std::ofstream(target) << "kept";
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    struct Case {
        const char* Name;
        bool Old;
        bool Removed;
    };
    const Case cases[] = {
        {".ORVAN.INI.Ab12Cd", true, true},
        {".ORVAN.INI.Zz9xY0", true, true},
        {".ORVAN.INI.Ab12Cd7", true, false}, // not a name a rewrite makes
        {".ORVAN.INI.Ab-2Cd", true, false},
        {".ORVAN.INX.Ab12Cd", true, false}, // another file's
        {"ORVAN.INI.Ab12Cd", true, false},
        {".ORVAN.INI.Fresh1", false, false}, // perhaps being written right now
    };
    for (const Case& c : cases) {
        std::ofstream(folder / c.Name) << "partial";
        if (c.Old) {
            fs::last_write_time(folder / c.Name, old);
        }
    }
    fs::create_directories(folder / ".ORVAN.INI.Dir123");
    fs::last_write_time(folder / ".ORVAN.INI.Dir123", old);

    EXPECT_EQ(RemoveLeftoverRewrites(target), 2);
    for (const Case& c : cases) {
        EXPECT_EQ(fs::exists(folder / c.Name), !c.Removed) << c.Name;
    }
    EXPECT_TRUE(fs::exists(folder / ".ORVAN.INI.Dir123")) << "a folder is nobody's leftover";
    EXPECT_EQ(Read(target), "kept");
}

} // namespace
} // namespace orvane
