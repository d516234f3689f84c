// SPDX-License-Identifier: GPL-3.0-or-later
// The sync file of a shared macro file: its record byte by byte, reading and writing it under
// the record lock, bad files, and the lock as instances see it (taking, refusing, the change
// notice, a holder that vanished), including several processes racing for it.
#include "library/SyncFile.h"
#include "core/SettingsBlock.h"
#include "library/NetworkSync.h"
#include "platform/fake/FakeMessageSink.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Counter, state and heartbeat, each written out little-endian by hand.
Bytes Record(std::array<std::uint8_t, 4> counter, std::array<std::uint8_t, 2> state,
             std::array<std::uint8_t, 8> heartbeat) {
    Bytes bytes(counter.begin(), counter.end());
    bytes.insert(bytes.end(), state.begin(), state.end());
    bytes.insert(bytes.end(), heartbeat.begin(), heartbeat.end());
    return bytes;
}

constexpr std::array<std::uint8_t, 8> Zero{0, 0, 0, 0, 0, 0, 0, 0};
// 45000.5 days: 15 March 2023, noon.
constexpr std::array<std::uint8_t, 8> Noon{0x00, 0x00, 0x00, 0x00, 0x10, 0xF9, 0xE5, 0x40};

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "orvane-sync-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code error;
        fs::permissions(path_, fs::perms::owner_all, error);
        fs::remove_all(path_, error);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

TEST(SyncRecord, BytesAreTheRecordLayout) {
    struct Row {
        SyncRecord Record;
        Bytes Expected;
    };
    const Row rows[] = {
        {{.Counter = 1, .State = SyncFree, .Heartbeat = 0.0}, Record({1, 0, 0, 0}, {2, 0}, Zero)},
        {{.Counter = 0x01020304, .State = SyncLocked, .Heartbeat = 45000.5},
         Record({4, 3, 2, 1}, {1, 0}, Noon)},
        {{.Counter = -2, .State = 0x0102, .Heartbeat = 45000.5},
         Record({0xFE, 0xFF, 0xFF, 0xFF}, {2, 1}, Noon)},
    };
    for (const Row& row : rows) {
        const auto bytes = SyncRecordBytes(row.Record);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), row.Expected);
        const SyncRecord back = SyncRecordFrom(bytes);
        EXPECT_EQ(back.Counter, row.Record.Counter);
        EXPECT_EQ(back.State, row.Record.State);
        EXPECT_EQ(HeartbeatBits(back.Heartbeat), HeartbeatBits(row.Record.Heartbeat));
    }
    // Whatever a heartbeat holds comes back bit for bit, a NaN's payload included.
    const Bytes odd = Record({0, 0, 0, 0x80}, {0xFF, 0xFF}, {1, 2, 3, 4, 5, 6, 0xF8, 0x7F});
    std::array<std::uint8_t, SyncRecordSize> in{};
    std::copy(odd.begin(), odd.end(), in.begin());
    const SyncRecord record = SyncRecordFrom(in);
    EXPECT_TRUE(std::isnan(record.Heartbeat));
    const auto out = SyncRecordBytes(record);
    EXPECT_EQ(Bytes(out.begin(), out.end()), odd);
}

TEST(SyncRecord, SyncFileSitsBesideTheMacroFileAndIsNeverIt) {
    const std::pair<const char*, const char*> rows[] = {
        {"/d/ORVAN.ORV", "/d/ORVAN.MAS"}, {"/d/Work.orv", "/d/Work.MAS"},
        {"/d/macros", "/d/macMAS"},       {"/d/Keys.MAS", "/d/Keys.MAS.MAS"},
        {"/d/ab", "/d/ab.MAS"},           {"relative.ORV", "relative.MAS"},
    };
    for (const auto& [macroFile, syncFile] : rows) {
        EXPECT_EQ(SyncFilePath(macroFile), fs::path(syncFile)) << macroFile;
    }
}

TEST(SyncFile, AMissingFileIsMadeWithTheFreshRecordAndAnEmptyOneIsFilled) {
    TempFolder folder;
    const fs::path path = folder.Path() / "ORVAN.MAS";
    SyncRecord record{.Counter = 9, .State = SyncLocked, .Heartbeat = 1.0};
    ASSERT_TRUE(ReadSyncFile(path, record).Ok);
    EXPECT_EQ(record.Counter, 1);
    EXPECT_EQ(record.State, SyncFree);
    EXPECT_EQ(ReadBytes(path), Record({1, 0, 0, 0}, {2, 0}, Zero));

    WriteBytes(path, {});
    ASSERT_TRUE(ReadSyncFile(path, record).Ok);
    EXPECT_EQ(ReadBytes(path), Record({1, 0, 0, 0}, {2, 0}, Zero));
}

