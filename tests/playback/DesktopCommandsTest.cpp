// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopFixture.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class DesktopCommandsTest : public DesktopFixture {
protected:
    void SetUp() override {
        windows.Add(1, "Terminal", 100);
        windows.Add(2, "Untitled - Notes", 102);
        windows.ForegroundWindow = 2;
        windows.Find(2)->Frame = {30, 40, 500, 400};
    }
};

TEST_F(DesktopCommandsTest, WindowTagsActOnTheNamedOrCurrentWindowWithoutMovingTheFocus) {
    windows.Add(3, "Hidden helper", 0);
    windows.Add(4, "Remote editor", 104).Remote = true;
    windows.ForegroundWindow = 2;
    const struct {
        std::string Text;
        std::string Expected;
    } cases[] = {
        {"<WMAX:terminal>", "max:1"},
        {"<WMIN:NOTES><WRES:notes>", "min:2 restore:2"},
        {"<WCLS:Terminal><WHIDE:Term><WSHOW:Term>", "close:1 hide:1 show:1"},
        {"<WSHUT:Notes>", "terminate:102"},
        {"<WSHUT:Hidden helper>", ""},        // no process known: nothing to end
        {"<WSHUT:Remote editor>", "close:4"}, // from another machine: its ssh is left alone
        {"<WSIZE:0640,0480Terminal>", "size:1:640x480"},
        {"<WPOS:0010,0020\"CURRENT\">", "move:2:10,20"},
        {"<WMAX:\"CURRENT\">", "max:2"}, // the foreground window, whatever its title
        {"<WMAX:Calculator>x", "+X -X"}, // no such window: nothing, and playing goes on
        {"<WMAX:CURRENT>", ""},          // without its quotes it is a title
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
        EXPECT_EQ(windows.ForegroundWindow, 2U) << c.Text;
    }
}

TEST_F(DesktopCommandsTest, CurrentWithNoForegroundWindowDoesNothing) {
    windows.ForegroundWindow = NoWindow;
    EXPECT_EQ(Play("<WMAX:\"CURRENT\"><WSIZE:0100,0100\"CURRENT\">"), "");
}

TEST_F(DesktopCommandsTest, ActivateFindsAPartialTitleAndTheTextFollowsIt) {
    EXPECT_EQ(Play("<ACTIVATE:TERM>ab"), "front:1 +A -A +B -B");
    EXPECT_EQ(player.IsPlaying(), false);
    EXPECT_EQ(Play("<ACTIVATE:Editor>ab"), "");
}

TEST_F(DesktopCommandsTest, MouseMovesRelativeToTheForegroundWindowUseItsFrame) {
    EXPECT_EQ(Play("<MMW:00010,00020>"), Play("<MMS:00040,00060>"));
}

TEST_F(DesktopCommandsTest, LaunchPassesProgramAndParametersAsUtf8) {
    EXPECT_EQ(Play("<LAUNCH:/opt/caf\xE9/run<PARAM>--name \"a b\">"),
              "launch:/opt/caf\xC3\xA9/run|--name \"a b\"");
    EXPECT_EQ(Play("<LAUNCH:notes>"), "launch:notes|");
}

TEST_F(DesktopCommandsTest, LaunchAndWaitTypesIntoTheWindowOnceItAppears) {
    shell.OnLaunch = [this](std::string_view) {
        pump.At(std::chrono::duration_cast<std::chrono::milliseconds>(pump.Elapsed()) + 350ms,
                [this] { windows.Add(9, "Report - Writer", 300); });
    };
    EXPECT_EQ(Play("<LAUNCHNO:02Report<LAUNCH:writer>x"), "launch:writer| front:9 +X -X");
    // Looked for every 100 ms while serving events, then the launch delay.
    EXPECT_EQ(pump.Waits().size(), 5U);
    EXPECT_EQ(pump.Waits().back(), std::chrono::nanoseconds(2s));
    EXPECT_EQ(player.IsPlaying(), false);
}

TEST_F(DesktopCommandsTest, AWindowThatNeverAppearsEndsTheWaitAfter30SecondsAndSkipsTheRest) {
    const auto start = pump.Elapsed();
    EXPECT_EQ(Play("<LAUNCHNO:00Report<LAUNCH:writer>x"), "launch:writer|");
    EXPECT_GE(pump.Elapsed() - start, std::chrono::nanoseconds(30s));
    EXPECT_LT(pump.Elapsed() - start, std::chrono::nanoseconds(31s));
    for (const auto wait : pump.Waits()) {
        EXPECT_LE(wait, std::chrono::nanoseconds(100ms));
    }
}

TEST_F(DesktopCommandsTest, LaunchYesActivatesAnExistingWindowWithoutLaunching) {
    EXPECT_EQ(Play("<LAUNCHYES:05Terminal<LAUNCH:xterm>x"), "front:1 +X -X");
    EXPECT_TRUE(pump.Waits().empty());
}

