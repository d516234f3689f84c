// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SwapTable.h"
#include "core/SwapBlock.h"
#include "platform/fake/FakeHookLibrary.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

// The remapping file, spelled out byte by byte here rather than taken from the code: the base
// characters in file order, with `changes`.
std::string FileBytes(const std::map<char, char>& changes = {}) {
    std::string bytes = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                        "abcdefghijklmnopqrstuvwxyz"
                        "0123456789"
                        " !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~";
    for (const auto& [base, replacement] : changes) {
        bytes[bytes.find(base)] = replacement;
    }
    return bytes;
}

SwapTable TableOf(const std::string& bytes) {
    SwapTable table;
    std::copy(bytes.begin(), bytes.end(), table.Bytes.begin());
    return table;
}

class SwapFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("orvane-swap-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path folder;
};

TEST(SwapTable, TheIdentityIsTheBaseSetInFileOrderAndAnyOtherByteMeansInUse) {
    EXPECT_EQ(TableOf(FileBytes()), IdentitySwaps());
    EXPECT_FALSE(SwapsInUse(IdentitySwaps()));
    for (const auto& [base, replacement] : std::map<char, char>{
             {'a', 'b'}, {'Z', 'z'}, {'0', '9'}, {' ', '_'}, {'~', '{'}, {'`', '\0'}}) {
        SCOPED_TRACE(std::string(1, base));
        EXPECT_TRUE(SwapsInUse(TableOf(FileBytes({{base, replacement}}))));
    }
    // The left brace and the vertical bar are no base characters (only replacements).
    EXPECT_FALSE(SwapIndexOf('{'));
    EXPECT_FALSE(SwapIndexOf('|'));
    EXPECT_EQ(SwapIndexOf('a'), 26u);
    EXPECT_EQ(SwapIndexOf('~'), 92u);
}

TEST(SwapTable, TheRemappingFileSitsBesideTheMacroFileAndIsNeverIt) {
    const struct {
        const char* Macro;
        const char* Remapping;
    } rows[] = {
        {"/d/Macros.ORV", "/d/Macros.OVS"}, {"/d/m.orv", "/d/m.OVS"},
        {"/d/m.Orv", "/d/m.OVS"},           {"/d/notes.txt", "/d/notes.txt.OVS"},
        {"/d/ORV", "/d/ORV.OVS"},           {"/d/m.ORV.bak", "/d/m.ORV.bak.OVS"},
        {"/d/m.OVS", "/d/m.OVS.OVS"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SwapFilePath(row.Macro), fs::path(row.Remapping)) << row.Macro;
    }
}

TEST_F(SwapFileTest, SavedFilesAreTheNinetyThreeBytesAndReadBack) {
    const fs::path path = folder / "m.OVS";
    const std::string bytes = FileBytes({{'a', 'b'}, {'1', '\0'}, {'~', '\xff'}, {'!', '\x81'}});
    ASSERT_TRUE(SaveSwapKeys(path, TableOf(bytes)));
    EXPECT_EQ(Read(path), bytes);
    SwapTable read = IdentitySwaps();
    ASSERT_TRUE(LoadSwapKeys(path, read));
    EXPECT_EQ(read, TableOf(bytes));
    // A file that cannot be written is skipped (false), never a crash.
    EXPECT_FALSE(SaveSwapKeys(folder / "missing" / "m.OVS", IdentitySwaps()));
}

TEST_F(SwapFileTest, FilesThatAreNoRemappingFileLeaveTheTableAsItWas) {
    const std::string good = FileBytes({{'a', 'b'}});
    std::string control = good;
    control[5] = '\x01';
    std::string unitSeparator = good;
    unitSeparator[92] = '\x1f';
    const struct {
        const char* Name;
        std::optional<std::string> Bytes; // nothing: no file at all
    } rows[] = {
        {"missing", std::nullopt}, {"empty", std::string()}, {"one short", good.substr(0, 92)},
        {"one long", good + "b"},  {"control 1", control},   {"control 31", unitSeparator},
    };
    const SwapTable before = TableOf(FileBytes({{'q', 'z'}}));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const fs::path path = folder / (std::string(row.Name) + ".OVS");
        if (row.Bytes) {
            Write(path, *row.Bytes);
        }
        SwapTable table = before;
        EXPECT_FALSE(LoadSwapKeys(path, table));
        EXPECT_EQ(table, before);
    }
    SwapTable table = before;
    EXPECT_FALSE(LoadSwapKeys(folder, table)) << "a folder";
    EXPECT_EQ(table, before);
}

