// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a user starts it: on its own display, twice, killed, with "/F", restarted.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Waits until `condition` holds; polling is fine here, a test waits for another process.
class ProgramStartTest : public ::testing::Test {
protected:
    // Starts the program; its standard error goes to a file of the display's folder.
    ChildProcess Start(const std::vector<std::string>& arguments, const std::string& logName) {
        std::vector<std::string> argv = {ORVANE_PROGRAM};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const fs::path log = display.Folder() / logName;
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        SpawnOptions options;
        options.argv = argv;
        options.env = display.Env();
        options.stderrFd = fd;
        ChildProcess child(options);
        ::close(fd);
        return child;
    }

    // The X id of the visible window with exactly this title, or "" when none within the limit.
    std::string WindowNamed(const std::string& title) {
        std::string id;
        WaitFor([&] {
            const CommandResult found = Xdotool(
                display, {"search", "--onlyvisible", "--name", ExactTitlePattern(title)}, 5s);
            if (found.Succeeded() && !found.out.empty()) {
                id = found.out.substr(0, found.out.find('\n'));
                return true;
            }
            return false;
        });
        return id;
    }

    fs::path SettingsFile() const {
        return fs::path(display.Env().at("XDG_CONFIG_HOME")) / "orvane" / "ORVAN.INI";
    }
    fs::path DataFolder() const { return fs::path(display.Env().at("XDG_DATA_HOME")) / "orvane"; }

