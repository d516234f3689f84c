// SPDX-License-Identifier: GPL-3.0-or-later
// Importing macros: the three file kinds read from bytes laid out by hand (never by the
// program's own writer), the conversions of the older records, and "&Ok" against a real macro
// file with its limits, refusals and questions.
#include "library/MacroImport.h"
#include "core/HotKeyTable.h"
#include "core/MacroStore.h"
#include "library/ImportFile.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Bytes = std::string;

constexpr double Now = 45123.5;

// Little-endian fields written straight into a record's bytes.
void PutU8(Bytes& b, std::size_t at, unsigned value) {
    b[at] = static_cast<char>(value & 0xFF);
}
void PutU16(Bytes& b, std::size_t at, unsigned value) {
    PutU8(b, at, value);
    PutU8(b, at + 1, value >> 8);
}
// A short string: the length byte as given (it may claim more than the field holds), then the
// characters.
void PutShort(Bytes& b, std::size_t at, std::string_view text, int length = -1) {
    PutU8(b, at, length < 0 ? static_cast<unsigned>(text.size()) : static_cast<unsigned>(length));
    b.replace(at + 1, text.size(), text);
}
void PutText(Bytes& b, std::size_t at, std::string_view text) {
    b.replace(at, text.size(), text);
}

std::uint16_t Code(std::string_view name) {
    return *HotKeyCodeOf(name);
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Field by field, so a failure names the field.
void ExpectSameMacro(const MacroRecord& actual, const MacroRecord& expected) {
    EXPECT_EQ(actual.Nickname.Str(), expected.Nickname.Str());
    EXPECT_EQ(actual.ScopeTarget.Str(), expected.ScopeTarget.Str());
    EXPECT_EQ(actual.ShortKey.Str(), expected.ShortKey.Str());
    EXPECT_EQ(actual.HotKey, expected.HotKey);
    EXPECT_EQ(actual.Scope, expected.Scope);
    EXPECT_EQ(actual.Active, expected.Active);
    EXPECT_EQ(actual.Reserved1, expected.Reserved1);
    EXPECT_EQ(actual.Text(), expected.Text());
    EXPECT_EQ(actual.Icon.Str(), expected.Icon.Str());
    EXPECT_EQ(actual.SchedKind, expected.SchedKind);
    EXPECT_EQ(actual.SchedDays, expected.SchedDays);
    EXPECT_EQ(actual.SchedHour, expected.SchedHour);
    EXPECT_EQ(actual.SchedMinute, expected.SchedMinute);
    EXPECT_EQ(actual.SchedMonth, expected.SchedMonth);
    EXPECT_EQ(actual.SchedDay, expected.SchedDay);
    EXPECT_EQ(actual.SchedPastHour, expected.SchedPastHour);
    EXPECT_EQ(actual.SchedInterval, expected.SchedInterval);
    EXPECT_EQ(actual.SchedWeekday, expected.SchedWeekday);
    EXPECT_EQ(actual.SchedYear, expected.SchedYear);
    EXPECT_EQ(actual.SchedPM, expected.SchedPM);
    EXPECT_EQ(actual.TopMostOnly, expected.TopMostOnly);
    EXPECT_EQ(actual.LastModified, expected.LastModified);
    // Stored, every length byte is within its field and nothing is left over.
    EXPECT_TRUE(actual == expected);
}

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("orvane-import-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path Path(std::string_view name) const { return folder_ / name; }

    fs::path folder_;
};

// An older hot key record: every field set to a value of its own.
Bytes OldHotKeyRecord(std::string_view nickname, std::string_view target, std::uint16_t hotKey,
                      int scope, std::string_view text, unsigned clipboard = 0) {
    Bytes b(OldHotKeyRecordSize, '\0');
    PutShort(b, 0, nickname);
    PutShort(b, 51, target);
    PutU16(b, 82, hotKey);
    PutU16(b, 84, static_cast<unsigned>(scope));
    PutU8(b, 86, 1);
    PutU8(b, 87, clipboard);
    PutU16(b, 88, 0x1234);
    PutText(b, 90, text);
    PutU16(b, 5091, 3); // daily
    for (unsigned k = 0; k < 12; ++k) {
        PutU8(b, 5093 + k, 20 + k); // days, hour, minute, month, day, past hour
    }
    PutU16(b, 5105, 45);
    PutU8(b, 5107, 6);
    PutU16(b, 5108, 1997);
    PutU8(b, 5110, 1);
    PutU8(b, 5111, 1);
    PutText(b, 5112, std::string(29, '\x7F')); // not read
    return b;
}

// What OldHotKeyRecord becomes.
MacroRecord ExpectedFromOld(std::string_view nickname, std::string_view target,
                            std::uint16_t hotKey, int scope, std::string_view text) {
    MacroRecord r;
    r.Nickname.Assign(nickname);
    r.ScopeTarget.Assign(target);
    r.HotKey = hotKey;
    r.Scope = static_cast<std::int16_t>(scope);
    r.Active = 1;
    r.Reserved1 = 0x1234;
    r.SetText(text);
    r.Icon.Assign("MAIN");
    r.SchedKind = 3;
    r.SchedDays = {20, 21, 22, 23, 24, 25, 26};
    r.SchedHour = 27;
    r.SchedMinute = 28;
    r.SchedMonth = 29;
    r.SchedDay = 30;
    r.SchedPastHour = 31;
    r.SchedInterval = 45;
    r.SchedWeekday = 6;
    r.SchedYear = 1997;
    r.SchedPM = 1;
    r.TopMostOnly = 1;
    r.LastModified = Now;
    return r;
}

Bytes OldShortKeyRecord(std::string_view shortKey, std::string_view text, unsigned clipboard,
                        unsigned active = 1) {
    Bytes b(OldShortKeyRecordSize, '\0');
    PutText(b, 0, "\x55\x66\x77"); // not read
    PutShort(b, 3, shortKey);
    PutU8(b, 14, active);
    PutU16(b, 15, 0xBEEF);
    PutText(b, 17, text);
    PutU8(b, 3018, clipboard);
    PutText(b, 3019, std::string(20, '\x7F')); // not read
    return b;
}

MacroRecord ExpectedShortKeyMacro(std::string_view shortKey, std::string_view text) {
    MacroRecord r;
    r.ShortKey.Assign(shortKey);
    r.HotKey = HotKeyShortKey;
    r.Scope = ScopeGlobal;
    r.Active = 1;
    r.Reserved1 = 0xBEEF;
    r.SetText(text);
    r.Icon.Assign("MAIN");
    r.SchedKind = 1;
    r.SchedMonth = 1;
    r.SchedDay = 1;
    r.SchedPastHour = 15;
    r.SchedInterval = 15;
    r.SchedWeekday = 1;
    r.SchedYear = 1998;
    r.SchedPM = 1;
    r.TopMostOnly = 1;
    r.LastModified = Now;
    return r;
}

TEST_F(ImportTest, OldHotKeyRecordsBecomeMacrosFieldByField) {
    const std::string target30 = "Untitled - Notepad and more!!"; // 29 characters
    Bytes damaged = OldHotKeyRecord("x", "", Code("Ctrl+B"), 1, "", 1);
    PutShort(damaged, 0, std::string(50, 'N'), 200); // a length byte past the field
    PutU8(damaged, 86, 7);                           // an active flag of neither 0 nor 1
    PutText(damaged, 90, std::string(5001, 'k'));    // a text without its NUL
    const fs::path file = Path("OLD.KE2");
    Write(file, OldHotKeyRecord("Greeting", target30 + "X", Code("Ctrl+Alt+A"), 2, "Hello", 1) +
                    damaged + OldHotKeyRecord("cut", "", Code("Ctrl+C"), 1, "cut").substr(0, 700));

    const ImportRead read = ReadImportFile(file, Now);
    ASSERT_TRUE(read.File) << read.Error;
    EXPECT_EQ(read.File->Format, ImportFormat::OldHotKeyFile);
    ASSERT_EQ(read.File->Entries.size(), 2u); // the cut third record is no macro
    EXPECT_EQ(read.File->Entries[0].Position, 1u);
    ExpectSameMacro(read.File->Entries[0].Record,
                    ExpectedFromOld("Greeting", target30 + "X", Code("Ctrl+Alt+A"), 2,
                                    "<BEGCLIP>Hello<ENDCLIP><CLIPP>"));
    ExpectSameMacro(read.File->Entries[1].Record,
                    ExpectedFromOld(std::string(50, 'N'), "", Code("Ctrl+B"), 1,
                                    "<BEGCLIP>" + std::string(4975, 'k') + "<ENDCLIP><CLIPP>"));
    // The listed line shows 20 characters of the target.
    const ChooserLine line = ChooserLineOf(read.File->Entries[0].Record);
    EXPECT_EQ(line.Activation, "Ctrl+Alt+A");
    EXPECT_EQ(line.Nickname, "Greeting");
    EXPECT_EQ(line.Scope, target30.substr(0, 20));
}

TEST_F(ImportTest, OldRecordsThatCanBeNoMacroAreSkipped) {
    const fs::path file = Path("mixed.ke2");
    Write(file, OldHotKeyRecord("system", "1", Code("Ctrl+D"), ScopeSystem, "") +
                    OldHotKeyRecord("bad key", "", 900, 1, "") +
                    OldHotKeyRecord("bad scope", "", Code("Ctrl+E"), 0, "") +
                    OldHotKeyRecord("menu", "", Code("Ctrl+F"), ScopePopupMenu, "") +
                    OldHotKeyRecord("timed", "", HotKeyTimed, 1, "t"));
    const ImportRead read = ReadImportFile(file, Now);
    ASSERT_TRUE(read.File) << read.Error;
    ASSERT_EQ(read.File->Entries.size(), 2u);
    EXPECT_EQ(read.File->Entries[0].Position, 4u);
    EXPECT_EQ(read.File->Entries[0].Record.Nickname.Str(), "menu");
    EXPECT_EQ(ChooserLineOf(read.File->Entries[0].Record).Scope, "POPUP MENU");
    EXPECT_EQ(read.File->Entries[1].Position, 5u);
    EXPECT_EQ(ChooserLineOf(read.File->Entries[1].Record).Activation, "Timed Macro");
}

TEST_F(ImportTest, OldShortKeyRecordsBecomeGlobalShortKeyMacros) {
    Bytes damaged = OldShortKeyRecord("x", "", 0, 9);
    PutShort(damaged, 3, std::string(10, 's'), 99);
    PutText(damaged, 17, std::string(3001, 'q')); // no NUL before the clipboard flag
    const fs::path file = Path("Keys.SHK");
    Write(file, OldShortKeyRecord("sig", "Regards,\r\nJane", 0) +
                    OldShortKeyRecord("addr", "1 Main St", 1) + damaged);

    const ImportRead read = ReadImportFile(file, Now);
    ASSERT_TRUE(read.File) << read.Error;
    ASSERT_EQ(read.File->Entries.size(), 3u);
    ExpectSameMacro(read.File->Entries[0].Record, ExpectedShortKeyMacro("sig", "Regards,\r\nJane"));
    ExpectSameMacro(read.File->Entries[1].Record,
                    ExpectedShortKeyMacro("addr", "<BEGCLIP>1 Main St<ENDCLIP><CLIPP>"));
    ExpectSameMacro(read.File->Entries[2].Record,
                    ExpectedShortKeyMacro(std::string(10, 's'), std::string(3000, 'q')));
    const ChooserLine line = ChooserLineOf(read.File->Entries[0].Record);
    EXPECT_EQ(line.Activation, "sig");
    EXPECT_EQ(line.Nickname, "");
    EXPECT_EQ(line.Scope, "GLOBAL");
}

TEST(ImportConversion, OldLaunchCommandsAndClipboardTexts) {
    const std::string path = "C:\\APPS\\EDIT.EXE";
    const std::string longPath(300, 'p');
    struct Case {
        std::string Text;
        bool Clipboard;
        std::string Expected;
    };
    const Case cases[] = {
        {.Text = "<LAUNCH> " + path, .Clipboard = true, .Expected = "<LAUNCH:" + path + ">"},
        {.Text = "<LAUNCH> " + path + "<PARAM>C:\\WORK",
         .Clipboard = false,
         .Expected = "<CHDIR:C:\\WORK><LAUNCH:" + path + ">"},
        // Only the first 255 characters were ever read.
        {.Text = "<LAUNCH> " + longPath,
         .Clipboard = false,
         .Expected = "<LAUNCH:" + longPath.substr(0, 246) + ">"},
        {.Text = "<PARAM> before <LAUNCH>",
         .Clipboard = false,
         .Expected = "<CHDIR: before <LAUNCH>><LAUNCH:>"},
        {.Text = "Dear Sir", .Clipboard = true, .Expected = "<BEGCLIP>Dear Sir<ENDCLIP><CLIPP>"},
        {.Text = "Dear Sir", .Clipboard = false, .Expected = "Dear Sir"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertOldHotKeyText(c.Text, c.Clipboard), c.Expected) << c.Text;
    }
}

TEST_F(ImportTest, MacroFilesListEverythingButSystemMacros) {
    const fs::path file = Path("Other.Orv");
    WriteMacroFile(file, {HotKeyMacro("Ctrl+Alt+Shift+W", ScopeSystem, "", "1", "Activate"),
                          HotKeyMacro("Ctrl+A", ScopeSpecificProgram, "a", "EDITOR"),
                          ShortKeyMacro("sig", "Jane"), TimedMacro("backup")});
    const ImportRead read = ReadImportFile(file, Now);
    ASSERT_TRUE(read.File) << read.Error;
    ASSERT_EQ(read.File->Entries.size(), 3u);
    EXPECT_EQ(read.File->Entries[0].Position, 2u);
    EXPECT_TRUE(read.File->Entries[0].Record == ReadMacroFileBack(file)[1]); // as it is
    EXPECT_EQ(ChooserLineOf(read.File->Entries[0].Record).Scope, "EDITOR");
    EXPECT_EQ(read.File->Entries[2].Position, 4u);
}

TEST_F(ImportTest, FilesThatCannotBeImportedSaySo) {
    const Bytes goodOld = OldHotKeyRecord("a", "", Code("Ctrl+A"), 1, "a");
    Write(Path("short.KE2"), goodOld.substr(0, 5140));
    Write(Path("notes.ORV"), "These are my notes. " + std::string(6000, '.'));
    Write(Path("noise.KE2"), OldHotKeyRecord("bad", "", 4000, 1, "") +
                                 OldHotKeyRecord("bad", "", Code("Ctrl+A"), 77, ""));
    Write(Path("notes.txt"), goodOld);
    fs::create_directories(Path("folder.SHK"));
    Write(Path("empty.SHK"), "");
    struct Case {
        std::string Name;
        std::string_view Error;
    };
    const Case cases[] = {
        {.Name = "notes.txt", .Error = ImproperFileTypeText},
        {.Name = "macros.KE", .Error = ImproperFileTypeText},
        {.Name = "gone.KE2", .Error = CannotOpenImportText},
        {.Name = "folder.SHK", .Error = CannotOpenImportText},
        {.Name = "short.KE2", .Error = CannotOpenImportText},
        {.Name = "notes.ORV", .Error = CannotOpenImportText},
        {.Name = "noise.KE2", .Error = CannotOpenImportText},
    };
    for (const Case& c : cases) {
        const ImportRead read = ReadImportFile(Path(c.Name), Now);
        EXPECT_FALSE(read.File) << c.Name;
        EXPECT_EQ(read.Error, c.Error) << c.Name;
    }
    const ImportRead empty = ReadImportFile(Path("empty.SHK"), Now);
    ASSERT_TRUE(empty.File);
    EXPECT_TRUE(empty.File->Entries.empty());
}

// "&Ok" against a current file the store has loaded.
class ImportSelectedTest : public ImportTest {
protected:
    void Load(const std::vector<MacroRecord>& records) {
        current_ = Path("Current.ORV");
        WriteMacroFile(current_, records);
        ASSERT_TRUE(store.LoadMacroFile(current_));
        hook.Clear();
    }
    static ImportFile FileOf(std::vector<MacroRecord> records,
                             ImportFormat format = ImportFormat::OldHotKeyFile) {
        ImportFile file;
        file.Format = format;
        for (std::size_t k = 0; k < records.size(); ++k) {
            file.Entries.push_back({k + 1, records[k]});
        }
        return file;
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& m : messages.Shown) {
            texts.push_back(m.Caption + ": " + m.Text);
        }
        return texts;
    }

    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};
    fs::path current_;
};

