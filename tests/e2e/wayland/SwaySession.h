// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChildProcess.h"
#include "Command.h"
#include "Deadline.h"
#include "Environment.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane::e2e {

// A rectangle in layout (screen) coordinates.
struct SwayRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// One window of sway's tree.
struct SwayWindow {
    long id = 0; // the container id, for criteria: [con_id=<id>]
    pid_t pid = 0;
    std::string title;
    std::string appId;
    bool focused = false;
    SwayRect content; // the client's own surface, without the title bar and borders
};

// The windows of a get_tree answer, in tree order (tiled before floating, scratchpad included).
// Read here rather than by the program's own reader of the tree: the tests judge what the program
// did by this reading, which must not share the program's faults, and clicks are aimed at the
// client's own surface (window_rect), which the program has no need of.
std::vector<SwayWindow> WindowsOfTree(const nlohmann::json& tree);

struct SwaySessionOptions {
    int width = 1280;
    int height = 800;
    std::chrono::milliseconds startTimeout = kDefaultTimeout;
    // Without them a window alone on the output fills it, its surface at the output's corner.
    bool borders = true;
    // Lines added to the end of sway's configuration, e.g. "bindsym Ctrl+Alt+F10 nop\n".
    std::string extraConfig;
};

// A headless sway of our own, run as the unprivileged user `kUser` (sway refuses root; the user is
// created when missing), with the user's keyboard and mouse stood in for by a virtual keyboard
// (wtype) and a virtual pointer (orvane_wlpointer) that stay for the whole session: a seat whose
// keyboard comes and goes makes clients re-create theirs and lose the first key that follows.
//
// The constructor returns once sway answers on its IPC socket and both devices are in the seat; it
// throws std::runtime_error with sway's messages when it cannot get there. The destructor stops
// the devices and sway and removes the session's folder; should the test process die from a
// signal, the kernel stops them too. When ORVANE_E2E_SCREENSHOT_DIR names a folder and the current
// test has failed, the destructor first saves a picture of the output there (needs grim).
//
// Everything the test starts runs as root with Env(): WAYLAND_DISPLAY and SWAYSOCK as full paths
// into sway's runtime folder, and a private HOME, XDG folders and XDG_RUNTIME_DIR of root's own.
class SwaySession {
public:
    static constexpr const char* kUser = "orvane-sway";
    // Keys the session's sway binds itself (as a user's configuration would), so that they are
    // taken when a program asks for them.
    static const std::vector<std::string>& BoundKeys();

    // Why a session cannot be had on this machine (sway or a tool missing), for GTEST_SKIP; empty
    // when it can.
    static std::string Unavailable();

    explicit SwaySession(SwaySessionOptions options = {});
    ~SwaySession();
    SwaySession(const SwaySession&) = delete;
    SwaySession& operator=(const SwaySession&) = delete;

    const Environment& Env() const { return env_; }
    const std::filesystem::path& Folder() const { return folder_; }
    const SwaySessionOptions& Options() const { return options_; }
    // The full paths of sway's sockets, for programs that connect without Env().
    const std::string& WaylandDisplay() const { return env_.at("WAYLAND_DISPLAY"); }
    const std::string& IpcSocket() const { return env_.at("SWAYSOCK"); }
    pid_t CompositorPid() const { return sway_ ? sway_->Pid() : -1; }
    // sway's messages so far, for failure reports.
    std::string Logs() const;
    // Saves a picture of the output as PNG (needs grim); false when it could not.
    bool Screenshot(const std::filesystem::path& png) const;
    // With ORVANE_E2E_SCREENSHOT_DIR set and the current test failed: a picture there, once per
    // session. Targets call it as they close, so that it still shows their windows.
    void SaveScreenshotOfFailure() const;

    // swaymsg with `args`, e.g. {"-t", "get_tree"} or {"[title=\"^A$\"]", "focus"}.
    CommandResult Swaymsg(const std::vector<std::string>& args,
                          std::chrono::milliseconds timeout = kDefaultTimeout) const;
    // The windows now; empty when sway does not answer.
    std::vector<SwayWindow> Windows() const;
    std::optional<SwayWindow> FindWindow(const std::string& title) const;
    // Waits until a window titled `title` is mapped and returns it.
    std::optional<SwayWindow> WaitForWindow(const std::string& title,
                                            std::chrono::milliseconds timeout = kDefaultTimeout);
    // Gives the window titled `title` the focus through sway and waits until sway reports it.
    ::testing::AssertionResult Focus(const std::string& title,
                                     std::chrono::milliseconds timeout = kDefaultTimeout);
    // Waits until the focused window is the one titled `title`.
    ::testing::AssertionResult WaitForFocused(const std::string& title,
                                              std::chrono::milliseconds timeout = kDefaultTimeout);

    // The user's keyboard, through wtype (a virtual keyboard of its own per call, each with a
    // keymap holding the characters it types).
    ::testing::AssertionResult TypeText(const std::string& text);
    // A combination: `modifiers` held ("ctrl", "shift", "alt", "logo") while `key` (an XKB key
    // name such as "F9", "Return" or "a") is struck.
    ::testing::AssertionResult StrikeKey(const std::vector<std::string>& modifiers,
                                         const std::string& key);

    // The user's mouse, in layout coordinates.
    ::testing::AssertionResult MovePointer(int x, int y);
    ::testing::AssertionResult Click(int x, int y, int button = 1);

    // Ends sway (and the devices with it) as a session that closes does; the folder stays until
    // the session object goes.
    void StopCompositor();

private:
    void PrepareUser();
    void WriteConfig();
    void StartCompositor();
    void StartDevices();
    ::testing::AssertionResult Pointer(const std::string& command);
    ::testing::AssertionResult Wtype(std::vector<std::string> args);
    void Shutdown();

    SwaySessionOptions options_;
    std::filesystem::path folder_;
    std::filesystem::path swayRuntime_;
    Environment env_;
    std::unique_ptr<ChildProcess> sway_;
    std::unique_ptr<ChildProcess> keyboard_;
    std::unique_ptr<ChildProcess> pointer_;
    int keyboardInput_ = -1;
    int pointerInput_ = -1;
    int pointerOutput_ = -1;
    mutable bool screenshotSaved_ = false;
};

} // namespace orvane::e2e
