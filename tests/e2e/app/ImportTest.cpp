// SPDX-License-Identifier: GPL-3.0-or-later
// Importing macros end to end: the program runs on a small macro file, xdotool opens "Import
// Macros" from the File menu, picks an older hot key file in the file dialog and imports its
// macro with the keyboard, and the imported hot key then types into a probe window.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Probe.h"
#include "ProgramTest.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"

#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::size_t RecordSize = 5165;
constexpr std::size_t OldRecordSize = 5141;

void PutShort(std::string& bytes, std::size_t at, const std::string& text) {
    bytes[at] = static_cast<char>(text.size());
    bytes.replace(at + 1, text.size(), text);
}
void PutU16(std::string& bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

// A macro record of this program: nickname, scope target, hot key, scope, active, text.
std::string Record(const std::string& key, std::int16_t scope, const std::string& nickname,
                   const std::string& target, const std::string& text) {
    std::string bytes(RecordSize, '\0');
    PutShort(bytes, 0, nickname);
    PutShort(bytes, 51, target);
    PutU16(bytes, 93, *HotKeyCodeOf(key));
    PutU16(bytes, 95, static_cast<unsigned>(scope));
    bytes[97] = 1;
    bytes.replace(100, text.size(), text);
    return bytes;
}

// A record of the older hot key format: the text is typed through the clipboard when
// `clipboard` is set.
std::string OldRecord(const std::string& key, const std::string& nickname, const std::string& text,
                      bool clipboard) {
    std::string bytes(OldRecordSize, '\0');
    PutShort(bytes, 0, nickname);
    PutU16(bytes, 82, *HotKeyCodeOf(key));
    PutU16(bytes, 84, 1);
    bytes[86] = 1;
    bytes[87] = clipboard ? 1 : 0;
    bytes.replace(90, text.size(), text);
    return bytes;
}

class ImportTest : public ProgramTest {
protected:
    void SetUp() override {
        file_ = display.Folder() / "Keys.ORV";
        std::ofstream out(file_, std::ios::binary | std::ios::trunc);
        out << Record("Ctrl+Alt+Shift+G", 1, "greeting", "", "hi");
        const char* systemKeys[] = {"Ctrl+Alt+Shift+W", "Ctrl+Alt+Shift+X", "Ctrl+Alt+Shift+Y",
                                    "Ctrl+Alt+Shift+Z"};
        for (int kind = 0; kind < 4; ++kind) {
            out << Record(systemKeys[kind], 5, "system", std::to_string(kind + 1), "");
        }
        out.close();
        StartProgram({ORVANE_PROGRAM, "/F", file_.string()}, display.Env());
        ASSERT_TRUE(WaitFor([&] { return WindowShown("Orvane 98 (Keys)"); })) << Log();
    }

    fs::path file_;
};

TEST_F(ImportTest, AnOlderHotKeyFileIsImportedFromTheKeyboardAndItsKeyPlays) {
    const fs::path old = display.Folder() / "OFFICE.KE2";
    std::ofstream(old, std::ios::binary)
        << OldRecord("Ctrl+Alt+Shift+G", "taken", "never", false) +
               OldRecord("Ctrl+Alt+Shift+H", "imported", "imported", false);

    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Keys)"));
    ASSERT_TRUE(PressKeys(display, {"alt+f", "i"}));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Import Macros"); })) << Log();
    ASSERT_TRUE(ActivateWindowByTitle(display, "Import Macros"));
    ASSERT_TRUE(PressKeys(display, {"alt+f"}));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Import Orvane Files"); })) << Log();
    ASSERT_TRUE(ActivateWindowByTitle(display, "Import Orvane Files"));
    ASSERT_TRUE(TypeText(display, old.string()));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Import Orvane Files"); })) << Log();

    // Both lines chosen: the first one's key is taken, so it is left out after a warning, and
    // the import goes on once the user says Yes.
    ASSERT_TRUE(ActivateWindowByTitle(display, "Import Macros"));
    ASSERT_TRUE(PressKeys(display, {"alt+a", "alt+o"}));
    const std::string warning = "orvane: Warning: A Global Hot Key for Ctrl+Alt+Shift+G already "
                                "exists.  This macro will not be imported.";
    ASSERT_TRUE(WaitFor([&] { return Log().find(warning) != std::string::npos; })) << Log();
    ASSERT_TRUE(ActivateWindowByTitle(display, "Warning"));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] { return Log().find("Continue import anyway?") != std::string::npos; }))
        << Log();
    ASSERT_TRUE(ActivateWindowByTitle(display, "Warning"));
    ASSERT_TRUE(PressKeys(display, {"y"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Import Macros"); })) << Log();
    ASSERT_TRUE(WaitFor([&] { return Slurp(file_).size() == 6 * RecordSize; })) << Log();

    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+h"}));
    EXPECT_TRUE(probe.WaitForText("imported")) << Log();
}

} // namespace
} // namespace orvane::e2e
