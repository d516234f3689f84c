// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's view of a macro file: reading it untouched, finding a macro by what the user
// typed, and the list, JSON and detail texts.
#include "library/MacroCatalog.h"

#include "core/MacroStore.h"
#include "support/MacroFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::MacroFields;

class MacroCatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("orvane-catalog-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    static std::string Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder_;
};

MacroCatalog CatalogOf(const std::vector<MacroFields>& described) {
    MacroCatalog catalog;
    catalog.Path = "/m/ORVAN.ORV";
    for (const MacroFields& fields : described) {
        catalog.Records.push_back(test::MakeMacro(fields));
    }
    return catalog;
}

TEST_F(MacroCatalogTest, ReadsRecordsAndLeavesTheFileAsItWas) {
    const fs::path file = folder_ / "Mine.ORV";
    // No system macros: the program would append them on loading, the shell must not.
    test::WriteMacroFile(file,
                         {test::MakeMacro({.Nickname = "One", .Key = "Ctrl+Alt+A"}),
                          test::MakeMacro({.Nickname = "Two", .ShortKey = "sig"})},
                         "partial");
    const std::string before = Contents(file);
    const CatalogRead read = ReadMacroCatalog(file);
    ASSERT_TRUE(read.Catalog) << read.Error;
    ASSERT_EQ(read.Catalog->Records.size(), 2U);
    EXPECT_EQ(read.Catalog->Records[1].Nickname.View(), "Two");
    EXPECT_FALSE(read.Catalog->Warning);
    EXPECT_EQ(Contents(file), before);
}

TEST_F(MacroCatalogTest, FilesThatCannotBeReadAreToldInTheProgramsWords) {
    const fs::path missing = folder_ / "None.ORV";
    const CatalogRead none = ReadMacroCatalog(missing);
    EXPECT_FALSE(none.Catalog);
    EXPECT_EQ(none.Error, "The macro file \"" + missing.string() + "\" does not exist.");
    EXPECT_FALSE(fs::exists(missing)) << "nothing is created";

    const fs::path folder = folder_ / "Folder.ORV";
    fs::create_directory(folder);
    const CatalogRead unreadable = ReadMacroCatalog(folder);
    EXPECT_FALSE(unreadable.Catalog);
    EXPECT_EQ(unreadable.Error, MacroFileCannotOpenText(folder));

    const fs::path big = folder_ / "Big.ORV";
    test::WriteMacroFile(big, std::vector<MacroRecord>(501, test::MakeMacro({.Nickname = "m"})));
    const CatalogRead oversized = ReadMacroCatalog(big);
    ASSERT_TRUE(oversized.Catalog);
    EXPECT_EQ(oversized.Catalog->Records.size(), 500U);
    EXPECT_EQ(oversized.Catalog->Warning, MacroFileOversizedText(big, 501));
}

