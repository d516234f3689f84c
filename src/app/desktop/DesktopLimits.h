// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/desktop/DesktopBackend.h"

#include <QString>
#include <filesystem>
#include <string>

namespace orvane {

class MainCommandTable;
class Prompter;

// Why a desktop that keeps the user's keys and mouse from programs cannot record macros.
QString CaptureMissingText();

// Commands the desktop cannot carry out stay disabled for the run, each saying why when
// pointed at: a command that cannot work must not look as if it did.
void DisableWhatTheDesktopLacks(MainCommandTable& commands, const DesktopAbilities& abilities);

// Without a way to hold off the screen saver, its option would do nothing: it stays off and
// says why.
void DisableScreenSaverHold(MainCommandTable& commands);

// Shows `notice` (when there is one) once per login session: a marker in the runtime folder
// remembers it was shown.
void TellOncePerSession(const std::string& notice, const std::filesystem::path& runtime,
                        Prompter& messages);

} // namespace orvane
