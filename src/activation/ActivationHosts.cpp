// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/ActivationHosts.h"

#include "activation/HotKeyDispatch.h"
#include "platform/PlaybackCommands.h"
#include "platform/Prompts.h"
#include "playback/Player.h"
#include "playback/WindowFinder.h"

namespace orvane {

std::optional<std::string_view> DispatchShortKeyHost::RefusalNow() {
    return dispatch_.RefusalNow();
}

bool DispatchShortKeyHost::Playing() {
    return dispatch_.Busy();
}

void DispatchShortKeyHost::ShowWarning(std::string_view text) {
    prompts_.DoAMessage(HotKeyDispatch::WarningCaption, text);
}

void DispatchShortKeyHost::IntoProgram(int macro, bool capsWasOn) {
    dispatch_.IntoProgram(macro, capsWasOn);
}

std::string DispatchShortKeyHost::ForegroundTitle() {
    return finder_.Title(finder_.Foreground());
}

std::string DispatchShortKeyHost::ForegroundProgram() {
    return dispatch_.GetTopProgram();
}

bool DispatchTimedMacroHost::ActivateWindow(std::string_view title) {
    return finder_.ActivateIt(title).has_value();
}

bool DispatchTimedMacroHost::ActivateProgram(std::string_view name) {
    return finder_.ActivateProg(name).has_value();
}

void DispatchTimedMacroHost::PlayWave(std::string_view file, bool wait) {
    commands_.PlayWave(file, wait);
}

bool DispatchTimedMacroHost::CapsLockReported() {
    return dispatch_.CapsLockReported();
}

bool DispatchTimedMacroHost::Playing() {
    return dispatch_.Busy();
}

bool DispatchTimedMacroHost::Paused() {
    return player_.IsPaused();
}

void DispatchTimedMacroHost::IntoProgram(int macro, bool capsWasOn) {
    dispatch_.IntoProgram(macro, capsWasOn);
}

} // namespace orvane
