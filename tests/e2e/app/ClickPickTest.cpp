// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing a hot key with the mouse, end to end: a key is struck into a dialog's pick field, then
// the user clicks on with the mouse (xdotool clicks where the program's controls are on the
// screen). The click is never taken as the hot key: the macro gets the struck key, a left click
// in another program still reaches it, and the key plays the macro.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Probe.h"
#include "ProgramTest.h"
#include "VirtualDisplay.h"
#include "WidgetMap.h"
#include "Xdotool.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "editing/ScriptLines.h"
#include "support/MacroFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string MainTitle = "Orvane 98 (Keys)";
const std::string EditorTitle = "Macro Scripting Editor  (GLOBAL)";
const std::string KeyFieldName = "Hot key (press the hot key)";

std::uint16_t Code(const std::string& name) {
    return *HotKeyCodeOf(name);
}

class ClickPickTest : public ProgramTest {
protected:
    void SetUp() override {
        Start("Ctrl+Alt+Shift+W");
        ASSERT_TRUE(Shown(MainTitle)) << display.Logs();
    }

    // "hi" on Ctrl+Alt+Shift+G, "clicked" on Ctrl+LMouse and the four system macros ("Activate
    // Orvane" on `activateKey`); the program started on them with its control map and hook trace.
    void Start(const std::string& activateKey) {
        MacroRecord greeting = HotKeyMacro("Ctrl+Alt+Shift+G", ScopeGlobal, "hi", "", "greeting");
        // A macro on a click: the program grabs Ctrl+LMouse.
        MacroRecord clicked = HotKeyMacro("Ctrl+LMouse", ScopeGlobal, "clicked", "", "clicked");
        std::vector<MacroRecord> records = {greeting, clicked};
        for (const MacroRecord& system : SystemMacros(
                 {activateKey, "Ctrl+Alt+Shift+X", "Ctrl+Alt+Shift+Y", "Ctrl+Alt+Shift+Z"})) {
            records.push_back(system);
        }
        WriteMacroFile(file_, records);
        Environment env = display.Env();
        env["ORVANE_HOOK_TRACE"] = "1";
        env["ORVANE_WIDGET_MAP"] = "1";
        StartProgram({ORVANE_PROGRAM, "/F", file_.string()}, std::move(env));
    }

    // Waits until the main window is the active window.
    bool MainWindowActive() {
        return WaitFor([&] {
            const CommandResult active = Xdotool(display, {"getactivewindow", "getwindowname"});
            return active.Succeeded() && active.out.rfind(MainTitle, 0) == 0;
        });
    }

    std::vector<MacroRecord> Stored() const { return ReadMacroFileBack(file_); }
    bool HasMacro(const std::string& key, std::int16_t scope, const std::string& text) const {
        const std::vector<MacroRecord> records = Stored();
        return std::any_of(records.begin(), records.end(), [&](const MacroRecord& r) {
            return r.HotKey == Code(key) && r.Scope == scope && r.Text() == text;
        });
    }
    bool HasKey(const std::string& key) const {
        const std::vector<MacroRecord> records = Stored();
        return std::any_of(records.begin(), records.end(),
                           [&](const MacroRecord& r) { return r.HotKey == Code(key); });
    }

    // Strikes `keys` into the dialog's focused pick field (the `pickOn`th time a field picks)
    // and waits until the field `field` of `window` shows `name`.
    ::testing::AssertionResult Strike(const std::string& window, const std::string& field,
                                      const std::string& keys, const std::string& name,
                                      int pickOn) {
        if (!TraceShows("keypick on", pickOn)) {
            return ::testing::AssertionFailure() << "no pick field has the focus\n" << Trace();
        }
        if (auto pressed = PressKeys(display, {keys}); !pressed) {
            return pressed;
        }
        if (!map_.WaitFor(window, field, name)) {
            return ::testing::AssertionFailure() << field << " never showed " << name;
        }
        return ::testing::AssertionSuccess();
    }

    // Clicks an option of `window` with the mouse and waits until it is ticked.
    ::testing::AssertionResult ClickOption(const std::string& window, const std::string& name) {
        const std::optional<WidgetRect> option = map_.WaitFor(window, name);
        if (!option) {
            return ::testing::AssertionFailure() << "no option " << name << " in " << window;
        }
        // On its round mark: an option stretched across its box takes no click beside its text.
        if (auto clicked =
                ClickAt(display, option->X + option->Height / 2, option->Y + option->Height / 2);
            !clicked) {
            return clicked;
        }
        if (!map_.WaitFor(window, name, "checked")) {
            return ::testing::AssertionFailure() << name << " was not ticked by the click";
        }
        return ::testing::AssertionSuccess();
    }

