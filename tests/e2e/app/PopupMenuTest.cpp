// SPDX-License-Identifier: GPL-3.0-or-later
// Popup menus end to end: the program runs on a macro file with a menu of three macros, xdotool
// strikes the menu's key, picks by number, double-clicks a line and clicks the menu's tray icon
// (under a tray host on the test display), removes a member through the main window, and a probe
// window shows what was typed where.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Probe.h"
#include "ProgramTest.h"
#include "TrayHost.h"
#include "VirtualDisplay.h"
#include "WidgetMap.h"
#include "Xdotool.h"
#include "support/MacroFiles.h"

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

constexpr const char* MenuTitle = "Choose A Macro";
// The first row of the main window's list, from the top of its client area: below the menu bar,
// the list's top margin and its heading.
constexpr int FirstRowY = 60;

// Every line the probe printed, for a failure: where the focus went shows among them.
std::string AllLines(Probe& probe) {
    std::string all;
    for (const std::string& line : probe.Lines()) {
        all += line + "\n";
    }
    return all;
}

struct Geometry {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

class PopupMenuTest : public ProgramTest {
protected:
    // Three macros, then the menu listing them (in the tray when asked), then the system macros.
    void Start(const std::string& menuOptions, std::vector<MacroRecord> more = {}) {
        file_ = display.Folder() / "Menus.ORV";
        MacroRecord menu = PopupMenuMacro("Ctrl+Alt+Shift+M", {1, 2, 3});
        menu.ShortKey.Assign(menuOptions);
        menu.Icon.Assign("MENU");
        menu.Nickname.Assign("Letters");
        std::vector<MacroRecord> records = {HotKeyMacro("F5", ScopeGlobal, "first macro"),
                                            HotKeyMacro("F6", ScopeGlobal, "second macro"),
                                            HotKeyMacro("F7", ScopeGlobal, thirdText_), menu};
        records.insert(records.end(), more.begin(), more.end());
        WriteMacroFile(file_, records);
        Environment env = display.Env();
        env.insert(map_.EnvEntry());
        StartProgram({ORVANE_PROGRAM, "/F", file_.string()}, env);
        ASSERT_TRUE(WaitFor([&] { return WindowShown("Orvane 98 (Menus)"); })) << Log();
    }

    // The client area of a window on the screen, as xwininfo reports it (xdotool's own report
    // counts a reparenting window manager's frame twice).
    std::optional<Geometry> GeometryOf(const std::string& windowId) {
        const CommandResult result = RunCommand({"xwininfo", "-id", windowId}, display.Env(), 5s);
        if (!result.Succeeded()) {
            return std::nullopt;
        }
        Geometry geometry;
        int found = 0;
        std::istringstream lines(result.out);
        for (std::string line; std::getline(lines, line);) {
            const struct {
                const char* Key;
                int* Value;
            } fields[] = {{"Absolute upper-left X:", &geometry.X},
                          {"Absolute upper-left Y:", &geometry.Y},
                          {"Width:", &geometry.Width},
                          {"Height:", &geometry.Height}};
            for (const auto& field : fields) {
                const std::size_t at = line.find(field.Key);
                if (at != std::string::npos) {
                    *field.Value = std::stoi(line.substr(at + std::string(field.Key).size()));
                    ++found;
                }
            }
        }
        if (found != 4) {
            return std::nullopt;
        }
        return geometry;
    }

    // Strikes the menu's key with the probe in front and waits for the menu.
    ::testing::AssertionResult OpenMenu(Probe& probe, const std::string& key = "ctrl+alt+shift+m") {
        if (auto active = probe.Activate(); !active) {
            return active;
        }
        if (auto struck = PressKeys(display, {key}); !struck) {
            return struck;
        }
        if (WaitForWindowByTitle(display, MenuTitle) == 0) {
            return ::testing::AssertionFailure() << "no menu\n" << Log();
        }
        return ::testing::AssertionSuccess();
    }

