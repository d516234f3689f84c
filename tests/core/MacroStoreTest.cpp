// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MacroStore.h"
#include "core/HotKeyTable.h"
#include "core/MacroFileCheck.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

MacroRecord Rec(std::string_view nickname, std::uint16_t hotKey, std::int16_t scope = ScopeGlobal,
                std::uint8_t active = 1, std::string_view target = "") {
    MacroRecord r;
    r.Nickname.Assign(nickname);
    r.HotKey = hotKey;
    r.Scope = scope;
    r.Active = active;
    r.ScopeTarget.Assign(target);
    r.SetText("text of " + std::string(nickname));
    r.LastModified = 45000.25;
    return r;
}

MacroRecord System(char digit) {
    const SystemMacroKind& kind = SystemMacroKinds[digit - '1'];
    return Rec(kind.Nickname, kind.DefaultHotKey, ScopeSystem, 1, std::string(1, digit));
}

std::vector<MacroRecord> WithSystemMacros(std::vector<MacroRecord> user = {}) {
    std::vector<MacroRecord> all{System('1'), System('2'), System('3'), System('4')};
    all.insert(all.end(), user.begin(), user.end());
    return all;
}

std::string Bytes(const std::vector<MacroRecord>& records, std::string_view tail = {}) {
    std::string bytes;
    for (const MacroRecord& r : records) {
        const MacroRecordBytes b = r.ToBytes();
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    bytes.append(tail);
    return bytes;
}

// `bytes` with the byte at `offset` of record `number` (1-based) set to `value`, and the byte
// after it to `high` (for the 16-bit fields).
std::string Poke(std::string bytes, int number, std::size_t offset, std::uint8_t value,
                 std::optional<std::uint8_t> high = {}) {
    const std::size_t at = static_cast<std::size_t>(number - 1) * MacroRecordSize + offset;
    bytes[at] = static_cast<char>(value);
    if (high) {
        bytes[at + 1] = static_cast<char>(*high);
    }
    return bytes;
}

// Bytes that look like nothing in particular, the same in every run.
std::string Noise(std::size_t size) {
    std::mt19937 random(22);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

// Lines of text, repeated to `size` bytes.
std::string Text(std::size_t size) {
    std::string text;
    while (text.size() < size) {
        text += "Buy milk\nCall Sam about the 12th\n";
    }
    return text.substr(0, size);
}

class MacroStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("orvane-store-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        file = folder / "ORVAN.ORV";
    }
    void TearDown() override { fs::remove_all(folder); }

    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    MacroRecord FileRecord(int i) const {
        const std::string bytes = Read(file);
        MacroRecordBytes b{};
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>((i - 1) * MacroRecordSize),
                    MacroRecordSize, b.begin());
        return MacroRecord::FromBytes(b);
    }
    // Loads a file made of `records`, then forgets the calls the load made.
    void Load(const std::vector<MacroRecord>& records, std::string_view tail = {}) {
        Write(file, Bytes(records, tail));
        ASSERT_TRUE(store.LoadMacroFile(file));
        hook.Clear();
    }

    fs::path folder;
    fs::path file;
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};
};

TEST_F(MacroStoreTest, AMissingFileIsCreatedPrivateWithTheFourSystemMacrosInKindOrder) {
    ASSERT_TRUE(store.LoadMacroFile(file));
    EXPECT_TRUE(messages.Shown.empty());
    ASSERT_EQ(store.MacroCount(), 4);
    EXPECT_EQ(store.Table().Count(), 4);
    EXPECT_EQ(fs::file_size(file), 4 * MacroRecordSize);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const MacroRecord r = FileRecord(i);
        const SystemMacroKind& kind = SystemMacroKinds[i - 1];
        EXPECT_EQ(r.Nickname.View(), kind.Nickname);
        EXPECT_EQ(r.ScopeTarget.View(), std::string(1, kind.Digit));
        EXPECT_EQ(r.HotKey, 262 + i - 1);
        EXPECT_EQ(r.Scope, ScopeSystem);
        EXPECT_EQ(r.Active, 1);
        EXPECT_TRUE(r.ShortKey.Empty());
        EXPECT_EQ(r.Text(), "");
        EXPECT_GT(r.LastModified, 45000.0);
        EXPECT_EQ(store.Table().HotKey(i), 262 + i - 1);
        EXPECT_EQ(store.Names().Nickname(i), kind.Nickname);
    }
    EXPECT_EQ(hook.Calls,
              (Calls{"OrvUpNumKeys", "OrvUpNumKeys", "OrvUpItem 1", "OrvUpNumKeys", "OrvUpItem 2",
                     "OrvUpNumKeys", "OrvUpItem 3", "OrvUpNumKeys", "OrvUpItem 4"}));
}

