// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/Player.h"

#include "playback/PlaybackEngine.h"

namespace orvane {

Player::Player(InputSynth& input, EventPump& pump, PlaybackCommands& commands, Prompts& prompts,
               WallClock& clock)
    : input_(input), pump_(pump), commands_(commands), prompts_(prompts), clock_(clock),
      engine_(std::make_unique<PlaybackEngine>(input, pump, commands, prompts, clock)) {}

Player::~Player() = default;

std::optional<std::size_t> Player::Play(std::string_view macroText, bool capsWasOn) {
    const std::size_t pasteAbove = pasteAbove_ ? pasteAbove_() : 0;
    if (!engine_->IsPlaying()) {
        engine_->SetPasteAbove(pasteAbove);
        return engine_->Play(macroText, capsWasOn);
    }
    if (!IsPaused()) {
        return std::nullopt;
    }
    nested_.push_back(std::make_unique<PlaybackEngine>(input_, pump_, commands_, prompts_, clock_));
    PlaybackEngine& engine = *nested_.back();
    engine.SetPasteAbove(pasteAbove);
    const std::optional<std::size_t> typed = engine.Play(macroText, capsWasOn);
    nested_.pop_back();
    return typed;
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
