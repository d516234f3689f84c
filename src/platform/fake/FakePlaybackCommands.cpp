// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fake/FakePlaybackCommands.h"

namespace orvane {
namespace {

std::string_view CommandName(WindowCommand command) {
    switch (command) {
    case WindowCommand::Maximize:
        return "max";
    case WindowCommand::Minimize:
        return "min";
    case WindowCommand::Restore:
        return "restore";
    case WindowCommand::Close:
        return "close";
    case WindowCommand::Hide:
        return "hide";
    case WindowCommand::Show:
        return "show";
    case WindowCommand::Shut:
        return "shut";
    }
    return "?";
}

std::string RefName(WindowRef window) {
    return window.Current ? std::string("(current)") : std::string(window.Title);
}

} // namespace

void FakePlaybackCommands::Record(std::string entry) {
    if (trace_ != nullptr) {
        trace_->Add(std::move(entry));
    }
}

std::optional<WindowId> FakePlaybackCommands::ActivateIt(std::string_view title) {
    const auto found = Windows.find(title);
    Record("activate:" + std::string(title) + (found == Windows.end() ? "(none)" : ""));
    if (found == Windows.end()) {
        return std::nullopt;
    }
    Foreground = found->second;
    return found->second;
}

void FakePlaybackCommands::DoWindowCommand(WindowCommand command, WindowRef window) {
    Record("window:" + std::string(CommandName(command)) + ":" + RefName(window));
}

void FakePlaybackCommands::SizeWindow(WindowRef window, int width, int height) {
    Record("size:" + RefName(window) + ":" + std::to_string(width) + "x" + std::to_string(height));
}

void FakePlaybackCommands::MoveWindow(WindowRef window, int left, int top) {
    Record("move:" + RefName(window) + ":" + std::to_string(left) + "," + std::to_string(top));
}

void FakePlaybackCommands::Launch(std::string_view program, std::string_view parameters) {
    Record("launch:" + std::string(program) + "|" + std::string(parameters));
    if (const auto opens = LaunchOpens.find(program); opens != LaunchOpens.end()) {
        Windows.emplace(opens->second, static_cast<WindowId>(100 + Windows.size()));
    }
}

std::optional<WindowId> FakePlaybackCommands::WaitForWindow(std::string_view title,
                                                            std::chrono::seconds limit) {
    const auto found = Windows.find(title);
    Record("wait-window:" + std::string(title) + ":" + std::to_string(limit.count()) + "s" +
           (found == Windows.end() ? "(none)" : ""));
    if (found == Windows.end()) {
        return std::nullopt;
    }
    Foreground = found->second;
    return found->second;
}

void FakePlaybackCommands::ChangeDirectory(std::string_view folder) {
    Record("chdir:" + std::string(folder));
}

void FakePlaybackCommands::DeleteFile(std::string_view file) {
    Record("delete:" + std::string(file));
}

void FakePlaybackCommands::CopyFile(std::string_view source, std::string_view target) {
    Record("copy:" + std::string(source) + ";" + std::string(target));
}

void FakePlaybackCommands::RenameFile(std::string_view from, std::string_view to) {
    Record("rename:" + std::string(from) + ";" + std::string(to));
}

std::optional<std::string> FakePlaybackCommands::ReadTextFile(std::string_view file) {
    ++FileReads;
    const auto found = Files.find(file);
    if (found == Files.end()) {
        return std::nullopt;
    }
    return found->second;
}

void FakePlaybackCommands::SetClipboardText(std::string_view text) {
    Clipboard = std::string(text);
    Record("clipboard:" + Clipboard);
}

void FakePlaybackCommands::PlayWave(std::string_view file, bool wait) {
    Record("wave:" + std::string(file) + (wait ? ":wait" : ""));
}

void FakePlaybackCommands::Beep() {
    Record("beep");
}

void FakePlaybackCommands::OpenAddress(std::string_view address) {
    Record("open:" + std::string(address));
}

void FakePlaybackCommands::SwapMacroFile(std::string_view file) {
    Record("swap:" + std::string(file));
}

bool FakePlaybackCommands::PasteText(std::string_view text) {
    if (!Pastes) {
        return false;
    }
    Record("paste:" + std::string(text));
    return true;
}

} // namespace orvane