    // Ends the program as the desktop would and returns its exit code (-1: did not exit).
    static int Terminate(ChildProcess& program) {
        ::kill(program.Pid(), SIGTERM);
        if (!program.WaitForExit(kDefaultTimeout)) {
            return -1;
        }
        program.Stop();
        const int status = program.WaitStatus();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    VirtualDisplay display;
};

TEST_F(ProgramStartTest, SecondStartIsToldAndEndsWhileTheFirstKeepsRunning) {
    ChildProcess first = Start({}, "first.log");
    ASSERT_FALSE(WindowNamed("Orvane 98 (ORVAN)").empty()) << display.Logs();
    EXPECT_TRUE(fs::exists(DataFolder() / "ORVAN.ORV")) << "the default file was created";

    ChildProcess second = Start({}, "second.log");
    ASSERT_TRUE(WaitFor([&] {
        return ReadFile(display.Folder() / "second.log").find("Orvane 98 is already running.") !=
               std::string::npos;
    })) << ReadFile(display.Folder() / "second.log");
    EXPECT_EQ(ReadFile(display.Folder() / "second.log").find("system tray"), std::string::npos)
        << "without the tray the short wording is used";

    // The user closes the message box; the second program then ends with exit code 0.
    std::string box;
    ASSERT_TRUE(WaitFor([&] {
        const CommandResult found = Xdotool(
            display, {"search", "--onlyvisible", "--pid", std::to_string(second.Pid())}, 5s);
        box = found.out.substr(0, found.out.find('\n'));
        return found.Succeeded() && !box.empty();
    }));
    ASSERT_TRUE(ActivateWindow(display, std::stoul(box)));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(second.WaitForExit(kDefaultTimeout));
    second.Stop();
    EXPECT_TRUE(WIFEXITED(second.WaitStatus()));
    EXPECT_EQ(WEXITSTATUS(second.WaitStatus()), 0);

    EXPECT_TRUE(first.Running());
    EXPECT_FALSE(WindowNamed("Orvane 98 (ORVAN)").empty());
    EXPECT_EQ(Terminate(first), 0);
}

TEST_F(ProgramStartTest, AKilledProgramDoesNotBlockTheNextStart) {
    ChildProcess first = Start({}, "first.log");
    ASSERT_FALSE(WindowNamed("Orvane 98 (ORVAN)").empty()) << display.Logs();
    ::kill(first.Pid(), SIGKILL);
    ASSERT_TRUE(first.WaitForExit(kDefaultTimeout));
    first.Stop();

    ChildProcess again = Start({}, "again.log");
    ASSERT_FALSE(WindowNamed("Orvane 98 (ORVAN)").empty())
        << ReadFile(display.Folder() / "again.log");
    EXPECT_TRUE(again.Running());
    EXPECT_EQ(Terminate(again), 0);
}

TEST_F(ProgramStartTest, MissingFileOptionKeepsTheFileOfTheSettingsAndAnExistingOneIsUsed) {
    ChildProcess program =
        Start({"/f", (display.Folder() / "nowhere" / "Gone.ORV").string()}, "missing.log");
    ASSERT_FALSE(WindowNamed("Orvane 98 (ORVAN)").empty())
        << ReadFile(display.Folder() / "missing.log");
    EXPECT_EQ(Terminate(program), 0);

    const fs::path work = display.Folder() / "Work.ORV";
    ASSERT_TRUE(RunCommand({ORVANE_SAMPLE_MACROS, work.string()}, display.Env()).Succeeded());
    ChildProcess other = Start({"/F", work.string()}, "other.log");
    ASSERT_FALSE(WindowNamed("Orvane 98 (Work)").empty())
        << ReadFile(display.Folder() / "other.log");
    EXPECT_EQ(Terminate(other), 0);
    EXPECT_NE(ReadFile(SettingsFile()).find("Current File=" + work.string()), std::string::npos)
        << "the file chosen on the command line is the current file from now on";
}

TEST_F(ProgramStartTest, FilesThatAreNotMacroFilesAreRefusedAndNeverChanged) {
    constexpr std::size_t record = 5165;
    const fs::path sample = display.Folder() / "Sample.ORV";
    ASSERT_TRUE(RunCommand({ORVANE_SAMPLE_MACROS, sample.string()}, display.Env()).Succeeded());
    std::mt19937 random(22);
    std::string noise(3 * record, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random() & 0xFF);
    }
    struct Case {
        std::string Name;
        std::string Bytes;              // the file's contents; no contents: a folder
        std::string LoadedCaption = {}; // the caption when the file is loaded, else refused
    };
    const Case cases[] = {
        {"notes.txt", "Buy milk\nCall Sam\n"},
        {"four.bin", "\x7F"
                     "ELF"},
        {"Folder.ORV", ""},
        {"noise.ORV", noise},
        // A macro file cut within its eleventh record, with its system macros whole: loaded,
        // and left as it is since nothing is added or edited.
        {"Cut.ORV", ReadFile(sample).substr(0, 10 * record + 2000), "Orvane 98 (Cut)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const fs::path path = display.Folder() / c.Name;
        if (c.Bytes.empty()) {
            fs::create_directory(path);
        } else {
            std::ofstream(path, std::ios::binary) << c.Bytes;
        }
        const std::string logName = c.Name + ".log";
        ChildProcess program = Start({"/F", path.string()}, logName);
        if (c.LoadedCaption.empty()) {
            const std::string box = WindowNamed("Error");
            ASSERT_FALSE(box.empty()) << ReadFile(display.Folder() / logName);
            EXPECT_NE(ReadFile(display.Folder() / logName)
                          .find("Error: \"" + path.string() + "\" is not an Orvane macro file."),
                      std::string::npos)
                << ReadFile(display.Folder() / logName);
            ASSERT_TRUE(ActivateWindow(display, std::stoul(box)));
            ASSERT_TRUE(PressKeys(display, {"Return"}));
            EXPECT_FALSE(WindowNamed("Orvane 98 (ORVAN)").empty())
                << "the program goes on with its own file";
        } else {
            EXPECT_FALSE(WindowNamed(c.LoadedCaption).empty())
                << ReadFile(display.Folder() / logName);
        }
        EXPECT_TRUE(program.Running());
        EXPECT_EQ(Terminate(program), 0);
        if (c.Bytes.empty()) {
            EXPECT_TRUE(fs::is_directory(path));
            EXPECT_TRUE(fs::is_empty(path));
        } else {
            EXPECT_EQ(ReadFile(path), c.Bytes) << "byte for byte as it was";
        }
    }
}

TEST_F(ProgramStartTest, SettingsAreSavedOnTerminationAndSurviveARestart) {
    ChildProcess program = Start({}, "first.log");
    ASSERT_FALSE(WindowNamed("Orvane 98 (ORVAN)").empty()) << display.Logs();
    EXPECT_EQ(Terminate(program), 0);
    std::string settings = ReadFile(SettingsFile());
    ASSERT_NE(settings.find("[Main Window]"), std::string::npos) << "saved on SIGTERM";

    // Change settings as a user would between runs; the next run keeps them.
    const auto replace = [&settings](const std::string& from, const std::string& to) {
        const auto at = settings.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        settings.replace(at, from.size(), to);
    };
    replace("Primary Sort=123", "Primary Sort=213");
    replace("Use Speed=No", "Use Speed=Yes");
    // The first start fitted the column to the font: whatever it holds, the user widens it.
    const auto widthAt = settings.find("Col 2 Width=");
    ASSERT_NE(widthAt, std::string::npos);
    replace(settings.substr(widthAt, settings.find('\n', widthAt) - widthAt), "Col 2 Width=240");
    std::ofstream(SettingsFile(), std::ios::trunc) << settings;

    ChildProcess again = Start({}, "again.log");
    ASSERT_FALSE(WindowNamed("Orvane 98 (ORVAN)").empty()) << display.Logs();
    EXPECT_EQ(Terminate(again), 0);
    settings = ReadFile(SettingsFile());
    EXPECT_NE(settings.find("Primary Sort=213"), std::string::npos) << settings;
    EXPECT_NE(settings.find("Use Speed=Yes"), std::string::npos) << settings;
    EXPECT_NE(settings.find("Col 2 Width=240"), std::string::npos) << settings;
}

} // namespace
} // namespace orvane::e2e
