// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace orvane {

class TMainWin;

// The Scheduler menu: the date and time in the caption and the scheduler's check interval. Its
// "&Alarm" (the sound played before timed macros) opens the sound command's dialog, and is bound
// where the program builds its command groups.
class SchedulerCommands final : public QObject {
    Q_OBJECT
public:
    explicit SchedulerCommands(TMainWin& window);

    void ShowDateClick();
    void TimerIntervalClick();

private:
    TMainWin& window_;
};

} // namespace orvane