TEST_F(ImportSelectedTest, TheLastMacrosPastFiveHundredAreLeftOutAfterTheQuestion) {
    std::vector<MacroRecord> records = DefaultSystemMacros();
    for (int i = 5; i <= 498; ++i) {
        records.push_back(TimedMacro("m" + std::to_string(i)));
    }
    Load(records);
    const ImportFile file =
        FileOf({ShortKeyMacro("one", "1"), ShortKeyMacro("two", "2"), ShortKeyMacro("three", "3")});
    std::vector<bool> selected{true, true, true};
    messages.Answers = {true};

    const ImportOutcome outcome = ImportSelected(store, file, selected, messages, Now + 1);
    EXPECT_EQ(outcome.Step, ImportStep::Done);
    EXPECT_EQ(outcome.Imported, 2);
    EXPECT_EQ(outcome.FirstRecord, 499);
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "Warning: The maximum capacity of macros per file will be exceeded. "
                           "The last 1 macros selected will not be imported."}));
    ASSERT_EQ(messages.Asked.size(), 1u);
    EXPECT_EQ(messages.Asked[0].Text, ContinueImportText);
    const std::vector<MacroRecord> back = ReadMacroFileBack(current_);
    ASSERT_EQ(back.size(), 500u);
    EXPECT_EQ(back[498].ShortKey.Str(), "one");
    EXPECT_EQ(back[499].ShortKey.Str(), "two");
    EXPECT_EQ(back[499].LastModified, Now + 1);
    EXPECT_EQ(store.MacroCount(), 500);
    EXPECT_EQ(store.Names().ShortKey(500), "two");
    // The count is published once, and the hot keys after the records.
    EXPECT_EQ(std::count(hook.Calls.begin(), hook.Calls.end(), "OrvUpNumKeys"), 1);
    EXPECT_EQ(hook.Calls.back(), "OrvUpShort");
    EXPECT_TRUE(store.Table().HaveShortKeys());
}