TEST_F(MacroStoreTest, LoadMirrorsEachRecordAndPublishesItThenTheCount) {
    const std::string longTarget = "A WINDOW TITLE OF THIRTY CHARS";
    ASSERT_EQ(longTarget.size(), 30u);
    MacroRecord window = Rec("Window", 5, ScopeSpecificWindow, 1, longTarget);
    window.TopMostOnly = 1;
    window.ShortKey.Assign("sk");
    Write(file, Bytes(WithSystemMacros({window})));
    ASSERT_TRUE(store.LoadMacroFile(file));
    EXPECT_EQ(hook.Calls, (Calls{"OrvUpItem 1", "OrvUpItem 2", "OrvUpItem 3", "OrvUpItem 4",
                                 "OrvUpItem 5", "OrvUpNumKeys"}));
    EXPECT_EQ(store.MacroCount(), 5);
    EXPECT_EQ(store.Table().Scope(5), ScopeSpecificWindow);
    EXPECT_EQ(store.Table().HotKey(5), 5);
    EXPECT_EQ(store.Table().ScopeTarget(5), longTarget.substr(0, 20));
    EXPECT_EQ(store.Table().TopMostOnly(5), 1);
    EXPECT_EQ(store.Table().Active(5), 1);
    EXPECT_EQ(store.Names().Nickname(5), "Window");
    EXPECT_EQ(store.Names().ShortKey(5), "sk");
    MacroRecord read;
    ASSERT_TRUE(store.ReadMacro(5, read));
    EXPECT_EQ(read.ScopeTarget.View(), longTarget) << "the file keeps all 30 characters";
}

TEST_F(MacroStoreTest, MissingSystemKindsAreAppendedInOrderAfterTheFile) {
    Write(file, Bytes({Rec("a", 1), System('1'), Rec("b", 2), System('3')}));
    ASSERT_TRUE(store.LoadMacroFile(file));
    ASSERT_EQ(store.MacroCount(), 6);
    EXPECT_EQ(FileRecord(5).ScopeTarget.View(), "2");
    EXPECT_EQ(FileRecord(5).Nickname.View(), "Start / Stop Capture");
    EXPECT_EQ(FileRecord(6).ScopeTarget.View(), "4");
    EXPECT_EQ(FileRecord(6).HotKey, 265);
    EXPECT_EQ(store.Names().Nickname(6), "Menu of Macros for Top Most Window");
}

TEST_F(MacroStoreTest, ARenamedSystemMacroShowsItsFixedNameWhileTheFileKeepsTheRecord) {
    std::vector<MacroRecord> records = WithSystemMacros();
    records[2].Nickname.Assign("My pause key");
    Write(file, Bytes(records));
    ASSERT_TRUE(store.LoadMacroFile(file));
    EXPECT_EQ(store.MacroCount(), 4);
    EXPECT_EQ(store.Names().Nickname(3), "Resume Pause");
    EXPECT_EQ(FileRecord(3).Nickname.View(), "My pause key");
    EXPECT_EQ(Read(file), Bytes(records));
}

