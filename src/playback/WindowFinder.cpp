// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/WindowFinder.h"

#include "core/CodePage.h"
#include "core/TextCase.h"

#include <algorithm>
#include <vector>

namespace orvane {
namespace {

std::string UpperCut(std::string_view text) {
    return UpperCase1252(text.substr(0, WindowFinder::MaxTitle));
}

} // namespace

WindowFinder::WindowFinder(WindowSystem& windows, Processes& processes)
    : windows_(windows), processes_(processes) {}

std::string WindowFinder::UpperTitle(WindowId window) {
    return UpperCase1252(Title(window));
}

WindowId WindowFinder::Foreground() {
    return windows_.Foreground();
}

std::string WindowFinder::Title(WindowId window) {
    if (window == NoWindow) {
        return {};
    }
    std::string title = Utf8ToWindows1252(windows_.Title(window));
    if (title.size() > MaxTitle) {
        title.resize(MaxTitle);
    }
    return title;
}

std::string WindowFinder::ProgramOf(WindowId window) {
    if (window == NoWindow) {
        return {};
    }
    const std::optional<int> pid = windows_.ProcessOf(window);
    return pid && *pid > 0 ? processes_.ExecutableOf(*pid) : std::string();
}

std::vector<std::string> WindowFinder::RunningPrograms() {
    std::vector<std::string> names;
    for (RunningProcess& process : processes_.Running()) {
        names.push_back(std::move(process.Executable));
    }
    return names;
}

std::optional<WindowId> WindowFinder::GetWinHandle(std::string_view title) {
    const std::string wanted = UpperCut(title);
    const std::vector<WindowId> windows = windows_.TopLevelWindows();
    std::vector<std::string> titles;
    titles.reserve(windows.size());
    for (const WindowId window : windows) {
        titles.push_back(UpperTitle(window));
    }
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (!titles[i].empty() && titles[i] == wanted) {
            return windows[i];
        }
    }
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (!titles[i].empty() && titles[i].find(wanted) != std::string::npos) {
            return windows[i];
        }
    }
    return std::nullopt;
}

void WindowFinder::ActivateFound(WindowId window) {
    if (windows_.IsMinimized(window)) {
        windows_.Restore(window);
    }
    BringToFront(window);
}

std::optional<WindowId> WindowFinder::ActivateIt(std::string_view title) {
    const std::optional<WindowId> window = GetWinHandle(title);
    if (window) {
        ActivateFound(*window);
    }
    return window;
}

std::optional<WindowId> WindowFinder::ActivateProg(std::string_view name) {
    const std::string wanted = UpperCase1252(name);
    const std::vector<WindowId> windows = windows_.TopLevelWindows();
    for (const RunningProcess& process : processes_.Running()) {
        const std::string executable = UpperCase1252(Utf8ToWindows1252(process.Executable));
        if (executable.find(wanted) == std::string::npos) {
            continue;
        }
        // A program of several processes may show its windows from any of them, so a match
        // without a window does not end the search.
        for (const WindowId window : windows) {
            if (windows_.ProcessOf(window) == process.Pid && !windows_.Title(window).empty()) {
                ActivateFound(window);
                return window;
            }
        }
    }
    return std::nullopt;
}

bool WindowFinder::BringToFront(WindowId window) {
    return window != NoWindow && windows_.Activate(window);
}

WindowId WindowFinder::MakeSureItsAParent(WindowId window) {
    const std::vector<WindowId> topLevel = windows_.TopLevelWindows();
    // A window tree is finite, but a window that goes away while we climb could hand us a
    // recycled id: the climb is bounded all the same.
    for (int depth = 0; window != NoWindow && depth < 64; ++depth) {
        if (std::find(topLevel.begin(), topLevel.end(), window) != topLevel.end()) {
            return window;
        }
        window = windows_.Parent(window);
    }
    return NoWindow;
}

void WindowFinder::DoSysCommand(WindowCommand command, WindowId window) {
    if (window == NoWindow) {
        return;
    }
    switch (command) {
    case WindowCommand::Maximize:
        windows_.Maximize(window);
        break;
    case WindowCommand::Minimize:
        windows_.Minimize(window);
        break;
    case WindowCommand::Restore:
        windows_.Restore(window);
        break;
    case WindowCommand::Close:
        windows_.Close(window);
        break;
    case WindowCommand::Hide:
        windows_.Hide(window);
        break;
    case WindowCommand::Show:
        windows_.Show(window);
        break;
    case WindowCommand::Shut:
        // The process behind a window from another machine is the local one forwarding it
        // (ssh, with every other window it carries): the window is asked to close instead.
        if (windows_.IsRemote(window)) {
            windows_.Close(window);
        } else if (const std::optional<int> pid = windows_.ProcessOf(window); pid && *pid > 0) {
            processes_.Terminate(*pid);
        }
        break;
    }
}

} // namespace orvane
