// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The message types of the compositor's IPC that this program uses. Events carry the top bit.
namespace IpcType {
inline constexpr std::uint32_t RunCommand = 0;
inline constexpr std::uint32_t Subscribe = 2;
inline constexpr std::uint32_t GetTree = 4;
inline constexpr std::uint32_t GetConfig = 9;
inline constexpr std::uint32_t GetInputs = 100;
inline constexpr std::uint32_t EventBit = 0x80000000U;
inline constexpr std::uint32_t WorkspaceEvent = EventBit | 0;
inline constexpr std::uint32_t WindowEvent = EventBit | 3;
inline constexpr std::uint32_t BindingEvent = EventBit | 5;
} // namespace IpcType

struct IpcMessage {
    std::uint32_t Type = 0;
    std::string Payload;

    bool IsEvent() const { return (Type & IpcType::EventBit) != 0; }
    friend bool operator==(const IpcMessage&, const IpcMessage&) = default;
};

// The bytes of one message: the magic, the payload's length and the type (native byte order,
// as the compositor runs on the same machine), then the payload.
std::string EncodeIpcMessage(std::uint32_t type, std::string_view payload);

// Cuts a byte stream into messages, whatever pieces the reads deliver. A stream that does not
// start with the magic, or announces a payload beyond any reason, is refused for good: what
// follows cannot be framed again.
class IpcDecoder {
public:
    // Payloads above this are taken for a damaged stream (a tree of thousands of windows is a
    // few megabytes).
    static constexpr std::uint32_t MaxPayload = 64U << 20;

    void Feed(std::string_view bytes);
    // The next whole message, or nothing until more bytes come (or once the stream failed).
    std::optional<IpcMessage> Next();
    bool Failed() const { return failed_; }
    // Bytes fed but not yet given out as messages.
    std::size_t Buffered() const { return buffer_.size() - offset_; }

private:
    std::string buffer_;
    std::size_t offset_ = 0;
    bool failed_ = false;
};

} // namespace orvane