TEST_F(ImportSelectedTest, HotKeysAlreadyInUseAreLeftOutAndNoKeepsEverything) {
    std::vector<MacroRecord> records = DefaultSystemMacros();
    records.push_back(HotKeyMacro("Ctrl+A", ScopeSpecificWindow, "w", "Editor"));
    Load(records);
    const ImportFile file = FileOf({
        HotKeyMacro("Ctrl+A", ScopeGlobal, "global a"),        // taken by the window macro
        HotKeyMacro("Ctrl+A", ScopeSpecificProgram, "prog a"), // scoped: not checked
        HotKeyMacro("Ctrl+B", ScopePopupMenu, "menu b"),
        HotKeyMacro("Ctrl+B", ScopeGlobal, "global b"),    // taken by the line before
        HotKeyMacro("Ctrl+Alt+Shift+W", ScopeGlobal, "w"), // a system macro's key
        TimedMacro("timed"),
    });
    const std::string before = Slurp(current_);

    std::vector<bool> selected(file.Entries.size(), true);
    const ImportOutcome declined = ImportSelected(store, file, selected, messages, Now);
    EXPECT_EQ(declined.Step, ImportStep::StayOpen);
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "Warning: A Global Hot Key for Ctrl+A already exists.  This macro "
                           "will not be imported.",
                           "Warning: A Global Hot Key for Ctrl+B already exists.  This macro "
                           "will not be imported.",
                           "Warning: A Global Hot Key for Ctrl+Alt+Shift+W already exists.  "
                           "This macro will not be imported."}));
    EXPECT_EQ(selected, (std::vector<bool>{false, true, true, false, false, true}));
    EXPECT_EQ(Slurp(current_), before);
    EXPECT_EQ(store.MacroCount(), 5);

    messages.Shown.clear();
    messages.Answers = {true};
    const ImportOutcome done = ImportSelected(store, file, selected, messages, Now);
    EXPECT_EQ(done.Step, ImportStep::Done);
    EXPECT_EQ(done.Imported, 3);
    EXPECT_TRUE(done.Timed);
    EXPECT_TRUE(messages.Shown.empty());
    const std::vector<MacroRecord> back = ReadMacroFileBack(current_);
    ASSERT_EQ(back.size(), 8u);
    EXPECT_EQ(back[5].Text(), "prog a");
    EXPECT_EQ(back[6].Text(), "menu b");
    EXPECT_EQ(back[7].Text(), "timed");
    EXPECT_TRUE(store.Table().KeyInUse(Code("Ctrl+B")));
}

