// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/KeystrokeText.h"

#include "core/CodePage.h"
#include "editing/LineRules.h"
#include "script/TagLayout.h"

#include <algorithm>

namespace orvane {

std::optional<Insertion> InsertAtCaret(std::string_view text, std::size_t caret,
                                       std::string_view inserted) {
    if (text.size() + inserted.size() > KeystrokeTextLimit) {
        return std::nullopt;
    }
    caret = std::min(caret, text.size());
    Insertion result;
    result.Text.reserve(text.size() + inserted.size());
    result.Text.append(text.substr(0, caret)).append(inserted).append(text.substr(caret));
    result.Caret = caret + inserted.size();
    return result;
}

namespace {
constexpr std::uint8_t TabKey = 9;
} // namespace

UpdatedText UpdateKeystrokes(std::string_view text) {
    UpdatedText result;
    for (const char c : text) {
        if (c == '\t') {
            result.Text += NamedKeyTag(TabKey);
        } else {
            result.Text += c;
        }
    }
    if (result.Text.size() > KeystrokeTextLimit) {
        result.Text.resize(KeystrokeTextLimit);
        result.Truncated = true;
    }
    return result;
}

std::string KeystrokesFromBox(std::string_view utf8) {
    std::string stored = Utf8ToWindows1252(utf8);
    std::string out;
    out.reserve(stored.size() + 16);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const char c = stored[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::string BoxFromKeystrokes(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const char c = stored[i];
        if (c == '\r' || c == '\n') {
            out += '\n';
            if (c == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += c;
        }
    }
    return Windows1252ToUtf8(out);
}

std::optional<char> SymbolAt(int column, int row) {
    if (column < 0 || column >= 16 || row < 0 || row >= 8) {
        return std::nullopt;
    }
    const int code = 128 + 8 * column + row;
    // The five unused positions stand for control characters, which type nothing.
    if (Windows1252ToUnicode(static_cast<unsigned char>(code)) < 0xA0 && code < 0xA0 &&
        Windows1252ToUnicode(static_cast<unsigned char>(code)) == static_cast<char32_t>(code)) {
        return std::nullopt;
    }
    return static_cast<char>(code);
}

std::optional<FormRefusal> Check(const AltKeypadForm& form) {
    const std::string digits = Trimmed(form.Digits);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return FormRefusal{std::string(NotNumericText), "Seconds"};
    }
    if (digits.size() > 4) {
        return FormRefusal{std::string(TooManyDigitsText), "Seconds"};
    }
    return std::nullopt;
}

std::string Build(const AltKeypadForm& form) {
    std::string digits = Trimmed(form.Digits);
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    return WriteTag(digits.size() == 4 ? Tags::AltCode4 : Tags::AltCode3, {digits});
}

// Text lines: plain characters and key tags as they stand; no tag reads as one on its own.
namespace {

std::optional<CommandRecord> TextRecordOf(const ScriptItem&, CommandCode) {
    return std::nullopt;
}

std::string TextDetails(CommandCode, const CommandRecord& record) {
    const auto* r = As<TextRecord>(record);
    if (r == nullptr) {
        return {};
    }
    return ": " + r->Keys.substr(0, 50) + (r->Keys.size() > 53 ? "..." : "");
}

std::string TextTag(CommandCode, const CommandRecord& record) {
    const auto* r = As<TextRecord>(record);
    return r != nullptr ? r->Keys : std::string();
}

} // namespace

const LineRules TextLines = {TextRecordOf, TextDetails, TextTag};

} // namespace orvane