    WidgetMap map_{display.Folder() / "widgets.txt"};
    std::string thirdText_ = "third macro";
    fs::path file_;
};

TEST_F(PopupMenuTest, AKeyOrADoubleClickPlaysTheChosenMacroIntoTheWindowInFront) {
    Start("N30");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());

    // Keys label the entries from 0: "1" is the second entry.
    ASSERT_TRUE(OpenMenu(probe));
    ASSERT_TRUE(PressKeys(display, {"1"}));
    ASSERT_TRUE(probe.WaitForText("second macro")) << Log() << AllLines(probe);
    EXPECT_TRUE(WaitFor([&] { return !WindowShown(MenuTitle); })) << "the menu is gone";
    EXPECT_EQ(probe.Text(), "second macro");

    // Entry 3 double-clicked: lines are 17 pixels high below the headings and a 4-pixel margin.
    ASSERT_TRUE(probe.ClearText());
    ASSERT_TRUE(OpenMenu(probe));
    const unsigned long menu = WaitForWindowByTitle(display, MenuTitle);
    const std::optional<Geometry> at = GeometryOf(std::to_string(menu));
    ASSERT_TRUE(at);
    const int x = at->X + 150;
    const int y = at->Y + 18 + 4 + 2 * 17 + 8;
    ASSERT_TRUE(Xdotool(display, {"mousemove", "--sync", std::to_string(x), std::to_string(y),
                                  "click", "--repeat", "2", "--delay", "60", "1"})
                    .Succeeded());
    ASSERT_TRUE(probe.WaitForText("third macro")) << Log();
    EXPECT_TRUE(WaitFor([&] { return !WindowShown(MenuTitle); }));

    // Escape: nothing plays, and the window in front keeps the focus.
    ASSERT_TRUE(OpenMenu(probe));
    ASSERT_TRUE(PressKeys(display, {"Escape"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown(MenuTitle); }));
    EXPECT_TRUE(probe.WaitForFocus(true));
    ASSERT_TRUE(TypeText(display, "!"));
    EXPECT_TRUE(probe.WaitForText("third macro!"));
}

// Chosen with the mouse (a line double-clicked, an icon clicked), the whole macro arrives in
// the window in front, and what the user types next too: the menu's closing leaves the focus
// where the macro went.
TEST_F(PopupMenuTest, AMacroChosenWithTheMouseArrivesWhole) {
    thirdText_ = "The quick brown fox jumps over the lazy dog, again and again, until the very "
                 "last word of this long line has been typed into the window in front.";
    thirdText_ += thirdText_ + thirdText_ + thirdText_;
    // The same three macros in a second menu, shown as icons.
    MacroRecord icons = PopupMenuMacro("Ctrl+Alt+Shift+N", {1, 2, 3});
    icons.ShortKey.Assign("N20");
    Start("N30", {icons});
    // The main window under the menu, where the pointer is when the menu closes.
    ASSERT_TRUE(Xdotool(display, {"search", "--onlyvisible", "--name",
                                  ExactTitlePattern("Orvane 98 (Menus)"), "windowsize", "900",
                                  "700", "windowmove", "190", "160"})
                    .Succeeded());
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    struct Case {
        const char* Key;
        const char* Control;
        int Clicks;
    };
    const Case cases[] = {{"ctrl+alt+shift+m", "LeftList#2", 2}, {"ctrl+alt+shift+n", "Icon2", 1}};
    std::string expected;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Control);
        ASSERT_TRUE(OpenMenu(probe, c.Key));
        ASSERT_TRUE(map_.Click(display, MenuTitle, c.Control, c.Clicks, 250ms));
        expected += thirdText_;
        ASSERT_TRUE(probe.WaitForText(expected)) << Log() << AllLines(probe);
        EXPECT_TRUE(WaitFor([&] { return !WindowShown(MenuTitle); }));
        EXPECT_TRUE(probe.WaitForFocus(true));
        ASSERT_TRUE(TypeText(display, "!"));
        expected += "!";
        EXPECT_TRUE(probe.WaitForText(expected)) << AllLines(probe);
    }
}

