// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Environment.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace orvane::e2e {

// What a child's standard stream is connected to: the given descriptor, /dev/null, or the
// harness's own stream (so its messages show in the test log).
inline constexpr int kDevNull = -1;
inline constexpr int kInherit = -2;

struct SpawnOptions {
    std::vector<std::string> argv; // argv[0] is looked up in PATH when it has no '/'
    Environment env;
    int stdinFd = kDevNull;
    int stdoutFd = kDevNull;
    int stderrFd = kInherit;
    int extraFd = -1;          // when >= 0, handed to the child as descriptor 3
    int deathSignal = SIGTERM; // sent to the child when the harness dies (PR_SET_PDEATHSIG)
    std::string cwd;           // the child's current folder; empty: the harness's own
};

// One child process in a process group of its own, so that stopping it also stops anything it
// started. The child dies with the harness even when the harness is killed by a signal, because
// the kernel sends it `deathSignal` when its parent goes. The kernel ties that signal to the
// thread that started the child, so start children from a thread that outlives them (the test's
// own thread), never from a short-lived helper thread. Move-only; the destructor stops it.
class ChildProcess {
public:
    ChildProcess() = default;
    // Starts the program; throws std::runtime_error when it cannot be started (fork failed, or
    // the program could not be executed: the message names it and the reason).
    explicit ChildProcess(const SpawnOptions& options);
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    bool Started() const { return pid_ > 0; }
    // A descriptor that poll() reports readable once the process has exited; -1 when the kernel
    // offers none (then callers poll Running() instead). Owned by this object.
    int ExitFd() const { return pidFd_; }

    // True until the process has exited (it is checked without blocking).
    bool Running();

    // Blocks until the process exits or the timeout passes; true when it has exited. Does not
    // reap it, so its process group stays valid for Stop().
    bool WaitForExit(std::chrono::milliseconds timeout);

    // Sends SIGTERM to the process group, waits up to `grace` for the process to exit, then
    // sends SIGKILL to the group (taking any leftover descendants with it) and reaps the
    // process. Safe to call more than once.
    void Stop(std::chrono::milliseconds grace = std::chrono::milliseconds(5000));

    // The wait status (as from waitpid) once the process has exited and been reaped by Stop();
    // -1 before.
    int WaitStatus() const { return status_; }

private:
    void Reset() noexcept;

    pid_t pid_ = -1;
    int pidFd_ = -1;
    int status_ = -1;
    bool exited_ = false;
};

// Starts `options` with its standard error written to the file `log` (made afresh), for the
// test to show when something goes wrong.
std::unique_ptr<ChildProcess> StartLogged(SpawnOptions options, const std::filesystem::path& log);
// The same for a program and its arguments in the environment `env`.
std::unique_ptr<ChildProcess> StartLogged(std::vector<std::string> argv, Environment env,
                                          const std::filesystem::path& log);

} // namespace orvane::e2e
