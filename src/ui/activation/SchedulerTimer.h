// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace orvane {

class Scheduler;
class ScreenSaver;
struct SettingsBlock;

// The scheduler's timers in the event loop: "MyTimer", which checks the timer table every
// "Timer Seconds", and the one-shot start-up timer. MyTimer runs only while there is something
// for it to do: timed entries to check, or a caption clock to keep ("Show Date"); otherwise the
// program gets no wake-ups at all. The screen saver is held off while active timed macros
// exist and "Disable Screen Saver" is on.
class SchedulerTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int StartUpDelayMs = 5000;
    // A start-up run that found another macro playing tries again after this.
    static constexpr int StartUpRetryMs = 1000;

    // None is owned; all outlive the timer. `screenSaver` may be null (no such service).
    SchedulerTimer(Scheduler& scheduler, const SettingsBlock& settings, ScreenSaver* screenSaver,
                   QObject* parent = nullptr);

    // CheckAndSetTime now, then the timer and the screen saver follow the table. Call after
    // every change to macros, after loading a file and when a macro is (de)activated.
    void Rebuild();
    // "Timer Seconds", "Show Date" or "Disable Screen Saver" changed.
    void SettingsChanged();
    // Starts the five-second wait for the start-up macros.
    void StartUpLater();

    // One tick of MyTimer: the check, then the caption refresh.
    void MyTimerTimer();

    bool Running() const { return myTimer_.isActive(); }
    int IntervalMs() const { return myTimer_.interval(); }

signals:
    // After every tick: the caption's date and time are due for a refresh.
    void Ticked();

private:
    void Follow();

    Scheduler& scheduler_;
    const SettingsBlock& settings_;
    ScreenSaver* screenSaver_;
    QTimer myTimer_;
    QTimer startUp_;
};

} // namespace orvane
