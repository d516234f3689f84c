// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/Player.h"

#include "playback/PlaybackEngine.h"

namespace orvane {

Player::Player(InputSynth& input, EventPump& pump, PlaybackCommands& commands, Prompts& prompts,
               WallClock& clock)
    : input_(input), pump_(pump), commands_(commands), prompts_(prompts), clock_(clock),
      engine_(std::make_unique<PlaybackEngine>(input, pump, commands, prompts, clock)) {}

Player::~Player() = default;

void Player::Play(std::string_view macroText, bool capsWasOn) {
    if (!engine_->IsPlaying()) {
        engine_->Play(macroText, capsWasOn);
        return;
    }
    if (!IsPaused()) {
        return;
    }
    nested_.push_back(std::make_unique<PlaybackEngine>(input_, pump_, commands_, prompts_, clock_));
    PlaybackEngine& engine = *nested_.back();
    engine.Play(macroText, capsWasOn);
    nested_.pop_back();
}

void Player::RequestAbort() {
    (nested_.empty() ? *engine_ : *nested_.back()).RequestAbort();
}

bool Player::IsPaused() const {
    return (nested_.empty() ? *engine_ : *nested_.back()).IsPaused();
}

bool Player::IsPlaying() const {
    return engine_->IsPlaying();
}

} // namespace orvane
