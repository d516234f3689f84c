// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IniFile.h"

#include "core/Text.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The profile functions count the old end-of-file mark (Ctrl+Z) as a blank, so a file that an
// old editor closed with one still reads its last value cleanly.
constexpr std::string_view Blanks = " \t\r\v\f\x1A";

bool IsBlank(char c) {
    return c != '\0' && Blanks.find(c) != std::string_view::npos;
}

std::string_view TrimBlanks(std::string_view text) {
    return Trim(text, Blanks);
}

unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned char>(c + 0x20);
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) { // Latin-1 capitals, not the multiplication sign
        return static_cast<unsigned char>(c + 0x20);
    }
    switch (c) {
    case 0x8A: // S caron
    case 0x8C: // OE
    case 0x8E: // Z caron
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F: // Y diaeresis
        return 0xFF;
    default:
        return c;
    }
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// What has to be written so that reading gives `value` back: reading trims outer blanks and
// strips one pair of matching quotation marks, and a pair of double quotation marks undoes both.
std::string EncodeValue(std::string_view value) {
    const bool needsQuotes =
        !value.empty() &&
        (IsBlank(value.front()) || IsBlank(value.back()) ||
         (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()));
    return needsQuotes ? "\"" + std::string(value) + "\"" : std::string(value);
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\n\r\0", 3)) != std::string_view::npos;
}

bool IsStorableName(std::string_view name) {
    return !HasLineBreakOrNul(name) && TrimBlanks(name) == name;
}

} // namespace

bool ProfileNamesEqual(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return FoldCase(static_cast<unsigned char>(x)) == FoldCase(static_cast<unsigned char>(y));
    });
}

IniFile::Line IniFile::ParseLine(std::string raw) {
    Line line;
    line.Raw = std::move(raw);
    std::string_view text = line.Raw;
    text = TrimBlanks(text.substr(0, text.find('\0')));
    if (text.empty() || text.front() == ';') {
        return line;
    }
    if (text.front() == '[') {
        const size_t close = text.rfind(']');
        if (close != std::string_view::npos) {
            line.Kind = LineKind::Section;
            line.Name = TrimBlanks(text.substr(1, close - 1));
            return line;
        }
    }
    const size_t equals = text.find('=');
    if (equals != std::string_view::npos) {
        line.Kind = LineKind::Key;
        line.Name = TrimBlanks(text.substr(0, equals));
        line.Value = TrimBlanks(text.substr(equals + 1));
    }
    return line;
}

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile file;
    if (bytes.starts_with(kByteOrderMark)) {
        file.byteOrderMark_ = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view raw = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (raw.ends_with('\r')) {
            raw.remove_suffix(1);
        }
        file.lines_.push_back(ParseLine(std::string(raw)));
    }
    return file;
}

std::string IniFile::Serialise() const {
    size_t size = byteOrderMark_ ? kByteOrderMark.size() : 0;
    for (const Line& line : lines_) {
        size += line.Raw.size() + 2;
    }
    std::string out;
    out.reserve(size);
    if (byteOrderMark_) {
        out += kByteOrderMark;
    }
    for (const Line& line : lines_) {
        out += line.Raw;
        out += "\r\n";
    }
    return out;
}

std::optional<size_t> IniFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].Kind == LineKind::Section && ProfileNamesEqual(lines_[i].Name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

size_t IniFile::SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < lines_.size() && lines_[i].Kind != LineKind::Section) {
        ++i;
    }
    return i;
}

std::optional<size_t> IniFile::FindKey(size_t header, std::string_view key) const {
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        if (lines_[i].Kind == LineKind::Key && ProfileNamesEqual(lines_[i].Name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const std::optional<size_t> header = FindSection(section);
    if (!header) {
        return std::nullopt;
    }
    const std::optional<size_t> found = FindKey(*header, key);
    if (!found) {
        return std::nullopt;
    }
    return std::string(StripQuotes(lines_[*found].Value));
}

bool IniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsStorableName(section) || section.find(']') != std::string_view::npos ||
        !IsStorableName(key) || key.find('=') != std::string_view::npos || key.starts_with('[') ||
        key.starts_with(';')) {
        return false;
    }
    value = value.substr(0, value.find_first_of(std::string_view("\n\0", 2)));

    std::optional<size_t> header = FindSection(section);
    if (header) {
        if (const std::optional<size_t> found = FindKey(*header, key)) {
            Line& line = lines_[*found];
            if (StripQuotes(line.Value) != value) {
                line = ParseLine(line.Name + "=" + EncodeValue(value));
            }
            return true;
        }
    } else {
        if (!lines_.empty() && !TrimBlanks(lines_.back().Raw).empty()) {
            lines_.push_back(Line{});
        }
        lines_.push_back(ParseLine("[" + std::string(section) + "]"));
        header = lines_.size() - 1;
    }

    size_t insertAt = *header + 1;
    const size_t end = SectionEnd(*header);
    for (size_t i = *header + 1; i < end; ++i) {
        if (lines_[i].Kind == LineKind::Key) {
            insertAt = i + 1;
        }
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  ParseLine(std::string(key) + "=" + EncodeValue(value)));
    return true;
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.Kind == LineKind::Section &&
            FindSection(line.Name) == static_cast<size_t>(&line - lines_.data())) {
            names.push_back(line.Name);
        }
    }
    return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    const std::optional<size_t> header = FindSection(section);
    if (!header) {
        return names;
    }
    const size_t end = SectionEnd(*header);
    for (size_t i = *header + 1; i < end; ++i) {
        if (lines_[i].Kind == LineKind::Key && FindKey(*header, lines_[i].Name) == i) {
            names.push_back(lines_[i].Name);
        }
    }
    return names;
}

} // namespace orvane