    // A left click in another program reaches it and types nothing there; `keys` then plays.
    void ClickReachesAProgramAndKeyPlays(Probe& probe, const std::string& keys) {
        ASSERT_TRUE(probe.Activate());
        const auto geometry = probe.Geometry();
        ASSERT_TRUE(geometry) << probe.Describe();
        const std::size_t clicks = probe.Clicks().size();
        ASSERT_TRUE(ClickAt(display, geometry->x + geometry->width / 2,
                            geometry->y + geometry->height / 2));
        ASSERT_TRUE(WaitFor([&] {
            const std::vector<ProbeButton> seen = probe.Clicks();
            return seen.size() > clicks && seen.back().button == 1;
        })) << probe.Describe();
        EXPECT_EQ(probe.Text(), "") << "the click played nothing";
        ASSERT_TRUE(PressKeys(display, {keys}));
    }

    fs::path file_ = display.Folder() / "Keys.ORV";
    // Kept in the runtime folder, where ORVANE_WIDGET_MAP=1 puts it.
    WidgetMap map_{Runtime() / "widgets.txt"};
};

// The editor's "Add" of the "Text" command: "Macro" list, the command's line, "&Add".
std::vector<std::string> AddTextCommand() {
    std::vector<std::string_view> sorted;
    for (const CommandRow& command : Commands) {
        sorted.push_back(command.Name);
    }
    std::sort(sorted.begin(), sorted.end());
    const auto at =
        std::find(sorted.begin(), sorted.end(), CommandName(CommandCode::Text)) - sorted.begin();
    std::vector<std::string> keys = {"alt+m", "Home"};
    keys.insert(keys.end(), static_cast<std::size_t>(at), "Down");
    keys.push_back("alt+a");
    return keys;
}

TEST_F(ClickPickTest, AddMacroThenScriptingEditorByMouseKeepsTheStruckKey) {
    ASSERT_TRUE(ActivateWindowByTitle(display, MainTitle));
    ASSERT_TRUE(PressKeys(display, {"Insert"}));
    ASSERT_TRUE(Shown("Add Macro")) << Log();
    ASSERT_TRUE(Strike("Add Macro", KeyFieldName, "ctrl+alt+j", "Ctrl+Alt+J", 1));
    ASSERT_TRUE(map_.Click(display, "Add Macro", "Scripting Editor"));
    ASSERT_TRUE(Shown(EditorTitle)) << Log();
    EXPECT_TRUE(map_.WaitFor(EditorTitle, "Ctrl+Alt+J")) << "the editor is for the struck key";

    ASSERT_TRUE(ActivateWindowByTitle(display, EditorTitle));
    ASSERT_TRUE(PressKeys(display, AddTextCommand()));
    ASSERT_TRUE(ActivateWindowByTitle(display, "Enter Keystrokes")) << Log();
    ASSERT_TRUE(TypeText(display, "hi"));
    ASSERT_TRUE(PressKeys(display, {"alt+u"}));
    ASSERT_TRUE(Shown("Enter Keystrokes", false));
    ASSERT_TRUE(map_.Click(display, EditorTitle, "Ok"));
    ASSERT_TRUE(WaitFor([&] { return HasMacro("Ctrl+Alt+J", ScopeGlobal, "hi"); })) << Log();
    EXPECT_FALSE(HasKey("LMouse"));
    ASSERT_TRUE(Shown("Add Macro", false));

    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ClickReachesAProgramAndKeyPlays(probe, "ctrl+alt+j");
    EXPECT_TRUE(probe.WaitForText("hi")) << Trace();
}

TEST_F(ClickPickTest, AClickOnTheFieldItselfPicksItsButtonEvenOneAMacroHas) {
    ASSERT_TRUE(ActivateWindowByTitle(display, MainTitle));
    ASSERT_TRUE(PressKeys(display, {"Insert"}));
    ASSERT_TRUE(Shown("Add Macro")) << Log();
    ASSERT_TRUE(TraceShows("keypick on"));
    const auto field = map_.WaitFor("Add Macro", KeyFieldName);
    ASSERT_TRUE(field);
    const std::string x = std::to_string(field->X + field->Width / 2);
    const std::string y = std::to_string(field->Y + field->Height / 2);
    // The field had the focus before the pointer came: Ctrl and a left click on it pick.
    ASSERT_TRUE(Xdotool(display, {"mousemove", "--sync", x, y, "keydown", "ctrl", "click", "1",
                                  "keyup", "ctrl"})
                    .Succeeded());
    ASSERT_TRUE(map_.WaitFor("Add Macro", KeyFieldName, "Ctrl+LMouse"))
        << "the click on the field picks the key of a macro too";
    // Tabbed away and clicked back into: that click picks nothing, the next one does.
    ASSERT_TRUE(PressKeys(display, {"Tab"}));
    ASSERT_TRUE(TraceShows("keypick off"));
    // The pointer is still over the field; 3 is X's right button.
    ASSERT_TRUE(Xdotool(display, {"click", "3"}).Succeeded());
    ASSERT_TRUE(TraceShows("keypick on", 2));
    ASSERT_TRUE(Xdotool(display, {"keydown", "shift", "click", "3", "keyup", "shift"}).Succeeded());
    ASSERT_TRUE(map_.WaitFor("Add Macro", KeyFieldName, "Shift+RMouse"))
        << "a right click on the focused field picks";
    EXPECT_EQ(Trace().find("hotkey "), std::string::npos) << "the macro on the click never played";
    ASSERT_TRUE(map_.Click(display, "Add Macro", "Abort"));
    ASSERT_TRUE(Shown("Add Macro", false));
    EXPECT_EQ(Stored().size(), 6u);
}