TEST_F(PopupMenuTest, RemovingAMemberTakesItOutOfTheMenu) {
    Start("N30");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());

    // Select the F6 macro by typing its key's name into the list, and remove it.
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Menus)"));
    ASSERT_TRUE(TypeText(display, "F6"));
    ASSERT_TRUE(PressKeys(display, {"alt+m", "e"}));
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Delete"); })) << Log();
    ASSERT_TRUE(PressKeys(display, {"y"}));
    ASSERT_TRUE(WaitFor([&] {
        return Log().find("It will be removed from the \"Popup Menu\".") != std::string::npos;
    })) << Log();
    ASSERT_TRUE(WaitFor([&] { return WindowShown("Delete"); }));
    ASSERT_TRUE(PressKeys(display, {"y"}));
    ASSERT_TRUE(WaitFor([&] { return ReadMacroFileBack(file_).size() == 7; })) << Log();
    EXPECT_EQ(ReadMacroFileBack(file_)[2].PopupMembers(), (std::vector<std::uint16_t>{1, 2}));

    // The menu now lists "first" and "third": key 1 is the third macro.
    ASSERT_TRUE(OpenMenu(probe));
    ASSERT_TRUE(PressKeys(display, {"1"}));
    ASSERT_TRUE(probe.WaitForText("third macro")) << Log();
    ASSERT_TRUE(OpenMenu(probe));
    // "2" names no entry any more: the menu stays until Escape closes it, and nothing plays.
    ASSERT_TRUE(PressKeys(display, {"2", "Escape"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown(MenuTitle); }));
    EXPECT_EQ(probe.Text(), "third macro");
}

TEST_F(PopupMenuTest, TheBuilderChangesTheMenuFromTheKeyboard) {
    Start("N30");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());

    // The menu's row selected by typing its key's name; its command reads "Modify Popup Menu".
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (Menus)"));
    ASSERT_TRUE(TypeText(display, "Ctrl+Alt+Shift+M"));
    ASSERT_TRUE(PressKeys(display, {"alt+m", "m"}));
    ASSERT_NE(WaitForWindowByTitle(display, "Build Macro Menu (Ctrl+Alt+Shift+M)"), 0UL) << Log();
    // To the menu's list, its first line out, the icons form, and Ok.
    ASSERT_TRUE(PressKeys(display, {"alt+m", "Down", "alt+r", "alt+s", "alt+o"}));
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<MacroRecord> records = ReadMacroFileBack(file_);
        return records.size() > 3 && records[3].PopupMembers().size() == 2;
    })) << Log();
    const MacroRecord menu = ReadMacroFileBack(file_)[3];
    EXPECT_EQ(menu.PopupMembers(), (std::vector<std::uint16_t>{2, 3}));
    EXPECT_EQ(menu.ShortKey.Str(), "N20");

    ASSERT_TRUE(OpenMenu(probe));
    ASSERT_TRUE(PressKeys(display, {"0"}));
    ASSERT_TRUE(probe.WaitForText("second macro")) << Log();
}

