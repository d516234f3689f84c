// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IniFile.h"
#include "core/Paths.h"
#include "core/SettingsFile.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

// Failures show the whole block the way the file would hold it.
static void PrintTo(const SettingsBlock& settings, std::ostream* out) {
    IniFile file;
    SaveSettings(settings, file);
    std::string text = file.Serialise();
    std::erase(text, '\r');
    *out << "\n" << text;
}

namespace {

namespace fs = std::filesystem;

const fs::path kDataFolder = "/home/u/.local/share/orvane";

SettingsContext Context(bool currentFileExists) {
    return SettingsContext{kDataFolder,
                           [currentFileExists](const fs::path&) { return currentFileExists; }};
}

SettingsBlock Load(const std::string& text, bool currentFileExists = true) {
    return LoadSettings(IniFile::Parse(text), Context(currentFileExists));
}

// What a fresh system reads: the defaults with the default macro file.
SettingsBlock Defaults() {
    SettingsBlock settings;
    settings.CurrentFile = "/home/u/.local/share/orvane/ORVAN.ORV";
    return settings;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

// Every key, one row each, with a value that is not its default and the setting it must land in.
struct KeyRow {
    const char* section;
    const char* key;
    const char* text;
    std::function<void(SettingsBlock&)> apply;
};

const std::vector<KeyRow>& EveryKey() {
    static const std::vector<KeyRow> rows = {
        {"Misc", "System Menu", "3", [](SettingsBlock& s) { s.SystemMenu = 3; }},
        {"Misc", "Sort Header", "No", [](SettingsBlock& s) { s.SortHeader = false; }},
        {"Misc", "Primary Sort", "312", [](SettingsBlock& s) { s.PrimarySort = "312"; }},
        {"Misc", "Activation Sort", "231", [](SettingsBlock& s) { s.ActivationSort = "231"; }},
        {"Misc", "Scope Sort", "54321", [](SettingsBlock& s) { s.ScopeSort = "54321"; }},
        {"Misc", "Last Date Format", "4", [](SettingsBlock& s) { s.LastDateFormat = 4; }},
        {"Misc", "Last Time Format", "2", [](SettingsBlock& s) { s.LastTimeFormat = 2; }},
        {"Misc", "Suppress Zeros In Date", "No",
         [](SettingsBlock& s) { s.SuppressZerosInDate = false; }},
        {"Misc", "Suppress Zeros In Time", "No",
         [](SettingsBlock& s) { s.SuppressZerosInTime = false; }},
        {"Misc", "Show Date", "Yes", [](SettingsBlock& s) { s.ShowDate = true; }},
        {"Misc", "Use Tray", "Yes", [](SettingsBlock& s) { s.UseTray = true; }},
        {"Misc", "Disable Screen Saver", "No",
         [](SettingsBlock& s) { s.DisableScreenSaver = false; }},
        {"Misc", "Current File", "/m/Work.ORV",
         [](SettingsBlock& s) { s.CurrentFile = "/m/Work.ORV"; }},
        {"Misc", "Last File 1", "/m/1.ORV", [](SettingsBlock& s) { s.LastFiles[0] = "/m/1.ORV"; }},
        {"Misc", "Last File 2", "/m/2.ORV", [](SettingsBlock& s) { s.LastFiles[1] = "/m/2.ORV"; }},
        {"Misc", "Last File 3", "/m/3.ORV", [](SettingsBlock& s) { s.LastFiles[2] = "/m/3.ORV"; }},
        {"Misc", "Last File 4", "/m/4.ORV", [](SettingsBlock& s) { s.LastFiles[3] = "/m/4.ORV"; }},
        {"Misc", "Last File 5", "/m/5.ORV", [](SettingsBlock& s) { s.LastFiles[4] = "/m/5.ORV"; }},
        {"Capture", "Double Alt", "No", [](SettingsBlock& s) { s.CaptureDoubleAlt = false; }},
        {"Capture", "Keys", "No", [](SettingsBlock& s) { s.CaptureKeys = false; }},
        {"Capture", "Mouse", "No", [](SettingsBlock& s) { s.CaptureMouse = false; }},
        {"Capture", "Relative To Screen", "No",
         [](SettingsBlock& s) { s.CaptureRelativeToScreen = false; }},
        {"Capture", "Time", "No", [](SettingsBlock& s) { s.CaptureTime = false; }},
        {"Capture", "Prompt", "No", [](SettingsBlock& s) { s.CapturePrompt = false; }},
        {"Capture", "Window Size", "No", [](SettingsBlock& s) { s.CaptureWindowSize = false; }},
        {"Capture", "Global", "No", [](SettingsBlock& s) { s.CaptureGlobal = false; }},
        {"Capture", "Speed", "4", [](SettingsBlock& s) { s.CaptureSpeed = 4; }},
        {"ShortKeys", "Solitary Usage", "Yes", [](SettingsBlock& s) { s.SolitaryUsage = true; }},
        {"ShortKeys", "Case Sensative", "No", [](SettingsBlock& s) { s.CaseSensitive = false; }},
        {"ShortKeys", "Use Suffix", "Yes", [](SettingsBlock& s) { s.UseSuffix = true; }},
        {"ShortKeys", "Prefix Keys", "#!", [](SettingsBlock& s) { s.PrefixKeys = "#!"; }},
        {"ShortKeys", "Undo By Backspace", "No",
         [](SettingsBlock& s) { s.UndoByBackspace = false; }},
        {"ShortKeys", "Follow Case", "Yes", [](SettingsBlock& s) { s.FollowCase = true; }},
        {"ShortKeys", "Paste Long Texts", "Yes", [](SettingsBlock& s) { s.PasteLongTexts = true; }},
        {"ShortKeys", "Paste Above", "1000", [](SettingsBlock& s) { s.PasteAbove = 1000; }},
        {"Main Window", "Width", "800", [](SettingsBlock& s) { s.MainWindow.Width = 800; }},
        {"Main Window", "Height", "600", [](SettingsBlock& s) { s.MainWindow.Height = 600; }},
        {"Main Window", "Left", "15", [](SettingsBlock& s) { s.MainWindow.Left = 15; }},
        {"Main Window", "Top", "-20", [](SettingsBlock& s) { s.MainWindow.Top = -20; }},
        {"Main Window", "Col 1 Width", "100", [](SettingsBlock& s) { s.Col1Width = 100; }},
        {"Main Window", "Col 2 Width", "200", [](SettingsBlock& s) { s.Col2Width = 200; }},
        {"Main Window", "Col 3 Width", "300", [](SettingsBlock& s) { s.Col3Width = 300; }},
        {"Main Window", "Use Speed", "Yes", [](SettingsBlock& s) { s.UseSpeed = true; }},
        {"Grid Title Font", "Color", "255", [](SettingsBlock& s) { s.GridTitleFont.Color = 255; }},
        {"Grid Title Font", "Font Name", "Times New Roman",
         [](SettingsBlock& s) { s.GridTitleFont.Name = "Times New Roman"; }},
        {"Grid Title Font", "Size", "14", [](SettingsBlock& s) { s.GridTitleFont.Size = 14; }},
        {"Grid Title Font", "Bold", "Yes", [](SettingsBlock& s) { s.GridTitleFont.Bold = true; }},
        {"Grid Title Font", "Italic", "Yes",
         [](SettingsBlock& s) { s.GridTitleFont.Italic = true; }},
        {"Grid Title Font", "Underline", "Yes",
         [](SettingsBlock& s) { s.GridTitleFont.Underline = true; }},
        {"Grid Title Font", "Strikeout", "Yes",
         [](SettingsBlock& s) { s.GridTitleFont.Strikeout = true; }},
        {"Grid Font", "Color", "16711680", [](SettingsBlock& s) { s.GridFont.Color = 0xFF0000; }},
        {"Grid Font", "Font Name", "Courier New",
         [](SettingsBlock& s) { s.GridFont.Name = "Courier New"; }},
        {"Grid Font", "Size", "9", [](SettingsBlock& s) { s.GridFont.Size = 9; }},
        {"Grid Font", "Bold", "Yes", [](SettingsBlock& s) { s.GridFont.Bold = true; }},
        {"Grid Font", "Italic", "Yes", [](SettingsBlock& s) { s.GridFont.Italic = true; }},
        {"Grid Font", "Underline", "Yes", [](SettingsBlock& s) { s.GridFont.Underline = true; }},
        {"Grid Font", "Strikeout", "Yes", [](SettingsBlock& s) { s.GridFont.Strikeout = true; }},
        {"Script Page", "Width", "700", [](SettingsBlock& s) { s.ScriptPage.Width = 700; }},
        {"Script Page", "Height", "500", [](SettingsBlock& s) { s.ScriptPage.Height = 500; }},
        {"Script Page", "Left", "30", [](SettingsBlock& s) { s.ScriptPage.Left = 30; }},
        {"Script Page", "Top", "40", [](SettingsBlock& s) { s.ScriptPage.Top = 40; }},
        {"Network", "Network Mode", "Yes", [](SettingsBlock& s) { s.NetworkMode = true; }},
        {"Network", "Auto Sync", "No", [](SettingsBlock& s) { s.AutoSync = false; }},
        {"Network", "Sync Minutes", "45", [](SettingsBlock& s) { s.SyncMinutes = 45; }},
        {"Print List Font", "Color", "65280",
         [](SettingsBlock& s) { s.PrintListFont.Color = 0x00FF00; }},
        {"Print List Font", "Font Name", "Verdana",
         [](SettingsBlock& s) { s.PrintListFont.Name = "Verdana"; }},
        {"Print List Font", "Size", "11", [](SettingsBlock& s) { s.PrintListFont.Size = 11; }},
        {"Print List Font", "Bold", "Yes", [](SettingsBlock& s) { s.PrintListFont.Bold = true; }},
        {"Print List Font", "Italic", "Yes",
         [](SettingsBlock& s) { s.PrintListFont.Italic = true; }},
        {"Scheduler", "Use Wave File", "Yes", [](SettingsBlock& s) { s.UseWaveFile = true; }},
        {"Scheduler", "Wave File Wait", "Yes", [](SettingsBlock& s) { s.WaveFileWait = true; }},
        {"Scheduler", "Wave File", "/m/ding.wav",
         [](SettingsBlock& s) { s.WaveFile = "/m/ding.wav"; }},
        {"Scheduler", "Timer Seconds", "30", [](SettingsBlock& s) { s.TimerSeconds = 30; }},
    };
    return rows;
}

TEST(Settings, EveryKeyReadsIntoItsOwnSettingAndIsWrittenBack) {
    SettingsBlock everything = Defaults();
    for (const KeyRow& row : EveryKey()) {
        SettingsBlock expected = Defaults();
        row.apply(expected);
        row.apply(everything);
        EXPECT_EQ(Load("[" + std::string(row.section) + "]\r\n" + row.key + "=" + row.text),
                  expected)
            << row.section << " / " << row.key;

        IniFile written;
        SaveSettings(expected, written);
        EXPECT_EQ(written.Value(row.section, row.key), row.text) << row.section << " / " << row.key;
    }
    IniFile written;
    SaveSettings(everything, written);
    EXPECT_EQ(Load(written.Serialise()), everything);
}

TEST(Settings, DefaultsAreWrittenAsTheWindowsProgramWritesThem) {
    IniFile file;
    SaveSettings(SettingsBlock{}, file);
    std::string text = file.Serialise();
    std::erase(text, '\r');
    EXPECT_EQ(text, "[Misc]\n"
                    "System Menu=1\n"
                    "Sort Header=Yes\n"
                    "Primary Sort=123\n"
                    "Activation Sort=123\n"
                    "Scope Sort=12345\n"
                    "Last Date Format=0\n"
                    "Last Time Format=0\n"
                    "Suppress Zeros In Date=Yes\n"
                    "Suppress Zeros In Time=Yes\n"
                    "Show Date=No\n"
                    "Use Tray=No\n"
                    "Disable Screen Saver=Yes\n"
                    "Current File=\n"
                    "Last File 1=\n"
                    "Last File 2=\n"
                    "Last File 3=\n"
                    "Last File 4=\n"
                    "Last File 5=\n"
                    "\n"
                    "[Capture]\n"
                    "Double Alt=Yes\n"
                    "Keys=Yes\n"
                    "Mouse=Yes\n"
                    "Relative To Screen=Yes\n"
                    "Time=Yes\n"
                    "Prompt=Yes\n"
                    "Window Size=Yes\n"
                    "Global=Yes\n"
                    "Speed=1\n"
                    "\n"
                    "[ShortKeys]\n"
                    "Solitary Usage=No\n"
                    "Case Sensative=Yes\n"
                    "Use Suffix=No\n"
                    "Prefix Keys=\n"
                    "Undo By Backspace=Yes\n"
                    "Follow Case=No\n"
                    "Paste Long Texts=No\n"
                    "Paste Above=200\n"
                    "\n"
                    "[Main Window]\n"
                    "Width=640\n"
                    "Height=424\n"
                    "Left=0\n"
                    "Top=0\n"
                    "Col 1 Width=112\n"
                    "Col 2 Width=168\n"
                    "Col 3 Width=132\n"
                    "Use Speed=No\n"
                    "\n"
                    "[Grid Title Font]\n"
                    "Color=0\n"
                    "Font Name=Arial\n"
                    "Size=12\n"
                    "Bold=No\n"
                    "Italic=No\n"
                    "Underline=No\n"
                    "Strikeout=No\n"
                    "\n"
                    "[Grid Font]\n"
                    "Color=0\n"
                    "Font Name=Arial\n"
                    "Size=10\n"
                    "Bold=No\n"
                    "Italic=No\n"
                    "Underline=No\n"
                    "Strikeout=No\n"
                    "\n"
                    "[Script Page]\n"
                    "Width=606\n"
                    "Height=446\n"
                    "Left=0\n"
                    "Top=0\n"
                    "\n"
                    "[Network]\n"
                    "Network Mode=No\n"
                    "Auto Sync=Yes\n"
                    "Sync Minutes=10\n"
                    "\n"
                    "[Print List Font]\n"
                    "Color=0\n"
                    "Font Name=Arial\n"
                    "Size=10\n"
                    "Bold=No\n"
                    "Italic=No\n"
                    "\n"
                    "[Scheduler]\n"
                    "Use Wave File=No\n"
                    "Wave File Wait=No\n"
                    "Wave File=\n"
                    "Timer Seconds=10\n");
}

TEST(Settings, PrintFontKeepsNoUnderlineOrStrikeout) {
    const SettingsBlock read = Load("[Print List Font]\r\nUnderline=Yes\r\nStrikeout=Yes\r\n");
    EXPECT_FALSE(read.PrintListFont.Underline);
    EXPECT_FALSE(read.PrintListFont.Strikeout);
}

TEST(Settings, FlagsAreOnExactlyWhenTheValueIsYesInAnyCase) {
    const std::pair<const char*, bool> cases[] = {
        {"Yes", true},     {"yes", true}, {"YES", true},         {"yEs", true},  {"  Yes  ", true},
        {"\"yes\"", true}, {"1", false},  {"True", false},       {"Y", false},   {"", false},
        {"Yes!", false},   {"No", false}, {"yes please", false}, {"'YES'", true}};
    for (const auto& [text, on] : cases) {
        EXPECT_EQ(Load(std::string("[Misc]\r\nUse Tray=") + text).UseTray, on) << text;
    }
}

TEST(Settings, NumbersReadLikeTheCConversion) {
    const std::pair<const char*, int32_t> cases[] = {
        {"640", 640},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"-5", -5},
        {"+7", 7},
        {"\" 8\"", 8}, // blanks inside quotation marks are skipped by the conversion
        {"- 5", 0},    // no digits right after the sign
        {"0x10", 0},   // decimal only
        {"3.9", 3},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647}, // held at the 32-bit limits
        {"-2147483648", -2147483647 - 1},
        {"-99999999999", -2147483647 - 1},
        {"00000000000123", 123}, // 14 characters: all read
        {"000000000000123", 12}, // 15: the read stops one short of the 15-character buffer
    };
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(Load(std::string("[Main Window]\r\nWidth=") + text).MainWindow.Width, number)
            << text;
    }
    // Font settings are read with a 150-character buffer.
    EXPECT_EQ(Load("[Grid Font]\r\nSize=" + std::string(140, '0') + "9").GridFont.Size, 9);
}

