// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace orvane {

class TMainWin;

// The Help menu: the manual and the program's About box.
class HelpCommands final : public QObject {
    Q_OBJECT
public:
    explicit HelpCommands(TMainWin& window);

    void ShowHelp();
    void ShowAbout();

private:
    TMainWin& window_;
};

} // namespace orvane
