// SPDX-License-Identifier: GPL-3.0-or-later
// The shell commands and "Start at Login" as a user meets them: stored macros played into probe
// windows, the JSON listing read by another program, the login entry written and removed from
// the Options menu.
#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"
#include "core/MacroStore.h"
#include "support/MacroFiles.h"

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
using test::MacroFields;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ShellCommandTest : public ::testing::Test {
protected:
    CommandResult Orvane(const std::vector<std::string>& args) {
        std::vector<std::string> argv = {ORVANE_PROGRAM};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunCommand(argv, display.Env(), 2min);
    }

    // The macro file the program uses when the settings name none.
    fs::path DefaultMacroFile() const {
        return fs::path(display.Env().at("XDG_DATA_HOME")) / "orvane" / "ORVAN.ORV";
    }

    VirtualDisplay display;
};

TEST_F(ShellCommandTest, PlayMacroTypesTheStoredTextWhereItsHotKeyWould) {
    fs::create_directories(DefaultMacroFile().parent_path());
    test::WriteMacroFile(
        DefaultMacroFile(),
        std::vector<MacroFields>{
            {.Nickname = "Greeting",
             .Key = "Ctrl+Alt+G",
             .Text = "Hello, world!<ENTER>Caf\xe9 \x80"},
            {.Nickname = "Left note",
             .Key = "Ctrl+Alt+L",
             .Scope = ScopeSpecificWindow,
             .Text = "for the left",
             .Target = "left probe"},
            {.Nickname = "On top only",
             .Key = "Ctrl+Alt+T",
             .Scope = ScopeSpecificWindow,
             .Text = "never",
             .Target = "Left probe",
             .TopMostOnly = true},
            {.Nickname = "Off", .Key = "Ctrl+Alt+O", .Text = "never", .Active = false},
        });
    Probe left(display, "Left probe", ProbeKind::Qt, {"--geometry", "300x200+20+20"});
    ASSERT_TRUE(left.WaitForReady());
    Probe right(display, "Right probe", ProbeKind::Qt, {"--geometry", "300x200+400+20"});
    ASSERT_TRUE(right.WaitForReady());

    // From the current macro file (no file named), by nickname in any case: into the window in
    // front, the Windows-1252 text exactly.
    const CommandResult greeting = Orvane({"play", "--macro", "greeting"});
    ASSERT_TRUE(greeting.Succeeded()) << greeting.Describe();
    EXPECT_TRUE(right.WaitForText("Hello, world!\nCaf\xc3\xa9 \xe2\x82\xac")) << right.Describe();

    // A window-specific macro, by number, brings its window forward first.
    const CommandResult note = Orvane({"play", "--macro", "2"});
    ASSERT_TRUE(note.Succeeded()) << note.Describe();
    EXPECT_TRUE(left.WaitForText("for the left")) << left.Describe();
    EXPECT_EQ(right.Text(), "Hello, world!\nCaf\xc3\xa9 \xe2\x82\xac");

    // Refused, with the reason: only when on top (its window is not in front), deactivated, and
    // no such macro.
    ASSERT_TRUE(right.Activate());
    struct Refusal {
        const char* macro;
        const char* says;
    };
    const Refusal refusals[] = {
        {"On top only", "the macro plays only when its window \"Left probe\" is in front"},
        {"Off", "the macro is deactivated"},
        {"Nobody", "no macro is called \"Nobody\""},
    };
    for (const Refusal& refusal : refusals) {
        const CommandResult refused = Orvane({"play", "--macro", refusal.macro});
        EXPECT_EQ(refused.exitCode, 1) << refused.Describe();
        EXPECT_NE(refused.err.find(refusal.says), std::string::npos) << refused.Describe();
    }
    // What the refused macros would have typed would have followed this.
    const CommandResult mark = Orvane({"play", "--text", "."});
    ASSERT_TRUE(mark.Succeeded()) << mark.Describe();
    EXPECT_TRUE(right.WaitForText("Hello, world!\nCaf\xc3\xa9 \xe2\x82\xac.")) << right.Describe();
    EXPECT_EQ(left.Text(), "for the left");
}