TEST_F(DesktopCommandsTest, ClipboardWavesBeepsAndAddresses) {
    sound.Lengths["/snd/ding.wav"] = 1500ms;
    const struct {
        std::string Text;
        std::string Expected;
    } cases[] = {
        {"<BEGCLIP>Gr\xFC\xDF"
         "e<ENDCLIP>",
         "clipboard:Gr\xC3\xBC\xC3\x9F"
         "e"},
        {"<WAV1:/snd/ding.wav><WAV2:/snd/ding.wav><BEEP>",
         "wave:/snd/ding.wav wave:/snd/ding.wav beep"},
        {"<WAV1:/snd/missing.wav>x", "wave:/snd/missing.wav +X -X"},
        {"<HTTP:www.example.org/caf\xE9><FTP:ftp.example.org>",
         "open:www.example.org/caf\xC3\xA9 open:ftp.example.org"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
}

TEST_F(DesktopCommandsTest, AWaitedWaveKeepsItsLengthAndAnotherDoesNot) {
    sound.Lengths["/snd/ding.wav"] = 1500ms;
    Play("<WAV2:/snd/ding.wav>");
    EXPECT_TRUE(pump.Waits().empty());
    Play("<WAV1:/snd/ding.wav>");
    ASSERT_EQ(pump.Waits().size(), 1U);
    EXPECT_EQ(pump.Waits()[0], std::chrono::nanoseconds(1500ms));
}

TEST_F(DesktopCommandsTest, SwapHandsTheFileOn) {
    Play("<SWAP:/home/u/other.orv>");
    EXPECT_EQ(swapped, "/home/u/other.orv");
}

TEST_F(DesktopCommandsTest, KeysTypedBeforeADesktopCommandReachTheServerFirst) {
    input.TraceBatchEnds = true;
    const struct {
        std::string Text;
        std::string Expected;
    } cases[] = {
        {"a<WMAX:terminal>b", "+A -A sync max:1 +B -B sync"},
        {"a<ACTIVATE:Notes>b", "+A -A sync front:2 +B -B sync"},
        {"a<BEGCLIP>x<ENDCLIP><BEEP>", "+A -A sync clipboard:x sync beep sync"},
        // A pause dialog: the keys are out before it shows, and again before the windows move
        // back when the macro ends (the dialog hid the main window, which comes back).
        {"a<PAUSE>b", "+A -A sync pause:337,400:@2 +B -B sync restore:2"},
        // Keys and settings alone make no round trip to the server until the end.
        {"a<ENTER><SHFD>x<SHFU>", "+A -A +ENTER -ENTER +SHIFT +X -X -SHIFT sync"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
}

// Files on a real file system, in a folder of the test's own.
class DesktopFilesTest : public DesktopFixture {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("orvane-files-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string Path(const std::string& name) const { return (folder / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(folder / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool Exists(const std::string& name) const { return fs::exists(folder / name); }

    fs::path folder;
};

TEST_F(DesktopFilesTest, CopyReplacesRenameNeverDoesDeleteRemoves) {
    Write("a.txt", "first");
    Write("b.txt", "second");
    Play("<COPYFILE:" + Path("a.txt") + ";" + Path("b.txt") + ">");
    EXPECT_EQ(Read("b.txt"), "first");

    Write("b.txt", "second");
    Play("<RENFILE:" + Path("a.txt") + ";" + Path("b.txt") + ">");
    EXPECT_EQ(Read("a.txt"), "first");
    EXPECT_EQ(Read("b.txt"), "second");

    Play("<RENFILE:" + Path("a.txt") + ";" + Path("c.txt") + ">");
    EXPECT_FALSE(Exists("a.txt"));
    EXPECT_EQ(Read("c.txt"), "first");

    Play("<DELFILE:" + Path("c.txt") + ">");
    EXPECT_FALSE(Exists("c.txt"));
}

TEST_F(DesktopFilesTest, RenamingAFolderWorksAndNeverReplaces) {
    fs::create_directories(folder / "d1");
    fs::create_directories(folder / "d2");
    Play("<RENFILE:" + Path("d1") + ";" + Path("d2") + ">");
    EXPECT_TRUE(Exists("d1"));
    Play("<RENFILE:" + Path("d1") + ";" + Path("d3") + ">");
    EXPECT_FALSE(Exists("d1"));
    EXPECT_TRUE(Exists("d3"));
    Play("<DELFILE:" + Path("d3") + ">");
    EXPECT_TRUE(Exists("d3")) << "a folder is not a file to delete";
}

// A file system of its own (tmpfs) mounted inside the test's folder, for moves between two.
class OtherFileSystem {
public:
    explicit OtherFileSystem(const fs::path& at) : at_(at) {
        fs::create_directories(at_);
        if (::mount("orvane-test", at_.c_str(), "tmpfs", 0, "size=4m") == 0) {
            mounted_ = true;
        } else {
            error_ = std::strerror(errno);
        }
    }
    ~OtherFileSystem() {
        if (mounted_) {
            ::umount2(at_.c_str(), MNT_DETACH);
        }
    }
    OtherFileSystem(const OtherFileSystem&) = delete;
    OtherFileSystem& operator=(const OtherFileSystem&) = delete;
    bool Mounted() const { return mounted_; }
    const std::string& Error() const { return error_; }

private:
    fs::path at_;
    bool mounted_ = false;
    std::string error_;
};

TEST_F(DesktopFilesTest, RenamingMovesAFileToAnotherFileSystemButNeverOverAnExistingOne) {
    OtherFileSystem other(folder / "other");
    if (!other.Mounted()) {
        GTEST_SKIP() << "a second file system cannot be mounted here (" << other.Error()
                     << "); moving between file systems is not tested";
    }
    struct stat here {};
    struct stat there {};
    ASSERT_EQ(::stat(folder.c_str(), &here), 0);
    ASSERT_EQ(::stat((folder / "other").c_str(), &there), 0);
    ASSERT_NE(here.st_dev, there.st_dev);

    Write("a.txt", std::string(200000, 'a') + "end");
    ::chmod(Path("a.txt").c_str(), 0640);
    Play("<RENFILE:" + Path("a.txt") + ";" + Path("other/a.txt") + ">");
    EXPECT_FALSE(Exists("a.txt"));
    EXPECT_EQ(Read("other/a.txt"), std::string(200000, 'a') + "end");
    EXPECT_EQ(fs::status(folder / "other/a.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Back again onto a name that exists: both stay as they were.
    Write("b.txt", "kept");
    Play("<RENFILE:" + Path("other/a.txt") + ";" + Path("b.txt") + ">");
    EXPECT_EQ(Read("b.txt"), "kept");
    EXPECT_TRUE(Exists("other/a.txt"));

    // A symbolic link moves as the link it is.
    fs::create_symlink("b.txt", folder / "link");
    Play("<RENFILE:" + Path("link") + ";" + Path("other/link") + ">");
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "link")));
    EXPECT_EQ(fs::read_symlink(folder / "other/link"), "b.txt");

    // A folder stays where it is, as a move between volumes never took one.
    fs::create_directories(folder / "d");
    Play("<RENFILE:" + Path("d") + ";" + Path("other/d") + ">");
    EXPECT_TRUE(Exists("d"));
    EXPECT_FALSE(Exists("other/d"));
}

TEST_F(DesktopFilesTest, MissingFilesDoNothingAndPlayingGoesOn) {
    EXPECT_EQ(Play("<COPYFILE:" + Path("none") + ";" + Path("x") + "><RENFILE:" + Path("none") +
                   ";" + Path("y") + "><DELFILE:" + Path("none") + "><TFILE:" + Path("none") +
                   "><CLIPF:" + Path("none") + "><CHDIR:" + Path("none") + ">z"),
              "+Z -Z");
    EXPECT_FALSE(Exists("x"));
    EXPECT_FALSE(Exists("y"));
}

TEST_F(DesktopFilesTest, TextFilesAreReadInUtf8OrWindows1252) {
    const struct {
        std::string Bytes;
        std::string Expected;
    } cases[] = {
        {"plain ascii\r\n", "plain ascii\r\n"},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80"}, // UTF-8: the characters it holds
        {"\xEF\xBB\xBFwith mark", "with mark"},       // the byte order mark goes
        {"caf\xE9 \x80", "caf\xE9 \x80"},             // not UTF-8: Windows-1252 already
        {"\xE4\xB8\xAD", "?"},                        // a character the code page lacks
        {"", ""},
    };
    for (const auto& c : cases) {
        Write("t.txt", c.Bytes);
        EXPECT_EQ(commands.ReadTextFile(Path("t.txt")), c.Expected) << c.Bytes;
    }
    EXPECT_EQ(commands.ReadTextFile(folder.string()), std::nullopt);
}

TEST_F(DesktopFilesTest, ClipboardFromAFileWithoutItsEndMark) {
    Write("c.txt", "Gr\xC3\xBC\xC3\x9F"
                   "e\x1A");
    EXPECT_EQ(Play("<CLIPF:" + Path("c.txt") + ">"), "clipboard:Gr\xC3\xBC\xC3\x9F"
                                                     "e");
}

TEST_F(DesktopFilesTest, ChangeDirectoryMakesRelativeNamesWorkThere) {
    const fs::path before = fs::current_path();
    Write("a.txt", "x");
    Play("<CHDIR:" + folder.string() + "><COPYFILE:a.txt;b.txt>");
    fs::current_path(before);
    EXPECT_EQ(Read("b.txt"), "x");
}

} // namespace
} // namespace orvane
