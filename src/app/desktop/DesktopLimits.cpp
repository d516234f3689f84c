// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/DesktopLimits.h"

#include "core/MainCommand.h"
#include "ui/MainCommandTable.h"
#include "ui/Prompter.h"

#include <fstream>
#include <system_error>

namespace orvane {

QString CaptureMissingText() {
    return QStringLiteral("This desktop does not let programs record your keys and mouse, so "
                          "macros cannot be captured here. Write them in the Scripting Editor.");
}

void DisableWhatTheDesktopLacks(MainCommandTable& commands, const DesktopAbilities& abilities) {
    if (!abilities.TypedText) {
        commands.SetUnsupported(
            MainCommand::ShortKeys,
            QStringLiteral("This desktop does not let programs see what you type, so ShortKeys "
                           "cannot be heard here. Hot keys, popup menus and timed macros work."));
    }
    if (!abilities.Capture) {
        const QString why = CaptureMissingText();
        for (const MainCommand command :
             {MainCommand::Capture, MainCommand::EndCapture, MainCommand::RecaptureMacro}) {
            commands.SetUnsupported(command, why);
        }
    }
    if (!abilities.Remap) {
        commands.SetUnsupported(
            MainCommand::Remap,
            QStringLiteral("This desktop does not let programs change what the keys type; "
                           "remapping works in an X11 session."));
    }
}

void DisableScreenSaverHold(MainCommandTable& commands) {
    commands.SetUnsupported(
        MainCommand::ScreenSaver,
        QStringLiteral("This desktop offers programs no way to hold off its screen saver, so "
                       "timed macros cannot keep it away."));
}

void TellOncePerSession(const std::string& notice, const std::filesystem::path& runtime,
                        Prompter& messages) {
    if (notice.empty()) {
        return;
    }
    const std::filesystem::path marker = runtime / "desktop-notice-shown";
    std::error_code ignored;
    if (std::filesystem::exists(marker, ignored)) {
        return;
    }
    std::ofstream(marker) << notice << '\n';
    messages.Show("Notice", notice);
}

} // namespace orvane