TEST_F(ShellCommandTest, ListJsonIsReadByAnotherProgramAndMatchesTheRecords) {
    const fs::path file = display.Folder() / "Mixed.ORV";
    test::WriteMacroFile(file, std::vector<MacroFields>{
                                   {.Nickname = "Say \"hi\" \\ now", .Key = "Ctrl+Alt+A"},
                                   {.Nickname = "Caf\xe9 \x93quoted\x94", .ShortKey = "caf"},
                                   {.Nickname = "Reply",
                                    .Key = "F9",
                                    .Scope = ScopeSpecificWindow,
                                    .Target = "Inbox \x96 Mail",
                                    .Active = false},
                                   {.Nickname = "Stretch", .Timed = true},
                               });
    const CommandResult listed = Orvane({"list", "--json", "--file", file.string()});
    ASSERT_TRUE(listed.Succeeded()) << listed.Describe();
    const fs::path json = display.Folder() / "list.json";
    std::ofstream(json, std::ios::binary) << listed.out;
    const CommandResult read = RunCommand(
        {"python3", "-c",
         "import json, sys\n"
         "data = json.load(open(sys.argv[1], encoding='utf-8'))\n"
         "print(data['file'])\n"
         "for m in data['macros']:\n"
         "    print('|'.join(str(m[k]) for k in ('number', 'activation', 'scope', 'nickname',\n"
         "                                       'active', 'kind', 'shortKey', 'target')))\n",
         json.string()},
        display.Env());
    ASSERT_TRUE(read.Succeeded()) << read.Describe() << "\n" << listed.out;
    EXPECT_EQ(read.out, file.string() +
                            "\n"
                            "1|Ctrl+Alt+A|GLOBAL|Say \"hi\" \\ now|True|hotkey|None|None\n"
                            "2|caf|GLOBAL|Caf\xc3\xa9 \xe2\x80\x9cquoted\xe2\x80\x9d|True|"
                            "shortkey|caf|None\n"
                            "3|F9|Window: Inbox \xe2\x80\x93 Mail|Reply|False|hotkey|None|"
                            "Inbox \xe2\x80\x93 Mail\n"
                            "4|Timed Macro|GLOBAL|Stretch|True|timed|None|None\n");
}

TEST_F(ShellCommandTest, ExitStatusesAndTheProgramsMessages) {
    const fs::path folder = display.Folder() / "Folder.ORV";
    fs::create_directories(folder);
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string says; // on standard error, or on standard output for --help
    };
    const Case cases[] = {
        {{"list", "--file", folder.string()}, 1, MacroFileCannotOpenText(folder)},
        {{"show", "--file", folder.string(), "1"}, 1, MacroFileCannotOpenText(folder)},
        {{"play", "--macro", "1", "--macro-file", folder.string()},
         1,
         MacroFileCannotOpenText(folder)},
        {{"list"}, 1, "The macro file \"" + DefaultMacroFile().string() + "\" does not exist."},
        {{"list", "--jsn"}, 2, "unknown option \"--jsn\""},
        {{"show"}, 2, "give the macro's nickname or number"},
        {{"play", "--macro", "x", "--text", "y"}, 2, "give one of --text TEXT"},
        {{"play", "--text", "y", "--macro-file", "f"}, 2, "--macro-file goes with --macro"},
        {{"show", "--help"}, 0, "Usage: orvane show [--file FILE] NICKNAME|NUMBER"},
        {{"--version"}, 0, "orvane " ORVANE_VERSION "\n"},
    };
    for (const Case& c : cases) {
        const CommandResult result = Orvane(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.Describe();
        const std::string& said = c.exitCode == 0 ? result.out : result.err;
        EXPECT_NE(said.find(c.says), std::string::npos) << result.Describe();
    }
    EXPECT_FALSE(fs::exists(DefaultMacroFile())) << "no command creates the macro file";
}

TEST_F(ShellCommandTest, StartAtLoginWritesAndRemovesTheLoginEntry) {
    const fs::path entry =
        fs::path(display.Env().at("XDG_CONFIG_HOME")) / "autostart" / "orvane.desktop";
    SpawnOptions options;
    options.argv = {ORVANE_PROGRAM};
    options.env = display.Env();
    ChildProcess program(options);
    ASSERT_TRUE(ActivateWindowByTitle(display, "Orvane 98 (ORVAN)")) << display.Logs();

    // Options > Start at Login, from the keyboard.
    ASSERT_TRUE(PressKeys(display, {"alt+o", "l"}));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(entry); }));
    const std::string text = ReadFile(entry);
    EXPECT_NE(text.find("\nExec=" + std::string(ORVANE_PROGRAM) + " /HIDE\n"), std::string::npos)
        << "a program not found along PATH is started by its full path:\n"
        << text;
    const CommandResult valid =
        RunCommand({"desktop-file-validate", entry.string()}, display.Env());
    EXPECT_TRUE(valid.Succeeded() && valid.out.empty()) << valid.Describe();

    ASSERT_TRUE(PressKeys(display, {"alt+o", "l"}));
    ASSERT_TRUE(WaitFor([&] { return !fs::exists(entry); }));

    // The check mark follows the file: an entry that appeared meanwhile is removed by the next
    // choice, not written again.
    std::ofstream(entry) << text;
    ASSERT_TRUE(PressKeys(display, {"alt+o", "l"}));
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(entry); }));
    program.Stop();
}

} // namespace
} // namespace orvane::e2e
