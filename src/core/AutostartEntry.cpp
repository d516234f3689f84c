// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AutostartEntry.h"

#include "core/AtomicFile.h"

#include <system_error>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view ProgramName = "orvane";
constexpr std::string_view HideSwitch = "/HIDE";

// Characters that make an Exec argument need quotes.
constexpr std::string_view Reserved = " \t\n\"'\\><~|&;$*?#()`";
// Characters that must be escaped with a backslash inside quotes.
constexpr std::string_view EscapedInQuotes = "\"`$\\";

bool IsExecutableFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

// The `orvane` a shell would run: the first executable of that name along $PATH.
fs::path ProgramOnPath(const EnvironmentLookup& environment) {
    const std::optional<std::string> path = environment("PATH");
    if (!path) {
        return {};
    }
    std::string_view rest = *path;
    while (true) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        // An empty entry is the current folder, which no login session can rely on.
        if (!folder.empty() && folder.front() == '/') {
            const fs::path candidate = fs::path(folder) / ProgramName;
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
        if (colon == std::string_view::npos) {
            return {};
        }
        rest.remove_prefix(colon + 1);
    }
}

} // namespace

fs::path AutostartEntryPath(const EnvironmentLookup& environment) {
    // The config folder is <base>/orvane; the autostart folder sits beside it.
    const fs::path config = ConfigFolder(environment);
    if (config.empty()) {
        return {};
    }
    return config.parent_path() / "autostart" / "orvane.desktop";
}

std::string AutostartCommand(const fs::path& executable, const EnvironmentLookup& environment) {
    const fs::path onPath = ProgramOnPath(environment);
    std::error_code error;
    if (!onPath.empty() && fs::equivalent(onPath, executable, error)) {
        return std::string(ProgramName) + " " + std::string(HideSwitch);
    }
    return DesktopExecArgument(executable.string()) + " " + std::string(HideSwitch);
}

std::string DesktopExecArgument(std::string_view argument) {
    std::string quoted;
    if (argument.empty() || argument.find_first_of(Reserved) != std::string_view::npos) {
        quoted = "\"";
        for (const char c : argument) {
            if (EscapedInQuotes.find(c) != std::string_view::npos) {
                quoted += '\\';
            }
            quoted += c;
        }
        quoted += '"';
    } else {
        quoted = argument;
    }
    // The value is a string first (its escapes are undone before the quoting is read), and
    // "%" starts a field code.
    std::string value;
    for (const char c : quoted) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        case '%':
            value += "%%";
            break;
        default:
            value += c;
        }
    }
    return value;
}

std::string AutostartEntryText(std::string_view command) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Orvane\n"
           "Comment=Keyboard and mouse macros, started in the system tray at login\n"
           "Exec=" +
           std::string(command) +
           "\n"
           "Icon=orvane\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool AutostartEntryPresent(const fs::path& entry) {
    std::error_code error;
    return !entry.empty() && fs::exists(entry, error);
}

bool WriteAutostartEntry(const fs::path& entry, std::string_view text) {
    if (entry.empty() || !CreateFolderIfMissing(entry.parent_path())) {
        return false;
    }
    return WriteFileAtomically(entry, text, 0644);
}

bool RemoveAutostartEntry(const fs::path& entry) {
    if (entry.empty()) {
        return true;
    }
    std::error_code error;
    fs::remove(entry, error);
    return !AutostartEntryPresent(entry);
}

} // namespace orvane
