// SPDX-License-Identifier: GPL-3.0-or-later
// What a user who works with the mouse meets, end to end: the program runs on a prepared macro
// file and keeps a map of where its controls are; xdotool clicks them there. The editors'
// lines, "Pick" in both editors, and the tray command following a notification area that
// comes after the program.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Probe.h"
#include "ProgramTest.h"
#include "TrayHost.h"
#include "VirtualDisplay.h"
#include "WidgetMap.h"
#include "Xdotool.h"
#include "editing/commands/MouseForm.h"
#include "support/MacroFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string MainTitle = "Orvane 98 (Mouse)";
const std::string ScriptingTitle = "Macro Scripting Editor  (GLOBAL)";
const std::string DirectTitle = "Modify Hot Key  (GLOBAL)";
const std::string MouseTitle = "Mouse Commands";
const std::string HotKey = "Ctrl+Alt+Shift+Q";

class MouseJourneysTest : public ProgramTest {
protected:
    // The system macros and one Global hot key macro (record 5) typing `text`.
    void Start(const std::string& text) {
        std::vector<MacroRecord> records = SystemMacros();
        MacroRecord macro = HotKeyMacro(HotKey, ScopeGlobal, text, "", "clicked");
        macro.Icon.Assign("MAIN");
        records.push_back(macro);
        WriteMacroFile(file_, records);
        Environment env = display.Env();
        env.insert(map_.EnvEntry());
        StartProgram({ORVANE_PROGRAM, "/F", file_.string()}, env);
        // Placed by the window manager and in front: the map holds where the user sees it.
        ASSERT_TRUE(ActivateWindowByTitle(display, MainTitle)) << Log();
        ASSERT_TRUE(map_.WaitFor(MainTitle, "Macros:" + HotKey)) << Log() << map_.Text();
    }

    MacroRecord Stored() const {
        const std::vector<MacroRecord> records = ReadMacroFileBack(file_);
        return records.size() >= 5 ? records[4] : MacroRecord{};
    }

    // Waits until the window has left the map (closed, or minimised).
    bool Gone(const std::string& window, const std::string& control) {
        return WaitFor([&] { return !map_.Find(window, control); });
    }

    bool Enabled(const std::string& window, const std::string& control) {
        return WaitFor([&] {
            const std::optional<WidgetRect> at = map_.Find(window, control);
            return at && at->Enabled;
        });
    }

    ::testing::AssertionResult Click(const std::string& window, const std::string& control,
                                     int clicks = 1) {
        return map_.Click(display, window, control, clicks, 60ms);
    }

