// SPDX-License-Identifier: GPL-3.0-or-later
#include "Probe.h"

#include "ProbeHex.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace orvane::e2e {
namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (in >> field) {
        fields.push_back(field);
    }
    return fields;
}

long Number(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 0);
}

std::chrono::milliseconds Remaining(const Deadline& deadline) {
    return std::chrono::milliseconds(deadline.RemainingMs());
}

} // namespace

std::string ProbeProgram(ProbeKind kind) {
    return kind == ProbeKind::X ? ORVANE_E2E_XPROBE : ORVANE_E2E_QTPROBE;
}

// On a VirtualDisplay the window manager activates the window as a task bar would; without one
// nobody answers _NET_ACTIVE_WINDOW, so the focus is set directly.
ProbeSite Probe::SiteOn(const VirtualDisplay& display) {
    const bool windowManager = display.Options().windowManager;
    return ProbeSite{
        .env = display.Env(),
        .activate =
            [&display, windowManager](Probe& probe, std::chrono::milliseconds timeout) {
                const std::string window = std::to_string(probe.WindowId());
                const CommandResult result = RunCommand(
                    {"xdotool", windowManager ? "windowactivate" : "windowfocus", "--sync", window},
                    display.Env(), timeout);
                if (result.Succeeded()) {
                    return ::testing::AssertionSuccess();
                }
                return ::testing::AssertionFailure() << result.Describe();
            },
        .beforeClose = [&display] { display.SaveScreenshotOfFailure(); },
        .windowOrigin = nullptr,
    };
}

Probe::Probe(const VirtualDisplay& display, std::string title, ProbeKind kind,
             std::vector<std::string> extraArgs)
    : Probe(SiteOn(display), std::move(title), kind, std::move(extraArgs)) {}

Probe::Probe(ProbeSite site, std::string title, ProbeKind kind, std::vector<std::string> extraArgs)
    : site_(std::move(site)), title_(std::move(title)), kind_(kind) {
    int out[2];
    int in[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    if (pipe2(in, O_CLOEXEC) != 0) {
        int err = errno;
        close(out[0]);
        close(out[1]);
        throw std::runtime_error(std::string("pipe: ") + std::strerror(err));
    }
    SpawnOptions spawn;
    spawn.argv = {ProbeProgram(kind)};
    spawn.argv.insert(spawn.argv.end(), extraArgs.begin(), extraArgs.end());
    spawn.argv.push_back(title_);
    spawn.env = site_.env;
    spawn.stdinFd = in[0];
    spawn.stdoutFd = out[1];
    spawn.stderrFd = kInherit;
    try {
        process_ = ChildProcess(spawn);
    } catch (...) {
        for (int fd : {out[0], out[1], in[0], in[1]}) {
            close(fd);
        }
        throw;
    }
    close(out[1]);
    close(in[0]);
    output_ = out[0];
    input_ = in[1];
    fcntl(output_, F_SETFL, O_NONBLOCK);
}

Probe::~Probe() {
    if (site_.beforeClose) {
        site_.beforeClose();
    }
    process_.Stop();
    if (output_ >= 0) {
        close(output_);
    }
    if (input_ >= 0) {
        close(input_);
    }
}

void Probe::Read(int timeoutMs) {
    if (ended_) {
        return;
    }
    pollfd pfd{output_, POLLIN, 0};
    int ready = poll(&pfd, 1, timeoutMs);
    if (ready <= 0) {
        return;
    }
    char buffer[4096];
    for (;;) {
        ssize_t got = read(output_, buffer, sizeof buffer);
        if (got > 0) {
            partial_.append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got == 0 || errno != EAGAIN) {
            ended_ = true;
        }
        break;
    }
    std::size_t end;
    while ((end = partial_.find('\n')) != std::string::npos) {
        std::string line = partial_.substr(0, end);
        partial_.erase(0, end + 1);
        TakeLine(line);
    }
}

void Probe::TakeLine(const std::string& line) {
    lines_.push_back(line);
    std::vector<std::string> f = Fields(line);
    if (f.empty()) {
        return;
    }
    const std::string& kind = f[0];
    if (kind == "READY" && f.size() >= 2) {
        windowId_ = std::strtoul(f[1].c_str(), nullptr, 0);
    } else if (kind == "PING" && f.size() >= 2) {
        pings_ = static_cast<int>(Number(f[1]));
    } else if (kind == "TEXT" && f.size() >= 2) {
        if (auto text = HexDecode(f[1])) {
            text_ = *text;
        }
    } else if (kind == "FOCUS" && f.size() >= 2) {
        focused_ = f[1] == "1";
    } else if (kind == "GEOMETRY" && f.size() >= 5) {
        geometry_ = ProbeGeometry{static_cast<int>(Number(f[1])), static_cast<int>(Number(f[2])),
                                  static_cast<int>(Number(f[3])), static_cast<int>(Number(f[4]))};
    } else if ((kind == "KEY" || kind == "KEYUP") && f.size() >= 5) {
        ProbeKey key;
        key.code = static_cast<unsigned>(std::strtoul(f[1].c_str(), nullptr, 0));
        key.name = f[2];
        key.state = static_cast<unsigned>(std::strtoul(f[3].c_str(), nullptr, 0));
        key.text = HexDecode(f[4]).value_or(std::string());
        (kind == "KEY" ? presses_ : releases_).push_back(key);
    } else if (kind == "BUTTON" && f.size() >= 6) {
        clicks_.push_back(
            ProbeButton{static_cast<int>(Number(f[1])), static_cast<int>(Number(f[2])),
                        static_cast<int>(Number(f[3])), static_cast<int>(Number(f[4])),
                        static_cast<int>(Number(f[5]))});
    }
}

bool Probe::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    Deadline deadline(timeout);
    Read(0);
    while (!done()) {
        if (ended_ || deadline.Passed()) {
            return false;
        }
        Read(deadline.RemainingMs());
    }
    return true;
}