TEST(Settings, SixteenBitSettingsKeepTheLowSixteenBits) {
    const std::pair<const char*, uint16_t> cases[] = {
        {"45", 45}, {"65535", 65535}, {"65536", 0}, {"65581", 45}, {"-1", 65535}};
    for (const auto& [text, minutes] : cases) {
        EXPECT_EQ(Load(std::string("[Network]\r\nSync Minutes=") + text).SyncMinutes, minutes)
            << text;
    }
}

TEST(Settings, TimerSecondsOutsideOneToSixtyBecomesTen) {
    const std::pair<const char*, uint16_t> cases[] = {
        {"90", 10}, {"60", 60}, {"1", 1},   {"0", 10},     {"61", 10},
        {"", 10},   {"x", 10},  {"-1", 10}, {"65596", 60}, // 65596 is 60 in 16 bits
    };
    for (const auto& [text, seconds] : cases) {
        EXPECT_EQ(Load(std::string("[Scheduler]\r\nTimer Seconds=") + text).TimerSeconds, seconds)
            << text;
    }
}

// A tuning key of this program alone: read from the file, never added to it, kept when there.
TEST(Settings, HeartbeatSecondsIsReadButNeverWritten) {
    const std::pair<const char*, uint16_t> cases[] = {
        {"2", 2}, {"30", 30}, {"1", 1}, {"0", 30}, {"31", 30}, {"x", 30}, {"-5", 30}, {"", 30},
    };
    for (const auto& [text, seconds] : cases) {
        EXPECT_EQ(Load(std::string("[Network]\r\nHeartbeat Seconds=") + text).HeartbeatSeconds,
                  seconds)
            << text;
    }
    SettingsBlock shortBeat;
    shortBeat.HeartbeatSeconds = 2;
    IniFile fresh;
    SaveSettings(shortBeat, fresh);
    EXPECT_FALSE(fresh.Value("Network", "Heartbeat Seconds").has_value());
    IniFile existing = IniFile::Parse("[Network]\r\nHeartbeat Seconds=2\r\n");
    SaveSettings(SettingsBlock{}, existing);
    EXPECT_EQ(existing.Value("Network", "Heartbeat Seconds"), "2");
}

