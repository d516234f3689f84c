// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PlaybackCommands.h"
#include "platform/fake/EventTrace.h"

#include <map>
#include <optional>
#include <string>

namespace orvane {

// Records every command in the trace ("activate:Notepad", "clipboard:hello", ...) and answers
// from settable tables: windows by exact title, files by name, and the window a launched
// program opens.
class FakePlaybackCommands : public PlaybackCommands {
public:
    explicit FakePlaybackCommands(EventTrace* trace = nullptr) : trace_(trace) {}

    WindowId ForegroundWindow() override { return Foreground; }
    std::optional<WindowOrigin> ForegroundWindowOrigin() override { return Origin; }
    std::optional<WindowId> ActivateIt(std::string_view title) override;
    void DoWindowCommand(WindowCommand command, WindowRef window) override;
    void SizeWindow(WindowRef window, int width, int height) override;
    void MoveWindow(WindowRef window, int left, int top) override;
    // Opens the window LaunchOpens names for the program, if any.
    void Launch(std::string_view program, std::string_view parameters) override;
    std::optional<WindowId> WaitForWindow(std::string_view title,
                                          std::chrono::seconds limit) override;
    void ChangeDirectory(std::string_view folder) override;
    void DeleteFile(std::string_view file) override;
    void CopyFile(std::string_view source, std::string_view target) override;
    void RenameFile(std::string_view from, std::string_view to) override;
    std::optional<std::string> ReadTextFile(std::string_view file) override;
    void SetClipboardText(std::string_view text) override;
    // Records "paste:<text>" and answers Pastes; refused, the text is typed instead.
    bool PasteText(std::string_view text) override;
    void PlayWave(std::string_view file, bool wait) override;
    void Beep() override;
    void OpenAddress(std::string_view address) override;
    void SwapMacroFile(std::string_view file) override;

    WindowId Foreground = 1;
    std::optional<WindowOrigin> Origin = WindowOrigin{};
    std::map<std::string, WindowId, std::less<>> Windows; // title -> window
    std::map<std::string, std::string, std::less<>> Files;
    std::map<std::string, std::string, std::less<>> LaunchOpens; // program -> window title
    std::string Clipboard;
    bool Pastes = true;
    int FileReads = 0;

private:
    void Record(std::string entry);

    EventTrace* trace_;
};

} // namespace orvane
