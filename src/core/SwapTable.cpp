// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SwapTable.h"

#include "core/AtomicFile.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace orvane {

std::optional<std::size_t> SwapIndexOf(unsigned char base) {
    const std::size_t at = SwapBaseCharacters.find(static_cast<char>(base));
    if (at == std::string_view::npos || base == 0) {
        return std::nullopt;
    }
    return at;
}

void InitSwapKeys(SwapTable& table) {
    for (std::size_t i = 0; i < SwapTableSize; ++i) {
        table.Bytes[i] = static_cast<std::uint8_t>(SwapBaseCharacters[i]);
    }
}

SwapTable IdentitySwaps() {
    SwapTable table;
    InitSwapKeys(table);
    return table;
}

bool SwapsInUse(const SwapTable& table) {
    return table != IdentitySwaps();
}

std::filesystem::path SwapFilePath(const std::filesystem::path& macroFile) {
    std::string name = macroFile.filename().string();
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    std::string extension = name.size() >= 4 ? name.substr(name.size() - 4) : std::string();
    std::transform(extension.begin(), extension.end(), extension.begin(), upper);
    if (extension == ".ORV") {
        name.resize(name.size() - 4);
    }
    return macroFile.parent_path() / (name + ".OVS");
}

bool LoadSwapKeys(const std::filesystem::path& path, SwapTable& table) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    // One byte more than a record, to tell a longer file from a remapping file.
    std::array<char, SwapTableSize + 1> bytes{};
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::size_t>(in.gcount()) != SwapTableSize) {
        return false;
    }
    SwapTable read;
    for (std::size_t i = 0; i < SwapTableSize; ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (byte >= 1 && byte < 32) {
            return false;
        }
        read.Bytes[i] = byte;
    }
    table = read;
    return true;
}

bool SaveSwapKeys(const std::filesystem::path& path, const SwapTable& table) {
    const std::string bytes(table.Bytes.begin(), table.Bytes.end());
    return WriteFileAtomically(path, bytes);
}

} // namespace orvane
