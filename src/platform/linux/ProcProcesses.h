// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Processes.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

// The running processes as /proc shows them.
class ProcProcesses final : public Processes {
public:
    explicit ProcProcesses(std::filesystem::path proc = "/proc") : proc_(std::move(proc)) {}

    // Each process's executable from its "exe" link, or, where that cannot be read (processes
    // of other users), from the first word of its command line; kernel threads have neither
    // and are left out.
    std::vector<RunningProcess> Running() override;
    std::string ExecutableOf(int pid) override;
    // SIGTERM; ids below 2 are never signalled (0 and -1 would reach whole groups).
    void Terminate(int pid) override;

private:
    std::filesystem::path proc_;
};

// The executable's file name from the target of /proc/PID/exe ("/usr/bin/gedit" -> "gedit"),
// without the " (deleted)" the kernel appends when the file was replaced.
std::string ExecutableFromExeLink(std::string_view target);

// The file name of the first word of /proc/PID/cmdline (NUL-separated); empty when there is
// none.
std::string ExecutableFromCommandLine(std::string_view cmdline);

} // namespace orvane
