// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/TypedCharacters.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(TypedCharacters, PlainTextAndAltCodesInOrderTagsSkipped) {
    const struct {
        std::string_view Text;
        std::u32string Expected;
    } cases[] = {
        {"caf<ALT4:0233> na<ALT4:0239>ve", U"café naïve"},
        {"<ALT:130>x", U"éx"},               // code page 437
        {"a<ENTER>b<DELAY:00.10>c", U"abc"}, // keys and waits type no character
        {"\x80 \x84", U"€ „"},               // Windows-1252 bytes
        {"<ALT4:00x1>z<ALT4:0000>", U"z"},   // malformed codes and code 0 type nothing
        {"", U""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TypedCharacters(c.Text), c.Expected) << c.Text;
    }
}

} // namespace
} // namespace orvane
