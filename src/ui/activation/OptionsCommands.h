// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace orvane {

class TMainWin;

// The Options menu: ShortKey options, the keyboard remapper, the tray, the screen saver while
// timed macros exist and restoring the hooks (the remapping hook with the keyboard's).
// Appearance and capture defaults come with their own parts.
class OptionsCommands final : public QObject {
    Q_OBJECT
public:
    explicit OptionsCommands(TMainWin& window);

    void ShortKeysClick();

private:
    TMainWin& window_;
};

} // namespace orvane