TEST(MacroCatalog, FindsAMacroByNicknameOrNumber) {
    const std::vector<MacroRecord> records = {
        test::MakeMacro({.Nickname = "Greeting"}), test::MakeMacro({.Nickname = "greeting"}),
        test::MakeMacro({.Nickname = "Caf\xe9"}), // Windows-1252
        test::MakeMacro({.Nickname = "Twin"}),     test::MakeMacro({.Nickname = "Twin"}),
        test::MakeMacro({.Nickname = "1"}),        test::MakeMacro({.Nickname = "Note"}),
        test::MakeMacro({.Nickname = "NOTE"}),     test::MakeMacro({.Nickname = "Signature"}),
    };
    struct Case {
        const char* query;
        int number;
        const char* error;
    };
    const Case cases[] = {
        {.query = "Greeting", .number = 1, .error = ""},
        {.query = "greeting", .number = 2, .error = ""},
        {.query = "SIGNATURE", .number = 9, .error = ""},
        {.query = "Caf\xc3\xa9", .number = 3, .error = ""}, // typed in UTF-8
        {.query = "CAF\xc3\x89", .number = 3, .error = ""},
        {.query = "4", .number = 4, .error = ""},
        {.query = "0004", .number = 4, .error = ""},
        {.query = "1", .number = 6, .error = ""}, // a nickname before a number
        {.query = "Twin",
         .number = 0,
         .error = "\"Twin\" names macros 4 and 5; give the number instead"},
        {.query = "note",
         .number = 0,
         .error = "\"note\" names macros 7 and 8; give the number instead"},
        {.query = "10",
         .number = 0,
         .error = "there is no macro number 10 (the file holds 9 macros)"},
        {.query = "0",
         .number = 0,
         .error = "there is no macro number 0 (the file holds 9 macros)"},
        {.query = "99999999999999999999",
         .number = 0,
         .error = "there is no macro number 99999999999999999999 (the file holds 9 macros)"},
        {.query = "Nobody", .number = 0, .error = "no macro is called \"Nobody\""},
        {.query = "", .number = 0, .error = "no nickname or number was given"},
    };
    for (const Case& c : cases) {
        const MacroLookup found = FindMacro(records, c.query);
        EXPECT_EQ(found.Number, c.number) << c.query;
        EXPECT_EQ(found.Error, c.error) << c.query;
    }
}

TEST(MacroCatalog, ListLinesShowTheMainWindowsTextsInColumns) {
    const MacroCatalog catalog = CatalogOf({
        {.Nickname = "Activate Orvane",
         .Key = "Ctrl+Alt+Shift+W",
         .Scope = ScopeSystem,
         .Target = "1"},
        {.Nickname = "Print",
         .Key = "Ctrl+Alt+P",
         .Scope = ScopeSpecificWindow,
         .Target = "Document Viewer - a long window title"},
        {.Nickname = "Export", .Key = "F9", .Scope = ScopeSpecificProgram, .Target = "gimp"},
        {.Nickname = "Caf\xe9\nbar", .ShortKey = "sig"},
        {.Nickname = "Stretch", .Timed = true, .Active = false},
        {.Nickname = "Letters", .Key = "Ctrl+Alt+Shift+M", .Scope = ScopePopupMenu},
        {.Nickname = "Odd", .Key = "F1", .Scope = 9},
        {.Nickname = "", .Key = "F2"},
    });
    const std::vector<std::string> expected = {
        "1  Ctrl+Alt+Shift+W  SYSTEM                        Activate Orvane",
        "2  Ctrl+Alt+P        Window: Document Viewer - a   Print",
        "3  F9                Program: gimp                 Export",
        "4  sig               GLOBAL                        Caf\xc3\xa9?bar",
        "5  Timed Macro       GLOBAL                        Stretch  (deactivated)",
        "6  Ctrl+Alt+Shift+M  Popup Menu                    Letters",
        "7  F1                (Unknown)                     Odd",
        "8  F2                GLOBAL",
    };
    EXPECT_EQ(ListingLines(catalog), expected);
}