    // Waits for a window that a click opened: placed by the window manager and in front, so
    // the map holds it where the user sees it.
    ::testing::AssertionResult Opened(const std::string& window, const std::string& control) {
        if (auto active = ActivateWindowByTitle(display, window); !active) {
            return active << "\n" << Log();
        }
        // In front of every other window, windows that came back with it included.
        const unsigned long id = WaitForWindowByTitle(display, window);
        const bool front = WaitFor([&] {
            const CommandResult stacking =
                RunCommand({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"}, display.Env(), 5s);
            const std::size_t last = stacking.out.rfind("0x");
            return last != std::string::npos &&
                   std::stoul(stacking.out.substr(last), nullptr, 16) == id;
        });
        if (!front) {
            return ::testing::AssertionFailure() << window << " never came in front";
        }
        if (!map_.WaitFor(window, control)) {
            return ::testing::AssertionFailure() << "no " << control << " in " << window << "\n"
                                                 << map_.Text();
        }
        return ::testing::AssertionSuccess();
    }

    // The scripting editor on the macro: its row double-clicked in the main window.
    ::testing::AssertionResult OpenScriptingEditor() {
        if (auto clicked = Click(MainTitle, "Macros:" + HotKey, 2); !clicked) {
            return clicked;
        }
        return Opened(ScriptingTitle, "Script");
    }

    // The direct editor: the row clicked, then "Macro" and "Modify Directly...".
    ::testing::AssertionResult OpenDirectEditor() {
        for (const auto& [window, control] :
             std::vector<std::pair<std::string, std::string>>{{MainTitle, "Macros:" + HotKey},
                                                              {MainTitle, "menubar/Macro"},
                                                              {"", "menu/Modify Directly..."}}) {
            if (auto clicked = Click(window, control); !clicked) {
                return clicked;
            }
        }
        return Opened(DirectTitle, "NewFormat");
    }

    WidgetMap map_{display.Folder() / "widgets.txt"};
    fs::path file_ = display.Folder() / "Mouse.ORV";
};

TEST_F(MouseJourneysTest, ScriptLinesAddedMovedAndEditedByClickingPlayAsShown) {
    Start("Hello");
    ASSERT_TRUE(OpenScriptingEditor());
    // Nothing selected yet: the line buttons wait for a line.
    ASSERT_TRUE(map_.WaitFor(ScriptingTitle, "DoEdit"));
    EXPECT_FALSE(map_.Find(ScriptingTitle, "DoEdit")->Enabled);

    // A "Text" line added: the command clicked in the list, then "&Add".
    ASSERT_TRUE(map_.ClickInList(display, ScriptingTitle, "OptionBox", "Text"));
    ASSERT_TRUE(Click(ScriptingTitle, "AddButton"));
    ASSERT_TRUE(Opened("Enter Keystrokes", "NewFormat"));
    ASSERT_TRUE(Click("Enter Keystrokes", "NewFormat"));
    ASSERT_TRUE(TypeText(display, "world"));
    ASSERT_TRUE(Click("Enter Keystrokes", "OkButton"));
    ASSERT_TRUE(Gone("Enter Keystrokes", "OkButton"));

    // The new line clicked and moved up with "&Up"; then the old one clicked and edited.
    ASSERT_TRUE(Click(ScriptingTitle, "Script#1"));
    ASSERT_TRUE(Enabled(ScriptingTitle, "DoUp")) << map_.Text();
    ASSERT_TRUE(Click(ScriptingTitle, "DoUp"));
    ASSERT_TRUE(WaitFor([&] {
        const std::optional<WidgetRect> hello = map_.Find(ScriptingTitle, "Script:Text: Hello");
        const std::optional<WidgetRect> world = map_.Find(ScriptingTitle, "Script:Text: world");
        return hello && world && world->Y < hello->Y;
    })) << map_.Text();
    ASSERT_TRUE(Click(ScriptingTitle, "Script:Text: Hello"));
    ASSERT_TRUE(Enabled(ScriptingTitle, "DoEdit")) << map_.Text();
    for (const char* button : {"DoDown", "DoCopy", "DoDelete"}) {
        SCOPED_TRACE(button);
        EXPECT_TRUE(map_.Find(ScriptingTitle, button)->Enabled ==
                    (std::string(button) != "DoDown"));
    }
    ASSERT_TRUE(Click(ScriptingTitle, "DoEdit"));
    ASSERT_TRUE(Opened("Enter Keystrokes", "NewFormat"));
    ASSERT_TRUE(Click("Enter Keystrokes", "NewFormat"));
    ASSERT_TRUE(PressKeys(display, {"End"}));
    ASSERT_TRUE(TypeText(display, "!"));
    ASSERT_TRUE(Click("Enter Keystrokes", "OkButton"));
    ASSERT_TRUE(Gone("Enter Keystrokes", "OkButton"));
    ASSERT_TRUE(Click(ScriptingTitle, "OkButton"));
    ASSERT_TRUE(Gone(ScriptingTitle, "OkButton"));
    ASSERT_TRUE(WaitFor([&] { return Stored().Text() == "worldHello!"; })) << Stored().Text();

    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+q"}));
    EXPECT_TRUE(probe.WaitForText("worldHello!"));
}

// "&Pick" from either editor, ended by a click or by Escape: "Mouse Commands" comes back with
// the place (or what it held), the editor keeps its work, and the mouse and keyboard are the
// user's again: the main window answers a click, the probe gets clicks and keys.
TEST_F(MouseJourneysTest, PickInBothEditorsKeepsTheEditorAndGivesTheMouseBack) {
    struct Case {
        bool Scripting;
        bool Escape;
    };
    const Case cases[] = {{true, false}, {true, true}, {false, false}, {false, true}};
    Start("Hi");
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Scripting ? "scripting editor" : "direct editor") +
                     (c.Escape ? ", Escape" : ", click"));
        const MacroRecord before = Stored();
        const std::string editor = c.Scripting ? ScriptingTitle : DirectTitle;
        if (c.Scripting) {
            ASSERT_TRUE(OpenScriptingEditor());
            ASSERT_TRUE(map_.ClickInList(display, ScriptingTitle, "OptionBox", "Mouse Move"));
            ASSERT_TRUE(Click(ScriptingTitle, "AddButton"));
        } else {
            ASSERT_TRUE(OpenDirectEditor());
            ASSERT_TRUE(Click(DirectTitle, "MouseButton"));
            ASSERT_TRUE(Opened(MouseTitle, "MouseMove"));
            ASSERT_TRUE(Click(MouseTitle, "MouseMove"));
        }
        ASSERT_TRUE(Opened(MouseTitle, "ToScreen"));
        ASSERT_TRUE(Click(MouseTitle, "ToScreen"));
        ASSERT_TRUE(Click(MouseTitle, "PickButton"));
        ASSERT_TRUE(map_.WaitFor("", "PointPicker")) << map_.Text();
        if (c.Escape) {
            ASSERT_TRUE(PressKeys(display, {"Escape"}));
        } else {
            ASSERT_TRUE(ClickAt(display, 300, 400));
        }
        ASSERT_TRUE(Gone("", "PointPicker"));
        ASSERT_TRUE(Opened(MouseTitle, "OkButton"));
        ASSERT_TRUE(Click(MouseTitle, "OkButton"));
        ASSERT_TRUE(Gone(MouseTitle, "OkButton")) << Log() << map_.Text();
        ASSERT_TRUE(Click(editor, "OkButton")) << Log();
        ASSERT_TRUE(Gone(editor, "OkButton"));
        const std::string tag =
            Build(MouseForm{1, false, c.Escape ? "0" : "300", c.Escape ? "0" : "400", "1"});
        ASSERT_TRUE(WaitFor([&] { return Stored().LastModified != before.LastModified; })) << Log();
        EXPECT_EQ(Stored().Text(), before.Text() + tag);