TEST(SyncFile, UpdateReadsDecidesAndWritesOneRecord) {
    TempFolder folder;
    const fs::path path = folder.Path() / "ORVAN.MAS";
    Bytes stored = Record({5, 0, 0, 0}, {2, 0}, Zero);
    stored.insert(stored.end(), {0xAA, 0xBB}); // more than one record: cut back to one
    WriteBytes(path, stored);
    int seen = 0;
    ASSERT_TRUE(UpdateSyncFile(path, [&seen](SyncRecord& record) {
                    seen = record.Counter;
                    record.State = SyncLocked;
                    record.Heartbeat = 45000.5;
                    return true;
                }).Ok);
    EXPECT_EQ(seen, 5);
    EXPECT_EQ(ReadBytes(path), Record({5, 0, 0, 0}, {1, 0}, Noon));

    // Deciding not to write leaves the bytes alone.
    ASSERT_TRUE(UpdateSyncFile(path, [](SyncRecord& record) {
                    record.Counter = 77;
                    return false;
                }).Ok);
    EXPECT_EQ(ReadBytes(path), Record({5, 0, 0, 0}, {1, 0}, Noon));
}

// Runs `body` in a child process and returns what it wrote to the pipe it is given; `prepare`
// runs first in the child and may refuse (then "skip" comes back).
std::string InChild(const std::function<bool()>& prepare,
                    const std::function<std::string()>& body) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return "no pipe";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        const std::string out = prepare() ? body() : std::string("skip");
        [[maybe_unused]] const ssize_t wrote = ::write(pipeFds[1], out.data(), out.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string out;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return out;
}

// Permission bits do not bind the superuser: such checks run as "nobody".
bool GiveUpPrivileges() {
    if (::geteuid() != 0) {
        return true;
    }
    return ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

// A private view of `folder` mounted read-only, for this process alone.
bool MountReadOnly(const fs::path& folder) {
    const int flags = ::geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS;
    return ::unshare(flags) == 0 &&
           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) ==
               0;
}

struct FakeHost : NetworkSyncHost {
    void ReloadChangedFile() override { ++Reloads; }
    void SetHeartbeatTimer(bool running) override { Timer = running; }
    int Reloads = 0;
    bool Timer = false;
};

// One instance of the program as far as sharing goes, with clocks the test moves.
struct Instance {
    SettingsBlock settings;
    FakeMessageSink messages;
    FakeHost host;
    std::chrono::steady_clock::time_point steady{};
    double dateTime = 45000.5;
    NetworkSync sync{settings, messages, host,
                     SyncClocks{[this] { return steady; }, [this] { return dateTime; }}};

    explicit Instance(const fs::path& macroFile) {
        settings.NetworkMode = true;
        settings.CurrentFile = macroFile.string();
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& message : messages.Shown) {
            texts.push_back(message.Caption + ": " + message.Text);
        }
        return texts;
    }
};

const std::string InUse = "Error: Macro File in use by another user.  Please try again later.";
const std::string Notice = "Notice: Macro File has changed by another user.  Changed macro file "
                           "will be reloaded after clicking \"ok\".";

// A program that keeps the record lock (stuck on a network file system) neither freezes this one
// nor is overridden: the access gives up after its bounded wait and says the file is locked, and
// once the lock is let go the next access goes through.
TEST(SyncFile, ALockKeptByAStuckProgramEndsTheAccessAfterABoundedWait) {
    const TempFolder folder;
    const fs::path path = folder.Path() / "Kept.MAS";
    SyncRecord record;
    ASSERT_TRUE(ReadSyncFile(path, record).Ok);
    // An open file description lock conflicts with this process's own record locks, so it
    // stands for another program's lock.
    const int holder = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    struct flock kept {};
    kept.l_type = F_WRLCK;
    kept.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(holder, F_OFD_SETLK, &kept), 0);

    // Both return (a wait without end would hang here).
    const SyncFileResult read = ReadSyncFile(path, record);
    const SyncFileResult update = UpdateSyncFile(path, [](SyncRecord&) { return true; });
    EXPECT_FALSE(read.Ok);
    EXPECT_FALSE(update.Ok);
    EXPECT_NE(read.Error.find("could not be locked"), std::string::npos) << read.Error;

    ::close(holder);
    EXPECT_TRUE(UpdateSyncFile(path, [](SyncRecord&) { return true; }).Ok);
}

