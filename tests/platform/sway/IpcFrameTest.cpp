// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/IpcFrame.h"
#include "platform/sway/SwayConnection.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orvane {
namespace {

std::vector<IpcMessage> Drain(IpcDecoder& decoder) {
    std::vector<IpcMessage> messages;
    while (auto message = decoder.Next()) {
        messages.push_back(*message);
    }
    return messages;
}

TEST(IpcFrame, EncodesMagicLengthTypeThenPayload) {
    const std::string bytes = EncodeIpcMessage(IpcType::GetTree, "ab");
    ASSERT_EQ(bytes.size(), 16U);
    EXPECT_EQ(bytes.substr(0, 6), "i3-ipc");
    std::uint32_t length = 0;
    std::uint32_t type = 0;
    std::memcpy(&length, bytes.data() + 6, 4);
    std::memcpy(&type, bytes.data() + 10, 4);
    EXPECT_EQ(length, 2U);
    EXPECT_EQ(type, IpcType::GetTree);
    EXPECT_EQ(bytes.substr(14), "ab");
}

TEST(IpcFrame, DecodesWhateverPiecesTheReadsDeliver) {
    const std::string stream = EncodeIpcMessage(IpcType::RunCommand, "[{\"success\":true}]") +
                               EncodeIpcMessage(IpcType::BindingEvent, "{\"change\":\"run\"}") +
                               EncodeIpcMessage(IpcType::GetConfig, "");
    const std::vector<IpcMessage> expected = {
        {IpcType::RunCommand, "[{\"success\":true}]"},
        {IpcType::BindingEvent, "{\"change\":\"run\"}"},
        {IpcType::GetConfig, ""},
    };
    // All at once, byte by byte (the header split everywhere), and in uneven chunks.
    for (const std::size_t chunk :
         {stream.size(), std::size_t{1}, std::size_t{5}, std::size_t{13}}) {
        IpcDecoder decoder;
        std::vector<IpcMessage> got;
        for (std::size_t at = 0; at < stream.size(); at += chunk) {
            decoder.Feed(std::string_view(stream).substr(at, chunk));
            for (IpcMessage& m : Drain(decoder)) {
                got.push_back(std::move(m));
            }
        }
        EXPECT_EQ(got, expected) << "chunk " << chunk;
        EXPECT_FALSE(decoder.Failed());
        EXPECT_EQ(decoder.Buffered(), 0U);
    }
    EXPECT_TRUE(expected[1].IsEvent());
    EXPECT_FALSE(expected[0].IsEvent());
}

TEST(IpcFrame, TruncatedStreamWaitsAndDamagedStreamIsRefused) {
    const std::string message = EncodeIpcMessage(IpcType::GetTree, "{\"id\":1}");
    IpcDecoder truncated;
    truncated.Feed(std::string_view(message).substr(0, message.size() - 1));
    EXPECT_FALSE(truncated.Next());
    EXPECT_FALSE(truncated.Failed());

    IpcDecoder badMagic;
    badMagic.Feed("i3-ipX");
    EXPECT_FALSE(badMagic.Next());
    EXPECT_TRUE(badMagic.Failed());
    badMagic.Feed(message); // nothing after a damaged start is framed again
    EXPECT_FALSE(badMagic.Next());

    IpcDecoder huge;
    std::string header = "i3-ipc";
    const std::uint32_t length = 0xFFFFFFF0U;
    const std::uint32_t type = 0;
    header.append(reinterpret_cast<const char*>(&length), 4);
    header.append(reinterpret_cast<const char*>(&type), 4);
    huge.Feed(header);
    EXPECT_FALSE(huge.Next());
    EXPECT_TRUE(huge.Failed());
}

TEST(IpcFrame, CommandRepliesGiveOneResultPerCommand) {
    const auto results = ParseCommandResults(
        R"([{"success":true},{"success":false,"parse_error":true,"error":"Unknown key 'Super'"}])");
    ASSERT_EQ(results.size(), 2U);
    EXPECT_TRUE(results[0].Success);
    EXPECT_FALSE(results[1].Success);
    EXPECT_EQ(results[1].Error, "Unknown key 'Super'");

    const auto unreadable = ParseCommandResults("not json");
    ASSERT_EQ(unreadable.size(), 1U);
    EXPECT_FALSE(unreadable[0].Success);
}

} // namespace
} // namespace orvane
