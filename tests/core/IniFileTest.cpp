// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IniFile.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace orvane {
namespace {

using namespace std::string_literals;

TEST(IniFile, ReadsValuesAsTheWindowsProfileFunctionsDo) {
    const std::string text = "stray=before any section\r\n"
                             "[Misc]\r\n"
                             "; Use Tray=Yes\r\n"
                             "  use TRAY  =  Yes please  \r\n"
                             "Use Tray=No\r\n"
                             "Quoted=\"  spaced  \"\r\n"
                             "Single='x'\r\n"
                             "Unpaired=\"x'\r\n"
                             "Lone=\"\r\n"
                             "Empty=\r\n"
                             "Equals=a=b\r\n"
                             "Ended=value\x1A\r\n"
                             "Nul=ab\0cd\r\n"s
                             "no equals sign here\r\n"
                             "[Broken\r\n"
                             "InBroken=still Misc\r\n"
                             "[MISC]\r\n"
                             "Second=hidden by the first section\r\n"
                             "[ Capture ]\n"
                             "Keys=LF line\n"
                             "[\xC9t\xE9]\r\n"
                             "K=accented\r\n"
                             "[Last]\r\n"
                             "NoNewline=end";
    const IniFile file = IniFile::Parse(text);

    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"misc", "Use Tray", "Yes please"},            // case, blanks; first duplicate wins
        {"Misc", "Quoted", "  spaced  "},              // quotes keep the blanks inside
        {"Misc", "Single", "x"},                       // single quotation marks too
        {"Misc", "Unpaired", "\"x'"},                  // only a matching pair is stripped
        {"Misc", "Lone", "\""},                        // one mark is no pair
        {"Misc", "Empty", ""},                         // present but empty is not missing
        {"Misc", "Equals", "a=b"},                     // the first "=" splits
        {"Misc", "Ended", "value"},                    // Ctrl+Z counts as a blank
        {"Misc", "Nul", "ab"},                         // a line's text ends at a NUL
        {"Misc", "; Use Tray", std::nullopt},          // comments carry no value
        {"Misc", "no equals sign here", std::nullopt}, // neither does a line without "="
        {"Misc", "Second", std::nullopt},              // the first section of a name is read
        {"Misc", "InBroken", "still Misc"},            // "[Broken" is no section header
        {"Misc", "stray", std::nullopt},               // before any section: unreachable
        {"Capture", "keys", "LF line"},
        {"\xE9T\xC9", "k", "accented"}, // Windows-1252 letters match without regard to case
        {"Last", "NoNewline", "end"},
        {"Missing", "Keys", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(file.Value(c.section, c.key), c.expected) << c.section << " / " << c.key;
    }
    EXPECT_EQ(file.SectionNames(),
              (std::vector<std::string>{"Misc", "Capture", "\xC9t\xE9", "Last"}));
    EXPECT_EQ(file.KeyNames("Misc"),
              (std::vector<std::string>{"use TRAY", "Quoted", "Single", "Unpaired", "Lone", "Empty",
                                        "Equals", "Ended", "Nul", "InBroken"}));
}

TEST(IniFile, ByteOrderMarkDoesNotHideTheFirstSection) {
    const IniFile file = IniFile::Parse("\xEF\xBB\xBF[Misc]\r\nUse Tray=Yes\r\n");
    EXPECT_EQ(file.Value("Misc", "Use Tray"), "Yes");
    EXPECT_EQ(file.Serialise(), "\xEF\xBB\xBF[Misc]\r\nUse Tray=Yes\r\n");
}

TEST(IniFile, UnchangedDocumentSerialisesByteForByte) {
    const std::string crlf = "; written by hand\r\n"
                             "[Misc]\r\n"
                             "  Odd Spacing =  x  \r\n"
                             "garbage \x01\x02\xFF\r\n"
                             "\r\n"
                             "[Unknown]\r\n"
                             "Kept=\"quoted\"\r\n";
    EXPECT_EQ(IniFile::Parse(crlf).Serialise(), crlf);
}

TEST(IniFile, WritesCrLfLineEndsWhateverItRead) {
    EXPECT_EQ(IniFile::Parse("[A]\nk=v\n[B]\r\nx=y").Serialise(), "[A]\r\nk=v\r\n[B]\r\nx=y\r\n");
    EXPECT_EQ(IniFile::Parse("").Serialise(), "");
}

