// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/Player.h"

#include "playback/PlaybackEngine.h"

namespace orvane {

Player::Player(InputSynth& input, EventPump& pump, PlaybackCommands& commands, Prompts& prompts,
               WallClock& clock)
    : engine_(std::make_unique<PlaybackEngine>(input, pump, commands, prompts, clock)) {}

Player::~Player() = default;

void Player::Play(std::string_view macroText, bool capsWasOn) {
    engine_->Play(macroText, capsWasOn);
}

void Player::RequestAbort() {
    engine_->RequestAbort();
}

bool Player::IsPlaying() const {
    return engine_->IsPlaying();
}

} // namespace orvane