TEST_F(MacroStoreTest, ASystemMacroOnAPlainClickGoesBackToItsDefaultKeyAndTheUserIsTold) {
    const std::uint16_t left = *HotKeyCodeOf("LMouse");
    const std::uint16_t right = *HotKeyCodeOf("RMouse");
    const std::uint16_t ctrlLeft = *HotKeyCodeOf("Ctrl+LMouse");
    std::vector<MacroRecord> records = WithSystemMacros({Rec("clicks", left)});
    records[0].HotKey = left;
    records[2].HotKey = right;
    records[3].HotKey = ctrlLeft; // with a modifier a click stays a click
    Write(file, Bytes(records));
    ASSERT_TRUE(store.LoadMacroFile(file));
    EXPECT_EQ(FileRecord(1).HotKey, SystemMacroKinds[0].DefaultHotKey);
    EXPECT_EQ(store.Table().HotKey(1), SystemMacroKinds[0].DefaultHotKey);
    EXPECT_EQ(FileRecord(3).HotKey, SystemMacroKinds[2].DefaultHotKey);
    EXPECT_EQ(FileRecord(3).Text(), records[2].Text()) << "only the key changes";
    EXPECT_EQ(FileRecord(4).HotKey, ctrlLeft);
    EXPECT_EQ(FileRecord(5).HotKey, left) << "a user's macro is the user's choice";
    ASSERT_EQ(messages.Shown.size(), 2u);
    EXPECT_EQ(messages.Shown[0].Caption, "Warning");
    EXPECT_EQ(messages.Shown[0].Text, PlainClickMendedText(SystemMacroKinds[0], left));
    EXPECT_NE(messages.Shown[0].Text.find("\"Activate Orvane\" was on \"LMouse\""),
              std::string::npos);
    EXPECT_NE(messages.Shown[1].Text.find("\"RMouse\""), std::string::npos);

    // Mended once: the next load finds nothing to tell.
    messages.Shown.clear();
    ASSERT_TRUE(store.LoadMacroFile(file));
    EXPECT_TRUE(messages.Shown.empty());

    // A file that cannot take the change: this run still leaves the clicks alone.
    records = WithSystemMacros();
    records[1].HotKey = left;
    Write(file, Bytes(records));
    ::chmod(file.c_str(), 0400);
    if (::access(file.c_str(), W_OK) != 0) { // not when the tests run as root
        ASSERT_TRUE(store.LoadMacroFile(file));
        EXPECT_EQ(store.Table().HotKey(2), SystemMacroKinds[1].DefaultHotKey);
        EXPECT_EQ(FileRecord(2).HotKey, left);
    }
    ::chmod(file.c_str(), 0600);
}

TEST_F(MacroStoreTest, SavingOverwritesOneRecordInPlaceAndRefreshesItsMirrors) {
    Load(WithSystemMacros({Rec("a", 1), Rec("b", 2)}));
    MacroRecord changed = Rec("b changed", 7, ScopeSpecificProgram, 1, "NOTEPAD");
    ASSERT_TRUE(store.SaveMacro(6, changed));
    EXPECT_EQ(hook.Calls, (Calls{"OrvUpItem 6"}));
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({Rec("a", 1), changed})));
    EXPECT_EQ(store.Table().HotKey(6), 7);
    EXPECT_EQ(store.Table().ScopeTarget(6), "NOTEPAD");
    EXPECT_EQ(store.Names().Nickname(6), "b changed");
}

TEST_F(MacroStoreTest, AppendingRaisesAndPublishesTheCountBeforeTheRecord) {
    Load(WithSystemMacros());
    ASSERT_TRUE(store.AppendMacro(Rec("new", 9)));
    EXPECT_EQ(hook.Calls, (Calls{"OrvUpNumKeys", "OrvUpItem 5"}));
    EXPECT_EQ(store.MacroCount(), 5);
    EXPECT_EQ(store.Table().Count(), 5);
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({Rec("new", 9)})));

    // The same by hand, as callers following the convention do.
    store.SetMacroCount(store.MacroCount() + 1);
    hook.OrvUpNumKeys(store.Table());
    ASSERT_TRUE(store.SaveMacro(-1, Rec("newer", 10)));
    EXPECT_EQ(FileRecord(6).Nickname.View(), "newer");
    EXPECT_EQ(store.Names().Nickname(6), "newer");
}

