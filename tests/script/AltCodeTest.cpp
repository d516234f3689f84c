// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/AltCode.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(AltCode, LeadingZeroMeansWindows1252ElseCodePage437) {
    const struct {
        const char* Digits;
        char32_t Ch;
    } cases[] = {
        {"0233", U'\u00E9'}, {"0128", U'\u20AC'}, {"065", U'A'},       {"0065", U'A'},
        {"233", U'\u0398'},  {"130", U'\u00E9'},  {"0999", U'\u00E7'}, {"999", U'\u03C4'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AltCodeCharacter(c.Digits), c.Ch) << c.Digits;
    }
}

TEST(AltCode, MalformedCodesTypeNothing) {
    for (const char* digits : {"", "0000", "000", "12a", "0 65", "-65"}) {
        EXPECT_FALSE(AltCodeCharacter(digits)) << digits;
    }
}

} // namespace
} // namespace orvane
