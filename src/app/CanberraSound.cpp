// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CanberraSound.h"

#include "playback/WaveHeader.h"

#include <canberra.h>

#include <fstream>
#include <string>
#include <sys/stat.h>

namespace orvane {

CanberraSound::CanberraSound(std::function<void()> bell) : bell_(std::move(bell)) {}

CanberraSound::~CanberraSound() {
    if (context_ != nullptr) {
        ca_context_destroy(context_);
    }
}

namespace {

// A sound card the kernel knows of. Without one, ALSA writes its complaints straight to
// standard error, so the ALSA driver is only tried where a card exists.
bool HasSoundCard() {
    std::ifstream cards("/proc/asound/cards");
    std::string line;
    while (std::getline(cards, line)) {
        if (line.find('[') != std::string::npos) {
            return true;
        }
    }
    return false;
}

ca_context* OpenWith(const char* driver) {
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) {
        return nullptr;
    }
    ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Orvane", CA_PROP_APPLICATION_ID,
                            "orvane", nullptr);
    if (ca_context_set_driver(context, driver) != CA_SUCCESS ||
        ca_context_open(context) != CA_SUCCESS) {
        ca_context_destroy(context);
        return nullptr;
    }
    return context;
}

} // namespace

ca_context* CanberraSound::Context() {
    if (context_ != nullptr || unavailable_) {
        return context_;
    }
    // The desktop's sound server first, the sound card itself where there is no server.
    context_ = OpenWith("pulse");
    if (context_ == nullptr && HasSoundCard()) {
        context_ = OpenWith("alsa");
    }
    // No sound at all: every later sound is silent, with its time kept.
    unavailable_ = context_ == nullptr;
    return context_;
}

std::optional<std::chrono::milliseconds> CanberraSound::PlayWave(std::string_view path) {
    const std::string file(path);
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::string head(WaveHeaderBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    const std::optional<std::chrono::milliseconds> length =
        WaveLength(head, static_cast<std::uint64_t>(info.st_size));
    if (!length) {
        return std::nullopt;
    }
    if (ca_context* context = Context()) {
        ca_context_play(context, nextId_++, CA_PROP_MEDIA_FILENAME, file.c_str(), nullptr);
    }
    return length;
}

void CanberraSound::Beep() {
    if (bell_) {
        bell_();
    }
}

} // namespace orvane
