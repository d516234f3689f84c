// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace orvane {

class TMainWin;

// The Scheduler menu: the date and time in the caption, the scheduler's check interval and the
// alarm sound played before timed macros.
class SchedulerCommands final : public QObject {
    Q_OBJECT
public:
    explicit SchedulerCommands(TMainWin& window);

    void ShowDateClick();
    void TimerIntervalClick();
    // "&Alarm": the sound played before timed macros, kept in the settings.
    void AlarmClick();

private:
    TMainWin& window_;
};

} // namespace orvane
