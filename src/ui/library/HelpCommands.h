// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MainCommand.h"

#include <QObject>
#include <span>
#include <string_view>
#include <utility>

namespace orvane {

class HelpCenter;
class TMainWin;

// The section of the manual that explains each main command (F1 on its highlighted menu entry).
std::span<const std::pair<MainCommand, std::string_view>> MainCommandHelpSections();

// The Help menu: the manual in the help window, and the program's About box. It keeps the
// program's help (F1 in every window) for as long as the main window lives.
class HelpCommands final : public QObject {
    Q_OBJECT
public:
    explicit HelpCommands(TMainWin& window);

    void ShowHelp();
    void ShowAbout();
    HelpCenter& Help() const { return *help_; }

private:
    TMainWin& window_;
    HelpCenter* help_ = nullptr;
};

} // namespace orvane
