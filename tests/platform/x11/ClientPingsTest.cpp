// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/ClientPings.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr unsigned long Root = 0x50d;
constexpr unsigned long Protocols = 0x120;
constexpr unsigned long Ping = 0x1a3;
constexpr unsigned long Client = 0x400006;

// What a toolkit sends back: our ping with the root window in place of its own.
PingMessage Echo(const SentPing& sent) {
    return {sent.Root,
            sent.Protocols,
            32,
            {static_cast<long>(sent.Ping), static_cast<long>(sent.Stamp),
             static_cast<long>(sent.Client)}};
}

TEST(ClientPings, OnlyTheEchoOfThisVeryPingAnswersIt) {
    const SentPing sent{Root, Protocols, Ping, Client, 123456};
    EXPECT_TRUE(AnswersPing(Echo(sent), sent));

    const struct {
        const char* What;
        PingMessage Message;
    } others[] = {
        {"the late answer to an earlier ping", Echo({Root, Protocols, Ping, Client, 123400})},
        {"another program's answer", Echo({Root, Protocols, Ping, 0x600003, 123456})},
        {"the ping itself, on the client's window",
         Echo({Client, Protocols, Ping, Client, 123456})},
        {"another protocol (WM_DELETE_WINDOW)", Echo({Root, Protocols, 0x1a1, Client, 123456})},
        {"another message type", Echo({Root, 0x1ff, Ping, Client, 123456})},
        {"format 8",
         [&] {
             PingMessage m = Echo(sent);
             m.Format = 8;
             return m;
         }()},
    };
    for (const auto& other : others) {
        EXPECT_FALSE(AnswersPing(other.Message, sent)) << other.What;
    }
}

TEST(ClientPings, ServerTimesPastTwoToTheThirtyOneComeBackSignExtended) {
    // 25 days after the server started its times have the top bit set; Xlib hands the echoed
    // 32-bit value over as a negative long.
    const SentPing sent{Root, Protocols, Ping, Client, 0x80001234UL};
    PingMessage echo = Echo(sent);
    echo.Data[1] = static_cast<long>(static_cast<int>(0x80001234U));
    ASSERT_LT(echo.Data[1], 0);
    EXPECT_TRUE(AnswersPing(echo, sent));
}

TEST(ClientPings, TheSilentProgramsListRoundTripsAndDropsAnOddEnd) {
    const std::vector<PingProgram> programs{{0x400000, 4711}, {0x600000, 0}};
    const std::vector<long> list = ListOfPrograms(programs);
    EXPECT_EQ(list, (std::vector<long>{0x400000, 4711, 0x600000, 0}));
    std::vector<unsigned long> read(list.begin(), list.end());
    read.push_back(0x800000);
    EXPECT_EQ(ProgramsOfList(read), programs);
    EXPECT_TRUE(ProgramsOfList({}).empty());
}

TEST(ClientPings, ASilentProgramIsListedOnceNewestLastWithGoneProcessesDropped) {
    const auto gone = [](long pid) { return pid == 30; };
    const std::vector<PingProgram> known{{0x100000, 10}, {0x200000, 30}, {0x300000, 0}};
    EXPECT_EQ(WithSilentProgram(known, {0x100000, 10}, gone),
              (std::vector<PingProgram>{{0x300000, 0}, {0x100000, 10}}));
    // The same connection slot held by another process is another program.
    EXPECT_EQ(WithSilentProgram({{0x100000, 10}}, {0x100000, 11}, gone),
              (std::vector<PingProgram>{{0x100000, 10}, {0x100000, 11}}));

    std::vector<PingProgram> many;
    for (unsigned long i = 1; i <= SilentProgramsKept; ++i) {
        many.push_back({i << 21, static_cast<long>(i) + 100});
    }
    const std::vector<PingProgram> kept = WithSilentProgram(many, {0x7fe00000, 99}, gone);
    ASSERT_EQ(kept.size(), SilentProgramsKept);
    EXPECT_EQ(kept.front(), many[1]);
    EXPECT_EQ(kept.back(), (PingProgram{0x7fe00000, 99}));
}

} // namespace
} // namespace orvane
