// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sway/CompositorWindows.h"
#include "platform/sway/SwayConnection.h"

#include <memory>
#include <string>

namespace orvane {

// The window commands through sway's IPC: GET_TREE for the list, criteria commands
// ([con_id=N] ...) for the rest. Minimised is sway's scratchpad. Changes are announced by the
// "window" events of the connection's event side.
class SwayWindows final : public CompositorWindows {
public:
    explicit SwayWindows(std::unique_ptr<SwayConnection> connection)
        : connection_(std::move(connection)) {}

    std::vector<CompositorWindow> Windows() override;
    void Focus(WindowId window) override;
    void SetFullscreen(WindowId window, bool on) override;
    void PutAway(WindowId window) override;
    void BringBack(WindowId window, bool tiled) override;
    void Close(WindowId window) override;
    void SetFrame(WindowId window, const WindowRect& frame) override;
    int ChangeFd() const override { return connection_->EventFd(); }
    void ReadChanges() override { connection_->ProcessEvents(); }
    void WaitForChange(int timeoutMs) override;

private:
    void On(WindowId window, const std::string& command);

    std::unique_ptr<SwayConnection> connection_;
};

} // namespace orvane