TEST(SyncFile, BadSyncFilesAreReportedAndTheCommandStops) {
    TempFolder folder;
    const fs::path macroFile = folder.Path() / "Shared.ORV";
    const fs::path syncFile = folder.Path() / "Shared.MAS";
    struct Row {
        const char* What;
        std::function<void()> Make;
        std::string Message;
    };
    const Row rows[] = {
        {"truncated",
         [&] {
             WriteBytes(syncFile, {3, 0, 0, 0, 2});
         },
         "Error: The sync file " + syncFile.string() +
             " is damaged: it holds 5 bytes, and its record takes 14.  Remove it to share the "
             "macro file again."},
        {"a folder", [&] { fs::create_directory(syncFile); },
         "Error: The sync file " + syncFile.string() + " is not a file."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.What);
        fs::remove_all(syncFile);
        row.Make();
        const Bytes before = fs::is_regular_file(syncFile) ? ReadBytes(syncFile) : Bytes{};
        Instance one(macroFile);
        one.sync.RenewSyncFile();
        EXPECT_TRUE(one.sync.FileInUse()) << "the command must not go on";
        EXPECT_FALSE(one.sync.Holding());
        EXPECT_EQ(one.Texts(), (std::vector<std::string>{row.Message, row.Message}));
        EXPECT_EQ(one.host.Reloads, 0);
        if (fs::is_regular_file(syncFile)) {
            EXPECT_EQ(ReadBytes(syncFile), before) << "a damaged file is left for the user";
        }
    }
}

TEST(SyncFile, AnUnreadableSyncFileStopsTheCommand) {
    TempFolder folder;
    const fs::path macroFile = folder.Path() / "Shared.ORV";
    const fs::path syncFile = folder.Path() / "Shared.MAS";
    WriteBytes(syncFile, Record({1, 0, 0, 0}, {2, 0}, Zero));
    fs::permissions(syncFile, fs::perms::none);
    fs::permissions(folder.Path(), fs::perms::all);
    const std::string out = InChild(GiveUpPrivileges, [&] {
        Instance one(macroFile);
        const bool stopped = one.sync.FileInUse();
        std::string texts = stopped ? "stopped" : "went on";
        for (const std::string& text : one.Texts()) {
            texts += "|" + text;
        }
        return texts;
    });
    if (out == "skip") {
        GTEST_SKIP() << "cannot give up privileges";
    }
    EXPECT_EQ(out, "stopped|Error: The sync file " + syncFile.string() +
                       " could not be opened: Permission denied.");
}

TEST(SyncFile, OnAReadOnlyMountTheFileReadsButNoCommandGoesOn) {
    TempFolder folder;
    const fs::path macroFile = folder.Path() / "Shared.ORV";
    const fs::path syncFile = folder.Path() / "Shared.MAS";
    WriteBytes(syncFile, Record({4, 0, 0, 0}, {2, 0}, Zero));
    const std::string out = InChild([&] { return MountReadOnly(folder.Path()); },
                                    [&] {
                                        Instance one(macroFile);
                                        one.sync.RenewSyncFile();
                                        std::string texts =
                                            one.sync.KnownCounter() == 4 ? "read" : "not read";
                                        texts += one.sync.FileInUse() ? " stopped" : " went on";
                                        for (const std::string& text : one.Texts()) {
                                            texts += "|" + text;
                                        }
                                        return texts;
                                    });
    if (out == "skip") {
        GTEST_SKIP() << "no private read-only mount here";
    }
    EXPECT_EQ(out, "read stopped|Error: The sync file " + syncFile.string() +
                       " could not be opened: Read-only file system.");
    EXPECT_EQ(ReadBytes(syncFile), Record({4, 0, 0, 0}, {2, 0}, Zero));
}

