// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Text.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane {
namespace {

using namespace std::string_literals;

TEST(Trim, DropsBlanksAndControlsAtTheEndsOnly) {
    struct Case {
        std::string text;
        std::string trimmed;
    };
    for (const Case& c :
         {Case{.text = " \t 12 \r\n", .trimmed = "12"}, Case{.text = "a b", .trimmed = "a b"},
          Case{.text = " \x01\x1f ", .trimmed = ""}, Case{.text = "\0x\0"s, .trimmed = "x"},
          // A Windows-1252 non-breaking space and accented letters are text.
          Case{.text = "\xa0\xe9 \xa0", .trimmed = "\xa0\xe9 \xa0"}}) {
        EXPECT_EQ(Trim(c.text), c.trimmed) << c.text;
    }
}

TEST(Trim, DropsOnlyTheCharactersItIsGiven) {
    EXPECT_EQ(Trim("  \tF1\t ", " "), "\tF1\t");
    EXPECT_EQ(Trim(" \t F1 \t\r", " \t"), "F1 \t\r");
    EXPECT_EQ(Trim("   ", " "), "");
}

} // namespace
} // namespace orvane
