// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace orvane {

class TMainWin;

// The File menu: the recent files it lists, hiding the window and ending the program. Opening,
// creating, importing, exporting and printing files come with their own parts of the program.
class FileCommands final : public QObject {
    Q_OBJECT
public:
    explicit FileCommands(TMainWin& window);

private:
    TMainWin& window_;
};

} // namespace orvane