TEST(MacroCatalog, JsonCarriesEveryRecordWithItsTextsInUtf8) {
    MacroCatalog catalog = CatalogOf({
        {.Nickname = "Say \"hi\"\\\x01", .Key = "Ctrl+Alt+A"},
        {.Nickname = "Reply",
         .Key = "Ctrl+Alt+1",
         .Scope = ScopeSpecificWindow,
         .Target = "Inbox \x96 Mail",
         .TopMostOnly = true},
        {.Nickname = "Sig", .ShortKey = "s\xe9g", .Active = false},
        {.Nickname = "Later", .Timed = true},
    });
    catalog.Path = "/home/u/caf\xc3\xa9/M.ORV";
    EXPECT_EQ(
        ListingJson(catalog),
        "{\"file\": \"/home/u/caf\xc3\xa9/M.ORV\", \"macros\": [\n"
        "  {\"number\": 1, \"activation\": \"Ctrl+Alt+A\", \"scope\": \"GLOBAL\", "
        "\"nickname\": \"Say \\\"hi\\\"\\\\\\u0001\", \"active\": true, \"kind\": \"hotkey\", "
        "\"shortKey\": null, \"scopeKind\": \"global\", \"target\": null, \"topMostOnly\": "
        "false},\n"
        "  {\"number\": 2, \"activation\": \"Ctrl+Alt+1\", \"scope\": \"Window: Inbox \xe2\x80\x93 "
        "Mail\", \"nickname\": \"Reply\", \"active\": true, \"kind\": \"hotkey\", "
        "\"shortKey\": null, \"scopeKind\": \"window\", \"target\": \"Inbox \xe2\x80\x93 Mail\", "
        "\"topMostOnly\": true},\n"
        "  {\"number\": 3, \"activation\": \"s\xc3\xa9g\", \"scope\": \"GLOBAL\", "
        "\"nickname\": \"Sig\", \"active\": false, \"kind\": \"shortkey\", "
        "\"shortKey\": \"s\xc3\xa9g\", \"scopeKind\": \"global\", \"target\": null, "
        "\"topMostOnly\": false},\n"
        "  {\"number\": 4, \"activation\": \"Timed Macro\", \"scope\": \"GLOBAL\", "
        "\"nickname\": \"Later\", \"active\": true, \"kind\": \"timed\", \"shortKey\": null, "
        "\"scopeKind\": \"global\", \"target\": null, \"topMostOnly\": false}\n"
        "]}\n");
    EXPECT_EQ(ListingJson(CatalogOf({})), "{\"file\": \"/m/ORVAN.ORV\", \"macros\": []}\n");
}

TEST(MacroCatalog, DetailsShowTheFieldsThatApplyAndTheText) {
    MacroRecord window = test::MakeMacro({.Nickname = "Reply",
                                          .Key = "Ctrl+Alt+1",
                                          .Scope = ScopeSpecificWindow,
                                          .Text = "Thanks,<ENTER>Sam \x80",
                                          .Target = "Inbox - Mail",
                                          .TopMostOnly = true});
    window.LastModified = 45000.5; // 14 March 2023, noon
    EXPECT_EQ(MacroDetails(window, 12), "Number:        12\n"
                                        "Nickname:      Reply\n"
                                        "Activation:    Ctrl+Alt+1\n"
                                        "Scope:         Window: Inbox - Mail\n"
                                        "Active:        Yes\n"
                                        "Window:        Inbox - Mail\n"
                                        "Only on top:   Yes\n"
                                        "Last modified: 2023-03-15 12:00\n"
                                        "Text:\n"
                                        "Thanks,<ENTER>Sam \xe2\x82\xac\n");

    MacroRecord timed = test::MakeMacro({.Nickname = "Stretch", .Text = "<BEEP>", .Timed = true});
    timed.SchedKind = 3;
    timed.SchedHour = 9;
    timed.SchedMinute = 5;
    timed.SchedDays = {1, 1, 1, 1, 1, 0, 0};
    const std::string timedText = MacroDetails(timed, 1);
    EXPECT_NE(timedText.find("Schedule:      Daily at 9:05AM,Mon,Tue,Wed,Thu,Fri\n"),
              std::string::npos)
        << timedText;
    EXPECT_EQ(timedText.find("Last modified"), std::string::npos) << timedText;

    MacroRecord menu = test::MakeMacro({.Nickname = "Letters", .Scope = ScopePopupMenu});
    menu.SetPopupMembers(std::vector<std::uint16_t>{5, 7, 8});
    const std::string menuText = MacroDetails(menu, 2);
    EXPECT_NE(menuText.find("Menu of:       5, 7, 8\n"), std::string::npos) << menuText;
    EXPECT_EQ(menuText.find("Text:"), std::string::npos) << "a menu's text is its members";
}

} // namespace
} // namespace orvane
