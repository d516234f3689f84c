// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// A short string of capacity N, the string form of every record and shared block: one length
// byte, then N bytes of Windows-1252 characters. Bytes past the length are ignored. A stored
// length larger than N (a damaged or hand-made file) reads as N, so no read leaves the field.

// The characters of a short-string field of `field.size()` bytes (capacity size - 1).
inline std::string_view ReadShortString(std::span<const std::uint8_t> field) {
    if (field.empty()) {
        return {};
    }
    const std::size_t length = std::min<std::size_t>(field[0], field.size() - 1);
    return {reinterpret_cast<const char*>(field.data() + 1), length};
}

// Stores `text` cut to the field's capacity; the unused bytes are cleared so the stored block
// does not depend on what was there before.
inline void WriteShortString(std::span<std::uint8_t> field, std::string_view text) {
    if (field.empty()) {
        return;
    }
    const std::size_t length = std::min(text.size(), field.size() - 1);
    field[0] = static_cast<std::uint8_t>(length);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(text.data()), length, field.begin() + 1);
    std::fill(field.begin() + 1 + static_cast<std::ptrdiff_t>(length), field.end(), 0);
}

// A short string held by value, as a record field. It keeps its raw bytes, so a record read
// from a file and written back is byte for byte the same, length byte included.
template <std::size_t N> class ShortString {
    static_assert(N >= 1 && N <= 255, "the length byte counts up to 255");

public:
    static constexpr std::size_t Capacity = N;
    static constexpr std::size_t StoredSize = N + 1;

    ShortString() = default;
    explicit ShortString(std::string_view text) { Assign(text); }

    std::string_view View() const { return ReadShortString(bytes_); }
    std::string Str() const { return std::string(View()); }
    std::size_t Length() const { return View().size(); }
    bool Empty() const { return Length() == 0; }

    void Assign(std::string_view text) { WriteShortString(bytes_, text); }

    const std::array<std::uint8_t, N + 1>& Bytes() const { return bytes_; }

    // Takes the stored bytes unchecked (the length byte is clamped on every read).
    void LoadBytes(std::span<const std::uint8_t, N + 1> stored) {
        std::copy(stored.begin(), stored.end(), bytes_.begin());
    }
    void StoreBytes(std::span<std::uint8_t, N + 1> stored) const {
        std::copy(bytes_.begin(), bytes_.end(), stored.begin());
    }

    // Equal when the characters are equal; bytes past the length do not count.
    friend bool operator==(const ShortString& a, const ShortString& b) {
        return a.View() == b.View();
    }

private:
    std::array<std::uint8_t, N + 1> bytes_{};
};

} // namespace orvane
