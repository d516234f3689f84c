// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CodePage.h"

#include <array>

namespace orvane {
namespace {

// 0x80..0x9F of Windows-1252; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// 0x80..0xFF of code page 437.
constexpr std::array<char32_t, 128> kHigh437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

constexpr char32_t kReplacementCharacter = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one sequence at `pos`; on a malformed sequence consumes one byte and reports nothing.
std::optional<char32_t> NextCodePoint(std::string_view s, size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (pos + length > s.size()) {
        ++pos;
        return std::nullopt;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += length;
    return cp;
}

} // namespace

char32_t Windows1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHigh1252[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> UnicodeToWindows1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<unsigned char>(codePoint);
    }
    for (size_t i = 0; i < kHigh1252.size(); ++i) {
        if (kHigh1252[i] == codePoint) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

char32_t CodePage437ToUnicode(unsigned char byte) {
    return byte < 0x80 ? byte : kHigh437[byte - 0x80];
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        AppendUtf8(out, Windows1252ToUnicode(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Utf8ToWindows1252(std::string_view utf8, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = NextCodePoint(utf8, pos);
        const auto byte = cp ? UnicodeToWindows1252(*cp) : std::nullopt;
        out.push_back(byte ? static_cast<char>(*byte) : replacement);
    }
    return out;
}

std::u32string DecodeUtf8(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        out.push_back(NextCodePoint(utf8, pos).value_or(kReplacementCharacter));
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t cp : text) {
        const bool valid = cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        AppendUtf8(out, valid ? cp : kReplacementCharacter);
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (!NextCodePoint(bytes, pos)) {
            return false;
        }
    }
    return true;
}

} // namespace orvane
