// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CommandLine.h"
#include "core/MainCommand.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace orvane {
namespace {

// One line per action, so a table can state the whole result.
std::string Describe(const std::vector<CommandLineAction>& actions) {
    std::ostringstream out;
    for (const CommandLineAction& action : actions) {
        std::visit(
            [&out](const auto& a) {
                using T = std::decay_t<decltype(a)>;
                if constexpr (std::is_same_v<T, HideAtStart>) {
                    out << "hide;";
                } else if constexpr (std::is_same_v<T, RestrictCommands>) {
                    out << "level" << a.Level << ";";
                } else if constexpr (std::is_same_v<T, AutoSyncOn>) {
                    out << "autosync;";
                } else if constexpr (std::is_same_v<T, NetworkModeOn>) {
                    out << "network;";
                } else if constexpr (std::is_same_v<T, SetSyncMinutes>) {
                    out << "sm" << a.Minutes << ";";
                } else {
                    out << "file " << a.Path << ";";
                }
            },
            action);
    }
    return out.str();
}

TEST(CommandLine, SwitchesInOrderAnyCase) {
    struct Case {
        std::vector<std::string> parameters;
        std::string actions;
    };
    const Case cases[] = {
        {{}, ""},
        {{"/HIDE"}, "hide;"},
        {{"/hide", "/b"}, "hide;level1;"},
        {{"/Ba", "/s", "/N"}, "level2;autosync;network;"},
        {{"/SM", "5"}, "sm5;"},
        {{"/sm", "98"}, "sm98;"},
        {{"/SM", "0"}, ""},
        {{"/SM", "99"}, ""},
        {{"/SM", "5x"}, ""},
        {{"/SM"}, ""},
        {{"/SM", "/HIDE"}, "hide;"},
        {{"/F", "/home/u/My Macros.ORV"}, "file /home/u/My Macros.ORV;"},
        {{"/f", "mixed/Case.orv", "/hide"}, "file mixed/Case.orv;hide;"},
        {{"/F"}, ""},
        {{"/F", "/HIDE"}, "file /HIDE;hide;"},
        {{"-HIDE", "HIDE", "/X", "/BAD", "/"}, ""},
        {{"/N", "/F", "a.orv", "/SM", "7", "/B"}, "network;file a.orv;sm7;level1;"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(ParseCommandLine(c.parameters)), c.actions)
            << ::testing::PrintToString(c.parameters);
    }
}

bool Has(const std::vector<MainCommand>& list, MainCommand command) {
    return std::find(list.begin(), list.end(), command) != list.end();
}

TEST(RestrictionLevels, WhatEachLevelDisables) {
    using enum MainCommand;
    const Restriction none = RestrictionFor(0);
    EXPECT_TRUE(none.MenuEntries.empty());
    EXPECT_TRUE(none.Buttons.empty());
    EXPECT_FALSE(none.LetterPanel);

    const Restriction one = RestrictionFor(1);
    for (const MainCommand c :
         {NewFile, Network, RemoveMacro, CopyMacro, RenameMacro, ActivateMacro, ScriptingEditor,
          ImportMacros, ExportMacros, ModifyDirectly, RecaptureMacro, AddMacro, Appearance, Remap,
          ShortKeys, Capture, ScreenSaver}) {
        EXPECT_TRUE(Has(one.MenuEntries, c)) << static_cast<int>(c);
        EXPECT_TRUE(Has(RestrictionFor(2).MenuEntries, c)) << static_cast<int>(c);
    }
    // Level 1 leaves opening, printing and the tray to the user, but not their speed buttons.
    for (const MainCommand c : {OpenFile, PrintMacroList, Hide, Sort, PlaceInSystemTray, QuickInfo,
                                Scheduler, Terminate, RecentFiles}) {
        EXPECT_FALSE(Has(one.MenuEntries, c)) << static_cast<int>(c);
    }
    EXPECT_TRUE(Has(one.Buttons, OpenFile));
    EXPECT_TRUE(Has(one.Buttons, PrintMacroList));
    EXPECT_FALSE(Has(one.Buttons, Sort));
    EXPECT_TRUE(one.LetterPanel);

    const Restriction two = RestrictionFor(2);
    for (const MainCommand c :
         {OpenFile, RecentFiles, OutputMacroInformation, PrintMacroList, PrinterSetup, PrinterFont,
          Hide, QuickInfo, Scheduler, Sort, PlaceInSystemTray}) {
        EXPECT_TRUE(Has(two.MenuEntries, c)) << static_cast<int>(c);
    }
    EXPECT_TRUE(Has(two.Buttons, Sort));
    EXPECT_FALSE(Has(two.MenuEntries, Terminate)) << "the user can always quit";
    EXPECT_FALSE(Has(two.MenuEntries, Help));
    EXPECT_EQ(RestrictionFor(7).MenuEntries, two.MenuEntries);
}

} // namespace
} // namespace orvane
