// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PlaybackCommands.h"

namespace orvane {

// The playback commands `orvane play` can carry out on its own, before the window backend
// exists: the file and folder commands and reading text files ("<TFILE:") work; there are no
// windows to find (so "<ACTIVATE:" skips the rest of its text, as for a window that is not
// there), and programs, addresses, the clipboard, sounds and macro files do nothing, the way a
// failed command does.
class StandalonePlaybackCommands final : public PlaybackCommands {
public:
    WindowId ForegroundWindow() override { return NoWindow; }
    std::optional<WindowOrigin> ForegroundWindowOrigin() override { return std::nullopt; }
    std::optional<WindowId> ActivateIt(std::string_view) override { return std::nullopt; }
    void DoWindowCommand(WindowCommand, WindowRef) override {}
    void SizeWindow(WindowRef, int, int) override {}
    void MoveWindow(WindowRef, int, int) override {}
    void Launch(std::string_view, std::string_view) override {}
    std::optional<WindowId> WaitForWindow(std::string_view, std::chrono::seconds) override {
        return std::nullopt;
    }
    void ChangeDirectory(std::string_view folder) override;
    void DeleteFile(std::string_view file) override;
    void CopyFile(std::string_view source, std::string_view target) override;
    void RenameFile(std::string_view from, std::string_view to) override;
    std::optional<std::string> ReadTextFile(std::string_view file) override;
    void SetClipboardText(std::string_view) override {}
    void PlayWave(std::string_view, bool) override {}
    void Beep() override {}
    void OpenAddress(std::string_view) override {}
    void SwapMacroFile(std::string_view) override {}
};

} // namespace orvane
