// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvane {

// The bytes of the file at `path`, read to its end; nothing when it cannot be opened or a read
// fails. Callers that must not block on a pipe or a device check that it is a regular file first.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

} // namespace orvane
