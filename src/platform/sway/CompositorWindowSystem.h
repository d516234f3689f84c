// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventLoopWait.h"
#include "platform/WindowSystem.h"
#include "platform/sway/CompositorWindows.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <set>

namespace orvane {

// The window system of a compositor that is driven through its own control interface. A
// tiling compositor has no "maximised": maximise is fullscreen, the one state that fills the
// output and that the compositor undoes exactly (the window returns to its place in the
// layout). Minimise and hide both put the window away (the scratchpad); a hidden window is
// remembered as such, so it does not count as minimised and Show brings it back. A window put
// away from the tiled layout is tiled again when it comes back. A floating window restored from
// fullscreen is given its frame again with the same step.
class CompositorWindowSystem : public WindowSystem {
public:
    explicit CompositorWindowSystem(std::unique_ptr<CompositorWindows> windows)
        : windows_(std::move(windows)) {}

    // Activate waits in the program's event loop, which watches ConnectionFd; without it the
    // wait blocks on the descriptor alone.
    void SetEventLoopWait(EventLoopWait wait) { wait_ = std::move(wait); }
    // Readable when windows change; the event loop calls ProcessEvents then.
    int ConnectionFd() const { return windows_->ChangeFd(); }
    void ProcessEvents() { windows_->ReadChanges(); }

    std::vector<WindowId> TopLevelWindows() override;
    std::string Title(WindowId window) override;
    WindowId Foreground() override;
    WindowId Parent(WindowId) override { return NoWindow; }
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
    bool IsRemote(WindowId) override { return false; }

    // How long Activate waits for the compositor to report the focus.
    static constexpr std::chrono::milliseconds ActivateLimit{2000};
    // How long a new frame is given to settle before it is asked for once more.
    static constexpr std::chrono::milliseconds FrameSettleLimit{500};

private:
    std::optional<CompositorWindow> Find(WindowId window);
    // Waits (in the event loop when there is one) until `done` holds or `deadline` passes.
    bool WaitUntil(const std::function<bool()>& done,
                   std::chrono::steady_clock::time_point deadline);
    void PlaceFrame(WindowId window, const WindowRect& frame);
    void PutAway(const CompositorWindow& window);
    void BringBack(WindowId window);

    std::unique_ptr<CompositorWindows> windows_;
    EventLoopWait wait_;
    std::set<WindowId> hidden_;
    std::set<WindowId> tiledBefore_;
    std::map<WindowId, WindowRect> floatingBeforeFullscreen_;
};

} // namespace orvane