TEST(NetworkSync, TakingRefusingReleasingAndTheChangeNotice) {
    TempFolder folder;
    const fs::path macroFile = folder.Path() / "Shared.ORV";
    const fs::path syncFile = folder.Path() / "Shared.MAS";
    Instance a(macroFile);
    Instance b(macroFile);
    a.sync.RenewSyncFile();
    b.sync.RenewSyncFile();
    EXPECT_EQ(ReadBytes(syncFile), Record({1, 0, 0, 0}, {2, 0}, Zero));

    ASSERT_FALSE(a.sync.FileInUse());
    EXPECT_TRUE(a.host.Timer);
    EXPECT_EQ(ReadBytes(syncFile), Record({1, 0, 0, 0}, {1, 0}, Noon));
    EXPECT_TRUE(b.sync.FileInUse());
    EXPECT_EQ(b.Texts(), std::vector<std::string>{InUse});

    a.sync.ReleaseSyncFile(1);
    EXPECT_FALSE(a.host.Timer);
    EXPECT_EQ(ReadBytes(syncFile), Record({2, 0, 0, 0}, {2, 0}, Noon));
    EXPECT_EQ(a.sync.KnownCounter(), 2);

    // B learns of the change, reloads, and the command is given up; the next one goes on.
    EXPECT_TRUE(b.sync.FileInUse());
    EXPECT_EQ(b.Texts(), (std::vector<std::string>{InUse, Notice}));
    EXPECT_EQ(b.host.Reloads, 1);
    b.dateTime = 45001.0;
    ASSERT_FALSE(b.sync.FileInUse());
    EXPECT_EQ(b.host.Reloads, 1);
    b.sync.ReleaseSyncFile(0);
    EXPECT_EQ(ReadBytes(syncFile)[0], 2) << "no change, no count";
    ASSERT_FALSE(a.sync.FileInUse()) << "A knows counter 2 already";
    a.sync.ReleaseSyncFile(0);
    EXPECT_EQ(a.Texts(), std::vector<std::string>{});
}

TEST(NetworkSync, AHolderWhoseHeartbeatStandsStillIsTakenOverAfterTwoPeriods) {
    TempFolder folder;
    const fs::path macroFile = folder.Path() / "Shared.ORV";
    const fs::path syncFile = folder.Path() / "Shared.MAS";
    Instance a(macroFile);
    Instance b(macroFile);
    a.sync.RenewSyncFile();
    b.sync.RenewSyncFile();
    ASSERT_EQ(b.sync.StaleAfter(), 60s);
    ASSERT_FALSE(a.sync.FileInUse());

    // A beats: each new heartbeat B sees starts its minute again.
    EXPECT_TRUE(b.sync.FileInUse()); // t = 0, first sight
    b.steady += 30s;
    a.dateTime = 45000.6;
    a.sync.Heartbeat();
    b.steady += 40s; // 70 s: a heartbeat B has not seen
    EXPECT_TRUE(b.sync.FileInUse());
    b.steady += 59s; // 129 s: 59 s after it first saw that one
    EXPECT_TRUE(b.sync.FileInUse());
    EXPECT_EQ(b.host.Reloads, 0);

    // A has stopped beating: a minute after B first saw its last heartbeat, B takes the lock.
    b.steady += 1s;
    b.dateTime = 45000.75;
    ASSERT_FALSE(b.sync.FileInUse());
    EXPECT_EQ(b.Texts(), std::vector<std::string>(3, InUse));
    EXPECT_EQ(b.host.Reloads, 1) << "what the vanished holder wrote is loaded first";
    const Bytes heldByB = ReadBytes(syncFile);

    // Should A come back, it neither beats over B's lock nor frees it, but its change counts.
    a.dateTime = 45000.7;
    a.sync.Heartbeat();
    EXPECT_EQ(ReadBytes(syncFile), heldByB);
    a.sync.ReleaseSyncFile(1);
    Bytes expected = heldByB;
    expected[0] = 2;
    EXPECT_EQ(ReadBytes(syncFile), expected);
    b.sync.ReleaseSyncFile(0);
    expected[0] = 3; // taking over counts as a change
    expected[4] = 2;
    EXPECT_EQ(ReadBytes(syncFile), expected);
}

TEST(NetworkSync, NestedCommandsAndNetworkModeOff) {
    TempFolder folder;
    const fs::path macroFile = folder.Path() / "Shared.ORV";
    const fs::path syncFile = folder.Path() / "Shared.MAS";
    Instance a(macroFile);
    a.settings.NetworkMode = false;
    EXPECT_FALSE(a.sync.FileInUse());
    a.sync.ReleaseSyncFile(1);
    EXPECT_FALSE(fs::exists(syncFile)) << "nothing is shared outside network mode";

    a.settings.NetworkMode = true;
    a.sync.RenewSyncFile();
    ASSERT_FALSE(a.sync.FileInUse());
    ASSERT_FALSE(a.sync.FileInUse());
    a.sync.ReleaseSyncFile(1);
    EXPECT_TRUE(a.host.Timer);
    EXPECT_EQ(ReadBytes(syncFile), Record({1, 0, 0, 0}, {1, 0}, Noon)) << "still held";
    a.sync.ReleaseSyncFile(0);
    EXPECT_FALSE(a.host.Timer);
    EXPECT_EQ(ReadBytes(syncFile), Record({2, 0, 0, 0}, {2, 0}, Noon));
}

