// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowId.h"
#include "platform/WindowSystem.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// One application window as a compositor with its own control interface reports it.
struct CompositorWindow {
    WindowId Id = NoWindow;
    std::string Title;
    std::string AppId;
    std::optional<int> Pid;
    bool Focused = false;
    bool PutAway = false; // off every workspace (sway's scratchpad): minimised or hidden
    bool Floating = false;
    bool Fullscreen = false;
    WindowRect Frame; // title bar and borders included
};

// What the window commands need from a compositor that offers its own control interface (sway's
// IPC now; Hyprland's or river's can take the same place). Commands on a window that has gone
// do nothing.
class CompositorWindows {
public:
    virtual ~CompositorWindows() = default;

    // The application windows, most recently focused first, the put-away ones last.
    virtual std::vector<CompositorWindow> Windows() = 0;

    virtual void Focus(WindowId window) = 0;
    virtual void SetFullscreen(WindowId window, bool on) = 0;
    // Takes the window off its workspace; it stays in the list, PutAway.
    virtual void PutAway(WindowId window) = 0;
    // Puts a put-away window back on the current workspace, focused; `tiled` lays it out with
    // the others again instead of floating.
    virtual void BringBack(WindowId window, bool tiled) = 0;
    virtual void Close(WindowId window) = 0;
    // Gives the window this frame (corner and outer size) in one step, out of fullscreen; a
    // tiled window floats from then on, as only a floating window has a place and size of its
    // own. One step, because a client that answers an earlier size late can leave the
    // compositor with that size.
    virtual void SetFrame(WindowId window, const WindowRect& frame) = 0;

    // A descriptor that becomes readable when windows change (focus among them); the event loop
    // watches it while a command waits.
    virtual int ChangeFd() const = 0;
    // Reads and drops what the descriptor announced.
    virtual void ReadChanges() = 0;
    // Blocks until a change comes or `timeoutMs` passes (for callers without an event loop).
    virtual void WaitForChange(int timeoutMs) = 0;
};

} // namespace orvane
