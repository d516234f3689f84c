// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StandalonePlaybackCommands.h"

#include "core/CodePage.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace orvane {
namespace {

// Macro texts name files in Windows-1252; the file system speaks UTF-8.
std::filesystem::path PathOf(std::string_view name) {
    return std::filesystem::path(Windows1252ToUtf8(name));
}

} // namespace

void StandalonePlaybackCommands::ChangeDirectory(std::string_view folder) {
    std::error_code ignored;
    std::filesystem::current_path(PathOf(folder), ignored);
}

void StandalonePlaybackCommands::DeleteFile(std::string_view file) {
    std::error_code ignored;
    std::filesystem::remove(PathOf(file), ignored);
}

void StandalonePlaybackCommands::CopyFile(std::string_view source, std::string_view target) {
    std::error_code ignored;
    std::filesystem::copy_file(PathOf(source), PathOf(target),
                               std::filesystem::copy_options::overwrite_existing, ignored);
}

void StandalonePlaybackCommands::RenameFile(std::string_view from, std::string_view to) {
    const std::string source = PathOf(from).string();
    const std::string target = PathOf(to).string();
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0 ||
        errno != EINVAL) {
        return;
    }
    // File systems without the no-replace rename: a hard link fails on an existing target too.
    if (link(source.c_str(), target.c_str()) == 0) {
        unlink(source.c_str());
    }
}

std::optional<std::string> StandalonePlaybackCommands::ReadTextFile(std::string_view file) {
    // Only regular files: a folder or a device (endless /dev/zero) is no text.
    std::error_code error;
    if (!std::filesystem::is_regular_file(PathOf(file), error)) {
        return std::nullopt;
    }
    std::ifstream in(PathOf(file), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return contents;
}

} // namespace orvane
