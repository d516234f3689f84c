// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CodePage.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(CodePage, EveryWindows1252ByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string utf8 = Windows1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToWindows1252(utf8), all);
}

TEST(CodePage, TypicalCharactersMapBothWays) {
    struct Case {
        unsigned char byte;
        const char* utf8;
    };
    for (const Case& c : {Case{0x80, "€"}, Case{0xE9, "é"}, Case{0xFC, "ü"}, Case{0xDF, "ß"},
                          Case{0xF1, "ñ"}, Case{0x93, "“"}, Case{0x9F, "Ÿ"}, Case{'A', "A"}}) {
        EXPECT_EQ(Windows1252ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8);
        EXPECT_EQ(Utf8ToWindows1252(c.utf8), std::string(1, static_cast<char>(c.byte)));
    }
}

TEST(CodePage, CharactersTheCodePageLacksBecomeTheReplacement) {
    EXPECT_EQ(Utf8ToWindows1252("a→b日"), "a?b?");
    EXPECT_EQ(Utf8ToWindows1252("x\xC3", '_'), "x_");    // truncated sequence
    EXPECT_EQ(Utf8ToWindows1252("\xC0\xAF"), "??");      // overlong "/"
    EXPECT_EQ(Utf8ToWindows1252("\xED\xA0\x80"), "???"); // surrogate
}

TEST(CodePage, Utf8DecodingReplacesEachMalformedByte) {
    EXPECT_EQ(DecodeUtf8("a\xFF\xFE"
                         "é"),
              U"a\uFFFD\uFFFDé");
    EXPECT_EQ(EncodeUtf8(U"ß€😀"), "ß€😀");
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
}

TEST(CodePage, AltCodesOfCodePage437) {
    EXPECT_EQ(CodePage437ToUnicode(130), U'é');
    EXPECT_EQ(CodePage437ToUnicode(225), U'ß');
    EXPECT_EQ(CodePage437ToUnicode(65), U'A');
}

} // namespace
} // namespace orvane
