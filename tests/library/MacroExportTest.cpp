// SPDX-License-Identifier: GPL-3.0-or-later
// Exporting chosen macros into a new macro file, and the macro information text file.
#include "library/MacroExport.h"
#include "core/MacroStore.h"
#include "library/MacroInformation.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::MacroFields;
using test::MakeMacro;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

unsigned Mode(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 0777;
}

class MacroReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("orvane-export-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        ::umask(022);
    }
    void TearDown() override { fs::remove_all(folder_); }

    void Load(const std::vector<MacroRecord>& records) {
        current_ = folder_ / "Current.ORV";
        test::WriteMacroFile(current_, records);
        ASSERT_TRUE(store.LoadMacroFile(current_));
    }

    fs::path folder_;
    fs::path current_;
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};
};

MacroRecord System(int kind) {
    const SystemMacroKind& k = SystemMacroKinds[kind - 1];
    MacroRecord r = MakeMacro({.Nickname = std::string(k.Nickname),
                               .Scope = ScopeSystem,
                               .Target = std::string(1, k.Digit)});
    r.HotKey = k.DefaultHotKey;
    return r;
}

TEST_F(MacroReportTest, ExportWritesTheChosenMacrosInListOrder) {
    MacroRecord menu = PopupMenuMacro("Ctrl+D", {5, 6, 7});
    Load({System(1), System(2), System(3), System(4),
          MakeMacro({.Nickname = "a", .Key = "Ctrl+A", .Text = "a"}),
          MakeMacro({.Nickname = "b", .Text = "b", .ShortKey = "bb"}),
          MakeMacro({.Nickname = "c", .Text = "c", .Timed = true}), menu});
    EXPECT_EQ(ExportableRecords(store), (std::vector<int>{5, 6, 7, 8}));

    const std::vector<MacroRecord> source = ReadMacroFileBack(current_);
    const fs::path target = folder_ / "Chosen.ORV";
    test::WriteMacroFile(target, {source[0], source[1], source[2]}); // replaced whole
    const std::vector<int> chosen{7, 8, 5};
    ASSERT_EQ(ExportMacros(store, chosen, target), std::nullopt);
    const std::vector<MacroRecord> back = ReadMacroFileBack(target);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_TRUE(back[0] == source[6]);
    EXPECT_TRUE(back[2] == source[4]);
    // The menu names its members by their new places; "b" stayed behind.
    EXPECT_EQ(back[1].PopupMembers(), (std::vector<std::uint16_t>{3, 1}));
    EXPECT_EQ(Slurp(target).size(), 3 * MacroRecordSize);

    const fs::path fresh = folder_ / "fresh.orv";
    ASSERT_EQ(ExportMacros(store, std::vector<int>{6}, fresh), std::nullopt);
    EXPECT_EQ(Mode(fresh), 0600u); // macro texts are the user's typing
}

TEST_F(MacroReportTest, ExportThatCannotBeWrittenChangesNothing) {
    Load({System(1), System(2), System(3), System(4),
          MakeMacro({.Nickname = "a", .Key = "Ctrl+A", .Text = "a"})});
    const std::string before = Slurp(current_);
    EXPECT_EQ(ExportMacros(store, std::vector<int>{5}, folder_ / "missing" / "x.ORV"),
              ExportFailedText);
    // Over the file in use, even by another name, the macros not chosen would be lost.
    fs::create_symlink(current_, folder_ / "Link.ORV");
    EXPECT_EQ(ExportMacros(store, std::vector<int>{5}, folder_ / "Link.ORV"),
              ExportIntoCurrentFileText);
    EXPECT_EQ(ExportMacros(store, std::vector<int>{5}, current_), ExportIntoCurrentFileText);
    EXPECT_EQ(Slurp(current_), before);
}

TEST(MacroInformation, RefusedWithoutADetailThatNamesTheMacro) {
    struct Case {
        InformationOptions Options;
        bool Refused;
    };
    const Case cases[] = {
        {{.HotKey = false, .Name = false, .Window = false, .Text = false}, true},
        {{.HotKey = false,
          .Name = false,
          .Window = false,
          .Text = false,
          .Schedule = false,
          .Icon = false},
         true},
        {{.HotKey = false, .Name = false, .Window = false, .Schedule = false, .Icon = false},
         false},
        {{.HotKey = true, .Name = false, .Window = false, .Text = false}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InformationRefusal(c.Options).has_value(), c.Refused);
    }
    EXPECT_EQ(InformationRefusal(cases[0].Options), NothingCheckedText);
}

