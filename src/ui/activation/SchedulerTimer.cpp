// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/SchedulerTimer.h"

#include "activation/Scheduler.h"
#include "core/LocalMoment.h"
#include "core/SettingsBlock.h"
#include "platform/ScreenSaver.h"

namespace orvane {

SchedulerTimer::SchedulerTimer(Scheduler& scheduler, const SettingsBlock& settings,
                               ScreenSaver* screenSaver, QObject* parent)
    : QObject(parent), scheduler_(scheduler), settings_(settings), screenSaver_(screenSaver) {
    // Coarse timers may fire up to 5% late; the checks are crossing tests, so a late tick
    // only delays a run, it never loses one.
    myTimer_.setTimerType(Qt::CoarseTimer);
    connect(&myTimer_, &QTimer::timeout, this, &SchedulerTimer::MyTimerTimer);
    startUp_.setSingleShot(true);
    connect(&startUp_, &QTimer::timeout, this, [this] {
        if (!scheduler_.DoStartUpMacros()) {
            startUp_.start(StartUpRetryMs);
        }
    });
}

void SchedulerTimer::Rebuild() {
    scheduler_.CheckAndSetTime(LocalMoment::Now());
    Follow();
}

void SchedulerTimer::SettingsChanged() {
    Follow();
}

void SchedulerTimer::StartUpLater() {
    startUp_.start(StartUpDelayMs);
}

void SchedulerTimer::MyTimerTimer() {
    if (scheduler_.HasEntries()) {
        scheduler_.CheckOutTimerMacros(LocalMoment::Now());
    }
    emit Ticked();
}

void SchedulerTimer::Follow() {
    const int interval = (settings_.TimerSeconds > 0 ? settings_.TimerSeconds : 10) * 1000;
    if (scheduler_.HasEntries() || settings_.ShowDate) {
        if (!myTimer_.isActive() || myTimer_.interval() != interval) {
            myTimer_.start(interval);
        }
    } else {
        myTimer_.stop();
    }
    if (screenSaver_ != nullptr) {
        screenSaver_->Suspend(settings_.DisableScreenSaver && scheduler_.HaveActiveTimedMacros());
    }
}

} // namespace orvane
