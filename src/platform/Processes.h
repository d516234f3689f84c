// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace orvane {

struct RunningProcess {
    int Pid = 0;
    std::string Executable; // the executable's file name without its folder, UTF-8
};

// The running programs of the system.
class Processes {
public:
    virtual ~Processes() = default;

    // Every process whose executable can be named, in increasing process id order. Processes
    // that end while the list is read are left out; never fails (an empty list at worst).
    virtual std::vector<RunningProcess> Running() = 0;

    // The executable of one process, named as Running names it; empty when the process is gone
    // or cannot be named.
    virtual std::string ExecutableOf(int pid) = 0;

    // Asks the process to end (as a session ending does); nothing happens when it is gone or not
    // ours to end.
    virtual void Terminate(int pid) = 0;
};

} // namespace orvane
