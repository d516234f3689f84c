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

ca_context* CanberraSound::Context() {
    if (context_ != nullptr || unavailable_) {
        return context_;
    }
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) {
        unavailable_ = true;
        return nullptr;
    }
    ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Orvane", CA_PROP_APPLICATION_ID,
                            "orvane", nullptr);
    if (ca_context_open(context) != CA_SUCCESS) {
        // No sound server or device: every later sound is silent, with its time kept.
        ca_context_destroy(context);
        unavailable_ = true;
        return nullptr;
    }
    context_ = context;
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