TEST_F(MacroStoreTest, AppendingSeveralWritesThemAllAfterAPartialTailOrNone) {
    Load(WithSystemMacros(), "tail");
    const std::vector<MacroRecord> added{Rec("x", 1), Rec("y", 2), Rec("z", 3)};
    ASSERT_TRUE(store.AppendMacros(added));
    EXPECT_EQ(hook.Calls, (Calls{"OrvUpNumKeys", "OrvUpItem 5", "OrvUpItem 6", "OrvUpItem 7"}));
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros(added), "tail"));
    EXPECT_EQ(store.Names().Nickname(7), "z");
    EXPECT_EQ(store.Table().Count(), 7);

    // No room for all of them: none is written.
    hook.Clear();
    const std::vector<MacroRecord> many(494, Rec("m", 4));
    EXPECT_FALSE(store.AppendMacros(many));
    EXPECT_EQ(store.MacroCount(), 7);
    EXPECT_TRUE(hook.Calls.empty());
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros(added), "tail"));
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(MacroStoreTest, AFileThatCannotBeWrittenIsReportedAndNothingChanges) {
    Load(WithSystemMacros({Rec("a", 1)}));
    fs::remove(file);
    EXPECT_FALSE(store.SaveMacro(5, Rec("changed", 2)));
    EXPECT_FALSE(store.AppendMacro(Rec("new", 3)));
    EXPECT_EQ(messages.Shown,
              (std::vector<FakeMessageSink::Message>{{"Error", "Saving of keystrokes failed."},
                                                     {"Error", "Saving of keystrokes failed."}}));
    EXPECT_FALSE(fs::exists(file)) << "saving never creates the file";
    EXPECT_EQ(store.Names().Nickname(5), "a");
    EXPECT_EQ(store.Table().HotKey(5), 1);
    EXPECT_EQ(store.MacroCount(), 5) << "a failed append takes its count back";
    EXPECT_EQ(hook.Calls, (Calls{"OrvUpNumKeys", "OrvUpNumKeys"}));
}

TEST_F(MacroStoreTest, DeletingMovesLaterRecordsDownAndLeavesTheMirrorsToTheReload) {
    const auto a = Rec("a", 1), b = Rec("b", 2), c = Rec("c", 3);
    Load(WithSystemMacros({a, b, c}));
    ASSERT_TRUE(store.DeleteMacro(5));
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({b, c})));
    EXPECT_EQ(store.MacroCount(), 7) << "mirrors untouched until the reload";
    EXPECT_TRUE(hook.Calls.empty());
    ASSERT_TRUE(store.ReloadMacroFile());
    EXPECT_EQ(store.MacroCount(), 6);
    EXPECT_EQ(store.Names().Nickname(5), "b");

    ASSERT_TRUE(store.DeleteMacro(6)); // the last one: nothing moves
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({b})));
    EXPECT_FALSE(store.DeleteMacro(0));
    EXPECT_FALSE(store.DeleteMacro(7));
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({b})));
}

TEST_F(MacroStoreTest, APartialTrailingRecordIsNoMacroAndSurvivesDeletesAndAppends) {
    const std::string tail(100, '\x7E');
    Load(WithSystemMacros({Rec("a", 1), Rec("b", 2)}), tail);
    EXPECT_EQ(store.MacroCount(), 6);
    ASSERT_TRUE(store.DeleteMacro(5));
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({Rec("b", 2)}), tail));
    ASSERT_TRUE(store.ReloadMacroFile());
    ASSERT_TRUE(store.AppendMacro(Rec("c", 3)));
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({Rec("b", 2), Rec("c", 3)}), tail))
        << "the new record goes before the tail, which keeps its bytes";
    ASSERT_TRUE(store.SaveMacro(6, Rec("c2", 4)));
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({Rec("b", 2), Rec("c2", 4)}), tail));
    ASSERT_TRUE(store.ReloadMacroFile());
    EXPECT_EQ(store.MacroCount(), 6);
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(MacroStoreTest, AFileOfMoreThan500RecordsLoadsTheFirst500AndLosesNothing) {
    std::vector<MacroRecord> user;
    for (int k = 0; k < 499; ++k) {
        user.push_back(Rec("m" + std::to_string(k), static_cast<std::uint16_t>(k % 700)));
    }
    const std::vector<MacroRecord> all = WithSystemMacros(user); // 503 records
    Load(all);
    EXPECT_EQ(store.MacroCount(), 500);
    EXPECT_EQ(store.Names().Nickname(500), "m495");
    EXPECT_TRUE(store.FileHasUnloadedRecords());
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Caption, "Warning");
    EXPECT_NE(messages.Shown[0].Text.find("503 macros"), std::string::npos);
    EXPECT_NE(messages.Shown[0].Text.find("first 500"), std::string::npos);

    ASSERT_TRUE(store.ReloadMacroFile());
    EXPECT_EQ(messages.Shown.size(), 1u) << "told once, not at every reload";

    EXPECT_FALSE(store.AppendMacro(Rec("new", 1)));
    EXPECT_EQ(Read(file), Bytes(all));

    ASSERT_TRUE(store.SaveMacro(10, Rec("changed", 1)));
    std::vector<MacroRecord> expected = all;
    expected[9] = Rec("changed", 1);
    EXPECT_EQ(Read(file), Bytes(expected)) << "records past the 500th stay";

    ASSERT_TRUE(store.DeleteMacro(5));
    expected.erase(expected.begin() + 4);
    EXPECT_EQ(Read(file), Bytes(expected));
    EXPECT_TRUE(hook.Calls.size() > 0);
}