TEST_F(ImportSelectedTest, NothingSelectedOrAFailedWriteChangesNothing) {
    Load(DefaultSystemMacros());
    const ImportFile file = FileOf({ShortKeyMacro("one", "1"), ShortKeyMacro("two", "2")});
    std::vector<bool> none{false, false};
    EXPECT_EQ(ImportSelected(store, file, none, messages, Now).Step, ImportStep::StayOpen);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Error: " + std::string(NothingFlaggedText)}));

    // The file went away under the program: the store says so and keeps its count.
    messages.Shown.clear();
    fs::remove(current_);
    fs::create_directory(current_);
    std::vector<bool> both{true, true};
    EXPECT_EQ(ImportSelected(store, file, both, messages, Now).Step, ImportStep::StayOpen);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Error: Saving of keystrokes failed."}));
    EXPECT_EQ(store.MacroCount(), 4);
    EXPECT_EQ(store.Table().Count(), 4);
}

TEST_F(ImportSelectedTest, APopupMenuKeepsTheMembersImportedWithIt) {
    std::vector<MacroRecord> records = DefaultSystemMacros();
    records.push_back(HotKeyMacro("Ctrl+A", ScopeGlobal, "here"));
    Load(records); // 5 records
    // In the other file: 1 and 2 are macros, 3 a menu of 1, 2 and a number past the file.
    const ImportFile file =
        FileOf({HotKeyMacro("Ctrl+B", ScopeGlobal, "one"),
                HotKeyMacro("Ctrl+C", ScopeGlobal, "two"), PopupMenuMacro("Ctrl+D", {1, 2, 40})},
               ImportFormat::MacroFile);
    std::vector<bool> selected{false, true, true};
    ASSERT_EQ(ImportSelected(store, file, selected, messages, Now).Step, ImportStep::Done);
    const std::vector<MacroRecord> back = ReadMacroFileBack(current_);
    ASSERT_EQ(back.size(), 7u);
    EXPECT_EQ(back[5].Text(), "two");
    EXPECT_EQ(back[6].PopupMembers(), (std::vector<std::uint16_t>{6}));
}

} // namespace
} // namespace orvane
