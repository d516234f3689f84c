// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/IpcFrame.h"

#include <cstring>

namespace orvane {
namespace {

constexpr std::string_view Magic = "i3-ipc";
constexpr std::size_t HeaderSize = Magic.size() + 8;

} // namespace

std::string EncodeIpcMessage(std::uint32_t type, std::string_view payload) {
    std::string bytes(Magic);
    const auto length = static_cast<std::uint32_t>(payload.size());
    bytes.append(reinterpret_cast<const char*>(&length), sizeof length);
    bytes.append(reinterpret_cast<const char*>(&type), sizeof type);
    bytes.append(payload);
    return bytes;
}

void IpcDecoder::Feed(std::string_view bytes) {
    if (failed_) {
        return;
    }
    // What was handed out is dropped before the buffer grows, so a long-lived event stream
    // keeps no history.
    if (offset_ > 0) {
        buffer_.erase(0, offset_);
        offset_ = 0;
    }
    buffer_.append(bytes);
}

std::optional<IpcMessage> IpcDecoder::Next() {
    if (failed_) {
        return std::nullopt;
    }
    const std::string_view rest = std::string_view(buffer_).substr(offset_);
    // A wrong start is refused as soon as its first bytes are seen.
    const std::size_t seen = std::min(rest.size(), Magic.size());
    if (rest.substr(0, seen) != Magic.substr(0, seen)) {
        failed_ = true;
        return std::nullopt;
    }
    if (rest.size() < HeaderSize) {
        return std::nullopt;
    }
    std::uint32_t length = 0;
    std::uint32_t type = 0;
    std::memcpy(&length, rest.data() + Magic.size(), sizeof length);
    std::memcpy(&type, rest.data() + Magic.size() + 4, sizeof type);
    if (length > MaxPayload) {
        failed_ = true;
        return std::nullopt;
    }
    if (rest.size() < HeaderSize + length) {
        return std::nullopt;
    }
    IpcMessage message{type, std::string(rest.substr(HeaderSize, length))};
    offset_ += HeaderSize + length;
    return message;
}

} // namespace orvane