TEST_F(MacroStoreTest, AFullFileRefusesAppendsWithoutWriting) {
    std::vector<MacroRecord> user(496, Rec("m", 1));
    Load(WithSystemMacros(user));
    ASSERT_EQ(store.MacroCount(), 500);
    EXPECT_FALSE(store.FileHasUnloadedRecords());
    EXPECT_FALSE(store.AppendMacro(Rec("new", 1)));
    EXPECT_EQ(fs::file_size(file), 500 * MacroRecordSize);
    EXPECT_EQ(store.MacroCount(), 500);
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(MacroStoreTest, SomethingElseThanAFileAtThePathIsReportedAndNeverReplaced) {
    const std::pair<std::string, std::function<void(const fs::path&)>> cases[] = {
        {"folder", [](const fs::path& p) { fs::create_directory(p); }},
        {"named pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        fs::remove_all(file);
        make(file);
        const auto type = fs::symlink_status(file).type();
        messages.Shown.clear();
        hook.Clear();
        EXPECT_FALSE(store.LoadMacroFile(file)); // a pipe must not block the load
        ASSERT_EQ(messages.Shown.size(), 1u);
        EXPECT_EQ(messages.Shown[0].Caption, "Error");
        EXPECT_NE(messages.Shown[0].Text.find("is not an Orvane macro file"), std::string::npos);
        EXPECT_EQ(fs::symlink_status(file).type(), type);
        EXPECT_EQ(store.MacroCount(), 0);
        EXPECT_TRUE(hook.Calls.empty()) << "a refused file changes nothing in memory";
        EXPECT_FALSE(store.AppendMacro(Rec("new", 1)));
        EXPECT_EQ(fs::symlink_status(file).type(), type);
    }
}

TEST_F(MacroStoreTest, WhatIsAMacroFileIsDecidedFromEveryWholeRecord) {
    namespace Off = MacroRecordOffset;
    using Kind = MacroFileKind;
    const std::string three = Bytes({System('1'), Rec("a", 1), System('2')});
    MacroRecord full = Rec(std::string(50, 'n'), 719, ScopeSystem, 0, std::string(30, 't'));
    full.ShortKey.Assign(std::string(10, 's'));
    full.Icon.Assign(std::string(12, 'i'));
    const std::string limits =
        Bytes({full, Rec("timed", HotKeyTimed), Rec("short", HotKeyShortKey, ScopeGlobal)});
    const std::string withUser = Bytes(WithSystemMacros({Rec("a", 1)}));
    struct Row {
        std::string Name;
        std::string Bytes;
        MacroFileCheck Expected;
    };
    const Row rows[] = {
        {"empty", "", {Kind::MacroFile}},
        {"the system macros", Bytes(WithSystemMacros()), {Kind::MacroFile}},
        {"every range at its limit", limits, {Kind::MacroFile}},
        {"cut within its last record",
         withUser.substr(0, withUser.size() - 3000),
         {Kind::MacroFile}},
        {"whole records, then a tail of text",
         Bytes(WithSystemMacros(), "tail\n"),
         {Kind::MacroFile}},
        {"four bytes", "abc\n", {Kind::NoWholeRecord}},
        {"two lines of text", "Buy milk\nCall Sam\n", {Kind::NoWholeRecord}},
        {"a macro file cut within its first record",
         withUser.substr(0, 1000),
         {Kind::NoWholeRecord}},
        {"text of one record's size", Text(MacroRecordSize), {Kind::ForeignRecord, 1}},
        {"text of two records and a bit", Text(2 * MacroRecordSize + 7), {Kind::ForeignRecord, 1}},
        {"noise of three records' size", Noise(3 * MacroRecordSize), {Kind::ForeignRecord, 1}},
        {"zeros", std::string(2 * MacroRecordSize, '\0'), {Kind::ForeignRecord, 1}},
        {"macros, then text of a record's size",
         Bytes(WithSystemMacros()) + Text(MacroRecordSize),
         {Kind::ForeignRecord, 5}},
        {"nickname of 51", Poke(three, 2, Off::Nickname, 51), {Kind::ForeignRecord, 2}},
        {"scope target of 31", Poke(three, 2, Off::ScopeTarget, 31), {Kind::ForeignRecord, 2}},
        {"ShortKey of 11", Poke(three, 2, Off::ShortKey, 11), {Kind::ForeignRecord, 2}},
        {"icon of 13", Poke(three, 2, Off::Icon, 13), {Kind::ForeignRecord, 2}},
        {"hot key 720", Poke(three, 2, Off::HotKey, 0xD0, 0x02), {Kind::ForeignRecord, 2}},
        {"hot key 10001", Poke(three, 2, Off::HotKey, 0x11, 0x27), {Kind::ForeignRecord, 2}},
        {"hot key 65535", Poke(three, 2, Off::HotKey, 0xFF, 0xFF), {Kind::ForeignRecord, 2}},
        {"scope 0", Poke(three, 2, Off::Scope, 0, 0), {Kind::ForeignRecord, 2}},
        {"scope 6", Poke(three, 2, Off::Scope, 6, 0), {Kind::ForeignRecord, 2}},
        {"scope -1", Poke(three, 2, Off::Scope, 0xFF, 0xFF), {Kind::ForeignRecord, 2}},
        {"scope 257", Poke(three, 2, Off::Scope, 1, 1), {Kind::ForeignRecord, 2}},
        {"active 2", Poke(three, 2, Off::Active, 2), {Kind::ForeignRecord, 2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        const auto bytes =
            std::span(reinterpret_cast<const std::uint8_t*>(row.Bytes.data()), row.Bytes.size());
        EXPECT_EQ(CheckMacroFileBytes(bytes), row.Expected);
        Write(file, row.Bytes);
        EXPECT_EQ(CheckMacroFile(file), row.Expected) << "the file says what its bytes say";
        EXPECT_EQ(IsMacroFile(file), row.Expected.Kind == Kind::MacroFile);
    }

    // What is at the path, rather than what a file holds.
    fs::remove(file);
    EXPECT_EQ(CheckMacroFile(file).Kind, Kind::Missing);
    EXPECT_TRUE(IsMacroFile(file)) << "a new macro file may be made there";
    fs::create_directory(file);
    EXPECT_EQ(CheckMacroFile(file).Kind, Kind::NotAFile);
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(CheckMacroFile(file).Kind, Kind::NotAFile) << "and the check did not block";
    EXPECT_FALSE(IsMacroFile(file));
    fs::remove(file);
    fs::create_symlink(folder / "nowhere", file);
    EXPECT_EQ(CheckMacroFile(file).Kind, Kind::Unreadable) << "a dangling link is not replaced";
}

TEST_F(MacroStoreTest, AFileThatIsNotAMacroFileIsRefusedUnchangedAndTheLoadedOneStays) {
    const std::vector<MacroRecord> mine = WithSystemMacros({Rec("mine", 7)});
    Load(mine);
    const std::pair<std::string, std::string> cases[] = {
        {"notes.txt", "Buy milk\nCall Sam\n"},
        {"four.bin", "\x01\x02\x03\x04"},
        {"noise.ORV", Noise(3 * MacroRecordSize)},
        {"letter.ORV", Text(2 * MacroRecordSize)},
        {"one foreign record.ORV",
         Poke(Bytes(WithSystemMacros()), 3, MacroRecordOffset::Scope, 9, 0)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const fs::path other = folder / name;
        Write(other, bytes);
        messages.Shown.clear();
        hook.Clear();
        EXPECT_FALSE(store.LoadMacroFile(other));
        EXPECT_EQ(messages.Shown,
                  (std::vector<FakeMessageSink::Message>{{"Error", NotMacroFileText(other)}}));
        EXPECT_NE(
            NotMacroFileText(other).find("\"" + other.string() + "\" is not an Orvane macro file."),
            std::string::npos);
        EXPECT_EQ(Read(other), bytes) << "not one byte written";
        EXPECT_TRUE(hook.Calls.empty());
        EXPECT_EQ(store.CurrentPath(), file);
        EXPECT_EQ(store.MacroCount(), 5);
        EXPECT_EQ(store.Names().Nickname(5), "mine");
        ASSERT_TRUE(store.ReloadMacroFile()) << "the current file is still the one loaded";
        EXPECT_EQ(store.MacroCount(), 5);
    }
    ASSERT_TRUE(store.AppendMacro(Rec("new", 8)));
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({Rec("mine", 7), Rec("new", 8)})))
        << "later writes go to the loaded file";
    EXPECT_EQ(Read(folder / "notes.txt"), "Buy milk\nCall Sam\n");
}

TEST_F(MacroStoreTest, AFileWithoutReadPermissionIsReportedAndKept) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    const std::string bytes = Bytes(WithSystemMacros({Rec("a", 1)}));
    Write(file, bytes);
    fs::permissions(file, fs::perms::none);
    EXPECT_FALSE(store.LoadMacroFile(file));
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Caption, "Error");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Read(file), bytes);
}

