// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/EwmhDecoding.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr long NorthWestGravity = 1;
constexpr long SourcePager = 2;
constexpr std::uint64_t IconicState = 3;

int Clamp(std::uint64_t value) {
    // Extents are a few pixels; anything absurd is a broken property, not a frame.
    return static_cast<int>(std::min<std::uint64_t>(value, 10000));
}

} // namespace

std::vector<std::uint64_t> TopmostFirst(const std::vector<std::uint64_t>& bottomToTop) {
    std::vector<std::uint64_t> windows;
    windows.reserve(bottomToTop.size());
    for (auto it = bottomToTop.rbegin(); it != bottomToTop.rend(); ++it) {
        if (*it != 0) {
            windows.push_back(*it);
        }
    }
    return windows;
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

std::optional<FrameExtents> FrameExtentsFrom(const std::vector<std::uint64_t>& values) {
    if (values.size() != 4) {
        return std::nullopt;
    }
    return FrameExtents{Clamp(values[0]), Clamp(values[1]), Clamp(values[2]), Clamp(values[3])};
}

WindowRect FrameAround(const WindowRect& client, const FrameExtents& frame) {
    return {client.Left - frame.Left, client.Top - frame.Top,
            client.Width + frame.Left + frame.Right, client.Height + frame.Top + frame.Bottom};
}

ClientSize ClientSizeForFrame(int width, int height, const FrameExtents& frame) {
    return {std::max(1, width - frame.Left - frame.Right),
            std::max(1, height - frame.Top - frame.Bottom)};
}

long MoveResizeFlags(bool position, bool size) {
    long flags = NorthWestGravity | (SourcePager << 12);
    if (position) {
        flags |= (1L << 8) | (1L << 9);
    }
    if (size) {
        flags |= (1L << 10) | (1L << 11);
    }
    return flags;
}

bool IsIconicState(const std::vector<std::uint64_t>& wmState) {
    return !wmState.empty() && wmState[0] == IconicState;
}

} // namespace orvane
