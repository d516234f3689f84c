// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Hex coding of text on the probe protocol's lines: any byte, newline and space included, travels
// as two lowercase hex digits, so a line always splits cleanly on spaces and text compares exactly.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::e2e {

// "-" stands for the empty text, so that every field of a line is present.
inline std::string HexEncode(std::string_view bytes) {
    if (bytes.empty()) {
        return "-";
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += kDigits[c >> 4];
        out += kDigits[c & 0xf];
    }
    return out;
}

// The bytes of a hex field; nullopt when it is not valid hex.
inline std::optional<std::string> HexDecode(std::string_view hex) {
    if (hex == "-") {
        return std::string();
    }
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    };
    std::string out;
    out.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        int high = value(hex[i]);
        int low = value(hex[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(high * 16 + low);
    }
    return out;
}

// Text made readable for a failure message: control characters and non-ASCII bytes escaped.
inline std::string Printable(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

} // namespace orvane::e2e
