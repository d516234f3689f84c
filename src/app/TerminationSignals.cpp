// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminationSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace orvane {

int TerminationSignals::writeFd_ = -1;

void TerminationSignals::Handler(int signalNumber) {
    // Only async-signal-safe work here: one byte into the pipe the event loop watches.
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(writeFd_, &byte, 1);
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    readFd_ = fds[0];
    writeFd_ = fds[1];
    notifier_ = new QSocketNotifier(readFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        while (::read(readFd_, &byte, 1) == 1) {
            emit Requested(byte);
        }
    });
    struct sigaction action {};
    action.sa_handler = &TerminationSignals::Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        struct sigaction previous {};
        ::sigaction(signalNumber, nullptr, &previous);
        if (previous.sa_handler != SIG_IGN) {
            ::sigaction(signalNumber, &action, nullptr);
        }
    }
}

TerminationSignals::~TerminationSignals() {
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        struct sigaction previous {};
        ::sigaction(signalNumber, nullptr, &previous);
        if (previous.sa_handler == &TerminationSignals::Handler) {
            ::signal(signalNumber, SIG_DFL);
        }
    }
    if (readFd_ >= 0) {
        ::close(readFd_);
        ::close(writeFd_);
        writeFd_ = -1;
    }
}

} // namespace orvane