class SwapBlockTest : public SwapFileTest {
protected:
    FakeHookLibrary hook;
    SwapBlock block{hook};
};

TEST_F(SwapBlockTest, ANewMacroFileGetsAnIdentityFileAndNoHook) {
    block.GetSwapFile(folder / "new.ORV");
    block.Connect();
    EXPECT_EQ(Read(folder / "new.OVS"), FileBytes());
    EXPECT_TRUE(hook.Calls.empty());
    EXPECT_FALSE(block.Hooked());
}

TEST_F(SwapBlockTest, TheHookIsInstalledExactlyWhileTheTableRemapsAndTheHooksAreConnected) {
    Write(folder / "m.OVS", FileBytes({{'a', 'b'}}));
    block.GetSwapFile(folder / "m.ORV");
    EXPECT_TRUE(hook.Calls.empty()) << "not before the hooks are connected";
    block.Connect();
    EXPECT_EQ(hook.Calls, (std::vector<std::string>{"OrvUpSwap", "OrvHookSwap"}));
    EXPECT_EQ(hook.Swaps, TableOf(FileBytes({{'a', 'b'}})));
    EXPECT_EQ(block.Handle(), 101u);

    // Another remap while in use: saved, and the installed hook takes the new table.
    hook.Clear();
    block.Change(TableOf(FileBytes({{'a', 'c'}})));
    EXPECT_EQ(Read(folder / "m.OVS"), FileBytes({{'a', 'c'}}));
    EXPECT_EQ(hook.Calls, (std::vector<std::string>{"OrvUpSwap"}));
    EXPECT_EQ(hook.Swaps, TableOf(FileBytes({{'a', 'c'}})));

    // "Restore Keyboard Hooks" installs it anew.
    hook.Clear();
    block.Reinstall();
    EXPECT_EQ(hook.Calls, (std::vector<std::string>{"OrvUnHook 101", "OrvUpSwap", "OrvHookSwap"}));

    // Back to the identity: saved, hook removed; reinstalling then installs nothing.
    hook.Clear();
    block.Change(IdentitySwaps());
    EXPECT_EQ(Read(folder / "m.OVS"), FileBytes());
    EXPECT_EQ(hook.Calls, (std::vector<std::string>{"OrvUnHook 102"}));
    hook.Clear();
    block.Reinstall();
    EXPECT_TRUE(hook.Calls.empty());

    // At the end the hook goes.
    block.Change(TableOf(FileBytes({{'Z', 'Y'}})));
    hook.Clear();
    block.Disconnect();
    EXPECT_EQ(hook.Calls, (std::vector<std::string>{"OrvUnHook 103"}));
    EXPECT_FALSE(block.Hooked());
}

TEST_F(SwapBlockTest, EachMacroFileBringsItsRemappingAndADamagedOneChangesNothing) {
    Write(folder / "one.OVS", FileBytes({{'a', 'b'}}));
    Write(folder / "two.OVS", FileBytes());
    Write(folder / "bad.OVS", FileBytes({{'x', 'y'}}).substr(0, 40));
    block.Connect();
    block.GetSwapFile(folder / "one.ORV");
    EXPECT_TRUE(block.Hooked());

    hook.Clear();
    block.GetSwapFile(folder / "bad.ORV");
    EXPECT_EQ(block.Table(), TableOf(FileBytes({{'a', 'b'}}))) << "the table in memory stays";
    EXPECT_TRUE(block.Hooked());
    EXPECT_EQ(hook.Swaps, TableOf(FileBytes({{'a', 'b'}})));
    EXPECT_EQ(Read(folder / "bad.OVS"), FileBytes({{'x', 'y'}}).substr(0, 40))
        << "never overwritten by reading";

    hook.Clear();
    block.GetSwapFile(folder / "two.ORV");
    EXPECT_EQ(hook.Calls, (std::vector<std::string>{"OrvUnHook 101"}));
    EXPECT_FALSE(block.Hooked());
}

} // namespace
} // namespace orvane
