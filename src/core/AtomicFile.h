// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <string_view>

namespace orvane {

// Replaces a whole file so that a crash at any moment leaves either the old or the new contents,
// never a mixture: the bytes go to a temporary file in the same folder, are flushed to disk, and
// the temporary is renamed over the target. A new file gets `newFileMode`; an existing file keeps
// its permission bits. Returns false (and leaves the target untouched) when any step fails.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view contents,
                         unsigned newFileMode = 0600);

// Removes the temporary files that rewrites of `target` left behind when they were killed
// before their rename (".<name>.XXXXXX" beside it). Only those untouched for longer than
// `settled` go: a rewrite by another instance of the program (on another display, sharing the
// file) may be writing one right now. Returns how many were removed; errors are ignored.
int RemoveLeftoverRewrites(const std::filesystem::path& target,
                           std::chrono::seconds settled = std::chrono::minutes(1));

} // namespace orvane