// Processes that take the lock as fast as they can: while one holds it, none other may, so
// an unguarded tally kept beside the file ends at the number of times the lock was taken, and
// the counter was raised once for each. (The last to change the file knows the counter and so
// tends to win again; the others get their turns in the end.)
TEST(NetworkSync, RacingProcessesNeverHoldTheLockTogether) {
    TempFolder folder;
    const fs::path macroFile = folder.Path() / "Shared.ORV";
    const fs::path tally = folder.Path() / "tally";
    WriteBytes(tally, {0, 0, 0, 0});
    constexpr int Processes = 4;
    constexpr int Takes = 60;
    std::vector<pid_t> children;
    for (int p = 0; p < Processes; ++p) {
        const pid_t child = ::fork();
        if (child == 0) {
            Instance one(macroFile);
            one.sync.RenewSyncFile();
            int taken = 0;
            for (int attempt = 0; taken < Takes && attempt < 1000000; ++attempt) {
                // Every take writes a heartbeat no other process writes.
                one.dateTime = 40000.0 + p + attempt / 1e7;
                if (one.sync.FileInUse()) {
                    continue;
                }
                const Bytes count = ReadBytes(tally);
                const std::uint32_t value = (count[0] | count[1] << 8) + 1u;
                WriteBytes(tally, {static_cast<std::uint8_t>(value),
                                   static_cast<std::uint8_t>(value >> 8), 0, 0});
                one.sync.ReleaseSyncFile(1);
                ++taken;
                one.messages.Shown.clear();
            }
            ::_exit(taken == Takes ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "each got its turns";
    }
    const Bytes count = ReadBytes(tally);
    EXPECT_EQ(count[0] | count[1] << 8, Processes * Takes);
    SyncRecord record;
    ASSERT_TRUE(ReadSyncFile(folder.Path() / "Shared.MAS", record).Ok);
    EXPECT_EQ(record.State, SyncFree);
    EXPECT_EQ(record.Counter, Processes * Takes + 1);
}

TEST(NetworkSync, TheDialogsMinutesAndWhenTheTimerRuns) {
    struct Row {
        NetworkForm Form;
        bool WasNetwork;
        bool WasAutoSync;
        std::uint16_t Minutes;
        bool AutoSync;
        NetworkFormApplied Applied;
    };
    const Row rows[] = {
        {{true, true, "10"}, false, true, 10, true, {true, true, true}},
        {{true, true, "5"}, true, true, 5, true, {false, true, false}},
        {{true, true, "0"}, true, true, 0, false, {false, false, false}},
        {{true, true, "ten"}, true, false, 0, false, {false, false, false}},
        {{true, true, " 7"}, true, false, 0, false, {false, false, false}},
        {{true, true, "70000"}, true, false, 0, false, {false, false, false}},
        {{false, true, "3"}, true, true, 3, true, {false, false, false}},
        {{true, true, "3"}, true, false, 3, true, {false, true, true}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Form.Minutes);
        SettingsBlock settings;
        settings.NetworkMode = row.WasNetwork;
        settings.AutoSync = row.WasAutoSync;
        const NetworkFormApplied applied = ApplyNetworkForm(row.Form, settings);
        EXPECT_EQ(settings.SyncMinutes, row.Minutes);
        EXPECT_EQ(settings.AutoSync, row.AutoSync);
        EXPECT_EQ(settings.NetworkMode, row.Form.NetworkMode);
        EXPECT_EQ(applied.NetworkTurnedOn, row.Applied.NetworkTurnedOn);
        EXPECT_EQ(applied.SyncTimerRuns, row.Applied.SyncTimerRuns);
        EXPECT_EQ(applied.SyncTimerStarted, row.Applied.SyncTimerStarted);
    }
    SettingsBlock zero;
    zero.NetworkMode = true;
    zero.SyncMinutes = 0; // as a settings file may say
    EXPECT_FALSE(AutoSyncRuns(zero)) << "0 minutes would never come round";
}

} // namespace
} // namespace orvane