        // The main window answers a click: its menu opens.
        ASSERT_TRUE(Click(MainTitle, "menubar/Macro"));
        ASSERT_TRUE(map_.WaitFor("", "menu/Modify Directly...")) << map_.Text();
        ASSERT_TRUE(PressKeys(display, {"Escape"}));
        ASSERT_TRUE(Gone("", "menu/Modify Directly..."));
    }
    // The probe gets a click and keys, and the macro plays the places picked.
    ASSERT_TRUE(probe.Activate());
    const std::optional<ProbeGeometry> at = probe.Geometry();
    ASSERT_TRUE(at);
    const std::size_t seen = probe.LineCount();
    ASSERT_TRUE(ClickAt(display, at->x + 10, at->y + 10));
    EXPECT_TRUE(
        probe.WaitForLine([](const std::string& line) { return line.starts_with("BUTTON "); },
                          kDefaultTimeout, seen));
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+q"}));
    EXPECT_TRUE(probe.WaitForText("Hi"));
    EXPECT_TRUE(WaitFor([&] {
        const CommandResult where = Xdotool(display, {"getmouselocation", "--shell"});
        return where.out.find("X=0\nY=0\n") != std::string::npos;
    }));
}

// A notification area that starts after the program: "Place in System Tray" becomes usable,
// and chosen, puts the program's icon there; "Hide" is offered before (the Activate hot key
// brings the window back) and after. The area going away disables the command again.
TEST_F(MouseJourneysTest, TheTrayCommandFollowsANotificationAreaThatComesLater) {
    Start("Hi");
    const std::string tray = "menu/Place in System Tray";
    ASSERT_TRUE(Click(MainTitle, "menubar/Options"));
    ASSERT_TRUE(map_.WaitFor("", tray)) << map_.Text();
    EXPECT_FALSE(map_.Find("", tray)->Enabled) << "no notification area yet";
    ASSERT_TRUE(PressKeys(display, {"Escape"}));
    ASSERT_TRUE(Gone("", tray));
    // Hidden without a tray, the window comes back with the Activate hot key.
    ASSERT_TRUE(Click(MainTitle, "menubar/File"));
    ASSERT_TRUE(Enabled("", "menu/Hide Orvane 98"));
    ASSERT_TRUE(Click("", "menu/Hide Orvane 98"));
    ASSERT_TRUE(Gone(MainTitle, "menubar/File"));
    ASSERT_TRUE(PressKeys(display, {"ctrl+alt+shift+w"}));
    ASSERT_TRUE(map_.WaitFor(MainTitle, "menubar/File")) << Log();

    TrayHost trayer(display);
    if (!trayer.Started()) {
        GTEST_SKIP() << trayer.Why();
    }
    ASSERT_TRUE(WaitFor([&] {
        if (!Click(MainTitle, "menubar/Options") || !map_.WaitFor("", tray, 5s)) {
            return false;
        }
        const bool enabled = map_.Find("", tray)->Enabled;
        if (!enabled) {
            (void)PressKeys(display, {"Escape"});
            (void)Gone("", tray);
        }
        return enabled;
    })) << map_.Text();
    ASSERT_TRUE(Click("", tray));
    // The icon docks: the tray grows from nothing to one icon wide.
    EXPECT_TRUE(WaitFor([&] {
        const CommandResult geometry = Xdotool(display, {"getwindowgeometry", trayer.Window()}, 5s);
        const std::size_t at = geometry.out.find("Geometry: ");
        return at != std::string::npos && std::stoi(geometry.out.substr(at + 10)) >= 16;
    })) << Log();
    ASSERT_TRUE(Click(MainTitle, "menubar/File"));
    EXPECT_TRUE(Enabled("", "menu/Hide Orvane 98"));
    ASSERT_TRUE(PressKeys(display, {"Escape"}));
    ASSERT_TRUE(Gone("", "menu/Hide Orvane 98"));

    // The notification area goes away: the command waits for the next one.
    trayer.Stop();
    ASSERT_TRUE(WaitFor([&] {
        if (!Click(MainTitle, "menubar/Options") || !map_.WaitFor("", tray, 5s)) {
            return false;
        }
        const bool enabled = map_.Find("", tray)->Enabled;
        (void)PressKeys(display, {"Escape"});
        (void)Gone("", tray);
        return !enabled;
    })) << map_.Text();
}

} // namespace
} // namespace orvane::e2e
