// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fake/FakeWindowSystem.h"

#include <algorithm>

namespace orvane {

void FakeWindowSystem::Record(std::string entry) {
    if (trace_ != nullptr) {
        trace_->Add(std::move(entry));
    }
}

FakeWindow& FakeWindowSystem::Add(WindowId id, std::string title, int pid) {
    FakeWindow window;
    window.Id = id;
    window.Title = std::move(title);
    window.Pid = pid;
    Stack.insert(Stack.begin(), window);
    return Stack.front();
}

FakeWindow* FakeWindowSystem::Find(WindowId id) {
    for (std::vector<FakeWindow>* list : {&Stack, &Children}) {
        for (FakeWindow& window : *list) {
            if (window.Id == id) {
                return &window;
            }
        }
    }
    return nullptr;
}

std::vector<WindowId> FakeWindowSystem::TopLevelWindows() {
    std::vector<WindowId> ids;
    for (const FakeWindow& window : Stack) {
        ids.push_back(window.Id);
    }
    return ids;
}

std::string FakeWindowSystem::Title(WindowId window) {
    const FakeWindow* found = Find(window);
    return found != nullptr ? found->Title : std::string();
}

WindowId FakeWindowSystem::Parent(WindowId window) {
    const FakeWindow* found = Find(window);
    return found != nullptr ? found->Parent : NoWindow;
}

bool FakeWindowSystem::IsMinimized(WindowId window) {
    const FakeWindow* found = Find(window);
    return found != nullptr && found->Minimized;
}

bool FakeWindowSystem::Activate(WindowId window) {
    Record("front:" + std::to_string(window));
    const auto at = std::find_if(Stack.begin(), Stack.end(),
                                 [window](const FakeWindow& w) { return w.Id == window; });
    if (at == Stack.end() ||
        std::find(Refusing.begin(), Refusing.end(), window) != Refusing.end()) {
        return false;
    }
    FakeWindow raised = *at;
    raised.Minimized = false;
    raised.Hidden = false;
    Stack.erase(at);
    Stack.insert(Stack.begin(), raised);
    ForegroundWindow = window;
    return true;
}

void FakeWindowSystem::Maximize(WindowId window) {
    Record("max:" + std::to_string(window));
    if (FakeWindow* found = Find(window)) {
        found->Maximized = true;
        found->Minimized = false;
    }
}

void FakeWindowSystem::Minimize(WindowId window) {
    Record("min:" + std::to_string(window));
    if (FakeWindow* found = Find(window)) {
        found->Minimized = true;
    }
}

void FakeWindowSystem::Restore(WindowId window) {
    Record("restore:" + std::to_string(window));
    if (FakeWindow* found = Find(window)) {
        if (found->Minimized) {
            found->Minimized = false;
        } else {
            found->Maximized = false;
        }
    }
}

void FakeWindowSystem::Close(WindowId window) {
    Record("close:" + std::to_string(window));
}

void FakeWindowSystem::Hide(WindowId window) {
    Record("hide:" + std::to_string(window));
    if (FakeWindow* found = Find(window)) {
        found->Hidden = true;
    }
}

void FakeWindowSystem::Show(WindowId window) {
    Record("show:" + std::to_string(window));
    if (FakeWindow* found = Find(window)) {
        found->Hidden = false;
    }
}

void FakeWindowSystem::Move(WindowId window, int left, int top) {
    Record("move:" + std::to_string(window) + ":" + std::to_string(left) + "," +
           std::to_string(top));
    if (FakeWindow* found = Find(window)) {
        found->Frame.Left = left;
        found->Frame.Top = top;
    }
}

void FakeWindowSystem::Resize(WindowId window, int width, int height) {
    Record("size:" + std::to_string(window) + ":" + std::to_string(width) + "x" +
           std::to_string(height));
    if (FakeWindow* found = Find(window)) {
        found->Frame.Width = width;
        found->Frame.Height = height;
    }
}

std::optional<WindowRect> FakeWindowSystem::FrameRect(WindowId window) {
    const FakeWindow* found = Find(window);
    if (found == nullptr) {
        return std::nullopt;
    }
    return found->Frame;
}

std::optional<int> FakeWindowSystem::ProcessOf(WindowId window) {
    const FakeWindow* found = Find(window);
    if (found == nullptr || found->Pid == 0) {
        return std::nullopt;
    }
    return found->Pid;
}

bool FakeWindowSystem::IsRemote(WindowId window) {
    const FakeWindow* found = Find(window);
    return found != nullptr && found->Remote;
}

} // namespace orvane