TEST(Settings, TextsAreCutAtTheReadBufferAndTheSettingsCapacity) {
    struct Case {
        const char* section;
        const char* key;
        std::string text;
        std::function<std::string(const SettingsBlock&)> get;
        std::string expected;
    };
    const std::string longPath = "/" + std::string(299, 'p');
    const std::string longName = std::string(200, 'f');
    const Case cases[] = {
        {"Misc", "Current File", longPath, [](const SettingsBlock& s) { return s.CurrentFile; },
         longPath.substr(0, 249)},
        {"Misc", "Last File 3", longPath, [](const SettingsBlock& s) { return s.LastFiles[2]; },
         longPath.substr(0, 249)},
        {"Scheduler", "Wave File", longPath, [](const SettingsBlock& s) { return s.WaveFile; },
         longPath.substr(0, 249)},
        {"Grid Font", "Font Name", longName, [](const SettingsBlock& s) { return s.GridFont.Name; },
         longName.substr(0, 149)},
        {"Misc", "Primary Sort", "4321", [](const SettingsBlock& s) { return s.PrimarySort; },
         "432"},
        {"Misc", "Scope Sort", "1234567", [](const SettingsBlock& s) { return s.ScopeSort; },
         "12345"},
        {"ShortKeys", "Prefix Keys", "abc", [](const SettingsBlock& s) { return s.PrefixKeys; },
         "ab"},
        // Present but empty is an empty text, not the default.
        {"Grid Font", "Font Name", "", [](const SettingsBlock& s) { return s.GridFont.Name; }, ""},
        {"Misc", "Primary Sort", "", [](const SettingsBlock& s) { return s.PrimarySort; }, ""},
    };
    for (const Case& c : cases) {
        const SettingsBlock read =
            Load("[" + std::string(c.section) + "]\r\n" + c.key + "=" + c.text + "\r\n");
        EXPECT_EQ(c.get(read), c.expected) << c.section << " / " << c.key;
    }
    // Saving never writes more than a setting holds.
    SettingsBlock tooLong;
    tooLong.ScopeSort = "1234567";
    IniFile file;
    SaveSettings(tooLong, file);
    EXPECT_EQ(file.Value("Misc", "Scope Sort"), "12345");
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("orvane-settings-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "data");
        fs::create_directories(root / "config");
        context.DataFolder = root / "data";
        settingsFile = root / "config" / "ORVAN.INI";
    }
    void TearDown() override { fs::remove_all(root); }

    std::string DefaultFile() const { return StoredFromPath(root / "data" / "ORVAN.ORV"); }

    fs::path root;
    fs::path settingsFile;
    SettingsContext context; // the real file system decides whether the macro file exists
};