TEST_F(MacroStoreTest, ANewFileThatCannotBeCreatedIsReported) {
    EXPECT_FALSE(store.LoadMacroFile(folder / "no such folder" / "NEW.ORV"));
    EXPECT_EQ(messages.Shown,
              (std::vector<FakeMessageSink::Message>{{"Error", "New file could not be created."}}));
    EXPECT_EQ(store.MacroCount(), 0);
}

TEST_F(MacroStoreTest, ReadingANumberOutsideTheLoadedMacrosLeavesTheRecordAlone) {
    Load(WithSystemMacros({Rec("a", 1)}));
    const MacroRecord before = Rec("untouched", 42);
    for (int i : {0, -1, 6, 500, 501}) {
        MacroRecord record = before;
        EXPECT_FALSE(store.ReadMacro(i, record)) << i;
        EXPECT_EQ(record, before) << i;
    }
    MacroRecord record;
    ASSERT_TRUE(store.ReadMacro(5, record));
    EXPECT_EQ(record, Rec("a", 1));
}

TEST_F(MacroStoreTest, OutOfRangeValuesAreCarriedThroughAndIndexNothing) {
    MacroRecord oddKey = Rec("odd key", 5000);
    MacroRecord oddScope = Rec("odd scope", 3, 99);
    MacroRecord popup = Rec("popup", 4, ScopePopupMenu);
    popup.MacroText.fill(0xFF); // count 65535, members 65535
    // A file holding such records is refused on load; they can still reach the table through a
    // save, and the popup menu's text is within range for the check.
    Load(WithSystemMacros({Rec("a", 1), Rec("b", 2), popup}));
    ASSERT_TRUE(store.SaveMacro(5, oddKey));
    ASSERT_TRUE(store.SaveMacro(6, oddScope));
    EXPECT_EQ(store.Table().HotKey(5), 5000);
    EXPECT_EQ(store.Table().Scope(6), 99);
    store.SetHotKeys();
    for (std::uint32_t code = 0; code < HotKeyCount; ++code) {
        const bool expected = code == 3 || code == 4 || (code >= 262 && code <= 265);
        EXPECT_EQ(store.Table().KeyInUse(code), expected) << code;
    }
    MacroRecord read;
    ASSERT_TRUE(store.ReadMacro(7, read));
    EXPECT_EQ(read.PopupMembers().size(), PopupMemberCapacity);
    ASSERT_TRUE(store.SaveMacro(7, read));
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({oddKey, oddScope, popup})));
}

