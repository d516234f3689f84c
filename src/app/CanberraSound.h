// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Sound.h"

#include <functional>

struct ca_context;

namespace orvane {

// Wave files through libcanberra, the desktop's event-sound library (PulseAudio or ALSA,
// whichever the system has). The sound's length comes from the file's header, so a wait for the
// end keeps its time also where no sound device can be opened; then nothing is heard and
// nothing fails. The bell is rung by the function given (the X bell).
class CanberraSound final : public Sound {
public:
    explicit CanberraSound(std::function<void()> bell);
    ~CanberraSound() override;
    CanberraSound(const CanberraSound&) = delete;
    CanberraSound& operator=(const CanberraSound&) = delete;

    std::optional<std::chrono::milliseconds> PlayWave(std::string_view path) override;
    void Beep() override;

private:
    // The context, opened at the first sound; null while no device can be opened.
    ca_context* Context();

    std::function<void()> bell_;
    ca_context* context_ = nullptr;
    bool unavailable_ = false;
    unsigned nextId_ = 1;
};

} // namespace orvane
