// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/WholeFile.h"

#include <fstream>
#include <iterator>

namespace orvane {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
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
