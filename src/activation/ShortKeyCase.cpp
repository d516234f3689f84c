// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/ShortKeyCase.h"

#include "script/ScriptReader.h"

namespace orvane {
namespace {

constexpr std::string_view EndClipTag = "<ENDCLIP>";

bool IsAsciiLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Letters of Windows-1252: ASCII, the Latin-1 block from À (× and ÷ are signs), and those past
// Latin-1 the code page adds (ƒ Š Œ Ž š œ ž Ÿ), which count as letters but never change.
bool IsLetter(unsigned char c) {
    if (IsAsciiLetter(c)) {
        return true;
    }
    switch (c) {
    case 0x83:
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
        return true;
    default:
        return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

// The capital inside Latin-1, or the letter itself: ß and ÿ have theirs outside it.
char UpperLatin1(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<char>(c - 0x20);
    }
    return static_cast<char>(c);
}

} // namespace

LetterCase CaseOfTyped(std::string_view typed) {
    int letters = 0;
    int upper = 0;
    bool firstUpper = false;
    for (const char ch : typed) {
        const auto c = static_cast<unsigned char>(ch);
        if (!IsAsciiLetter(c)) {
            continue;
        }
        const bool isUpper = c <= 'Z';
        firstUpper = firstUpper || (letters == 0 && isUpper);
        ++letters;
        upper += isUpper ? 1 : 0;
    }
    if (letters >= 2 && upper == letters) {
        return LetterCase::AllUpper;
    }
    return firstUpper ? LetterCase::FirstUpper : LetterCase::AsStored;
}

std::string FollowCase(std::string_view macroText, LetterCase letterCase) {
    std::string out(macroText);
    if (letterCase == LetterCase::AsStored) {
        return out;
    }
    bool firstSeen = false;
    std::size_t pos = 0;
    while (pos < out.size()) {
        const auto c = static_cast<unsigned char>(out[pos]);
        if (c == '<') {
            const ScriptItem item = ReadScriptItem(macroText, pos);
            if (item.Kind == ItemKind::BeginClip) {
                // The clipboard block's body is text for the clipboard, not typed: left alone.
                const std::size_t end = macroText.find(EndClipTag, pos + item.Length);
                pos = end == std::string_view::npos ? out.size() : end + EndClipTag.size();
            } else {
                pos += item.Length;
            }
            continue;
        }
        if (IsLetter(c) && (letterCase == LetterCase::AllUpper || !firstSeen)) {
            firstSeen = true;
            out[pos] = UpperLatin1(c);
        }
        ++pos;
    }
    return out;
}

} // namespace orvane
