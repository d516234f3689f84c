// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clipboard.h"
#include "platform/EventPump.h"
#include "platform/PlaybackCommands.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/TextPaste.h"
#include "playback/WindowFinder.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The playback commands on a real desktop: windows through the window finder, programs and
// addresses through the shell, files through the file system, and the clipboard and sounds
// through their backends. Texts arrive in Windows-1252 and leave as UTF-8.
class DesktopCommands final : public PlaybackCommands {
public:
    // How often WaitForWindow looks for the awaited window while it serves events.
    static constexpr auto WindowPollInterval = std::chrono::milliseconds(100);

    struct Parts {
        WindowFinder* Finder = nullptr;
        Shell* Launcher = nullptr;
        Clipboard* Board = nullptr;
        Sound* Sounds = nullptr;
        EventPump* Pump = nullptr;
        // Switches the current macro file ("<SWAP:"); empty where there is no macro file to
        // switch (the tag then does nothing).
        std::function<void(std::string_view)> Swap;
        // Pastes long texts; null where the desktop offers no paste (texts are typed then).
        TextPaste* Paster = nullptr;
    };

    // Every pointer of `parts` but Swap and Paster must be set; none is owned.
    explicit DesktopCommands(Parts parts);

    WindowId ForegroundWindow() override;
    std::optional<WindowOrigin> ForegroundWindowOrigin() override;
    std::optional<WindowId> ActivateIt(std::string_view title) override;
    void DoWindowCommand(WindowCommand command, WindowRef window) override;
    void SizeWindow(WindowRef window, int width, int height) override;
    void MoveWindow(WindowRef window, int left, int top) override;
    void Launch(std::string_view program, std::string_view parameters) override;
    std::optional<WindowId> WaitForWindow(std::string_view title,
                                          std::chrono::seconds limit) override;
    void ChangeDirectory(std::string_view folder) override;
    void DeleteFile(std::string_view file) override;
    void CopyFile(std::string_view source, std::string_view target) override;
    void RenameFile(std::string_view from, std::string_view to) override;
    // The file's text in Windows-1252: a file in UTF-8 (with characters beyond ASCII) is
    // converted, characters the code page lacks becoming "?"; any other file is taken as
    // Windows-1252 bytes already. Only regular files are read.
    std::optional<std::string> ReadTextFile(std::string_view file) override;
    void SetClipboardText(std::string_view text) override;
    bool PasteText(std::string_view text) override;
    void PlayWave(std::string_view file, bool wait) override;
    void Beep() override;
    void OpenAddress(std::string_view address) override;
    void SwapMacroFile(std::string_view file) override;

private:
    // The window a window tag names; nothing when there is none.
    std::optional<WindowId> Resolve(WindowRef window);

    Parts parts_;
};

// A text file's bytes as macro text (Windows-1252), as ReadTextFile describes; a UTF-8 byte
// order mark is dropped.
std::string MacroTextFromFile(std::string bytes);

} // namespace orvane
