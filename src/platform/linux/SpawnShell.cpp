// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/SpawnShell.h"

#include "platform/linux/ShellWords.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace orvane {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// Starts `path` with `arguments` (argv[0] included) and reaps it when it ends. A `quiet` child
// writes its output to /dev/null instead of the program's own streams.
void Spawn(const std::string& path, const std::vector<std::string>& arguments, bool quiet) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        return;
    }
    // A session of its own, and the signal state a freshly started program expects, not the
    // one this program runs with.
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    if (quiet) {
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = -1;
    const int result = posix_spawn(&pid, path.c_str(), &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (result != 0 || pid <= 0) {
        return;
    }
    // Waiting for the one child we started, on a thread of its own: no zombie is left behind and
    // nothing else of the program (Qt's own children) is disturbed.
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

void OpenWithDefaultHandler(std::string_view target) {
    const char* searchPath = std::getenv("PATH");
    const std::optional<std::string> opener =
        FindExecutable("xdg-open", searchPath != nullptr ? searchPath : "/usr/bin:/bin");
    if (opener && !target.empty()) {
        // Commands fail silently: the opener's complaint about a missing document or a handler
        // it cannot find is not for the user's terminal (and would race with our own exit).
        Spawn(*opener, {"xdg-open", std::string(target)}, true);
    }
}

} // namespace

std::optional<std::string> FindExecutable(std::string_view program, std::string_view searchPath) {
    if (program.empty()) {
        return std::nullopt;
    }
    if (program.find('/') != std::string_view::npos) {
        std::string path(program);
        return IsExecutableFile(path) ? std::optional<std::string>(path) : std::nullopt;
    }
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(':', start);
        if (end == std::string_view::npos) {
            end = searchPath.size();
        }
        // An empty entry means the current folder, as for a shell.
        std::string folder(searchPath.substr(start, end - start));
        std::string path =
            (folder.empty() ? std::string(".") : folder) + "/" + std::string(program);
        if (IsExecutableFile(path)) {
            return path;
        }
        start = end + 1;
    }
    return std::nullopt;
}

void SpawnShell::Launch(std::string_view program, std::string_view parameters) {
    const char* searchPath = std::getenv("PATH");
    const std::optional<std::string> executable =
        FindExecutable(program, searchPath != nullptr ? searchPath : "/usr/bin:/bin");
    if (!executable) {
        OpenWithDefaultHandler(program);
        return;
    }
    std::vector<std::string> arguments = {std::string(program)};
    for (std::string& word : SplitShellWords(parameters)) {
        arguments.push_back(std::move(word));
    }
    Spawn(*executable, arguments, false);
}

void SpawnShell::OpenAddress(std::string_view address) {
    OpenWithDefaultHandler(address);
}

} // namespace orvane
