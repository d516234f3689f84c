// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/ActivationHosts.h"

#include "activation/HotKeyDispatch.h"

#include "core/CodePage.h"
#include "core/TextCase.h"
#include "platform/PlaybackCommands.h"
#include "playback/WindowFinder.h"

namespace orvane {

std::string FinderForegroundLookup::ForegroundTitle() {
    return finder_.Title(finder_.Foreground());
}

std::string FinderForegroundLookup::ForegroundProgram() {
    return UpperCase1252(Utf8ToWindows1252(finder_.ProgramOf(finder_.Foreground())));
}

bool DesktopTimedMacroHost::ActivateWindow(std::string_view title) {
    return finder_.ActivateIt(title).has_value();
}

bool DesktopTimedMacroHost::ActivateProgram(std::string_view name) {
    return finder_.ActivateProg(name).has_value();
}

void DesktopTimedMacroHost::PlayWave(std::string_view file, bool wait) {
    commands_.PlayWave(file, wait);
}

} // namespace orvane
