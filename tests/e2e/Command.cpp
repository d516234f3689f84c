// SPDX-License-Identifier: GPL-3.0-or-later
#include "Command.h"

#include "ChildProcess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane::e2e {
namespace {

class Pipe {
public:
    Pipe() {
        if (pipe2(fds_, O_CLOEXEC) != 0) {
            throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
        }
    }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int Read() const { return fds_[0]; }
    int Write() const { return fds_[1]; }
    void CloseRead() { CloseFd(fds_[0]); }
    void CloseWrite() { CloseFd(fds_[1]); }

private:
    static void CloseFd(int& fd) {
        if (fd >= 0) {
            close(fd);
        }
        fd = -1;
    }
    int fds_[2] = {-1, -1};
};

// Reads what is there; false at end of file (or on an error that ends the stream).
bool Drain(int fd, std::string& into) {
    char buffer[4096];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) {
            into.append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        return got < 0 && errno == EAGAIN;
    }
}

} // namespace

std::string CommandResult::Describe() const {
    std::string text = "`" + commandLine + "` ";
    if (timedOut) {
        text += "timed out";
    } else if (termSignal != 0) {
        text += "was killed by signal " + std::to_string(termSignal);
    } else {
        text += "exited with " + std::to_string(exitCode);
    }
    if (!out.empty()) {
        text += "; stdout: " + out;
    }
    if (!err.empty()) {
        text += "; stderr: " + err;
    }
    return text;
}

CommandResult RunCommand(const std::vector<std::string>& argv, const Environment& env,
                         std::chrono::milliseconds timeout) {
    CommandResult result;
    for (const auto& arg : argv) {
        result.commandLine += (result.commandLine.empty() ? "" : " ") + arg;
    }
    Pipe outPipe;
    Pipe errPipe;
    SpawnOptions options;
    options.argv = argv;
    options.env = env;
    options.stdoutFd = outPipe.Write();
    options.stderrFd = errPipe.Write();
    options.deathSignal = SIGKILL;
    ChildProcess child(options);
    outPipe.CloseWrite();
    errPipe.CloseWrite();
    fcntl(outPipe.Read(), F_SETFL, O_NONBLOCK);
    fcntl(errPipe.Read(), F_SETFL, O_NONBLOCK);

    Deadline deadline(timeout);
    bool outOpen = true;
    bool errOpen = true;
    // Reads until both streams end. A command that leaves a descendant holding its output open
    // is not waited for past its own exit: its output is drained and the group is stopped.
    while (outOpen || errOpen) {
        if (!child.Running()) {
            if (outOpen) {
                Drain(outPipe.Read(), result.out);
            }
            if (errOpen) {
                Drain(errPipe.Read(), result.err);
            }
            break;
        }
        int left = deadline.RemainingMs();
        if (left == 0) {
            result.timedOut = true;
            break;
        }
        pollfd fds[3] = {{outOpen ? outPipe.Read() : -1, POLLIN, 0},
                         {errOpen ? errPipe.Read() : -1, POLLIN, 0},
                         {child.ExitFd(), POLLIN, 0}};
        // Without an exit descriptor, short slices notice the exit of a child whose streams stay
        // open.
        int ready = poll(fds, 3, child.ExitFd() >= 0 ? left : std::min(left, 50));
        if (ready < 0 && errno != EINTR) {
            break;
        }
        if (outOpen && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            outOpen = Drain(outPipe.Read(), result.out);
        }
        if (errOpen && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            errOpen = Drain(errPipe.Read(), result.err);
        }
    }
    if (!result.timedOut && !child.WaitForExit(std::chrono::milliseconds(deadline.RemainingMs()))) {
        result.timedOut = true;
    }
    child.Stop(std::chrono::milliseconds(1000));
    int status = child.WaitStatus();
    if (!result.timedOut && status >= 0) {
        if (WIFEXITED(status)) {
            result.exitCode = WEXITSTATUS(status);
        } else if (WIFSIGNALED(status)) {
            result.termSignal = WTERMSIG(status);
        }
    }
    return result;
}

} // namespace orvane::e2e
