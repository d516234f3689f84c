// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/PromptRules.h"
#include "core/HotKeyTable.h"
#include "playback/WaveHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace orvane {
namespace {

TEST(PromptRules, PauseDialogGrowsWithItsMessage) {
    const struct {
        std::size_t Length;
        int FormHeight, MessageHeight, ButtonTop;
    } cases[] = {
        {0, 94, 0, 42}, {1, 113, 19, 61}, {29, 113, 19, 61}, {30, 132, 38, 80}, {65, 151, 57, 99},
    };
    for (const auto& c : cases) {
        const PauseLayout layout = PauseLayoutFor(c.Length);
        EXPECT_EQ(layout.FormHeight, c.FormHeight) << c.Length;
        EXPECT_EQ(layout.MessageHeight, c.MessageHeight) << c.Length;
        EXPECT_EQ(layout.ButtonTop, c.ButtonTop) << c.Length;
    }
}

TEST(PromptRules, PauseCaptionNamesTheHotKeyOfAHotKeyMacroOnly) {
    EXPECT_EQ(PauseCaption(std::nullopt), "Pause");
    EXPECT_EQ(PauseCaption(10000), "Pause");
    EXPECT_EQ(PauseCaption(20000), "Pause");
    EXPECT_EQ(PauseCaption(65535), "Pause");
    EXPECT_EQ(PauseCaption(262), "Pause (" + std::string(*HotKeyName(262)) + ")");
}

TEST(PromptRules, RepeatCountsAreDecimalIntegersCutTo16Bits) {
    const struct {
        std::string Entry;
        std::optional<std::uint16_t> Count;
    } cases[] = {
        {"12", 12},
        {" 7 ", 7},
        {"0", 0},
        {"+3", 3},
        {"-1", 65535},
        {"70000", 4464},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"1a", std::nullopt},
        {"1.5", std::nullopt},
        {"+-1", std::nullopt},
        {"- 1", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadRepeatCount(c.Entry), c.Count) << '"' << c.Entry << '"';
    }
}

TEST(PromptRules, CentringDropsTheRemainders) {
    const ScreenPoint p = CenteredOrigin(1280, 1024, 235, 131);
    EXPECT_EQ(p.Left, 522);
    EXPECT_EQ(p.Top, 446);
}

// A wave file's first bytes: RIFF header, optional extra chunk, "fmt " and the "data" header.
std::string WaveHead(std::uint32_t byteRate, std::uint32_t dataSize, std::string extra = {}) {
    const auto le32 = [](std::uint32_t v) {
        std::string s(4, '\0');
        for (int i = 0; i < 4; ++i) {
            s[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
        }
        return s;
    };
    std::string fmt = std::string("\x01\x00\x02\x00", 4) + le32(44100) + le32(byteRate) +
                      std::string("\x04\x00\x10\x00", 4);
    return "RIFF" + le32(36 + dataSize) + "WAVE" + extra + "fmt " + le32(16) + fmt + "data" +
           le32(dataSize);
}

TEST(WaveHeader, LengthIsTheDataOverTheByteRate) {
    const std::string head = WaveHead(176400, 352800);
    EXPECT_EQ(WaveLength(head, head.size() + 352800), std::chrono::milliseconds(2000));
    // A file cut short plays what it holds.
    EXPECT_EQ(WaveLength(head, head.size() + 17640), std::chrono::milliseconds(100));
    // Chunks before "fmt ", with odd sizes padded.
    const std::string odd = WaveHead(176400, 176400,
                                     std::string("LIST\x03\x00\x00\x00"
                                                 "abc\0",
                                                 12));
    EXPECT_EQ(WaveLength(odd, odd.size() + 176400), std::chrono::milliseconds(1000));
}

TEST(WaveHeader, AnythingElseHasNoLength) {
    const std::string head = WaveHead(176400, 352800);
    const std::string noRate = WaveHead(0, 100);
    EXPECT_EQ(WaveLength("", 0), std::nullopt);
    EXPECT_EQ(WaveLength("RIFF....AVI LIST", 100), std::nullopt);
    EXPECT_EQ(WaveLength(noRate, 1000), std::nullopt);
    EXPECT_EQ(WaveLength(head.substr(0, 30), 1000), std::nullopt); // cut inside "fmt "
    EXPECT_EQ(WaveLength(head.substr(0, 40), 1000), std::nullopt); // no "data" yet
    const std::string dataFirst("RIFF\0\0\0\0WAVEdata\4\0\0\0abcd", 24);
    EXPECT_EQ(WaveLength(dataFirst, 24), std::nullopt);
}

} // namespace
} // namespace orvane