TEST_F(MacroStoreTest, ActivatingFlipsTheTablePublishesAndRewritesOnlyTheByte) {
    Load(WithSystemMacros({Rec("a", 7)}));
    ASSERT_TRUE(store.ActivateMacro(5, false));
    EXPECT_EQ(hook.Calls, (Calls{"OrvUpItem 5"}));
    EXPECT_EQ(store.Table().Active(5), 0);
    EXPECT_EQ(Read(file), Bytes(WithSystemMacros({Rec("a", 7, ScopeGlobal, 0)})));
    EXPECT_FALSE(store.SetMacroActive(6, 1));
    EXPECT_FALSE(store.ActivateMacro(0, true));
}

TEST_F(MacroStoreTest, HotKeysInUseComeFromActiveKeyMacrosOnly) {
    Load(WithSystemMacros({
        Rec("active", 10),
        Rec("inactive", 11, ScopeGlobal, 0),
        Rec("same key", 10),
        Rec("timed", HotKeyTimed),
        Rec("shortkey, inactive", HotKeyShortKey, ScopeGlobal, 0),
    }));
    store.SetHotKeys();
    EXPECT_EQ(hook.Calls, (Calls{"OrvUpKeys", "OrvUpShort"}));
    int inUse = 0;
    for (std::uint32_t code = 0; code < HotKeyCount; ++code) {
        inUse += store.Table().KeyInUse(code) ? 1 : 0;
    }
    EXPECT_EQ(inUse, 5) << "10 once, and the four system keys";
    EXPECT_TRUE(store.Table().KeyInUse(10));
    EXPECT_FALSE(store.Table().KeyInUse(11));
    EXPECT_EQ(store.Table().HotKey(6), 11) << "a deactivated macro keeps its key";
    EXPECT_TRUE(store.Table().HaveShortKeys()) << "inactive ShortKey macros count";

    ASSERT_TRUE(store.DeleteMacro(9));
    ASSERT_TRUE(store.ReloadMacroFile());
    store.SetHotKeys();
    EXPECT_FALSE(store.Table().HaveShortKeys());
}

