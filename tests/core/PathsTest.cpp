// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Paths.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

EnvironmentLookup Environment(std::map<std::string, std::string> variables) {
    return [variables = std::move(variables)](std::string_view name) -> std::optional<std::string> {
        const auto found = variables.find(std::string(name));
        if (found == variables.end()) {
            return std::nullopt;
        }
        return found->second;
    };
}

TEST(Paths, FoldersFollowTheXdgRules) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> variables;
        const char* data;
        const char* config;
        const char* runtime;
    };
    const Case cases[] = {
        {"all set",
         {{"HOME", "/home/u"},
          {"XDG_DATA_HOME", "/d"},
          {"XDG_CONFIG_HOME", "/c"},
          {"XDG_RUNTIME_DIR", "/run/user/1000"}},
         "/d/orvane",
         "/c/orvane",
         "/run/user/1000/orvane"},
        {"defaults under HOME",
         {{"HOME", "/home/u"}},
         "/home/u/.local/share/orvane",
         "/home/u/.config/orvane",
         "/tmp/orvane-1000"},
        {"empty and relative values are ignored",
         {{"HOME", "/home/u"},
          {"XDG_DATA_HOME", ""},
          {"XDG_CONFIG_HOME", "relative/c"},
          {"XDG_RUNTIME_DIR", "run"}},
         "/home/u/.local/share/orvane",
         "/home/u/.config/orvane",
         "/tmp/orvane-1000"},
        {"no usable HOME", {{"HOME", "home/u"}}, "", "", "/tmp/orvane-1000"},
    };
    for (const Case& c : cases) {
        const EnvironmentLookup environment = Environment(c.variables);
        EXPECT_EQ(DataFolder(environment), fs::path(c.data)) << c.what;
        EXPECT_EQ(ConfigFolder(environment), fs::path(c.config)) << c.what;
        EXPECT_EQ(RuntimeFolder(environment, 1000), fs::path(c.runtime)) << c.what;
    }
    const EnvironmentLookup environment = Environment({{"XDG_CONFIG_HOME", "/c"}});
    EXPECT_EQ(SettingsFilePath(environment), fs::path("/c/orvane/ORVAN.INI"));
    EXPECT_EQ(SettingsFilePath(Environment({})), fs::path());
    EXPECT_EQ(DefaultMacroFile("/d/orvane"), fs::path("/d/orvane/ORVAN.ORV"));
}

TEST(Paths, ProcessEnvironmentAlwaysKnowsAHome) {
    const std::optional<std::string> home = ProcessEnvironment()("HOME");
    ASSERT_TRUE(home.has_value());
    EXPECT_FALSE(home->empty());
}

TEST(Paths, StoredPathsAreWindows1252AndSystemPathsUtf8) {
    EXPECT_EQ(PathFromStored("/home/u/R\xE9sum\xE9.ORV"), fs::path("/home/u/Résumé.ORV"));
    EXPECT_EQ(StoredFromPath("/home/u/Résumé.ORV"), "/home/u/R\xE9sum\xE9.ORV");
    EXPECT_EQ(StoredFromPath("/home/u/日.ORV"), "/home/u/?.ORV");
}

class PathsFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("orvane-paths-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    static unsigned Mode(const fs::path& path) {
        struct stat st {};
        ::lstat(path.c_str(), &st);
        return st.st_mode & 07777;
    }

    fs::path root;
};

TEST_F(PathsFolderTest, MissingFoldersAreCreatedPrivateAndExistingOnesLeftAlone) {
    fs::create_directory(root / "existing");
    fs::permissions(root / "existing", fs::perms(0755));
    ASSERT_TRUE(CreateFolderIfMissing(root / "existing" / "config" / "orvane"));
    EXPECT_EQ(Mode(root / "existing"), 0755u);
    EXPECT_EQ(Mode(root / "existing" / "config"), 0700u);
    EXPECT_EQ(Mode(root / "existing" / "config" / "orvane"), 0700u);
    EXPECT_TRUE(CreateFolderIfMissing(root / "existing" / "config" / "orvane"));

    std::ofstream(root / "file") << "x";
    EXPECT_FALSE(CreateFolderIfMissing(root / "file"));
    EXPECT_FALSE(CreateFolderIfMissing(root / "file" / "below"));
    EXPECT_FALSE(CreateFolderIfMissing(fs::path()));
}

TEST_F(PathsFolderTest, RuntimeFolderIsPrivateAndOurs) {
    const fs::path runtime = root / "orvane-1000";
    ASSERT_TRUE(PrepareRuntimeFolder(runtime));
    EXPECT_EQ(Mode(runtime), 0700u);

    fs::permissions(runtime, fs::perms(0777));
    ASSERT_TRUE(PrepareRuntimeFolder(runtime));
    EXPECT_EQ(Mode(runtime), 0700u) << "looser bits are tightened";

    // Someone else's folder, or a link planted where ours should be, is never used.
    const fs::path planted = root / "planted";
    fs::create_directory(root / "elsewhere");
    fs::create_directory_symlink(root / "elsewhere", planted);
    EXPECT_FALSE(PrepareRuntimeFolder(planted));
    std::ofstream(root / "plain") << "x";
    EXPECT_FALSE(PrepareRuntimeFolder(root / "plain"));
    if (::geteuid() == 0) {
        const fs::path foreign = root / "foreign";
        fs::create_directory(foreign);
        ASSERT_EQ(::chown(foreign.c_str(), 4242, 4242), 0);
        EXPECT_FALSE(PrepareRuntimeFolder(foreign));
    }
}

} // namespace
} // namespace orvane