TEST_F(SettingsFileTest, FreshSystemReadsTheDefaults) {
    const SettingsBlock read = LoadSettings(settingsFile, context);
    EXPECT_EQ(read.CurrentFile, DefaultFile());
    EXPECT_EQ(read.TimerSeconds, 10);
    EXPECT_FALSE(read.UseTray);
    EXPECT_TRUE(read.DisableScreenSaver);
    SettingsBlock expected;
    expected.CurrentFile = DefaultFile();
    EXPECT_EQ(read, expected);
}

TEST_F(SettingsFileTest, CurrentFileMustNameAnExistingFile) {
    const fs::path kept = root / "data" / "R\xC3\xA9sum\xC3\xA9.ORV"; // "Résumé.ORV" on disk
    std::ofstream(kept) << "";
    const fs::path deleted = root / "data" / "Deleted.ORV";
    std::ofstream(deleted) << "";
    fs::remove(deleted);

    const std::pair<std::string, std::string> cases[] = {
        {StoredFromPath(kept), StoredFromPath(kept)}, // stored as Windows-1252, found as UTF-8
        {StoredFromPath(deleted), DefaultFile()},       {"", DefaultFile()},
        {StoredFromPath(root / "data"), DefaultFile()}, // a folder is no macro file
        {"C:\\ORVANE\\ORVAN.ORV", DefaultFile()},
    };
    for (const auto& [stored, expected] : cases) {
        std::ofstream(settingsFile, std::ios::binary) << "[Misc]\r\nCurrent File=" << stored;
        EXPECT_EQ(LoadSettings(settingsFile, context).CurrentFile, expected) << stored;
    }
}

