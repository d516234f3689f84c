// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Deadline.h"
#include "Environment.h"

#include <chrono>
#include <string>
#include <vector>

namespace orvane::e2e {

// The outcome of one finished (or abandoned) command.
struct CommandResult {
    int exitCode = -1;     // the exit code when the command exited normally, else -1
    int termSignal = 0;    // the signal that ended it, 0 when it exited normally
    bool timedOut = false; // it outlived its limit and was killed
    std::string out;       // everything it wrote on standard output
    std::string err;       // everything it wrote on standard error

    bool Succeeded() const { return !timedOut && termSignal == 0 && exitCode == 0; }
    // One line for a failure message: the command, how it ended and what it said.
    std::string Describe() const;
    std::string commandLine; // the argv joined by spaces, for messages
};

// Runs a command to its end with standard input on /dev/null, collecting both output streams.
// When it has not finished within `timeout` it is killed (its whole process group) and the
// result says so. Throws std::runtime_error only when the program cannot be started at all.
CommandResult RunCommand(const std::vector<std::string>& argv, const Environment& env,
                         std::chrono::milliseconds timeout = kDefaultTimeout);

} // namespace orvane::e2e
