// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroList.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvane {
namespace {

// A short stand-in for the 720-name table: enough codes to show order and range.
constexpr std::array<std::string_view, 4> Names = {"Ctrl+A", "Ctrl+Alt+A", "Alt+B", "F1"};

ListMacro HotKeyMacro(std::uint16_t code, std::string nick, std::int16_t scope = 1,
                      std::string target = "") {
    ListMacro m;
    m.HotKey = code;
    m.Nickname = std::move(nick);
    m.Scope = scope;
    m.ScopeTarget = std::move(target);
    return m;
}
ListMacro ShortKeyMacro(std::string shortKey, std::string nick) {
    ListMacro m = HotKeyMacro(ShortKeyMacroCode, std::move(nick));
    m.ShortKey = std::move(shortKey);
    return m;
}
ListMacro TimedMacro(std::string nick) {
    return HotKeyMacro(TimedMacroCode, std::move(nick));
}

// The nicknames in display order.
std::vector<std::string> Shown(const std::vector<ListMacro>& macros, const ListSortOrder& order) {
    MacroList list;
    list.Fill(macros, order, Names);
    std::vector<std::string> names;
    for (int row = 1; row <= list.Count(); ++row) {
        names.push_back(macros[static_cast<std::size_t>(list.RecordAt(row) - 1)].Nickname);
    }
    return names;
}

TEST(MacroListCells, ActivationText) {
    EXPECT_EQ(ActivationText(TimedMacro("t"), Names), "Timed Macro");
    EXPECT_EQ(ActivationText(ShortKeyMacro("sig", "s"), Names), "sig");
    EXPECT_EQ(ActivationText(HotKeyMacro(3, "h"), Names), "F1");
    EXPECT_EQ(ActivationText(HotKeyMacro(4, "past the table"), Names), UnknownListText);
    EXPECT_EQ(ActivationText(HotKeyMacro(9999, "damaged"), Names), UnknownListText);
}

TEST(MacroListCells, ScopeText) {
    const std::string target20 = "ABCDEFGHIJKLMNOPQRST";
    struct Case {
        std::int16_t scope;
        std::string target;
        std::string text;
    };
    const Case cases[] = {
        {1, "", "GLOBAL"},
        {4, "", "Popup Menu"},
        {5, "1", "SYSTEM"},
        {2, "Notepad", "Window: Notepad"},
        {3, "GEDIT", "Program: GEDIT"},
        {2, target20, "Window: " + target20},
        {3, target20, "Program: " + target20},
        {2, target20 + "XYZ", "Window: " + target20},
        {3, target20 + "XYZ", "Program: " + target20},
        {0, "x", std::string(UnknownListText)},
        {6, "x", std::string(UnknownListText)},
        {-3, "x", std::string(UnknownListText)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScopeText(HotKeyMacro(0, "n", c.scope, c.target)), c.text) << "scope " << c.scope;
    }
}

TEST(MacroListSort, NicknamePrimaryIsOrdinalUpperBeforeLower) {
    const std::vector<ListMacro> macros = {HotKeyMacro(0, "apple"), HotKeyMacro(1, "Zebra"),
                                           HotKeyMacro(2, "banana"), HotKeyMacro(3, "Apple")};
    EXPECT_EQ(Shown(macros, {"213", "123", "12345"}),
              (std::vector<std::string>{"Apple", "Zebra", "apple", "banana"}));
}

TEST(MacroListSort, ActivationRankDecidesBeforeAnyText) {
    const std::vector<ListMacro> macros = {HotKeyMacro(0, "a"), ShortKeyMacro("!x", "b"),
                                           TimedMacro("c"), HotKeyMacro(2, "d")};
    // Timed first, then ShortKeys, then hot keys by name.
    EXPECT_EQ(Shown(macros, {"123", "321", "12345"}),
              (std::vector<std::string>{"c", "b", "d", "a"}));
    // Hot keys first: "Alt+B" < "Ctrl+A" (ordinal), then the ShortKey, then the timed macro.
    EXPECT_EQ(Shown(macros, {"123", "123", "12345"}),
              (std::vector<std::string>{"d", "a", "b", "c"}));
}

TEST(MacroListSort, ScopeRankThenTargetThenSecondary) {
    const std::vector<ListMacro> macros = {
        HotKeyMacro(0, "g2"),          HotKeyMacro(1, "w", 2, "Writer"),
        HotKeyMacro(0, "sys", 5, "1"), HotKeyMacro(2, "p", 3, "GIMP"),
        HotKeyMacro(3, "g1"),          HotKeyMacro(1, "menu", 4)};
    // Scope primary, activation second: System, Program, Window, Popup, Global by "53241".
    EXPECT_EQ(Shown(macros, {"312", "123", "53241"}),
              (std::vector<std::string>{"sys", "p", "w", "menu", "g2", "g1"}));
    // Scope primary, nickname second: the two global macros by nickname.
    EXPECT_EQ(Shown(macros, {"321", "123", "12345"}),
              (std::vector<std::string>{"g1", "g2", "w", "p", "menu", "sys"}));
}

TEST(MacroListSort, SecondaryDigitPicksTheOrderOfTheOtherParts) {
    // Same activation; nickname and scope disagree, so the second digit decides.
    const std::vector<ListMacro> macros = {HotKeyMacro(0, "a", 4), HotKeyMacro(0, "b", 1)};
    EXPECT_EQ(Shown(macros, {"123", "123", "12345"}), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Shown(macros, {"132", "123", "12345"}), (std::vector<std::string>{"b", "a"}));
}

TEST(MacroListSort, DamagedSettingsAndUnknownValuesStillSortSafely) {
    const std::vector<ListMacro> macros = {HotKeyMacro(0, "b", 9), HotKeyMacro(700, "a"),
                                           TimedMacro("c")};
    for (const ListSortOrder& order : {ListSortOrder{"", "", ""}, ListSortOrder{"9x", "77", "0"},
                                       ListSortOrder{"2", "1", "1"}}) {
        EXPECT_EQ(Shown(macros, order).size(), 3u);
    }
}

TEST(MacroListMap, OneMacroIsNotSortedAndReverseSortFindsRows) {
    MacroList list;
    list.Fill(std::vector<ListMacro>{HotKeyMacro(3, "only")}, {}, Names);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.RecordAt(1), 1);
    EXPECT_EQ(list.RecordAt(0), 0);
    EXPECT_EQ(list.RecordAt(2), 0);