// A file as the Windows program leaves it: CRLF, a comment, keys and a section this program does
// not know, a key spelled in another case, an older version's missing key.
const std::string kWindowsFile = "[Misc]\r\n"
                                 "System Menu=2\r\n"
                                 "Sort Header=Yes\r\n"
                                 "Primary Sort=213\r\n"
                                 "Activation Sort=123\r\n"
                                 "Scope Sort=12345\r\n"
                                 "Registered To=J. Smith\r\n"
                                 "Last Date Format=3\r\n"
                                 "Last Time Format=1\r\n"
                                 "Suppress Zeros In Date=Yes\r\n"
                                 "Suppress Zeros In Time=No\r\n"
                                 "Show Date=Yes\r\n"
                                 "use tray=no\r\n"
                                 "Disable Screen Saver=Yes\r\n"
                                 "Current File=C:\\ORVANE\\WORK.ORV\r\n"
                                 "Last File 1=C:\\ORVANE\\WORK.ORV\r\n"
                                 "Last File 2=C:\\ORVANE\\ORVAN.ORV\r\n"
                                 "Last File 3=\r\n"
                                 "Last File 4=\r\n"
                                 "Last File 5=\r\n"
                                 "[Capture]\r\n"
                                 "Double Alt=Yes\r\n"
                                 "Keys=Yes\r\n"
                                 "Mouse=No\r\n"
                                 "Relative To Screen=Yes\r\n"
                                 "Time=Yes\r\n"
                                 "Prompt=No\r\n"
                                 "Window Size=Yes\r\n"
                                 "Global=Yes\r\n"
                                 "Speed=2\r\n"
                                 "[ShortKeys]\r\n"
                                 "Solitary Usage=No\r\n"
                                 "Case Sensative=Yes\r\n"
                                 "Use Suffix=No\r\n"
                                 "Prefix Keys=;\r\n"
                                 "[Main Window]\r\n"
                                 "Width=640\r\n"
                                 "Height=480\r\n"
                                 "Left=12\r\n"
                                 "Top=34\r\n"
                                 "Col 1 Width=112\r\n"
                                 "Col 2 Width=168\r\n"
                                 "Col 3 Width=132\r\n"
                                 "Use Speed=No\r\n"
                                 "[Grid Title Font]\r\n"
                                 "Color=0\r\n"
                                 "Font Name=MS Sans Serif\r\n"
                                 "Size=12\r\n"
                                 "Bold=Yes\r\n"
                                 "Italic=No\r\n"
                                 "Underline=No\r\n"
                                 "Strikeout=No\r\n"
                                 "[Grid Font]\r\n"
                                 "Color=8388608\r\n"
                                 "Font Name=Arial\r\n"
                                 "Size=10\r\n"
                                 "Bold=No\r\n"
                                 "Italic=No\r\n"
                                 "Underline=No\r\n"
                                 "[Script Page]\r\n"
                                 "Width=606\r\n"
                                 "Height=446\r\n"
                                 "Left=0\r\n"
                                 "Top=0\r\n"
                                 "[Network]\r\n"
                                 "Network Mode=No\r\n"
                                 "Auto Sync=Yes\r\n"
                                 "Sync Minutes=10\r\n"
                                 "; reminders kept by another tool\r\n"
                                 "[Reminders]\r\n"
                                 "Next=1999-12-31\r\n"
                                 "Text=\"  Back up the macros  \"\r\n"
                                 "[Print List Font]\r\n"
                                 "Color=0\r\n"
                                 "Font Name=Courier New\r\n"
                                 "Size=10\r\n"
                                 "Bold=No\r\n"
                                 "Italic=No\r\n"
                                 "[Scheduler]\r\n"
                                 "Use Wave File=Yes\r\n"
                                 "Wave File Wait=No\r\n"
                                 "Wave File=C:\\WINDOWS\\MEDIA\\DING.WAV\r\n"
                                 "Timer Seconds=15\r\n";