// A popup menu is changed only in its builder, whichever way the user asks: a double click on
// its row (the scripting editor's command) opens "Build Macro Menu", and Cancel leaves the file
// byte for byte as it was.
TEST_F(PopupMenuTest, ADoubleClickedMenuOpensItsBuilderAndCancelKeepsTheFile) {
    // Sorted by scope with popup menus first: the menu is the list's first row.
    const fs::path config = fs::path(display.Env().at("XDG_CONFIG_HOME")) / "orvane";
    fs::create_directories(config);
    std::ofstream(config / "ORVAN.INI") << "[Misc]\r\nPrimary Sort=312\r\nScope Sort=41235\r\n";
    Start("N30");
    const auto bytes = [&] {
        std::ifstream in(file_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string before = bytes();
    const unsigned long main = WaitForWindowByTitle(display, "Orvane 98 (Menus)");
    ASSERT_NE(main, 0UL);
    const std::optional<Geometry> at = GeometryOf(std::to_string(main));
    ASSERT_TRUE(at);
    // Below the menu bar, the list's top margin and its heading: the first row.
    ASSERT_TRUE(Xdotool(display, {"mousemove", "--sync", std::to_string(at->X + 60),
                                  std::to_string(at->Y + FirstRowY), "click", "--repeat", "2",
                                  "--delay", "60", "1"})
                    .Succeeded());
    ASSERT_NE(WaitForWindowByTitle(display, "Build Macro Menu (Ctrl+Alt+Shift+M)"), 0UL) << Log();
    EXPECT_FALSE(WindowShown("Macro Scripting Editor"));
    ASSERT_TRUE(PressKeys(display, {"Escape"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Build Macro Menu (Ctrl+Alt+Shift+M)"); }));
    EXPECT_EQ(bytes(), before);
}

TEST_F(PopupMenuTest, MenuOfMacrosForTheTopMostWindowRefusesOtherKeysWhileShown) {
    Start("N30", {HotKeyMacro("F8", ScopeSpecificWindow, "window macro", "Target"),
                  HotKeyMacro("F9", ScopeSpecificWindow, "other window", "Elsewhere")});
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    // Appended after the given macros: "Menu of Macros for Top Most Window" on its default key.
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+z"}));
    ASSERT_NE(WaitForWindowByTitle(display, MenuTitle), 0UL) << Log();

    // Another hot key while the menu is up: refused with the on-top warning, nothing typed.
    ASSERT_TRUE(PressKeys(display, {"F5"}));
    ASSERT_NE(WaitForWindowByTitle(display, "Warning"), 0UL) << Log();
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(WaitFor([&] { return !WindowShown("Warning"); }));
    ASSERT_TRUE(WindowShown(MenuTitle));

    // Only the macro for this window is listed: "1" names nothing, "0" is it.
    ASSERT_TRUE(PressKeys(display, {"1", "0"}));
    ASSERT_TRUE(probe.WaitForText("window macro")) << Log();
    EXPECT_TRUE(WaitFor([&] { return !WindowShown(MenuTitle); }));
}

TEST_F(PopupMenuTest, ClickingTheMenusTrayIconShowsTheMenuAtTheBottom) {
    // A notification area, docked at the top left of the screen.
    TrayHost trayer(display);
    if (!trayer.Started()) {
        GTEST_SKIP() << trayer.Why() << " (to click tray icons)";
    }

    Start("Y30");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    // The menu's icon is the tray's only one: it grows from nothing to one icon wide.
    std::optional<Geometry> area;
    ASSERT_TRUE(WaitFor([&] {
        area = GeometryOf(trayer.Window());
        return area && area->Width >= 16;
    })) << "the tray icon never arrived\n"
        << Log();
    ASSERT_TRUE(probe.Activate());
    // The right button opens the menu.
    ASSERT_TRUE(ClickAt(display, area->X + 12, area->Y + area->Height / 2, 3));
    const unsigned long menu = WaitForWindowByTitle(display, MenuTitle);
    ASSERT_NE(menu, 0UL) << Log();
    const std::optional<Geometry> at = GeometryOf(std::to_string(menu));
    ASSERT_TRUE(at);
    EXPECT_GT(at->Y, 1024 / 2) << "placed at the bottom of the screen";
    ASSERT_TRUE(PressKeys(display, {"0"}));
    ASSERT_TRUE(probe.WaitForText("first macro")) << Log();
    EXPECT_TRUE(WaitFor([&] { return !WindowShown(MenuTitle); }));
}

} // namespace
} // namespace orvane::e2e
