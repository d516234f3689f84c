// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SettingsBlock.h"

#include <array>
#include <string>
#include <string_view>

namespace orvane {

using RecentFileList = std::array<std::string, kRecentFileCount>;

// The recent files after switching from file `previous` to file `opened` (stored texts, compared
// exactly): `opened` leaves its place, the list moves down one place (the last entry drops off)
// and `previous` becomes entry 1. Opening the current file again therefore puts it at the top.
// `previous` also leaves any older place, so no file is listed twice; an empty `previous` adds
// nothing.
void UpdateRecentFiles(RecentFileList& files, std::string_view previous, std::string_view opened);

// The menu entry's caption for entry `index` (0-based): "&1   " and the path.
std::string RecentFileCaption(std::size_t index, std::string_view path);

} // namespace orvane