TEST_F(MacroStoreTest, ProgramListHoldsAtMost200UpperCaseNamesCutTo25) {
    std::vector<std::string> names;
    for (int k = 0; k < 201; ++k) {
        names.push_back("prog" + std::to_string(k));
    }
    names[1] = "a-very-long-executable-name-of-40-chars!";
    names[2] = "café"; // UTF-8 from the system, stored as Windows-1252 like scope targets
    store.RefreshProgramList(names);
    EXPECT_EQ(hook.Calls, (Calls{"OrvUpProgs"}));
    EXPECT_EQ(store.Table().ProgramCount(), 200);
    EXPECT_EQ(store.Table().Program(1), "PROG0");
    EXPECT_EQ(store.Table().Program(2), "A-VERY-LONG-EXECUTABLE-NA");
    EXPECT_EQ(store.Table().Program(2).size(), 25u);
    EXPECT_EQ(store.Table().Program(3), "CAF\xC9");
    EXPECT_EQ(store.Table().Program(200), "PROG199");

    store.SetForegroundProgram("gedit");
    EXPECT_EQ(store.Table().ForegroundProgram(), "GEDIT");
    EXPECT_EQ(hook.Calls.back(), "OrvUpProg");
}

TEST_F(MacroStoreTest, StartUpInitialisesTheHookLibraryInItsFixedOrder) {
    Load(WithSystemMacros({Rec("a", 10)}));
    hook.KeepTables = true;
    const std::uint32_t window = 0x2A00001;
    store.InitializeHookLibrary(window);
    ASSERT_EQ(hook.Calls,
              (Calls{"OrvUpCapture", "OrvUpInit", "OrvUpWindow", "OrvUpWindow2", "OrvUpProg",
                     "OrvUpCaptureOn", "OrvUpProgs", "OrvUpKeys", "OrvUpShort", "OrvHookKeyboard",
                     "OrvHookMouse", "OrvUpKeyHook", "OrvUpMouseHook"}));
    // Each call sees its fields already set.
    EXPECT_TRUE(hook.Tables[0].IsNT());
    EXPECT_EQ(hook.Tables[2].MainWindow(), window);
    EXPECT_EQ(hook.Tables[3].SecondWindow(), window);
    EXPECT_FALSE(hook.Tables[3].SecondWindowOn());
    EXPECT_EQ(hook.Tables[6].ProgramCount(), 0);
    EXPECT_TRUE(hook.Tables[7].KeyInUse(10));
    EXPECT_TRUE(hook.Tables[7].KeyInUse(262));
    EXPECT_EQ(hook.Tables[11].KeyboardHook(), 101u);
    EXPECT_EQ(hook.Tables[12].MouseHook(), 102u);
    EXPECT_EQ(hook.Tables[12].KeyboardHook(), 101u);
}

} // namespace
} // namespace orvane
