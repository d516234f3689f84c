// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace orvane {

// Turns SIGTERM, SIGHUP (the terminal or session went away) and SIGINT (Ctrl+C in the terminal
// that started the program) into a Qt signal delivered from the event loop, so the program ends
// the same way as by "Terminate": settings saved, hooks released. A signal the program was
// started with ignored (SIGINT of a background job) stays ignored.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void Requested(int signalNumber);

private:
    static void Handler(int signalNumber);
    static int writeFd_;
    int readFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace orvane
