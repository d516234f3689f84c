// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CanberraSound.h"
#include "app/QtClipboard.h"
#include "app/desktop/DesktopBackend.h"
#include "platform/linux/ProcProcesses.h"
#include "platform/linux/SpawnShell.h"
#include "playback/DesktopCommands.h"
#include "playback/WindowFinder.h"
#include "ui/playback/DialogPrompts.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QWidget;

namespace orvane {

class QtEventPump;
class MessageSink;

// What playback needs of the desktop, put together once: the backend's window system, processes,
// shell, clipboard and sounds behind the playback commands, and the run-time prompts. A
// QApplication must exist first and outlive it. The window system waits for the window manager
// inside the event loop.
class DesktopPlayback {
public:
    struct Options {
        QtEventPump* Pump = nullptr;     // must outlive this object
        MessageSink* Messages = nullptr; // must outlive this object
        QWidget* MainWindow = nullptr;   // none for `orvane play`
        std::function<bool()> UseTray;
        // "<SWAP:"; empty where no macro file is loaded.
        std::function<void(std::string_view)> Swap;
        // Pastes long texts; none where texts are always typed. Must outlive this object.
        TextPaste* Paster = nullptr;
    };

    // Null with the reason in `error` when the desktop's windows cannot be reached.
    static std::unique_ptr<DesktopPlayback> Open(DesktopBackend& desktop, Options options,
                                                 std::string& error);
    ~DesktopPlayback();

    PlaybackCommands& Commands() { return *commands_; }
    DialogPrompts& Prompts() { return *prompts_; }
    WindowFinder& Finder() { return *finder_; }

private:
    DesktopPlayback() = default;

    std::unique_ptr<DesktopWindows> windows_;
    ProcProcesses processes_;
    SpawnShell shell_;
    QtClipboard clipboard_;
    std::unique_ptr<CanberraSound> sound_;
    std::unique_ptr<WindowFinder> finder_;
    std::unique_ptr<DesktopCommands> commands_;
    std::unique_ptr<DialogPrompts> prompts_;
};

} // namespace orvane