TEST(IniFile, SettingValuesKeepsEverythingElseInPlace) {
    IniFile file = IniFile::Parse("[Misc]\r\n"
                                  "; comment\r\n"
                                  "USE TRAY = No\r\n"
                                  "Width = 640\r\n"
                                  "Other=1\r\n"
                                  "; trailing comment\r\n"
                                  "\r\n"
                                  "[Unknown]\r\n"
                                  "A=1\r\n"
                                  "[misc]\r\n"
                                  "Use Tray=No\r\n");
    EXPECT_TRUE(file.SetValue("Misc", "Use Tray", "Yes")); // changed: keeps the file's spelling
    EXPECT_TRUE(file.SetValue("Misc", "width", "640"));    // same value: line left as it was
    EXPECT_TRUE(file.SetValue("Misc", "New Key", "n"));    // after the section's last key
    EXPECT_TRUE(file.SetValue("Network", "Auto Sync", "Yes"));
    EXPECT_TRUE(file.SetValue("Network", "Sync Minutes", "10"));
    EXPECT_EQ(file.Serialise(), "[Misc]\r\n"
                                "; comment\r\n"
                                "USE TRAY=Yes\r\n"
                                "Width = 640\r\n"
                                "Other=1\r\n"
                                "New Key=n\r\n"
                                "; trailing comment\r\n"
                                "\r\n"
                                "[Unknown]\r\n"
                                "A=1\r\n"
                                "[misc]\r\n"
                                "Use Tray=No\r\n"
                                "\r\n"
                                "[Network]\r\n"
                                "Auto Sync=Yes\r\n"
                                "Sync Minutes=10\r\n");
}

TEST(IniFile, NewSectionOnAnEmptyDocumentStartsAtTheTop) {
    IniFile file;
    EXPECT_TRUE(file.SetValue("Misc", "System Menu", "1"));
    EXPECT_EQ(file.Serialise(), "[Misc]\r\nSystem Menu=1\r\n");
}

TEST(IniFile, EveryStoredValueReadsBackExactly) {
    const std::string values[] = {"",         "plain", " leading",  "trailing ", "\"quoted\"",
                                  "'single'", "\"",    "'a\"",      "tab\t",     "a\rb",
                                  "end\r",    "\x1A",  "\xE9t\xE9", "\"\"",      "= x ="};
    for (const std::string& value : values) {
        IniFile file;
        ASSERT_TRUE(file.SetValue("S", "K", value));
        EXPECT_EQ(file.Value("S", "K"), value) << value;
        EXPECT_EQ(IniFile::Parse(file.Serialise()).Value("S", "K"), value) << value;
    }
}

TEST(IniFile, ValuesAreCutWhereALineCannotHoldThem) {
    IniFile file;
    ASSERT_TRUE(file.SetValue("S", "A", "first\nsecond"));
    ASSERT_TRUE(file.SetValue("S", "B", "x\0y"s));
    const IniFile reread = IniFile::Parse(file.Serialise());
    EXPECT_EQ(reread.Value("S", "A"), "first");
    EXPECT_EQ(reread.Value("S", "B"), "x");
    EXPECT_EQ(reread.KeyNames("S"), (std::vector<std::string>{"A", "B"}));
}

TEST(IniFile, NamesALineCannotHoldAreRefused) {
    IniFile file;
    const std::pair<std::string, std::string> refused[] = {
        {"S]", "K"}, {"S\n", "K"}, {" S", "K"},  {"S", "K=V"},  {"S", "[K"},
        {"S", ";K"}, {"S", "K "},  {"S", "K\r"}, {"S", "a\0b"s}};
    for (const auto& [section, key] : refused) {
        EXPECT_FALSE(file.SetValue(section, key, "v")) << section << " / " << key;
    }
    EXPECT_EQ(file.Serialise(), "");
}

TEST(IniFile, HostileInputParsesAndSurvivesARoundTrip) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    }
    const std::string inputs[] = {
        garbage,
        std::string(1 << 20, 'x'),
        "[Misc]\r\nCurrent File=" + std::string(1 << 20, 'p'),
        std::string(1000, '\0'),
        "\r\r\r\n\n\n[\n]\n=\n[]\n=v\n",
        "[Misc]\r\r\nUse Tray=Yes\r\r\n",
    };
    for (const std::string& input : inputs) {
        const IniFile first = IniFile::Parse(input);
        const IniFile second = IniFile::Parse(first.Serialise());
        ASSERT_EQ(second.SectionNames(), first.SectionNames());
        for (const std::string& section : first.SectionNames()) {
            ASSERT_EQ(second.KeyNames(section), first.KeyNames(section));
            for (const std::string& key : first.KeyNames(section)) {
                EXPECT_EQ(second.Value(section, key), first.Value(section, key));
            }
        }
        EXPECT_EQ(second.Serialise(), first.Serialise());
    }
    EXPECT_EQ(IniFile::Parse(inputs[2]).Value("Misc", "Current File")->size(), 1u << 20);
    EXPECT_EQ(IniFile::Parse(inputs[5]).Value("misc", "use tray"), "Yes");
}

} // namespace
} // namespace orvane
