// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/ProcProcesses.h"

#include <algorithm>
#include <charconv>
#include <csignal>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace orvane {
namespace {

namespace fs = std::filesystem;

std::string FileNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::optional<int> PidOf(const std::string& name) {
    int pid = 0;
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(name.data(), end, pid);
    if (error != std::errc() || stop != end || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

} // namespace

std::string ExecutableFromExeLink(std::string_view target) {
    constexpr std::string_view deleted = " (deleted)";
    if (target.size() > deleted.size() && target.ends_with(deleted)) {
        target.remove_suffix(deleted.size());
    }
    return FileNameOf(target);
}

std::string ExecutableFromCommandLine(std::string_view cmdline) {
    const std::size_t end = cmdline.find('\0');
    const std::string_view first = end == std::string_view::npos ? cmdline : cmdline.substr(0, end);
    // Some programs rewrite their command line into one line with their arguments.
    const std::size_t blank = first.find(' ');
    return FileNameOf(blank == std::string_view::npos ? first : first.substr(0, blank));
}

namespace {

// The executable of the process whose /proc folder is `folder`; empty when it has none.
std::string ExecutableIn(const fs::path& folder) {
    std::error_code linkError;
    const fs::path exe = fs::read_symlink(folder / "exe", linkError);
    if (!linkError) {
        return ExecutableFromExeLink(exe.string());
    }
    std::ifstream in(folder / "cmdline", std::ios::binary);
    const std::string cmdline((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    return ExecutableFromCommandLine(cmdline);
}

} // namespace

std::string ProcProcesses::ExecutableOf(int pid) {
    return pid > 0 ? ExecutableIn(proc_ / std::to_string(pid)) : std::string();
}

std::vector<RunningProcess> ProcProcesses::Running() {
    std::vector<RunningProcess> processes;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(proc_, error)) {
        const std::optional<int> pid = PidOf(entry.path().filename().string());
        if (!pid) {
            continue;
        }
        std::string name = ExecutableIn(entry.path());
        if (!name.empty()) {
            processes.push_back({*pid, std::move(name)});
        }
    }
    std::sort(processes.begin(), processes.end(),
              [](const RunningProcess& a, const RunningProcess& b) { return a.Pid < b.Pid; });
    return processes;
}

void ProcProcesses::Terminate(int pid) {
    if (pid > 1) {
        ::kill(pid, SIGTERM);
    }
}

} // namespace orvane