    const std::vector<ListMacro> macros = {HotKeyMacro(0, "c"), HotKeyMacro(0, "a"),
                                           HotKeyMacro(0, "b")};
    list.Fill(macros, {"213", "123", "12345"}, Names);
    EXPECT_EQ(list.ReverseSort(2), 1);
    EXPECT_EQ(list.ReverseSort(3), 2);
    EXPECT_EQ(list.ReverseSort(1), 3);
    EXPECT_EQ(list.ReverseSort(4), -1);
    list.Fill({}, {}, Names);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ReverseSort(1), -1);
}

TEST(MacroListMap, QuickSortKeepsEveryRecordOnceOnAFullFile) {
    // 500 macros with many equal keys: the map stays a permutation and the keys end sorted.
    std::vector<ListMacro> macros;
    for (int i = 0; i < 500; ++i) {
        macros.push_back(HotKeyMacro(static_cast<std::uint16_t>(i % 3), std::to_string(i % 7)));
    }
    MacroList list;
    list.Fill(macros, {"213", "123", "12345"}, Names);
    std::vector<bool> seen(501, false);
    std::string previous;
    for (int row = 1; row <= 500; ++row) {
        const int record = list.RecordAt(row);
        ASSERT_GE(record, 1);
        ASSERT_FALSE(seen[static_cast<std::size_t>(record)]);
        seen[static_cast<std::size_t>(record)] = true;
        const std::string key =
            SortKey(macros[static_cast<std::size_t>(record - 1)], {"213", "123", "12345"}, Names);
        EXPECT_LE(previous, key);
        previous = key;
    }
}

} // namespace
} // namespace orvane
