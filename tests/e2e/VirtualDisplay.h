// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChildProcess.h"
#include "Deadline.h"
#include "Environment.h"

#include <chrono>
#include <filesystem>
#include <string>

struct _XDisplay;

namespace orvane::e2e {

struct VirtualDisplayOptions {
    int width = 1280;
    int height = 1024;
    int depth = 24;
    // Without a window manager, windows are neither framed nor focused on mapping, and the EWMH
    // properties (client list, active window) are missing: for tests of that fallback.
    bool windowManager = true;
    std::chrono::milliseconds startTimeout = kDefaultTimeout;
};

// An X server of our own (Xvfb on a display number it picks itself, so tests can run in parallel)
// with openbox managing it, and a private folder holding HOME and the XDG folders for everything
// started on it, so that nothing reads or writes the user's own files.
//
// The constructor returns only when the server accepts connections and the window manager is
// really managing the screen (it has set _NET_SUPPORTING_WM_CHECK); it throws std::runtime_error
// with the server's and window manager's messages when either cannot be started. The destructor
// stops both (their whole process groups) and removes the private folder. Should the test process
// die from a signal, the kernel stops them too (PR_SET_PDEATHSIG). When the environment variable
// ORVANE_E2E_SCREENSHOT_DIR names a folder and the current test has failed, the destructor first
// saves a picture of the screen there (needs ImageMagick).
class VirtualDisplay {
public:
    explicit VirtualDisplay(VirtualDisplayOptions options = {});
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // The DISPLAY value, e.g. ":3".
    const std::string& Name() const { return name_; }
    int Number() const { return number_; }
    const VirtualDisplayOptions& Options() const { return options_; }

    // The environment for programs started on this display: this process's environment with
    // DISPLAY set; HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME, XDG_STATE_HOME and
    // XDG_RUNTIME_DIR inside the private folder; LC_ALL=C.UTF-8; QT_QPA_PLATFORM=xcb; and no
    // session bus, Wayland display or X authority of the user's session.
    const Environment& Env() const { return env_; }

    // The private folder (removed by the destructor); tests may put files there.
    const std::filesystem::path& Folder() const { return folder_; }

    // The process ids of the server and the window manager (-1 when there is none).
    pid_t ServerPid() const { return server_.Pid(); }
    pid_t WindowManagerPid() const { return windowManager_.Pid(); }

    // The server's and window manager's messages so far, for failure reports.
    std::string Logs() const;

private:
    void StartServer();
    void StartWindowManager();
    void WaitForWindowManager();
    // Called by probes as they close too, so the picture still shows their windows; saves one
    // picture per display.
    void SaveScreenshotOfFailure() const;
    void CloseControlConnection();
    friend class Probe;

    VirtualDisplayOptions options_;
    std::filesystem::path folder_;
    std::string name_;
    int number_ = -1;
    Environment env_;
    ChildProcess server_;
    ChildProcess windowManager_;
    // Our own connection stays open while the display lives: the server hands a closed
    // connection's window ids to the next client, and openbox was seen to give a new window
    // the state of our start-up window that had the same id.
    _XDisplay* control_ = nullptr;
    mutable bool screenshotSaved_ = false;
};

} // namespace orvane::e2e
