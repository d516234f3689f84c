// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Every text the program stores (macro files, settings, capture files) is Windows-1252 bytes, so
// files stay interchangeable with the ones users already have. The user interface and the
// operating system speak Unicode (UTF-8 on Linux); these functions are the only bridge.
//
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control of the same value, as the Windows conversion functions do, so every byte survives a
// round trip through Unicode.

// The Unicode code point of one Windows-1252 byte.
char32_t Windows1252ToUnicode(unsigned char byte);

// The Windows-1252 byte of a code point, or nothing when the code page has no such character.
std::optional<unsigned char> UnicodeToWindows1252(char32_t codePoint);

// The character of one code page 437 byte (the code page of three-digit Alt codes).
char32_t CodePage437ToUnicode(unsigned char byte);

std::string Windows1252ToUtf8(std::string_view bytes);

// Characters the code page lacks become `replacement`; malformed UTF-8 sequences count as one
// unknown character per offending byte.
std::string Utf8ToWindows1252(std::string_view utf8, char replacement = '?');

// Decodes UTF-8; malformed sequences give U+FFFD, one per offending byte.
std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

} // namespace orvane