TEST_F(ClickPickTest, AFileWithASystemCommandOnAPlainClickIsMendedWhenOpened) {
    ASSERT_NO_FATAL_FAILURE(StopProgram());
    Start("LMouse");
    ASSERT_TRUE(WaitFor([&] {
        return Log().find("orvane: Warning: The system command \"Activate Orvane\" was on "
                          "\"LMouse\"") != std::string::npos;
    })) << Log();
    ASSERT_TRUE(ActivateWindowByTitle(display, "Warning"));
    ASSERT_TRUE(PressKeys(display, {"Return"}));
    ASSERT_TRUE(Shown(MainTitle)) << Log();
    ASSERT_TRUE(HasMacro("Ctrl+Alt+Shift+W", ScopeSystem, ""));
    EXPECT_FALSE(HasKey("LMouse"));

    // Clicks belong to the programs again; the default key shows the main window.
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ClickReachesAProgramAndKeyPlays(probe, "ctrl+alt+shift+w");
    EXPECT_TRUE(MainWindowActive()) << Trace();
}

TEST_F(ClickPickTest, CopyAndMoveHotKeyByMouseKeepTheStruckKey) {
    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    struct Step {
        std::string Mnemonic, Title, Keys, Key;
    };
    const Step steps[] = {{"o", "Copy Hot Key", "ctrl+alt+j", "Ctrl+Alt+J"},
                          {"r", "Move Hot Key", "ctrl+alt+k", "Ctrl+Alt+K"}};
    int picks = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Title);
        ASSERT_TRUE(ActivateWindowByTitle(display, MainTitle));
        ASSERT_TRUE(PressKeys(display, {"alt+m", step.Mnemonic}));
        ASSERT_TRUE(Shown(step.Title)) << Log();
        ASSERT_TRUE(Strike(step.Title, KeyFieldName, step.Keys, step.Key, ++picks));
        // Over to a ShortKey and back with the mouse: the field keeps the struck key.
        ASSERT_TRUE(ClickOption(step.Title, "ShortKey"));
        ASSERT_TRUE(ClickOption(step.Title, "Hot Key"));
        const auto field = map_.WaitFor(step.Title, KeyFieldName);
        ASSERT_TRUE(field);
        EXPECT_EQ(field->Value, step.Key);
        ASSERT_TRUE(map_.Click(display, step.Title, "Ok"));
        ASSERT_TRUE(WaitFor([&] { return HasMacro(step.Key, ScopeGlobal, "hi"); })) << Log();
        EXPECT_FALSE(HasKey("LMouse"));
        ASSERT_TRUE(Shown(step.Title, false));
    }
    EXPECT_TRUE(HasMacro("Ctrl+Alt+Shift+G", ScopeGlobal, "hi")) << "the original stays";
    EXPECT_FALSE(HasKey("Ctrl+Alt+J")) << "the copy moved on";
    ClickReachesAProgramAndKeyPlays(probe, "ctrl+alt+k");
    EXPECT_TRUE(probe.WaitForText("hi")) << Trace();
}

TEST_F(ClickPickTest, SystemHotKeysByMouseKeepTheStruckKey) {
    // The "Activate Orvane" row: a click into the list, its key typed to find it.
    ASSERT_NO_FATAL_FAILURE(SelectInList(MainTitle, "Ctrl+Alt+Shift+W"));
    ASSERT_TRUE(PressKeys(display, {"alt+m", "r"}));
    ASSERT_TRUE(Shown("System Hot Keys")) << Log();
    const std::string field = "Activate Program (press the hot key)";
    ASSERT_TRUE(Strike("System Hot Keys", field, "ctrl+alt+j", "Ctrl+Alt+J", 1));
    ASSERT_TRUE(ClickOption("System Hot Keys", "Nickname and Scope"));
    const auto shown = map_.WaitFor("System Hot Keys", field);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Value, "Ctrl+Alt+J");
    EXPECT_EQ(Log().find("orvane: Error:"), std::string::npos) << "no click was picked";
    ASSERT_TRUE(map_.Click(display, "System Hot Keys", "Ok"));
    ASSERT_TRUE(WaitFor([&] { return HasMacro("Ctrl+Alt+J", ScopeSystem, ""); })) << Log();
    EXPECT_FALSE(HasKey("LMouse"));
    ASSERT_TRUE(Shown("System Hot Keys", false));

    Probe probe(display, "Target");
    ASSERT_TRUE(probe.WaitForReady());
    ClickReachesAProgramAndKeyPlays(probe, "ctrl+alt+j");
    // "Activate Orvane" brings the main window forward.
    EXPECT_TRUE(MainWindowActive()) << Trace();
}

} // namespace
} // namespace orvane::e2e
