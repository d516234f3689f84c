// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopPlayback.h"

namespace orvane {

std::unique_ptr<DesktopPlayback> DesktopPlayback::Open(const char* displayName, Options options,
                                                       std::string& error) {
    std::unique_ptr<DesktopPlayback> playback(new DesktopPlayback());
    playback->windows_ = X11WindowSystem::Open(displayName, error);
    if (!playback->windows_) {
        return nullptr;
    }
    X11WindowSystem* windows = playback->windows_.get();
    playback->sound_ = std::make_unique<CanberraSound>([windows] { windows->Bell(); });
    playback->finder_ = std::make_unique<WindowFinder>(*windows, playback->processes_);
    playback->commands_ = std::make_unique<DesktopCommands>(
        DesktopCommands::Parts{playback->finder_.get(), &playback->shell_, &playback->clipboard_,
                               playback->sound_.get(), options.Pump, std::move(options.Swap)});
    playback->prompts_ = std::make_unique<DialogPrompts>(DialogPrompts::Services{
        options.MainWindow, std::move(options.UseTray), playback->finder_.get(), options.Messages});
    return playback;
}

} // namespace orvane
