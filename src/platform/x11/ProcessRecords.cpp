// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/ProcessRecords.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace orvane {
namespace {

struct ProcessStat {
    char State = 0;
    std::uint64_t StartTime = 0; // clock ticks after boot
};

// Fields 3 and 22 of /proc/<pid>/stat.
std::optional<ProcessStat> ReadProcessStat(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(in, stat);
    // The command name (field 2) may hold spaces and parentheses: count after the last ")".
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(stat.substr(close + 1));
    ProcessStat result;
    std::string field;
    for (int number = 3; fields >> field; ++number) {
        if (number == 3) {
            result.State = field.empty() ? 0 : field[0];
        } else if (number == 22) {
            result.StartTime = std::strtoull(field.c_str(), nullptr, 10);
            return result;
        }
    }
    return std::nullopt;
}

} // namespace

std::string OwnRecordName(const char* prefix) {
    return prefix + std::to_string(getpid());
}

void ForEachRecord(Display* d, const char* prefix,
                   const std::function<void(unsigned long, long, std::span<const long>)>& visit) {
    const Window root = DefaultRootWindow(d);
    int count = 0;
    Atom* atoms = XListProperties(d, root, &count);
    if (atoms == nullptr) {
        return;
    }
    const std::string start = prefix;
    std::vector<char*> names(static_cast<std::size_t>(count), nullptr);
    if (count > 0 && XGetAtomNames(d, atoms, count, names.data())) {
        for (int i = 0; i < count; ++i) {
            const std::string name = names[static_cast<std::size_t>(i)];
            if (name.rfind(start, 0) != 0) {
                continue;
            }
            const long pid = std::strtol(name.c_str() + start.size(), nullptr, 10);
            Atom type = 0;
            int format = 0;
            unsigned long items = 0;
            unsigned long after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(d, root, atoms[i], 0, 1 << 16, False, XA_INTEGER, &type, &format,
                                   &items, &after, &data) == Success &&
                format == 32 && data != nullptr) {
                visit(atoms[i], pid, {reinterpret_cast<const long*>(data), items});
            } else {
                visit(atoms[i], pid, {});
            }
            if (data != nullptr) {
                XFree(data);
            }
        }
        for (char* n : names) {
            if (n != nullptr) {
                XFree(n);
            }
        }
    }
    XFree(atoms);
}

std::set<std::uint8_t> BoundKeycodes(Display* d) {
    std::set<std::uint8_t> keycodes;
    ForEachRecord(d, BoundKeysRecordPrefix, [&](unsigned long, long, std::span<const long> values) {
        for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
            if (values[i] >= 8 && values[i] <= 255) {
                keycodes.insert(static_cast<std::uint8_t>(values[i]));
            }
        }
    });
    return keycodes;
}

bool NoSuchProcess(long pid) {
    return pid > 0 && kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH;
}

bool ProcessEnded(long pid, std::uint64_t startTime) {
    if (pid <= 0 || NoSuchProcess(pid)) {
        return true;
    }
    const auto stat = ReadProcessStat(pid);
    if (!stat) {
        return false;
    }
    return stat->State == 'Z' || stat->State == 'X' ||
           (startTime != 0 && stat->StartTime != startTime);
}

std::uint64_t StartTimeOfThisProcess() {
    const auto stat = ReadProcessStat(getpid());
    return stat ? stat->StartTime : 0;
}

} // namespace orvane
