// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/CompositorWindowSystem.h"

namespace orvane {

std::optional<CompositorWindow> CompositorWindowSystem::Find(WindowId window) {
    for (CompositorWindow& found : windows_->Windows()) {
        if (found.Id == window) {
            return std::move(found);
        }
    }
    return std::nullopt;
}

std::vector<WindowId> CompositorWindowSystem::TopLevelWindows() {
    std::vector<WindowId> ids;
    for (const CompositorWindow& window : windows_->Windows()) {
        ids.push_back(window.Id);
    }
    return ids;
}

std::string CompositorWindowSystem::Title(WindowId window) {
    const auto found = Find(window);
    return found ? found->Title : std::string();
}

WindowId CompositorWindowSystem::Foreground() {
    for (const CompositorWindow& window : windows_->Windows()) {
        if (window.Focused) {
            return window.Id;
        }
    }
    return NoWindow;
}

bool CompositorWindowSystem::IsMinimized(WindowId window) {
    const auto found = Find(window);
    return found && found->PutAway && hidden_.count(window) == 0;
}

void CompositorWindowSystem::PutAway(const CompositorWindow& window) {
    if (window.PutAway) {
        return;
    }
    if (!window.Floating) {
        tiledBefore_.insert(window.Id);
    }
    windows_->PutAway(window.Id);
}

void CompositorWindowSystem::BringBack(WindowId window) {
    windows_->BringBack(window, tiledBefore_.erase(window) > 0);
    hidden_.erase(window);
}

bool CompositorWindowSystem::Activate(WindowId window) {
    const auto found = Find(window);
    if (!found) {
        return false;
    }
    if (found->PutAway) {
        BringBack(window);
    } else {
        windows_->Focus(window);
    }
    return WaitUntil(
        [&] {
            windows_->ReadChanges();
            return Foreground() == window;
        },
        std::chrono::steady_clock::now() + ActivateLimit);
}

bool CompositorWindowSystem::WaitUntil(const std::function<bool()>& done,
                                       std::chrono::steady_clock::time_point deadline) {
    if (wait_) {
        return wait_(done, deadline);
    }
    while (!done()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        windows_->WaitForChange(static_cast<int>(left.count()));
    }
    return true;
}

// A client still answering an earlier size (the full screen it is leaving, say) can commit
// that size after the compositor took the new one, and the compositor then keeps the client's.
// The frame is asked for once more when it has not arrived within a short while.
void CompositorWindowSystem::PlaceFrame(WindowId window, const WindowRect& frame) {
    windows_->SetFrame(window, frame);
    const auto placed = [&] {
        windows_->ReadChanges();
        const auto found = Find(window);
        return !found || found->Frame == frame;
    };
    if (!WaitUntil(placed, std::chrono::steady_clock::now() + FrameSettleLimit)) {
        windows_->SetFrame(window, frame);
    }
}

void CompositorWindowSystem::Maximize(WindowId window) {
    const auto found = Find(window);
    if (!found) {
        return;
    }
    if (found->PutAway) {
        BringBack(window);
    } else if (found->Floating && !found->Fullscreen) {
        floatingBeforeFullscreen_[window] = found->Frame;
    }
    windows_->SetFullscreen(window, true);
}

void CompositorWindowSystem::Minimize(WindowId window) {
    if (const auto found = Find(window)) {
        PutAway(*found);
    }
}

void CompositorWindowSystem::Restore(WindowId window) {
    const auto found = Find(window);
    if (!found) {
        return;
    }
    if (found->PutAway) {
        BringBack(window);
    } else if (found->Fullscreen) {
        const auto saved = floatingBeforeFullscreen_.find(window);
        if (saved != floatingBeforeFullscreen_.end()) {
            PlaceFrame(window, saved->second);
            floatingBeforeFullscreen_.erase(saved);
        } else {
            windows_->SetFullscreen(window, false);
        }
    }
}

void CompositorWindowSystem::Close(WindowId window) {
    if (Find(window)) {
        windows_->Close(window);
        hidden_.erase(window);
        tiledBefore_.erase(window);
        floatingBeforeFullscreen_.erase(window);
    }
}

void CompositorWindowSystem::Hide(WindowId window) {
    if (const auto found = Find(window)) {
        PutAway(*found);
        hidden_.insert(window);
    }
}

void CompositorWindowSystem::Show(WindowId window) {
    const auto found = Find(window);
    if (found && found->PutAway && hidden_.count(window) != 0) {
        BringBack(window);
    }
}

void CompositorWindowSystem::Move(WindowId window, int left, int top) {
    if (const auto found = Find(window); found && !found->PutAway) {
        PlaceFrame(window, {left, top, found->Frame.Width, found->Frame.Height});
    }
}

void CompositorWindowSystem::Resize(WindowId window, int width, int height) {
    if (const auto found = Find(window); found && !found->PutAway && width > 0 && height > 0) {
        PlaceFrame(window, {found->Frame.Left, found->Frame.Top, width, height});
    }
}

std::optional<WindowRect> CompositorWindowSystem::FrameRect(WindowId window) {
    const auto found = Find(window);
    return found ? std::optional(found->Frame) : std::nullopt;
}

std::optional<int> CompositorWindowSystem::ProcessOf(WindowId window) {
    const auto found = Find(window);
    return found ? found->Pid : std::nullopt;
}

} // namespace orvane
