// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace orvane {

// The keyboard remapping: for each of 93 base characters, the character typed in its place.
// Byte i is the replacement of SwapBaseCharacters[i]; 0 means the key types nothing ("none").
// The bytes are Windows-1252, and the table is, byte for byte, the remapping file.
inline constexpr std::size_t SwapTableSize = 93;

// The base characters in table order: upper case, lower case, digits, then 31 punctuation
// characters (codes 32-47, 58-64, 91-96, 125, 126: no left brace, no vertical bar).
inline constexpr std::string_view SwapBaseCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                       "abcdefghijklmnopqrstuvwxyz"
                                                       "0123456789"
                                                       " !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~";
static_assert(SwapBaseCharacters.size() == SwapTableSize);

// The four groups of the table, in file order.
struct SwapGroup {
    std::size_t First = 0; // index of its first byte
    std::size_t Count = 0;
};
inline constexpr SwapGroup SwapUpperCase{0, 26};
inline constexpr SwapGroup SwapLowerCase{26, 26};
inline constexpr SwapGroup SwapDigits{52, 10};
inline constexpr SwapGroup SwapPunctuation{62, 31};

struct SwapTable {
    std::array<std::uint8_t, SwapTableSize> Bytes{};
    friend bool operator==(const SwapTable&, const SwapTable&) = default;
};

// The index of `base` in the table, if it is a base character.
std::optional<std::size_t> SwapIndexOf(unsigned char base);

// The identity mapping: every byte its own base character (no remapping).
void InitSwapKeys(SwapTable& table);
SwapTable IdentitySwaps();

// True when any byte differs from its base character: the remapping is in use.
bool SwapsInUse(const SwapTable& table);

// The remapping file of a macro file: a final ".ORV" (any case) becomes ".OVS"; any other name
// gets ".OVS" added, so it is never the macro file itself.
std::filesystem::path SwapFilePath(const std::filesystem::path& macroFile);

// Reads the remapping file into `table`. A file that cannot be opened, or that is not a
// remapping file (not exactly 93 bytes, or a byte the program never stores: a control
// character 1..31), leaves `table` as it was and returns false: a keyboard half remapped by a
// damaged file would be worse than the previous mapping.
bool LoadSwapKeys(const std::filesystem::path& path, SwapTable& table);

// Writes the 93 bytes, replacing the file whole (a crash leaves the old file or the new one).
// False when it could not be written; the caller goes on silently.
bool SaveSwapKeys(const std::filesystem::path& path, const SwapTable& table);

} // namespace orvane
