// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace orvane {

// Sounds: wave files and the desktop's bell.
class Sound {
public:
    virtual ~Sound() = default;

    // Starts playing the wave file at `path` (UTF-8) and returns at once with the sound's
    // length, which the caller waits out when it wants to wait for the end. Without a sound
    // device nothing is heard but the length is still returned, so waits keep their time.
    // Nothing (and no sound) when the file cannot be read or is not a wave file.
    virtual std::optional<std::chrono::milliseconds> PlayWave(std::string_view path) = 0;

    // Rings the desktop's bell.
    virtual void Beep() = 0;
};

} // namespace orvane