TEST_F(MacroReportTest, InformationFileFollowsTheLayoutLineByLine) {
    MacroRecord letter = MakeMacro(
        {.Nickname = "Letter", .Key = "Ctrl+Alt+L", .Text = "Dear Sir,\r\nThank you.\r\n"});
    letter.Icon.Assign("MAIN");
    MacroRecord cafe = MakeMacro({.Nickname = "Caf\xE9",
                                  .Key = "Ctrl+E",
                                  .Scope = ScopeSpecificWindow,
                                  .Text = "caf\xE9",
                                  .Target = "Untitled - Editor",
                                  .TopMostOnly = true});
    MacroRecord build = MakeMacro({.Nickname = "Build",
                                   .Key = "F5",
                                   .Scope = ScopeSpecificProgram,
                                   .Text = "<LAUNCH:make>",
                                   .Target = "XTERM"});
    build.Icon.Assign("BUILD.ICO");
    MacroRecord backup = MakeMacro({.Nickname = "Backup", .Text = "b", .Timed = true});
    backup.Icon.Assign("MAIN");
    backup.SchedKind = 3;
    backup.SchedDays = {1, 0, 0, 0, 1, 0, 0};
    backup.SchedHour = 9;
    backup.SchedMinute = 5;
    MacroRecord sig = MakeMacro({.Nickname = "", .Text = "Jane", .ShortKey = "sig"});
    sig.Icon.Assign("MAIN");
    MacroRecord menu = PopupMenuMacro("Ctrl+M", {1});
    menu.Icon.Assign("MENU");
    Load({System(1), System(2), System(3), System(4), letter, cafe, build, backup, sig, menu});

    const fs::path target = folder_ / "info.txt";
    const std::vector<int> order{5, 6, 7, 8, 9, 10, 1};
    ASSERT_TRUE(WriteMacroInformation(store, order, InformationOptions{}, target));
    EXPECT_EQ(Lines(Slurp(target)), (std::vector<std::string>{
                                        "Icon: (Default Icon)",
                                        "Hot Key: Ctrl+Alt+L",
                                        "Name: Letter",
                                        "Scope: GLOBAL",
                                        "Text: Dear Sir,",
                                        "Thank you.",
                                        "",
                                        "",
                                        "Icon: ",
                                        "Hot Key: Ctrl+E",
                                        "Name: Caf\u00e9",
                                        "Window: Untitled - Editor, Top Most Only",
                                        "Text: caf\u00e9",
                                        "",
                                        "Icon: BUILD.ICO",
                                        "Hot Key: F5",
                                        "Name: Build",
                                        "Program: XTERM, If Active",
                                        "Text: <LAUNCH:make>",
                                        "",
                                        "Icon: (Default Icon)",
                                        "Timed Macro",
                                        "Name: Backup",
                                        "Scope: GLOBAL",
                                        "Schedule: Daily at 9:05AM,Mon,Fri",
                                        "Text: b",
                                        "",
                                        "Icon: (Default Icon)",
                                        "ShortKey: sig",
                                        "Name: ",
                                        "Scope: GLOBAL",
                                        "Text: Jane",
                                        "",
                                        "Icon: (Default Menu Icon)",
                                        "Hot Key: Ctrl+M",
                                        "Name: menu",
                                        "Scope: Popup Menu",
                                        "",
                                        "Icon: (None)",
                                        "Hot Key: Ctrl+Alt+Shift+W",
                                        "Name: Activate Orvane",
                                        "Scope: SYSTEM",
                                        "",
                                    }));
    EXPECT_EQ(Mode(target), 0600u);

    // Only some details, and a schedule only for a timed macro.
    const InformationOptions some{
        .HotKey = false, .Name = true, .Window = false, .Text = false, .Icon = false};
    EXPECT_EQ(MacroInformation(letter, some), "Name: Letter\n\n");
    EXPECT_EQ(MacroInformation(backup, some),
              "Name: Backup\nSchedule: Daily at 9:05AM,Mon,Fri\n\n");
}

TEST_F(MacroReportTest, InformationFileThatCannotBeWrittenSaysSo) {
    Load({System(1), System(2), System(3), System(4)});
    EXPECT_FALSE(WriteMacroInformation(store, std::vector<int>{1}, InformationOptions{},
                                       folder_ / "missing" / "info.txt"));
}

} // namespace
} // namespace orvane
