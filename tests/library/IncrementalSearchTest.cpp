// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/IncrementalSearch.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvane {
namespace {

using Key = IncrementalSearch::Key;
using Effect = IncrementalSearch::Effect;

// Activation texts in display order: a Ctrl+Alt+ key before a Ctrl+ key of the same letter.
const std::vector<std::string> Rows = {"Alt+B", "Ctrl+Alt+A", "Ctrl+A", "sig", "Timed Macro"};

int Type(IncrementalSearch& search, const std::string& text) {
    for (const char c : text) {
        EXPECT_EQ(search.Press(Key::Character, c), Effect::Search);
    }
    return search.FindRow(static_cast<int>(Rows.size()),
                          [](int row) { return Rows[static_cast<std::size_t>(row - 1)]; });
}

TEST(IncrementalSearch, FirstRowInDisplayOrderWhoseActivationStartsWithTheTyping) {
    struct Case {
        std::string typed;
        int row;
    };
    const Case cases[] = {{"c", 2}, {"ctrl+a", 2}, {"CTRL+A", 2}, {"Ctrl+Alt+A", 2},
                          {"S", 4}, {"timed", 5},  {"x", 0},      {"ctrl+ab", 0}};
    for (const Case& c : cases) {
        IncrementalSearch search;
        EXPECT_EQ(Type(search, c.typed), c.row) << c.typed;
    }
}

TEST(IncrementalSearch, KeysThatEditOrClearTheBuffer) {
    IncrementalSearch search;
    Type(search, "ctrl+x");
    EXPECT_EQ(search.Press(Key::Backspace), Effect::Search);
    EXPECT_EQ(search.Buffer(), "CTRL+");
    EXPECT_EQ(Type(search, "a"), 2);

    for (const Key key : {Key::Tab, Key::LineFeed, Key::Enter, Key::Escape}) {
        Type(search, "c");
        EXPECT_EQ(search.Press(key), Effect::Swallow);
        EXPECT_EQ(search.Buffer(), "");
    }
    for (const Key key : {Key::Control, Key::Alt, Key::Navigation}) {
        Type(search, "c");
        EXPECT_EQ(search.Press(key), Effect::PassOn);
        EXPECT_EQ(search.Buffer(), "");
    }
    EXPECT_EQ(search.Press(Key::Backspace), Effect::Ignore) << "nothing to remove";
    EXPECT_EQ(search.Press(Key::Other), Effect::Ignore);
}

} // namespace
} // namespace orvane
