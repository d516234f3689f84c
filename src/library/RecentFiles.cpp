// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/RecentFiles.h"

#include <algorithm>

namespace orvane {
namespace {

// Removes every entry equal to `path`; the later ones move up and the end fills with empties.
void Remove(RecentFileList& files, std::string_view path) {
    if (path.empty()) {
        return;
    }
    const auto end = std::remove(files.begin(), files.end(), path);
    std::fill(end, files.end(), std::string());
}

} // namespace

void UpdateRecentFiles(RecentFileList& files, std::string_view previous, std::string_view opened) {
    Remove(files, opened);
    if (previous.empty()) {
        return;
    }
    Remove(files, previous);
    std::move_backward(files.begin(), files.end() - 1, files.end());
    files.front() = std::string(previous);
}

std::string RecentFileCaption(std::size_t index, std::string_view path) {
    return "&" + std::to_string(index + 1) + "   " + std::string(path);
}

} // namespace orvane