TEST_F(SettingsFileTest, WindowsProgramsFileReadsAndSurvivesASave) {
    std::ofstream(settingsFile, std::ios::binary) << kWindowsFile;
    SettingsBlock read = LoadSettings(settingsFile, context);
    EXPECT_EQ(read.SystemMenu, 2);
    EXPECT_EQ(read.PrimarySort, "213");
    EXPECT_EQ(read.LastDateFormat, 3);
    EXPECT_FALSE(read.SuppressZerosInTime);
    EXPECT_TRUE(read.ShowDate);
    EXPECT_FALSE(read.UseTray);
    EXPECT_EQ(read.CurrentFile, DefaultFile()) << "a Windows path names no file here";
    EXPECT_EQ(read.LastFiles[1], "C:\\ORVANE\\ORVAN.ORV");
    EXPECT_FALSE(read.CaptureMouse);
    EXPECT_EQ(read.CaptureSpeed, 2);
    EXPECT_EQ(read.PrefixKeys, ";");
    EXPECT_EQ(read.MainWindow, (WindowBounds{640, 480, 12, 34}));
    EXPECT_EQ(read.GridTitleFont, (FontSettings{"MS Sans Serif", 12, 0, true}));
    EXPECT_EQ(read.GridFont.Color, 0x800000);
    EXPECT_EQ(read.PrintListFont.Name, "Courier New");
    EXPECT_TRUE(read.UseWaveFile);
    EXPECT_EQ(read.WaveFile, "C:\\WINDOWS\\MEDIA\\DING.WAV");
    EXPECT_EQ(read.TimerSeconds, 15);

    read.UseTray = true;
    read.MainWindow.Width = 800;
    ASSERT_TRUE(SaveSettings(read, settingsFile));

    std::string expected = kWindowsFile;
    Replace(expected, "use tray=no\r\n", "use tray=Yes\r\n");
    Replace(expected, "Current File=C:\\ORVANE\\WORK.ORV\r\n",
            "Current File=" + DefaultFile() + "\r\n");
    Replace(expected, "Width=640\r\n", "Width=800\r\n");
    Replace(expected, "Underline=No\r\n[Script Page]",
            "Underline=No\r\nStrikeout=No\r\n[Script Page]");
    // Keys the older file lacks are added with their defaults, at the end of their section.
    Replace(expected, "Prefix Keys=;\r\n",
            "Prefix Keys=;\r\nUndo By Backspace=Yes\r\nFollow Case=No\r\n"
            "Paste Long Texts=No\r\nPaste Above=200\r\n");
    EXPECT_EQ(ReadFile(settingsFile), expected);
    EXPECT_EQ(LoadSettings(settingsFile, context), read);
}

