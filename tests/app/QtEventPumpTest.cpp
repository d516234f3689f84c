// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtEventPump.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>

namespace orvane {
namespace {

using namespace std::chrono_literals;

TEST(QtEventPump, WaitsServeEventsAndEndNoEarlierThanTheDeadline) {
    int argc = 1;
    char name[] = "orvane_app_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    int beforeWait = 0;
    QtEventPump pump([&] { ++beforeWait; });

    bool fired = false;
    QTimer::singleShot(20, [&] { fired = true; });
    const auto start = pump.Now();
    pump.WaitUntil(start + 120ms);
    EXPECT_GE(pump.Now() - start, 120ms);
    EXPECT_TRUE(fired) << "a timer due during the wait was served";
    EXPECT_EQ(beforeWait, 1);

    // A deadline already passed serves what is pending and returns at once, without a wait.
    bool posted = false;
    QTimer::singleShot(0, [&] { posted = true; });
    pump.WaitUntil(pump.Now() - 1ms);
    EXPECT_TRUE(posted);
    EXPECT_EQ(beforeWait, 1);

    // The application told to quit in the middle of a wait: the wait still lasts its time, and
    // does not spin (a nested loop returns at once once the application quits).
    std::chrono::steady_clock::duration waited{};
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(10, [] { QCoreApplication::exit(0); });
        const auto again = pump.Now();
        pump.WaitUntil(again + 80ms);
        waited = pump.Now() - again;
    });
    app.exec();
    EXPECT_GE(waited, 80ms);
}

} // namespace
} // namespace orvane
