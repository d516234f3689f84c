// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/HotKeyHost.h"
#include "platform/fake/EventTrace.h"
#include "platform/fake/FakeDesktopServices.h"
#include "platform/fake/FakeWindowSystem.h"
#include "playback/WindowFinder.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace orvane {

// The main window of dispatch tests: the state flags, and every action written to the trace
// ("show-main", "settle", "popup:7").
class FakeHotKeyHost : public HotKeyHost {
public:
    explicit FakeHotKeyHost(EventTrace& trace) : trace_(trace) {}

    bool PopupMenuShown() override { return PopupShown; }
    void ForgetTrayMacro() override {}
    void ShowMainWindow() override { trace_.Add("show-main"); }
    void StartACapture() override { trace_.Add("capture"); }
    void MenuTopWindow(WindowId) override { trace_.Add("menu-top"); }
    int ShowPopupMenu(int macro, WindowId) override {
        trace_.Add("popup:" + std::to_string(macro));
        return PopupChoice;
    }
    void SettleHeldKeys() override { trace_.Add("settle"); }
    bool ReloadChangedSharedFile() override {
        if (!SharedFileChanged) {
            return false;
        }
        SharedFileChanged = false;
        trace_.Add("reload");
        return true;
    }

    bool PopupShown = false;
    bool SharedFileChanged = false;
    int PopupChoice = 0;

private:
    EventTrace& trace_;
};

// The desktop of dispatch tests: windows with titles owned by running programs, found and
// brought forward by the window finder playback shares. Bringing a window forward is written to
// the trace as "front:<id>".
struct FakeDesktop {
    struct Window {
        WindowId Id;
        std::string Title;
        std::string Program;
    };

    explicit FakeDesktop(EventTrace& trace) : Windows(&trace) {}

    // Puts up the windows (the first one topmost) with `foreground` in front; their programs
    // run.
    void Set(const std::vector<Window>& windows, WindowId foreground) {
        Windows.Stack.clear();
        std::vector<std::string> programs;
        for (const Window& window : windows) {
            PidOf(window.Program);
        }
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            Windows.Add(it->Id, it->Title, PidOf(it->Program));
            programs.push_back(it->Program);
        }
        Windows.ForegroundWindow = foreground;
        Run(programs);
    }
    // Exactly these programs run (each keeps its process id).
    void Run(const std::vector<std::string>& programs) {
        Processes.List.clear();
        for (const std::string& program : programs) {
            Processes.List.push_back({PidOf(program), program});
        }
        std::sort(Processes.List.begin(), Processes.List.end(),
                  [](const RunningProcess& a, const RunningProcess& b) { return a.Pid < b.Pid; });
    }
    int PidOf(const std::string& program) {
        const auto found = pids_.find(program);
        if (found != pids_.end()) {
            return found->second;
        }
        const int pid = 100 + static_cast<int>(pids_.size());
        pids_.emplace(program, pid);
        return pid;
    }

    FakeWindowSystem Windows;
    FakeProcesses Processes;
    WindowFinder Finder{Windows, Processes};

private:
    std::map<std::string, int> pids_;
};

} // namespace orvane
