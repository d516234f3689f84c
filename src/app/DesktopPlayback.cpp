// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopPlayback.h"

#include "app/QtEventPump.h"

namespace orvane {

std::unique_ptr<DesktopPlayback> DesktopPlayback::Open(DesktopBackend& desktop, Options options,
                                                       std::string& error) {
    std::unique_ptr<DesktopPlayback> playback(new DesktopPlayback());
    EventLoopWait wait;
    if (QtEventPump* pump = options.Pump) {
        wait = [pump](const std::function<bool()>& done,
                      std::chrono::steady_clock::time_point until) {
            return pump->WaitFor(done, until);
        };
    }
    playback->windows_ = desktop.OpenWindows(wait ? &wait : nullptr, error);
    if (!playback->windows_) {
        return nullptr;
    }
    DesktopWindows* windows = playback->windows_.get();
    playback->sound_ = std::make_unique<CanberraSound>([windows] { windows->Bell(); });
    playback->finder_ = std::make_unique<WindowFinder>(windows->Windows(), playback->processes_);
    playback->commands_ = std::make_unique<DesktopCommands>(DesktopCommands::Parts{
        playback->finder_.get(), &playback->shell_, &playback->clipboard_, playback->sound_.get(),
        options.Pump, std::move(options.Swap), options.Paster});
    playback->prompts_ = std::make_unique<DialogPrompts>(DialogPrompts::Services{
        options.MainWindow, std::move(options.UseTray), playback->finder_.get(), options.Messages});
    return playback;
}

DesktopPlayback::~DesktopPlayback() = default;

} // namespace orvane
