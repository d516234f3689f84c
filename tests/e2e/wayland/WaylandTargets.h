// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Native Wayland programs to type into under a SwaySession: a terminal whose `cat` writes what
// arrives to a file, and the Qt probe on Qt's Wayland platform.

#include "ChildProcess.h"
#include "Deadline.h"
#include "Probe.h"
#include "SwaySession.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace orvane::e2e {

// foot running `cat > file` with the window title `title`. The terminal hands `cat` a line at a
// time, so what is typed shows in the file once Return is struck.
class FootCat {
public:
    FootCat(SwaySession& session, std::string title);
    ~FootCat();
    FootCat(const FootCat&) = delete;
    FootCat& operator=(const FootCat&) = delete;

    // Waits until the window is mapped, then gives it the focus.
    ::testing::AssertionResult WaitForReady(std::chrono::milliseconds timeout = kDefaultTimeout);
    // Waits until the file holds exactly `expected`.
    ::testing::AssertionResult WaitForText(const std::string& expected,
                                           std::chrono::milliseconds timeout = kDefaultTimeout);
    std::string Text() const;
    const std::filesystem::path& File() const { return file_; }
    const std::string& Title() const { return title_; }
    pid_t Pid() const { return process_->Pid(); }

private:
    SwaySession* session_;
    std::string title_;
    std::filesystem::path file_;
    std::unique_ptr<ChildProcess> process_;
};

// orvane_qtprobe on Qt's Wayland platform: a Probe whose window sway focuses. A Wayland client
// does not know where its window is, so the probe reports positions in its window; Clicks() adds
// the window's place from sway's tree.
class WaylandProbe : public Probe {
public:
    WaylandProbe(SwaySession& session, std::string title, std::vector<std::string> extraArgs = {});
};

} // namespace orvane::e2e
