// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/DesktopCommands.h"

#include "core/CodePage.h"
#include "core/Paths.h"
#include "core/WholeFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

bool HasNonAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies the regular file `source` to the new name `target` (never one that exists: the name is
// taken in one step) with its permissions and modification time, and flushed to disk. False,
// with no trace of `target` left, when any step fails.
bool CopyToNewFile(const fs::path& source, const fs::path& target) {
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (in < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(in);
        return false;
    }
    const int out =
        ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (!WriteAll(out, buffer, static_cast<std::size_t>(got))) {
            ok = false;
            break;
        }
    }
    const timespec times[2] = {info.st_atim, info.st_mtim};
    ok = ok && ::fchmod(out, info.st_mode & 07777) == 0 && ::futimens(out, times) == 0 &&
         ::fsync(out) == 0;
    ok = ::close(out) == 0 && ok;
    ::close(in);
    if (!ok) {
        ::unlink(target.c_str());
    }
    return ok;
}

// A move to another file system, as a rename cannot do it: the file is copied, and the source
// removed only once the copy is complete on disk. A symbolic link moves as the link it is.
// Folders stay where they are.
void MoveAcrossFileSystems(const fs::path& source, const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(source, error);
    if (fs::is_symlink(status)) {
        fs::copy_symlink(source, target, error);
        if (!error) {
            fs::remove(source, error);
        }
        return;
    }
    if (fs::is_regular_file(status) && CopyToNewFile(source, target)) {
        fs::remove(source, error);
    }
}

} // namespace

std::string MacroTextFromFile(std::string bytes) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (std::string_view(bytes).substr(0, 3) == bom && IsValidUtf8(bytes)) {
        bytes.erase(0, bom.size());
    }
    if (HasNonAscii(bytes) && IsValidUtf8(bytes)) {
        return Utf8ToWindows1252(bytes);
    }
    return bytes;
}

DesktopCommands::DesktopCommands(Parts parts) : parts_(std::move(parts)) {}

WindowId DesktopCommands::ForegroundWindow() {
    return parts_.Finder->Windows().Foreground();
}

std::optional<WindowOrigin> DesktopCommands::ForegroundWindowOrigin() {
    const WindowId window = ForegroundWindow();
    if (window == NoWindow) {
        return std::nullopt;
    }
    const std::optional<WindowRect> rect = parts_.Finder->Windows().FrameRect(window);
    if (!rect) {
        return std::nullopt;
    }
    return WindowOrigin{rect->Left, rect->Top};
}

std::optional<WindowId> DesktopCommands::ActivateIt(std::string_view title) {
    return parts_.Finder->ActivateIt(title);
}

std::optional<WindowId> DesktopCommands::Resolve(WindowRef window) {
    if (window.Current) {
        const WindowId current = ForegroundWindow();
        return current == NoWindow ? std::nullopt : std::optional<WindowId>(current);
    }
    return parts_.Finder->GetWinHandle(window.Title);
}

void DesktopCommands::DoWindowCommand(WindowCommand command, WindowRef window) {
    if (const std::optional<WindowId> found = Resolve(window)) {
        parts_.Finder->DoSysCommand(command, *found);
    }
}

void DesktopCommands::SizeWindow(WindowRef window, int width, int height) {
    if (const std::optional<WindowId> found = Resolve(window)) {
        parts_.Finder->Windows().Resize(*found, width, height);
    }
}

void DesktopCommands::MoveWindow(WindowRef window, int left, int top) {
    if (const std::optional<WindowId> found = Resolve(window)) {
        parts_.Finder->Windows().Move(*found, left, top);
    }
}

void DesktopCommands::Launch(std::string_view program, std::string_view parameters) {
    if (!program.empty()) {
        parts_.Launcher->Launch(Windows1252ToUtf8(program), Windows1252ToUtf8(parameters));
    }
}

std::optional<WindowId> DesktopCommands::WaitForWindow(std::string_view title,
                                                       std::chrono::seconds limit) {
    EventPump& pump = *parts_.Pump;
    const EventPump::TimePoint deadline = pump.Now() + limit;
    for (;;) {
        if (const std::optional<WindowId> window = parts_.Finder->ActivateIt(title)) {
            return window;
        }
        const EventPump::TimePoint now = pump.Now();
        if (now >= deadline) {
            return std::nullopt;
        }
        // Between looks the program keeps serving its events, asleep in the event loop.
        pump.WaitUntil(std::min<EventPump::TimePoint>(now + WindowPollInterval, deadline));
    }
}

void DesktopCommands::ChangeDirectory(std::string_view folder) {
    std::error_code ignored;
    fs::current_path(PathFromStored(folder), ignored);
}

void DesktopCommands::DeleteFile(std::string_view file) {
    const fs::path path = PathFromStored(file);
    std::error_code error;
    // A file, not a folder: removing a folder is not what this command ever did.
    if (fs::is_directory(fs::symlink_status(path, error))) {
        return;
    }
    fs::remove(path, error);
}

void DesktopCommands::CopyFile(std::string_view source, std::string_view target) {
    std::error_code ignored;
    fs::copy_file(PathFromStored(source), PathFromStored(target),
                  fs::copy_options::overwrite_existing, ignored);
}

void DesktopCommands::RenameFile(std::string_view from, std::string_view to) {
    const fs::path source = PathFromStored(from);
    const fs::path target = PathFromStored(to);
    std::error_code error;
    // A hard link is made only where no name exists yet, in one step: an existing file of the
    // new name is never replaced, not even by one made a moment before.
    fs::create_hard_link(source, target, error);
    if (!error) {
        fs::remove(source, error);
        return;
    }
    if (Exists(target) || !Exists(source)) {
        return;
    }
    // Folders, and file systems without links: a plain rename once the name is known to be free.
    fs::rename(source, target, error);
    if (error == std::errc::cross_device_link) {
        MoveAcrossFileSystems(source, target);
    }
}

std::optional<std::string> DesktopCommands::ReadTextFile(std::string_view file) {
    const fs::path path = PathFromStored(file);
    // Only regular files: a folder or a device (an endless /dev/zero) is no text.
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::optional<std::string> contents = ReadWholeFile(path);
    if (!contents) {
        return std::nullopt;
    }
    return MacroTextFromFile(std::move(*contents));
}

void DesktopCommands::SetClipboardText(std::string_view text) {
    parts_.Board->SetText(Windows1252ToUtf8(text));
}

bool DesktopCommands::PasteText(std::string_view text) {
    return parts_.Paster != nullptr && parts_.Paster->Paste(Windows1252ToUtf8(text));
}

void DesktopCommands::PlayWave(std::string_view file, bool wait) {
    const std::optional<std::chrono::milliseconds> length =
        parts_.Sounds->PlayWave(PathFromStored(file).string());
    if (wait && length) {
        parts_.Pump->WaitUntil(parts_.Pump->Now() + *length);
    }
}

void DesktopCommands::Beep() {
    parts_.Sounds->Beep();
}

void DesktopCommands::OpenAddress(std::string_view address) {
    parts_.Launcher->OpenAddress(Windows1252ToUtf8(address));
}

void DesktopCommands::SwapMacroFile(std::string_view file) {
    if (parts_.Swap) {
        parts_.Swap(file);
    }
}

} // namespace orvane
