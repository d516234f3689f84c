// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace orvane {

// Little-endian access to the packed blocks the program shares with files and the hook backend
// (macro records, the macro table). Every read names its offset inside a span: a read that would
// cross the span's end gives 0 and a write that would is dropped, so a wrong offset can never
// touch memory outside the block.

namespace detail {

template <typename Unsigned>
Unsigned LoadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(Unsigned)) {
        return 0;
    }
    Unsigned value = 0;
    for (std::size_t k = 0; k < sizeof(Unsigned); ++k) {
        value |= static_cast<Unsigned>(static_cast<Unsigned>(bytes[offset + k]) << (8 * k));
    }
    return value;
}

template <typename Unsigned>
void StoreLittleEndian(std::span<std::uint8_t> bytes, std::size_t offset, Unsigned value) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(Unsigned)) {
        return;
    }
    for (std::size_t k = 0; k < sizeof(Unsigned); ++k) {
        bytes[offset + k] = static_cast<std::uint8_t>(value >> (8 * k));
    }
}

} // namespace detail

inline std::uint8_t LoadU8(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return offset < bytes.size() ? bytes[offset] : 0;
}
inline std::uint16_t LoadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return detail::LoadLittleEndian<std::uint16_t>(bytes, offset);
}
inline std::int16_t LoadI16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::int16_t>(LoadU16(bytes, offset));
}
inline std::uint32_t LoadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return detail::LoadLittleEndian<std::uint32_t>(bytes, offset);
}
inline std::int32_t LoadI32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::int32_t>(LoadU32(bytes, offset));
}
// The exact bit pattern, NaNs and all, so a record read and written back is unchanged.
inline double LoadF64(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return std::bit_cast<double>(detail::LoadLittleEndian<std::uint64_t>(bytes, offset));
}

inline void StoreU8(std::span<std::uint8_t> bytes, std::size_t offset, std::uint8_t value) {
    if (offset < bytes.size()) {
        bytes[offset] = value;
    }
}
inline void StoreU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
    detail::StoreLittleEndian(bytes, offset, value);
}
inline void StoreI16(std::span<std::uint8_t> bytes, std::size_t offset, std::int16_t value) {
    StoreU16(bytes, offset, static_cast<std::uint16_t>(value));
}
inline void StoreU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    detail::StoreLittleEndian(bytes, offset, value);
}
inline void StoreI32(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value) {
    StoreU32(bytes, offset, static_cast<std::uint32_t>(value));
}
inline void StoreF64(std::span<std::uint8_t> bytes, std::size_t offset, double value) {
    detail::StoreLittleEndian(bytes, offset, std::bit_cast<std::uint64_t>(value));
}

} // namespace orvane