void Probe::Send(const std::string& command) {
    std::string line = command + "\n";
    // The pipe is far larger than a command; a probe that has ended gives EPIPE, not SIGPIPE
    // (the display ignores SIGPIPE), and the wait that follows reports it.
    (void)!write(input_, line.data(), line.size());
}

::testing::AssertionResult Probe::WaitForReady(std::chrono::milliseconds timeout) {
    Deadline deadline(timeout);
    if (!WaitUntil([this] { return windowId_ != 0; }, timeout)) {
        return ::testing::AssertionFailure()
               << "probe \"" << title_ << "\" did not map its window. " << Describe();
    }
    return Activate(Remaining(deadline));
}

::testing::AssertionResult Probe::Activate(std::chrono::milliseconds timeout) {
    Deadline deadline(timeout);
    if (WindowId() == 0) {
        return ::testing::AssertionFailure() << "probe \"" << title_ << "\" is not mapped yet";
    }
    if (auto activated = site_.activate(*this, Remaining(deadline)); !activated) {
        return activated << ". " << Describe();
    }
    return WaitForFocus(true, Remaining(deadline));
}

::testing::AssertionResult Probe::WaitForFocus(bool focused, std::chrono::milliseconds timeout) {
    if (WaitUntil([this, focused] { return focused_ == focused; }, timeout)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "probe \"" << title_ << "\" did not " << (focused ? "get" : "lose") << " the focus. "
           << Describe();
}

::testing::AssertionResult Probe::WaitForText(const std::string& expected,
                                              std::chrono::milliseconds timeout) {
    if (WaitUntil([this, &expected] { return text_ == expected; }, timeout)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "probe \"" << title_ << "\" " << (ended_ ? "ended" : "timed out")
           << " waiting for the text " << Printable(expected) << ". " << Describe();
}

std::optional<std::string>
Probe::WaitForLine(const std::function<bool(const std::string&)>& predicate,
                   std::chrono::milliseconds timeout, std::size_t from) {
    std::size_t next = from;
    std::optional<std::string> found;
    WaitUntil(
        [&] {
            for (; next < lines_.size(); ++next) {
                if (predicate(lines_[next])) {
                    found = lines_[next];
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

::testing::AssertionResult Probe::ClearText(std::chrono::milliseconds timeout) {
    std::size_t from = LineCount();
    Send("CLEAR");
    if (WaitForLine([](const std::string& line) { return line == "TEXT -"; }, timeout, from)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "probe \"" << title_ << "\" did not clear its text. " << Describe();
}

unsigned long Probe::WindowId() {
    Read(0);
    return windowId_;
}

std::string Probe::Text() {
    Read(0);
    return text_;
}

bool Probe::Focused() {
    Read(0);
    return focused_;
}

int Probe::Pings() {
    Read(0);
    return pings_;
}

std::optional<ProbeGeometry> Probe::Geometry() {
    Read(0);
    return geometry_;
}

std::vector<ProbeKey> Probe::KeyPresses() {
    Read(0);
    return presses_;
}

std::vector<ProbeKey> Probe::KeyReleases() {
    Read(0);
    return releases_;
}

std::vector<ProbeButton> Probe::Clicks() {
    Read(0);
    std::vector<ProbeButton> clicks = clicks_;
    if (site_.windowOrigin) {
        if (const auto origin = site_.windowOrigin(*this)) {
            for (ProbeButton& click : clicks) {
                click.rootX = origin->first + click.x;
                click.rootY = origin->second + click.y;
            }
        }
    }
    return clicks;
}

const std::vector<std::string>& Probe::Lines() {
    Read(0);
    return lines_;
}

bool Probe::Running() {
    Read(0);
    return !ended_;
}

std::string Probe::Describe() const {
    std::string text =
        "Its text: " + Printable(text_) + (ended_ ? "; it has ended" : "") + "; its last lines:";
    std::size_t first = lines_.size() > 30 ? lines_.size() - 30 : 0;
    for (std::size_t i = first; i < lines_.size(); ++i) {
        text += "\n  " + lines_[i];
        if (lines_[i].rfind("TEXT ", 0) == 0) {
            if (auto decoded = HexDecode(lines_[i].substr(5))) {
                text += "   " + Printable(*decoded);
            }
        }
    }
    if (lines_.empty()) {
        text += " (none)";
    }
    return text;
}

} // namespace orvane::e2e
