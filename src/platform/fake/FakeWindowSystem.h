// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowSystem.h"
#include "platform/fake/EventTrace.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

struct FakeWindow {
    WindowId Id = NoWindow;
    std::string Title; // UTF-8
    int Pid = 0;
    WindowId Parent = NoWindow; // NoWindow: a top-level window
    bool Minimized = false;
    bool Maximized = false;
    bool Hidden = false;
    bool Remote = false; // shown from another machine
    WindowRect Frame;
};

// A desktop of fake windows in stacking order (Stack[0] is topmost). Child windows (with a
// parent) are kept in Children and are not top-level. Every command is recorded in the trace
// ("front:42", "max:42", "size:42:640x480", ...) and changes the window as a window manager
// would: activation raises the window, restores it and makes it the foreground.
class FakeWindowSystem : public WindowSystem {
public:
    explicit FakeWindowSystem(EventTrace* trace = nullptr) : trace_(trace) {}

    // Adds a top-level window on top of the others.
    FakeWindow& Add(WindowId id, std::string title, int pid = 0);
    FakeWindow* Find(WindowId id);

    std::vector<WindowId> TopLevelWindows() override;
    std::string Title(WindowId window) override;
    WindowId Foreground() override { return ForegroundWindow; }
    WindowId Parent(WindowId window) override;
    bool IsMinimized(WindowId window) override;
    bool Activate(WindowId window) override;
    void Maximize(WindowId window) override;
    void Minimize(WindowId window) override;
    void Restore(WindowId window) override;
    void Close(WindowId window) override;
    void Hide(WindowId window) override;
    void Show(WindowId window) override;
    void Move(WindowId window, int left, int top) override;
    void Resize(WindowId window, int width, int height) override;
    std::optional<WindowRect> FrameRect(WindowId window) override;
    std::optional<int> ProcessOf(WindowId window) override;
    bool IsRemote(WindowId window) override;

    std::vector<FakeWindow> Stack;
    std::vector<FakeWindow> Children;
    WindowId ForegroundWindow = NoWindow;
    // Windows the window manager refuses to activate.
    std::vector<WindowId> Refusing;

private:
    void Record(std::string entry);

    EventTrace* trace_;
};

} // namespace orvane
