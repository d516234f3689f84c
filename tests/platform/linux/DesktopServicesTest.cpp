// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop services that need no display: shell words, finding executables, /proc.
#include "platform/linux/ProcProcesses.h"
#include "platform/linux/ShellWords.h"
#include "platform/linux/SpawnShell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

TEST(ShellWords, SplitAsAShellWouldWithoutExpanding) {
    const struct {
        std::string Text;
        Words Expected;
    } cases[] = {
        {"", {}},
        {"  a  b\tc ", {"a", "b", "c"}},
        {"\"/tmp/a b.txt\" -n", {"/tmp/a b.txt", "-n"}},
        {"'it''s' x", {"its", "x"}},
        {"'$HOME \"q\"'", {"$HOME \"q\""}},
        {"\"say \\\"hi\\\" \\n\"", {"say \"hi\" \\n"}},
        {"a\\ b c\\\\d", {"a b", "c\\d"}},
        {"\"\" ''", {"", ""}},
        {"x\"y z\"w", {"xy zw"}},
        {"\"unclosed rest", {"unclosed rest"}},
        {"'unclosed", {"unclosed"}},
        {"end\\", {"end\\"}},
        {"$PATH *.txt ; ls", {"$PATH", "*.txt", ";", "ls"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitShellWords(c.Text), c.Expected) << c.Text;
    }
}

class FolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("orvane-linux-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    void Write(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path folder;
};

using FindExecutableTest = FolderTest;

TEST_F(FindExecutableTest, PathsAndNamesInTheSearchPath) {
    Write(folder / "bin" / "tool", "#!/bin/sh\n");
    fs::permissions(folder / "bin" / "tool", fs::perms::owner_all);
    Write(folder / "bin" / "notes.txt", "text");
    fs::create_directories(folder / "bin" / "dir");
    const std::string path = "/nonexistent:" + (folder / "bin").string();
    EXPECT_EQ(FindExecutable("tool", path), (folder / "bin" / "tool").string());
    EXPECT_EQ(FindExecutable((folder / "bin" / "tool").string(), ""),
              (folder / "bin" / "tool").string());
    EXPECT_EQ(FindExecutable("notes.txt", path), std::nullopt) << "not executable: a document";
    EXPECT_EQ(FindExecutable("dir", path), std::nullopt);
    EXPECT_EQ(FindExecutable((folder / "bin" / "notes.txt").string(), path), std::nullopt);
    EXPECT_EQ(FindExecutable("http://example.org", path), std::nullopt);
    EXPECT_EQ(FindExecutable("", path), std::nullopt);
}

using ProcProcessesTest = FolderTest;

TEST_F(ProcProcessesTest, ExecutablesFromTheirLinkOrCommandLineInProcessOrder) {
    fs::create_directories(folder / "200");
    fs::create_symlink("/usr/bin/gedit", folder / "200" / "exe");
    fs::create_directories(folder / "31");
    fs::create_symlink("/opt/app/bin/writer (deleted)", folder / "31" / "exe");
    // Another user's process: no readable link, but a command line.
    Write(folder / "7" / "cmdline", std::string("/usr/lib/firefox/firefox\0-new-tab\0", 34));
    Write(folder / "9" / "cmdline", ""); // a kernel thread
    Write(folder / "self" / "cmdline", "ignored");
    Write(folder / "cpuinfo", "ignored");

    const std::vector<RunningProcess> running = ProcProcesses(folder).Running();
    ASSERT_EQ(running.size(), 3U);
    EXPECT_EQ(running[0].Pid, 7);
    EXPECT_EQ(running[0].Executable, "firefox");
    EXPECT_EQ(running[1].Pid, 31);
    EXPECT_EQ(running[1].Executable, "writer");
    EXPECT_EQ(running[2].Pid, 200);
    EXPECT_EQ(running[2].Executable, "gedit");
}

TEST(ProcProcesses, NamesFromLinksAndCommandLines) {
    EXPECT_EQ(ExecutableFromExeLink("/usr/bin/python3.11"), "python3.11");
    EXPECT_EQ(ExecutableFromExeLink("/tmp/x (deleted)"), "x");
    EXPECT_EQ(ExecutableFromCommandLine(std::string("sshd: user@pts/0\0", 17)), "sshd:");
    EXPECT_EQ(ExecutableFromCommandLine(""), "");
}

TEST(ProcProcesses, TheRealListHoldsThisTestProgram) {
    bool found = false;
    for (const RunningProcess& process : ProcProcesses().Running()) {
        found = found || (process.Pid == ::getpid() && process.Executable == "orvane_linux_tests");
    }
    EXPECT_TRUE(found);
}

} // namespace
} // namespace orvane
