// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AutostartEntry.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
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

class AutostartEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("orvane-autostart-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // An executable file (a script will do: only its place and mode matter).
    fs::path MakeProgram(const fs::path& path) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    fs::path folder_;
};

TEST(AutostartEntry, LivesInTheAutostartFolderBesideTheConfigFolder) {
    struct Case {
        std::map<std::string, std::string> variables;
        const char* entry;
    };
    const Case cases[] = {
        {{{"XDG_CONFIG_HOME", "/c"}, {"HOME", "/home/u"}}, "/c/autostart/orvane.desktop"},
        {{{"HOME", "/home/u"}}, "/home/u/.config/autostart/orvane.desktop"},
        {{{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/home/u"}},
         "/home/u/.config/autostart/orvane.desktop"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AutostartEntryPath(Environment(c.variables)), fs::path(c.entry)) << c.entry;
    }
}

TEST(AutostartEntry, ExecArgumentsAreQuotedWhereTheRulesAsk) {
    struct Case {
        const char* argument;
        const char* exec;
    };
    const Case cases[] = {
        {"/usr/bin/orvane", "/usr/bin/orvane"},
        {"/opt/my apps/orvane", "\"/opt/my apps/orvane\""},
        {"/a/$HOME/\"q\"/`x`", "\"/a/\\\\$HOME/\\\\\"q\\\\\"/\\\\`x\\\\`\""},
        {"/a\\b", "\"/a\\\\\\\\b\""},
        {"/100%/orvane", "/100%%/orvane"},
        {"", "\"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DesktopExecArgument(c.argument), c.exec) << c.argument;
    }
}

TEST_F(AutostartEntryTest, CommandNamesTheProgramByNameOnlyWhenThePathFindsThisOne) {
    const fs::path installed = MakeProgram(folder_ / "bin" / "orvane");
    const fs::path built = MakeProgram(folder_ / "my build" / "orvane");
    const std::string bin = (folder_ / "bin").string();
    EXPECT_EQ(AutostartCommand(installed, Environment({{"PATH", "/nowhere::" + bin}})),
              "orvane /HIDE");
    EXPECT_EQ(AutostartCommand(built, Environment({{"PATH", bin}})),
              "\"" + built.string() + "\" /HIDE");
    EXPECT_EQ(AutostartCommand(installed, Environment({})), installed.string() + " /HIDE");
}

TEST_F(AutostartEntryTest, WritingAndRemovingTheEntry) {
    const fs::path entry = folder_ / "config" / "autostart" / "orvane.desktop";
    EXPECT_FALSE(AutostartEntryPresent(entry));
    EXPECT_TRUE(RemoveAutostartEntry(entry)) << "nothing to remove is no failure";

    ASSERT_TRUE(WriteAutostartEntry(entry, AutostartEntryText("orvane /HIDE")));
    EXPECT_TRUE(AutostartEntryPresent(entry));
    std::ifstream in(entry);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Orvane\n"
                          "Comment=Keyboard and mouse macros, started in the system tray at "
                          "login\n"
                          "Exec=orvane /HIDE\n"
                          "Icon=orvane\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n");
    struct stat info {};
    ASSERT_EQ(::stat(entry.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644U);

    EXPECT_TRUE(RemoveAutostartEntry(entry));
    EXPECT_FALSE(AutostartEntryPresent(entry));
    EXPECT_FALSE(WriteAutostartEntry({}, "x")) << "no config folder at all";
}

} // namespace
} // namespace orvane