TEST_F(SettingsFileTest, SavingCreatesAPrivateFileInAPrivateFolder) {
    const fs::path file = root / "fresh" / "orvane" / "ORVAN.INI";
    SettingsBlock settings;
    settings.UseTray = true;
    ASSERT_TRUE(SaveSettings(settings, file));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(file.parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(LoadSettings(file, context).UseTray);
}

TEST_F(SettingsFileTest, SavingThroughASymbolicLinkKeepsTheLink) {
    const fs::path real = root / "dotfiles" / "ORVAN.INI";
    fs::create_directories(real.parent_path());
    std::ofstream(real, std::ios::binary) << "[Other]\r\nKept=1\r\n";
    fs::create_symlink(real, settingsFile);
    ASSERT_TRUE(SaveSettings(SettingsBlock{}, settingsFile));
    EXPECT_TRUE(fs::is_symlink(settingsFile));
    const IniFile saved = IniFile::Parse(ReadFile(real));
    EXPECT_EQ(saved.Value("Other", "Kept"), "1");
    EXPECT_EQ(saved.Value("Misc", "Use Tray"), "No");
}

TEST_F(SettingsFileTest, FailedSaveLeavesTheOldFileWhole) {
    std::ofstream(settingsFile, std::ios::binary) << kWindowsFile;
    SettingsBlock changed = LoadSettings(settingsFile, context);
    changed.WaveFile = std::string(240, 'w');

    // The new file is larger than the old one; a file size limit between the two makes the
    // write fail part way, as a full disk would (this works for every user, root included).
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = kWindowsFile.size() + 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool saved = SaveSettings(changed, settingsFile);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFile(settingsFile), kWindowsFile);
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "config"), fs::directory_iterator()), 1)
        << "no temporary file may be left behind";
}

TEST_F(SettingsFileTest, UnreadableSettingsAreNeitherUsedNorReplaced) {
    fs::create_directory(settingsFile); // something that is no file where the file should be
    SettingsBlock expected;
    expected.CurrentFile = DefaultFile();
    EXPECT_EQ(LoadSettings(settingsFile, context), expected);
    EXPECT_FALSE(SaveSettings(expected, settingsFile));
    EXPECT_TRUE(fs::is_directory(settingsFile));
}

} // namespace
} // namespace orvane
