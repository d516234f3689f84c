// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the macro list through Qt's own print dialog (to a PDF file), "Printer Font" through
// the font dialog, "Appearance" and "Quick Info", all from the keyboard against the running
// program. The settings file and the PDF (read with pdftotext) show what was done.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

MacroRecord Macro(std::string_view key, std::int16_t scope, std::string_view nickname,
                  std::string_view target = {}) {
    MacroRecord record;
    record.HotKey = *HotKeyCodeOf(key);
    record.Scope = scope;
    record.Active = 1;
    record.Nickname.Assign(nickname);
    record.ScopeTarget.Assign(target);
    record.SetText("hello");
    return record;
}

class PrintViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = display.Folder() / "Listed.ORV";
        std::ofstream out(file_, std::ios::binary | std::ios::trunc);
        for (const MacroRecord& record :
             {Macro("Ctrl+Alt+Shift+G", ScopeGlobal, "Greeting"),
              Macro("Ctrl+Alt+Shift+D", ScopeSpecificWindow, "Date stamp", "Editor")}) {
            const MacroRecordBytes bytes = record.ToBytes();
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        }
        out.close();
        const int fd = ::open((display.Folder() / "orvane.log").c_str(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        SpawnOptions options;
        options.argv = {ORVANE_PROGRAM, "/F", file_.string()};
        options.env = display.Env();
        // No print server: the print dialog offers only the PDF file, whatever this computer
        // has set up, so nothing reaches a real printer.
        options.env["CUPS_SERVER"] = (display.Folder() / "no-cups.sock").string();
        options.stderrFd = fd;
        program_ = std::make_unique<ChildProcess>(options);
        ::close(fd);
        ASSERT_NE(WaitForWindowByTitle(display, "Orvane 98 (Listed)"), 0u) << display.Logs();
    }

    void TearDown() override {
        if (program_) {
            ::kill(program_->Pid(), SIGTERM);
            program_->WaitForExit(kDefaultTimeout);
        }
    }

    ::testing::AssertionResult Keys(const std::vector<std::string>& keys) {
        if (auto active = ActivateWindowByTitle(display, "Orvane 98 (Listed)"); !active) {
            return active;
        }
        return PressKeys(display, keys);
    }

    std::string Settings() const {
        return ReadFile(fs::path(display.Env().at("XDG_CONFIG_HOME")) / "orvane" / "ORVAN.INI");
    }
    std::string Log() const { return ReadFile(display.Folder() / "orvane.log"); }

    VirtualDisplay display;
    fs::path file_;
    std::unique_ptr<ChildProcess> program_;
};

TEST_F(PrintViewTest, PrintDialogPrintsTheListToAPdfFile) {
    ASSERT_TRUE(Keys({"ctrl+p"}));
    const unsigned long dialog = WaitForWindowByTitle(display, "Print");
    ASSERT_NE(dialog, 0u) << Log();
    ASSERT_TRUE(ActivateWindow(display, dialog));
    // The dialog's own choice: a PDF file in the home folder, named after the job.
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    const fs::path pdf = fs::path(display.Env().at("HOME")) / "Orvane 98.pdf";
    std::string text;
    ASSERT_TRUE(WaitFor([&] {
        if (!fs::exists(pdf)) {
            return false;
        }
        const CommandResult read = RunCommand({"pdftotext", "-layout", pdf.string(), "-"}, {});
        text = read.out;
        return read.Succeeded() && text.find("SYSTEM") != std::string::npos;
    })) << Log();
    EXPECT_NE(text.find("Macro File: " + file_.string()), std::string::npos) << text;
    EXPECT_NE(text.find("Greeting"), std::string::npos) << text;
    EXPECT_NE(text.find("Window: Editor (If Running)"), std::string::npos) << text;
    EXPECT_NE(text.find("Ctrl+Alt+Shift+D"), std::string::npos) << text;
}

TEST_F(PrintViewTest, FontsWidthsAndQuickInfoFromTheKeyboard) {
    // "Printer Font": a size typed into the font dialog is saved with the print list font.
    ASSERT_TRUE(Keys({"alt+f", "f"}));
    const unsigned long fonts = WaitForWindowByTitle(display, "Printer Font");
    ASSERT_NE(fonts, 0u) << Log();
    ASSERT_TRUE(ActivateWindow(display, fonts));
    ASSERT_TRUE(PressKeys(display, {"alt+s", "ctrl+a"}));
    ASSERT_TRUE(TypeText(display, "15"));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] {
        const std::string settings = Settings();
        const std::size_t section = settings.find("[Print List Font]");
        return section != std::string::npos &&
               settings.find("Size=15", section) < settings.find("[Scheduler]", section);
    })) << Settings();

    // "Appearance": a width and the button bar, then "Grid Font" confirmed as it is.
    ASSERT_TRUE(Keys({"alt+o", "p"}));
    const unsigned long appearance = WaitForWindowByTitle(display, "Appearance");
    ASSERT_NE(appearance, 0u) << Log();
    ASSERT_TRUE(ActivateWindow(display, appearance));
    ASSERT_TRUE(PressKeys(display, {"alt+1", "ctrl+a"}));
    ASSERT_TRUE(TypeText(display, "95"));
    ASSERT_TRUE(PressKeys(display, {"alt+s", "alt+g"}));
    const unsigned long gridFont = WaitForWindowByTitle(display, "Grid Font");
    ASSERT_NE(gridFont, 0u) << Log();
    ASSERT_TRUE(ActivateWindow(display, gridFont));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(ActivateWindow(display, appearance));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] {
        const std::string settings = Settings();
        return settings.find("Col 1 Width=95") != std::string::npos &&
               settings.find("Use Speed=Yes") != std::string::npos;
    })) << Settings();
    EXPECT_EQ(WaitForWindowByTitle(display, "Appearance", 1s), 0u) << "closed by Enter";

    // "Quick Info" of the selected row, closed with Enter.
    ASSERT_TRUE(Keys({"alt+m", "q"}));
    const unsigned long info = WaitForWindowByTitle(display, "Quick Info");
    ASSERT_NE(info, 0u) << Log();
    ASSERT_TRUE(ActivateWindow(display, info));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    EXPECT_TRUE(WaitFor([&] { return WaitForWindowByTitle(display, "Quick Info", 1s) == 0; }));
}

} // namespace
} // namespace orvane::e2e
