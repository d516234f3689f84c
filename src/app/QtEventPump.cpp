// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <thread>

namespace orvane {

QtEventPump::QtEventPump(std::function<void()> beforeWait, std::function<void()> beforeServe)
    : beforeWait_(std::move(beforeWait)), beforeServe_(std::move(beforeServe)) {}

void QtEventPump::ServePending() {
    // Playback serves after every character, and serving (a write to the server, a look at
    // every source of events) costs more than typing one: a millisecond apart keeps the abort
    // key and the windows as responsive, and lets the keys go out many to a write.
    const TimePoint now = Now();
    if (now < nextServe_) {
        return;
    }
    nextServe_ = now + std::chrono::milliseconds(1);
    if (beforeServe_) {
        beforeServe_();
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::WaitUntil(TimePoint deadline) {
    ServePending();
    auto remaining = deadline - Now();
    if (remaining <= TimePoint::duration::zero()) {
        return;
    }
    if (beforeWait_) {
        beforeWait_();
    }
    // Qt timers count whole milliseconds and may end a hair early, and a nested loop also ends
    // when the application is told to quit: loop until the clock has really passed the deadline.
    while ((remaining = deadline - Now()) > TimePoint::duration::zero()) {
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(remaining);
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(
            static_cast<int>(std::min<std::chrono::milliseconds::rep>(ms.count(), INT32_MAX)));
        loop.exec();
        if (timer.isActive()) {
            // The loop ended before its timer: the application is quitting, and every further
            // loop would return at once. Sleep out the wait instead of spinning.
            std::this_thread::sleep_until(deadline);
        }
    }
}

bool QtEventPump::WaitFor(const std::function<bool()>& done, TimePoint deadline) {
    ServePending();
    if (done()) {
        return true;
    }
    if (beforeWait_) {
        beforeWait_();
    }
    // A timer at the deadline wakes the loop when no other event does.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    for (;;) {
        const auto remaining = deadline - Now();
        if (remaining <= TimePoint::duration::zero()) {
            return false;
        }
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(remaining);
        wake.start(
            static_cast<int>(std::min<std::chrono::milliseconds::rep>(ms.count(), INT32_MAX)));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        if (done()) {
            return true;
        }
    }
}

EventPump::TimePoint QtEventPump::Now() {
    return std::chrono::steady_clock::now();
}

} // namespace orvane
