// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildProcess.h"

#include "Deadline.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace orvane::e2e {
namespace {

// Everything the child does between fork() and exec() must be async-signal-safe: the harness may
// have threads (GoogleTest, Qt), so memory is prepared before the fork and only system calls run
// after it.
[[noreturn]] void ExecChild(const SpawnOptions& options, char* const* argv, char* const* envp,
                            pid_t parent, int errorPipe) {
    auto fail = [errorPipe]() {
        int err = errno;
        (void)!write(errorPipe, &err, sizeof err);
        _exit(127);
    };
    if (prctl(PR_SET_PDEATHSIG, options.deathSignal) != 0) {
        fail();
    }
    // The parent may have died before the line above took effect.
    if (getppid() != parent) {
        _exit(126);
    }
    if (setpgid(0, 0) != 0) {
        fail();
    }
    if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0) {
        fail();
    }
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    sigaction(SIGPIPE, &dfl, nullptr);
    sigaction(SIGINT, &dfl, nullptr);
    sigaction(SIGTERM, &dfl, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);

    int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
    if (devNull < 0) {
        fail();
    }
    auto connect = [&](int source, int target) {
        if (source == kInherit) {
            return;
        }
        int from = source == kDevNull ? devNull : source;
        if (from == target) {
            int flags = fcntl(target, F_GETFD);
            if (flags < 0 || fcntl(target, F_SETFD, flags & ~FD_CLOEXEC) != 0) {
                fail();
            }
        } else if (dup2(from, target) < 0) {
            fail();
        }
    };
    // The extra descriptor may itself sit on 0..2: move it out of the way first.
    int extra = options.extraFd;
    if (extra >= 0 && extra <= 3) {
        extra = fcntl(extra, F_DUPFD_CLOEXEC, 10);
        if (extra < 0) {
            fail();
        }
    }
    connect(options.stdinFd, 0);
    connect(options.stdoutFd, 1);
    connect(options.stderrFd, 2);
    int firstToClose = 3;
    if (extra >= 0) {
        connect(extra, 3);
        firstToClose = 4;
    }
    // The error pipe is close-on-exec; everything else the harness holds must not leak into the
    // child (a leaked pipe end would keep another probe's output open forever).
    for (int fd = firstToClose; fd < 1024; ++fd) {
        if (fd != errorPipe) {
            close(fd);
        }
    }
    execvpe(argv[0], argv, envp);
    fail();
    _exit(127);
}

} // namespace

ChildProcess::ChildProcess(const SpawnOptions& options) {
    if (options.argv.empty()) {
        throw std::runtime_error("ChildProcess: empty command line");
    }
    std::vector<char*> argv;
    for (const auto& arg : options.argv) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = ToEnvStrings(options.env);
    std::vector<char*> envp;
    for (auto& item : envStrings) {
        envp.push_back(item.data());
    }
    envp.push_back(nullptr);

    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid < 0) {
        int err = errno;
        close(errorPipe[0]);
        close(errorPipe[1]);
        throw std::runtime_error(std::string("fork: ") + std::strerror(err));
    }
    if (pid == 0) {
        close(errorPipe[0]);
        ExecChild(options, argv.data(), envp.data(), parent, errorPipe[1]);
    }
    close(errorPipe[1]);
    // Both sides set the group, so that a Stop() right after the fork reaches it.
    setpgid(pid, pid);
    pid_ = pid;
    pidFd_ = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));

    int childErrno = 0;
    ssize_t got;
    do {
        got = read(errorPipe[0], &childErrno, sizeof childErrno);
    } while (got < 0 && errno == EINTR);
    close(errorPipe[0]);
    if (got == static_cast<ssize_t>(sizeof childErrno)) {
        Stop();
        throw std::runtime_error("cannot start " + options.argv[0] + ": " +
                                 std::strerror(childErrno));
    }
}

ChildProcess::~ChildProcess() {
    Stop();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), pidFd_(std::exchange(other.pidFd_, -1)),
      status_(std::exchange(other.status_, -1)), exited_(std::exchange(other.exited_, false)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Stop();
        pid_ = std::exchange(other.pid_, -1);
        pidFd_ = std::exchange(other.pidFd_, -1);
        status_ = std::exchange(other.status_, -1);
        exited_ = std::exchange(other.exited_, false);
    }
    return *this;
}

bool ChildProcess::Running() {
    return Started() && !WaitForExit(std::chrono::milliseconds(0));
}

bool ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (!Started()) {
        return true;
    }
    if (exited_) {
        return true;
    }
    Deadline deadline(timeout);
    for (;;) {
        siginfo_t info{};
        // WNOWAIT leaves the process a zombie: its pid and process group cannot be reused yet,
        // so killing the group afterwards cannot hit a stranger.
        if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == pid_) {
            exited_ = true;
            return true;
        }
        int left = deadline.RemainingMs();
        if (left == 0) {
            return false;
        }
        if (pidFd_ >= 0) {
            pollfd pfd{pidFd_, POLLIN, 0};
            poll(&pfd, 1, left);
        } else {
            // Kernels before 5.3 have no pidfd: fall back to a short poll interval.
            poll(nullptr, 0, std::min(left, 10));
        }
    }
}

void ChildProcess::Stop(std::chrono::milliseconds grace) {
    if (!Started()) {
        return;
    }
    if (!exited_) {
        kill(-pid_, SIGTERM);
        kill(pid_, SIGTERM);
        if (!WaitForExit(grace)) {
            kill(-pid_, SIGKILL);
            kill(pid_, SIGKILL);
            WaitForExit(std::chrono::milliseconds(10000));
        }
    }
    // Descendants that outlived the leader go too.
    kill(-pid_, SIGKILL);
    int status = 0;
    pid_t got;
    do {
        got = waitpid(pid_, &status, 0);
    } while (got < 0 && errno == EINTR);
    status_ = got == pid_ ? status : -1;
    Reset();
}

void ChildProcess::Reset() noexcept {
    if (pidFd_ >= 0) {
        close(pidFd_);
    }
    pidFd_ = -1;
    pid_ = -1;
    exited_ = false;
}

std::unique_ptr<ChildProcess> StartLogged(SpawnOptions options, const std::filesystem::path& log) {
    const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    options.stderrFd = fd;
    try {
        auto started = std::make_unique<ChildProcess>(options);
        ::close(fd);
        return started;
    } catch (...) {
        ::close(fd);
        throw;
    }
}

std::unique_ptr<ChildProcess> StartLogged(std::vector<std::string> argv, Environment env,
                                          const std::filesystem::path& log) {
    SpawnOptions options;
    options.argv = std::move(argv);
    options.env = std::move(env);
    return StartLogged(std::move(options), log);
}

} // namespace orvane::e2e
