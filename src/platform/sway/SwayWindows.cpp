// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/SwayWindows.h"

#include "platform/sway/SwayTree.h"

namespace orvane {

std::vector<CompositorWindow> SwayWindows::Windows() {
    const std::optional<std::string> tree = connection_->Request(IpcType::GetTree, "");
    return tree ? WindowsOfTree(*tree) : std::vector<CompositorWindow>{};
}

void SwayWindows::On(WindowId window, const std::string& command) {
    // A window that has gone makes the criteria match nothing; the failure is the "nothing" the
    // window commands promise.
    connection_->Command("[con_id=" + std::to_string(window) + "] " + command);
}

void SwayWindows::Focus(WindowId window) {
    On(window, "focus");
}

void SwayWindows::SetFullscreen(WindowId window, bool on) {
    On(window, on ? "fullscreen enable" : "fullscreen disable");
}

void SwayWindows::PutAway(WindowId window) {
    On(window, "move scratchpad");
}

void SwayWindows::BringBack(WindowId window, bool tiled) {
    // Shown from the scratchpad a window floats on the current workspace, focused.
    On(window, "scratchpad show");
    if (tiled) {
        On(window, "floating disable");
        On(window, "focus");
    }
}

void SwayWindows::Close(WindowId window) {
    On(window, "kill");
}

void SwayWindows::SetFrame(WindowId window, const WindowRect& frame) {
    // Sway resizes a floating window about its centre, so the size goes first and the corner
    // after it.
    On(window, "fullscreen disable, floating enable, resize set width " +
                   std::to_string(frame.Width) + " px height " + std::to_string(frame.Height) +
                   " px, move absolute position " + std::to_string(frame.Left) + " px " +
                   std::to_string(frame.Top) + " px");
}

void SwayWindows::WaitForChange(int timeoutMs) {
    connection_->WaitReadable(timeoutMs);
    connection_->ProcessEvents();
}

} // namespace orvane
