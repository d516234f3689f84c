// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChildProcess.h"
#include "Deadline.h"
#include "Environment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvane::e2e {

class VirtualDisplay;
class Probe;

// Where a probe runs, for a display other than a VirtualDisplay: the environment it is started
// in, how its window is brought to the front, what to do before it closes (a picture of a failed
// test while its window still shows), and where its window is for a client that does not know
// its own place (a Wayland client reports positions in its window only).
struct ProbeSite {
    Environment env;
    std::function<::testing::AssertionResult(Probe& probe, std::chrono::milliseconds timeout)>
        activate;
    std::function<void()> beforeClose;
    std::function<std::optional<std::pair<int, int>>(Probe& probe)> windowOrigin;
};

// Which probe program: orvane_xprobe (plain Xlib) or orvane_qtprobe (a Qt 6 text editor, where
// lost or reordered characters show first).
enum class ProbeKind { X, Qt };

// The path of a probe program in the build tree.
std::string ProbeProgram(ProbeKind kind);

// One KEY or KEYUP line. For the X probe `code` is the X keycode, `name` the keysym name and
// `state` the X modifier state; for the Qt probe they are the Qt key, its name and the Qt
// keyboard modifiers. `text` is the text the press produced (empty for none and for releases).
struct ProbeKey {
    unsigned code = 0;
    std::string name;
    unsigned state = 0;
    std::string text;
};

// One BUTTON line: the button (4/5 vertical wheel, 6/7 horizontal), the position in the window's
// client area and on the screen.
struct ProbeButton {
    int button = 0;
    int x = 0;
    int y = 0;
    int rootX = 0;
    int rootY = 0;
};

// The probe window's client area in screen coordinates.
struct ProbeGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A running probe window on a virtual display and everything it has reported (the protocol is
// described at the top of XProbe.cpp). Lines are read through a pipe; the waits block on that
// pipe until their condition holds, the probe ends or the limit passes, and return a GoogleTest
// assertion result whose failure message shows what the probe did report. Accessors first take
// in whatever lines have already arrived, without waiting. The destructor stops the probe.
class Probe {
public:
    // Starts the probe with the window title `title` on `display` (which must outlive it). Throws
    // std::runtime_error when the program cannot be started. `extraArgs` go before the title
    // (e.g. {"--geometry", "400x300+50+60"}).
    Probe(const VirtualDisplay& display, std::string title, ProbeKind kind = ProbeKind::X,
          std::vector<std::string> extraArgs = {});
    Probe(ProbeSite site, std::string title, ProbeKind kind, std::vector<std::string> extraArgs);
    ~Probe();
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    // Waits until the window is mapped and then makes it the active window with the keyboard
    // focus, so that typing reaches it.
    ::testing::AssertionResult WaitForReady(std::chrono::milliseconds timeout = kDefaultTimeout);

    // Waits until the probe's whole text equals `expected` byte for byte.
    ::testing::AssertionResult WaitForText(const std::string& expected,
                                           std::chrono::milliseconds timeout = kDefaultTimeout);

    // Waits for a line (from line number `from` on, counting from 0) that satisfies `predicate`
    // and returns it; nullopt when the limit passes or the probe ends first.
    std::optional<std::string> WaitForLine(const std::function<bool(const std::string&)>& predicate,
                                           std::chrono::milliseconds timeout = kDefaultTimeout,
                                           std::size_t from = 0);

    // Makes the window active through the window manager (as a task bar would) and waits until it
    // reports the keyboard focus. Without a window manager the focus is set directly.
    ::testing::AssertionResult Activate(std::chrono::milliseconds timeout = kDefaultTimeout);

    // Waits until the window reports having (or not having) the keyboard focus.
    ::testing::AssertionResult WaitForFocus(bool focused,
                                            std::chrono::milliseconds timeout = kDefaultTimeout);

    // Empties the probe's text and waits until it reports the empty text.
    ::testing::AssertionResult ClearText(std::chrono::milliseconds timeout = kDefaultTimeout);

    const std::string& Title() const { return title_; }
    ProbeKind Kind() const { return kind_; }
    pid_t Pid() const { return process_.Pid(); }

    // The X window id from the READY line; 0 before it.
    unsigned long WindowId();
    // The latest TEXT.
    std::string Text();
    bool Focused();
    // The pings received so far (a probe started with --silent-pings counts them).
    int Pings();
    std::optional<ProbeGeometry> Geometry();
    std::vector<ProbeKey> KeyPresses();
    std::vector<ProbeKey> KeyReleases();
    // Button presses (wheel steps included), with the screen position where the window is known.
    std::vector<ProbeButton> Clicks();
    // Every line so far, in order; LineCount() marks a point to wait from.
    const std::vector<std::string>& Lines();
    std::size_t LineCount() { return Lines().size(); }
    // False once the probe has ended (its output closed).
    bool Running();

    // What the probe has reported, for failure messages: its text and its last lines.
    std::string Describe() const;

private:
    static ProbeSite SiteOn(const VirtualDisplay& display);
    // Reads what is available, waiting at most `timeoutMs` for the first bytes (0: no wait).
    void Read(int timeoutMs);
    void TakeLine(const std::string& line);
    void Send(const std::string& command);
    // Waits until `done` holds; false when the limit passes or the probe ends first.
    bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

    ProbeSite site_;
    std::string title_;
    ProbeKind kind_;
    ChildProcess process_;
    int output_ = -1;
    int input_ = -1;
    bool ended_ = false;
    std::string partial_;
    std::vector<std::string> lines_;
    unsigned long windowId_ = 0;
    std::string text_;
    bool focused_ = false;
    int pings_ = 0;
    std::optional<ProbeGeometry> geometry_;
    std::vector<ProbeKey> presses_;
    std::vector<ProbeKey> releases_;
    std::vector<ProbeButton> clicks_;
};

} // namespace orvane::e2e
